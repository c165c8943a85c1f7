// The READMEs and the demo's page tell users the switch to type and the
// warning box to expect; they must name them as the code has them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "all_windows_sweep.h"
#include "code_page_932.h"
#include "run_stretcher.h"

namespace {

std::string ReadSourceFile(const std::string& name) {
  std::ifstream file(ARDENO_SOURCE_DIR "/" + name, std::ios::binary);
  EXPECT_TRUE(file.is_open()) << name;
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
  std::string expected;
  bool ignoreCase;  // as the tool compares it
};

TEST(UserDocs, NameTheSwitchCaptionAndMessageAsTheCodeHasThem) {
  const NamedText texts[] = {
      // A slash and a letter that do not continue a word or a path.
      {"switch", R"((?:^|[^A-Za-z0-9._/:~-])(/[A-Za-z][A-Za-z0-9]*))", std::string(AllSwitch),
       true},
      {"caption", R"((Ardeno\s*Ver\.?\s*[0-9]+(?:\.[0-9]+)*))", ProgramCaption, false},
      // Quoted whole, up to its full stop.
      {"message", R"((Morvelの\[ツール\]から.*?。))", Utf8FromCodePage932(RunFromToolsMessage),
       false},
  };
  for (const char* doc : {"README.md", "README.ja.md", "docs/demo.md"}) {
    const std::string text = ReadSourceFile(doc);
    for (const auto& t : texts) {
      SCOPED_TRACE(std::string(doc) + ", " + t.what);
      const std::regex pattern(t.pattern, std::regex::ECMAScript | std::regex::icase);
      int named = 0;
      for (std::sregex_iterator match(text.begin(), text.end(), pattern), end; match != end;
           ++match, ++named) {
        const std::string found = (*match)[1];
        EXPECT_EQ(t.ignoreCase ? AsciiLower(found) : found, t.expected);
      }
      EXPECT_GT(named, 0) << doc << " never names the " << t.what;
    }
  }
}

}  // namespace
