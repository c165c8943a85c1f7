// The READMEs, the demo's page and the readme.txt the zip carries tell users
// the switch to type and the warning box to expect; they must name them as the
// code has them. readme.txt must also read cleanly in Notepad.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "all_windows_sweep.h"
#include "code_page_932.h"
#include "run_stretcher.h"
#include "stretch_window.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file.is_open()) << path;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string AsciiLower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

struct NamedText {
  const char* what;
  // Group 1 is the text as a README names it; found in any letter case.
  const char* pattern;
  std::vector<std::string> expected;  // what a match may be
  bool ignoreCase;                    // as the tool compares it
  bool inEveryDoc;                    // each of expected
};

// Users meet one version: the caption's, the zip's name and the exe's
// Properties, which come from the build's version.
TEST(UserDocs, CaptionNamesTheReleaseVersion) {
  EXPECT_EQ(std::string(ProgramCaption), std::string("Ardeno Ver.") + ARDENO_VERSION);
}

TEST(UserDocs, NameTheSwitchCaptionAndMessageAsTheCodeHasThem) {
  const NamedText texts[] = {
      // A slash and a letter that do not continue a word or a path.
      {"switch",
       R"((?:^|[^A-Za-z0-9._/:~-])(/[A-Za-z][A-Za-z0-9]*))",
       {std::string(AllSwitch), std::string(DisplaySwitch)},
       true,
       true},
      {"caption", R"((Ardeno\s*Ver\.?\s*[0-9]+(?:\.[0-9]+)*))", {ProgramCaption}, false, true},
      // Quoted whole, up to its full stop.
      {"message",
       R"((Morvelの\[ツール\]から.*?。))",
       {Utf8FromCodePage932(RunFromToolsMessage)},
       false,
       true},
      {"zip's version", R"(ardeno-([0-9][0-9.]*[0-9])-win32)", {ARDENO_VERSION}, false, false},
  };
  for (const std::string doc : {ARDENO_SOURCE_DIR "/README.md", ARDENO_SOURCE_DIR "/README.ja.md",
                                ARDENO_SOURCE_DIR "/docs/demo.md", ARDENO_README_TXT}) {
    const std::string text = ReadFile(doc);
    for (const auto& t : texts) {
      SCOPED_TRACE(doc + ", " + t.what);
      const std::regex pattern(t.pattern, std::regex::ECMAScript | std::regex::icase);
      std::set<std::string> named;
      for (std::sregex_iterator match(text.begin(), text.end(), pattern), end; match != end;
           ++match) {
        const std::string found = t.ignoreCase ? AsciiLower((*match)[1]) : (*match)[1].str();
        EXPECT_NE(std::find(t.expected.begin(), t.expected.end(), found), t.expected.end())
            << found;
        named.insert(found);
      }
      for (const std::string& expected : t.expected) {
        EXPECT_TRUE(!t.inEveryDoc || named.count(expected)) << doc << " never names " << expected;
      }
    }
  }
}

// Notepad on Windows 10 takes a file without a byte order mark for the ANSI
// code page, and joins lines that end in a bare LF on older builds.
TEST(UserDocs, ReadmeTxtIsUtf8WithByteOrderMarkAndCrLfLineEnds) {
  const std::string text = ReadFile(ARDENO_README_TXT);
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u) << "no UTF-8 byte order mark";
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  int bareLineFeeds = 0, bareCarriageReturns = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ++bareLineFeeds;
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) ++bareCarriageReturns;
  }
  EXPECT_EQ(bareLineFeeds, 0);
  EXPECT_EQ(bareCarriageReturns, 0);
}

TEST(UserDocs, ReadmeTxtHasNoMarkdownThatNotepadWouldShow) {
  const struct {
    const char* what;
    const char* pattern;
  } noise[] = {
      {"heading", R"(^ *#)"},
      {"picture", R"(^!|!\[)"},
      {"link", R"(\]\()"},
      {"code span", "`"},
      {"list bullet", R"(^ *[-*+] )"},
      {"emphasis", R"(\*\*|__)"},
      {"HTML tag", R"(<[A-Za-z/!])"},
      {"backslash escape", R"(\\[][\\`*_{}()#+.!-])"},
      {"quote or fence", R"(^(>|~~~))"},
  };
  std::istringstream lines(ReadFile(ARDENO_README_TXT));
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    for (const auto& n : noise) {
      EXPECT_FALSE(std::regex_search(line, std::regex(n.pattern)))
          << "line " << number << " has a Markdown " << n.what << ": " << line;
    }
  }
  EXPECT_GT(number, 0);
}

// The guide is wrapped by hand; a line that outgrows the rest shows in
// Notepad as a ragged edge, or runs off the window where wrapping is off.
// Japanese text takes two columns a character, as in Notepad's fonts.
TEST(UserDocs, ReadmeTxtLinesFitEightyColumns) {
  std::istringstream lines(ReadFile(ARDENO_README_TXT));
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    int columns = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const auto byte = static_cast<unsigned char>(line[i]);
      if ((byte & 0xC0) == 0x80 || byte == '\r' || (number == 1 && i < 3)) continue;
      // A lead byte of three or more bytes starts a character from U+0800 on:
      // Japanese, and the marks the readme uses with it.
      columns += byte >= 0xE0 ? 2 : 1;
    }
    EXPECT_LE(columns, 80) << "line " << number << " is " << columns << " columns: " << line;
  }
  EXPECT_GT(number, 0);
}

}  // namespace
