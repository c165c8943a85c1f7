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
      {"line break", R"(\\\r?$)"},
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

// The packing breaks the guide's lines to fit Notepad. A line that outgrows
// them would be folded again by Notepad, anywhere, or run off the window. A
// Japanese character takes two columns, as in Notepad's fonts; why 80 columns
// fit is said in cmake/plain_text_readme.py.
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

// The readme's characters, a code point each (it is UTF-8, checked above).
std::u32string CodePoints(const std::string& text) {
  std::u32string points;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    char32_t point = length == 1 ? byte : byte & (0x7F >> length);
    for (int k = 1; k < length && i + k < text.size(); ++k) {
      point = point << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    points += point;
    i += length;
  }
  return points;
}

bool IsKatakana(char32_t c) { return (c >= 0x30A1 && c <= 0x30FE) || (c >= 0xFF66 && c <= 0xFF9F); }
bool IsHiragana(char32_t c) { return c >= 0x3041 && c <= 0x309F; }
bool IsKanji(char32_t c) { return (c >= 0x4E00 && c <= 0x9FFF) || c == U'々'; }
bool IsLatin(char32_t c) { return c < 0x80 && std::isalnum(static_cast<int>(c)); }

// A reader should never meet a name or a word cut in two, as
// 「アプリ／ケーション」, 「[別の／プログラムを選択]」 or 「権／限」 were, nor
// a particle at the start of a line; Notepad's search would not find them
// either.
TEST(UserDocs, ReadmeTxtBreaksLinesOnlyWhereJapaneseAllows) {
  struct Rule {
    const char* what;
    // line ends, next is the line after it without its indentation
    bool (*breaks)(const std::u32string& line, const std::u32string& next);
  };
  const Rule rules[] = {
      {"inside a bracketed name",
       [](const std::u32string& line, const std::u32string&) {
         int open = 0;
         for (char32_t c : line)
           open += c == U'[' || c == U'「' ? 1 : c == U']' || c == U'」' ? -1 : 0;
         return open > 0;
       }},
      {"inside a run of katakana, or a name with one",
       [](const std::u32string& line, const std::u32string& next) {
         // A line-initial ・ is a list's bullet.
         // Enter キー and アドレス バー are names, as one run would be.
         return (IsKatakana(line.back()) || IsLatin(line.back())) && IsKatakana(next.front()) &&
                next.front() != U'・';
       }},
      {"inside a word, or before its particle",
       [](const std::u32string& line, const std::u32string& next) {
         const char32_t last = line.back(), first = next.front();
         const bool letter = IsKanji(last) || IsHiragana(last) || IsKatakana(last) || IsLatin(last);
         // A bracketed name keeps its particle: [OK]を, 「…」の.
         const bool bracket = std::u32string(U"]」）』】").find(last) != std::u32string::npos;
         return ((letter || bracket) && IsHiragana(first)) || (IsKanji(last) && IsKanji(first));
       }},
      {"inside a run of Latin letters and digits",
       [](const std::u32string& line, const std::u32string& next) {
         return IsLatin(line.back()) && IsLatin(next.front());
       }},
      {"before a closing mark",
       [](const std::u32string&, const std::u32string& next) {
         return std::u32string(U"、。）」』］】ー").find(next.front()) != std::u32string::npos;
       }},
  };
  std::vector<std::string> shown;
  std::vector<std::u32string> lines;
  std::istringstream text(ReadFile(ARDENO_README_TXT));
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    shown.push_back(line);
    lines.push_back(CodePoints(line));
  }
  ASSERT_GT(lines.size(), 1u);
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::u32string& line = lines[i];
    const std::u32string next =
        lines[i + 1].substr(std::min(lines[i + 1].find_first_not_of(U' '), lines[i + 1].size()));
    // A heading ends its line, and a list's next item starts afresh, as a
    // blank line does.
    static const std::regex heading(R"(^(\xEF\xBB\xBF|■|◆))"), item(R"(^ *([0-9]+[.)] |・))");
    if (line.empty() || next.empty() || std::regex_search(shown[i], heading) ||
        std::regex_search(shown[i + 1], item)) {
      continue;
    }
    for (const Rule& rule : rules) {
      EXPECT_FALSE(rule.breaks(line, next)) << "line " << i + 1 << " breaks " << rule.what << ": "
                                            << shown[i] << " / " << shown[i + 1];
    }
  }
}

}  // namespace
