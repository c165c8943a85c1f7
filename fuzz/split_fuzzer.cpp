// Fuzzes the command-line splitting. Each input, cut at its first NUL, becomes
// the command line of the in-memory desktop; the lookup's answers are compared
// with a second, deliberately plain splitter and checked against properties
// that hold for any correct splitter.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "memory_desktop.h"
#include "switch_lookup.h"

namespace {

struct Token {
  std::string bytes;
  std::size_t end;  // index just past the last byte the token used
};

// The same rules written as a state machine over the whole line, so that it
// shares neither code nor shape with the splitter under test. The first token
// is the program name; only the last token can be empty (a lone quote at the
// end of the line).
std::vector<Token> ReferenceSplit(const std::string& line) {
  enum class State { Between, Plain, Quoted } state = State::Between;
  std::vector<Token> tokens;
  std::string current;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char byte = line[i];
    const bool separator = static_cast<unsigned char>(byte) <= 32;
    switch (state) {
      case State::Between:
        if (separator) break;
        if (byte == '"' && i + 1 < line.size() && line[i + 1] == '"') {
          ++i;  // an empty quoted pair before an argument
        } else if (byte == '"') {
          state = State::Quoted;
        } else {
          current += byte;
          state = State::Plain;
        }
        break;
      case State::Plain:
        if (separator) {
          tokens.push_back({current, i});
          current.clear();
          state = State::Between;
        } else if (byte == '"') {
          state = State::Quoted;
        } else {
          current += byte;
        }
        break;
      case State::Quoted:
        if (byte == '"') {
          state = State::Plain;
        } else {
          current += byte;
        }
        break;
    }
  }
  if (state != State::Between) tokens.push_back({current, line.size()});
  if (!tokens.empty() && tokens.back().bytes.empty()) tokens.pop_back();
  return tokens;
}

bool IsLeadByte932(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Code page 932 lower-casing: ASCII letters only; a lead byte's partner is
// left as it is.
std::string ReferenceLower(std::string_view text) {
  std::string lower(text);
  for (std::size_t i = 0; i < lower.size(); ++i) {
    const auto byte = static_cast<unsigned char>(lower[i]);
    if (IsLeadByte932(byte)) {
      ++i;
    } else if (byte >= 'A' && byte <= 'Z') {
      lower[i] = static_cast<char>(byte + ('a' - 'A'));
    }
  }
  return lower;
}

bool ReferenceHasSwitch(const std::vector<Token>& tokens, std::string_view switchText) {
  const std::string lowerSwitch = ReferenceLower(switchText);
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    if (ReferenceLower(tokens[i].bytes) == lowerSwitch) return true;
  }
  return false;
}

// Ends the run so that libFuzzer keeps the input that broke the property.
void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

bool HasSeparator(std::string_view text) {
  for (char byte : text) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= 1 && value <= 32) return true;
  }
  return false;
}

// Splits step by step from the start of the line, as the tool's own passes do.
void CheckSplitting(const std::string& line, const std::vector<Token>& tokens) {
  const char* start = platform::GetCommandLineA();
  const char* position = start;
  std::size_t copiedBytes = 0;
  for (const Token& token : tokens) {
    const SplitResult split = SplitNextArgument(position);
    const std::string_view argument = View(split.argument);
    Require(split.next > position && split.next <= start + line.size(),
            "a split moves forward and stays within the line");
    Require(
        !HasSeparator(argument) || line.find('"') < static_cast<std::size_t>(split.next - start),
        "a separator in an argument comes after a quote");
    copiedBytes += argument.size();
    Require(copiedBytes <= line.size(), "the arguments hold no more bytes than the line");
    Require(argument == token.bytes, "the argument is the reference's");
    Require(static_cast<std::size_t>(split.next - start) == token.end,
            "the split stops where the reference's token ends");
    position = split.next;
  }
  for (int i = 0; i < 2; ++i) {
    const SplitResult split = SplitNextArgument(position);
    Require(split.argument.length == 0, "after the last argument only empty ones come");
    Require(split.next == start + line.size(), "the empty split at the end reaches the NUL");
    position = split.next;
  }
}

void CheckLookup(const std::vector<Token>& tokens) {
  const std::size_t count = ArgumentCount();
  std::vector<Text> arguments;  // ArgumentAt(1) to ArgumentAt(count + 1)
  std::size_t nonEmpty = 0;
  for (std::size_t i = 1; i <= count + 1; ++i) {
    arguments.push_back(ArgumentAt(i));
    if (arguments.back().length > 0) ++nonEmpty;
  }
  Require(nonEmpty == count && arguments.back().length == 0,
          "the count equals the number of non-empty arguments, and the next one is empty");
  Require(count == (tokens.empty() ? 0 : tokens.size() - 1), "the count is the reference's");

  for (std::size_t i = 1; i <= count; ++i) {
    const std::string_view argument = View(arguments[i - 1]);
    Require(argument == tokens[i].bytes, "ArgumentAt gives the reference's");
    Require(View(LowerText(argument)) == ReferenceLower(argument),
            "LowerText lower-cases by code page 932");
    Require(HasSwitch(argument), "every argument is a switch");
  }
  Require(!HasSwitch(""), "the empty split at the end is no argument");

  const bool hasAll = HasSwitch("/all");
  Require(hasAll == ReferenceHasSwitch(tokens, "/all"), "HasSwitch(/all) is the reference's");
  Require(HasSwitch("/ALL") == hasAll, "the switch's own case does not matter");
  if (!tokens.empty()) {
    Require(HasSwitch(tokens[0].bytes) == ReferenceHasSwitch(tokens, tokens[0].bytes),
            "the program name is never compared");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  line = line.substr(0, line.find('\0'));
  memory_desktop::SetCommandLine(line);
  const std::vector<Token> tokens = ReferenceSplit(line);
  CheckSplitting(line, tokens);
  CheckLookup(tokens);
  return 0;
}
