#include "switch_lookup.h"

#include <cstring>

#include "window_manager.h"

namespace {

constexpr char Quote = '"';

bool IsSeparator(unsigned char byte) { return byte >= 1 && byte <= 32; }

const char* SkipSeparators(const char* position) {
  for (;;) {
    while (IsSeparator(static_cast<unsigned char>(*position))) ++position;
    if (position[0] != Quote || position[1] != Quote) return position;
    position += 2;
  }
}

// Walks one argument from position and returns where it ends. Copies its bytes
// to out when out is given; either way counts them in length. Walking twice,
// first to measure, lets an argument of any length be copied whole.
const char* CollectArgument(const char* position, char* out, std::size_t& length) {
  length = 0;
  while (static_cast<unsigned char>(*position) > 32) {
    if (*position != Quote) {
      if (out) out[length] = *position;
      ++length;
      ++position;
      continue;
    }
    ++position;
    while (*position != '\0' && *position != Quote) {
      if (out) out[length] = *position;
      ++length;
      ++position;
    }
    if (*position == Quote) ++position;
  }
  return position;
}

Text CopyText(std::string_view text) {
  Text copy{std::make_unique<char[]>(text.size()), text.size()};
  if (!text.empty()) std::memcpy(copy.bytes.get(), text.data(), text.size());
  return copy;
}

}  // namespace

std::string_view View(const Text& text) { return {text.bytes.get(), text.length}; }

SplitResult SplitNextArgument(const char* position) {
  const char* start = SkipSeparators(position);
  std::size_t length = 0;
  CollectArgument(start, nullptr, length);
  Text argument{std::make_unique<char[]>(length), length};
  const char* next = CollectArgument(start, argument.bytes.get(), length);
  return {std::move(argument), next};
}

std::size_t ArgumentCount() {
  std::size_t count = 0;
  SplitResult split = SplitNextArgument(platform::GetCommandLineA());
  for (;;) {
    split = SplitNextArgument(split.next);
    if (split.argument.length == 0) return count;
    ++count;
  }
}

Text ArgumentAt(std::size_t index) {
  SplitResult split = SplitNextArgument(platform::GetCommandLineA());
  for (std::size_t i = 0; i < index; ++i) {
    split = SplitNextArgument(split.next);
    if (split.argument.length == 0) break;
  }
  return std::move(split.argument);
}

Text LowerText(std::string_view text) {
  Text copy = CopyText(text);
  if (copy.length > 0) {
    platform::CharLowerBuffA(copy.bytes.get(), static_cast<platform::DWORD>(copy.length));
  }
  return copy;
}

// One pass over the command line instead of splitting it again for every
// argument: the same answer, in time linear in the line's length.
bool HasSwitch(std::string_view switchText) {
  const Text lowerSwitch = LowerText(switchText);
  SplitResult split = SplitNextArgument(platform::GetCommandLineA());
  for (;;) {
    split = SplitNextArgument(split.next);
    if (split.argument.length == 0) return false;
    if (View(LowerText(View(split.argument))) == View(lowerSwitch)) return true;
  }
}
