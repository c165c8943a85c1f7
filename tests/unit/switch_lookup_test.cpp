#include "switch_lookup.h"

#include <string>
#include <vector>

#include "desktop_test.h"

namespace desktop_test {
namespace {

using SwitchLookupTest = DesktopTest;

std::vector<std::string> AllArguments() {
  std::vector<std::string> arguments;
  for (std::size_t i = 1; i <= ArgumentCount(); ++i) {
    arguments.emplace_back(View(ArgumentAt(i)));
  }
  return arguments;
}

struct SplitCase {
  const char* commandLine;
  std::vector<std::string> arguments;
};

TEST_F(SwitchLookupTest, SplitsTheCommandLineIntoArguments) {
  const SplitCase cases[] = {
      {"", {}},
      {"ardeno.exe", {}},
      {"ardeno.exe /all", {"/all"}},
      {"ardeno.exe \"/all\"", {"/all"}},
      {"ardeno.exe \"/a\"ll", {"/all"}},
      {"ardeno.exe \"/all x\"", {"/all x"}},
      {"ardeno.exe \"\" /all", {"/all"}},
      {"ardeno.exe \"\"\"\" /all", {"/all"}},
      {"\"C:\\Program Files\\ardeno.exe\" x\ty\r\n/all", {"x", "y", "/all"}},
      {"ardeno.exe \"unclosed tail", {"unclosed tail"}},
      {"ardeno.exe a\"b c\"d e", {"ab cd", "e"}},
      {"ardeno.exe \x82\xa0\x81\x40 \xff", {"\x82\xa0\x81\x40", "\xff"}},
      {"ardeno.exe \x01\x1f\x20 x", {"x"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine);
    memory_desktop::SetCommandLine(c.commandLine);
    EXPECT_EQ(AllArguments(), c.arguments);
  }
}

TEST_F(SwitchLookupTest, ArgumentAtPastTheEndIsEmpty) {
  memory_desktop::SetCommandLine("ardeno.exe one two");
  EXPECT_EQ(View(ArgumentAt(2)), "two");
  EXPECT_EQ(ArgumentAt(3).length, 0u);
  EXPECT_EQ(ArgumentAt(100).length, 0u);
}

struct SwitchCase {
  const char* commandLine;
  bool found;
};

TEST_F(SwitchLookupTest, FindsAllAsAWholeArgumentIgnoringCase) {
  const SwitchCase cases[] = {
      {"ardeno.exe /all", true},
      {"ardeno.exe /ALL", true},
      {"ardeno.exe /All", true},
      {"ardeno.exe \"/all\"", true},
      {"ardeno.exe \"/a\"ll", true},
      {"ardeno.exe \"\" /all", true},
      {"ardeno.exe \"\"\"\" /all", true},
      {"ardeno.exe x y /all", true},
      {"ardeno.exe -all", false},
      {"ardeno.exe all", false},
      {"ardeno.exe /all:1", false},
      {"ardeno.exe /alls", false},
      {"ardeno.exe /al", false},
      {"ardeno.exe \"/all x\"", false},
      {"ardeno.exe", false},
      {"/all", false},
      {"\"/all\"", false},
      {"", false},
      // A double-byte character whose second byte is 'A' is not a letter.
      {"ardeno.exe /\x83\x41LL", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine);
    memory_desktop::SetCommandLine(c.commandLine);
    EXPECT_EQ(HasSwitch("/all"), c.found);
  }
}

TEST_F(SwitchLookupTest, LongArgumentsAreSplitWholeAndNeverMatch) {
  for (std::size_t length : {256u, 257u, 300u, 100000u}) {
    SCOPED_TRACE(length);
    const std::string longArgument = "/all" + std::string(length - 4, 'x');
    memory_desktop::SetCommandLine("ardeno.exe " + longArgument + " \"" + longArgument + "\"");
    EXPECT_EQ(ArgumentCount(), 2u);
    EXPECT_EQ(View(ArgumentAt(1)), longArgument);
    EXPECT_EQ(View(ArgumentAt(2)), longArgument);
    EXPECT_FALSE(HasSwitch("/all"));
    memory_desktop::SetCommandLine("ardeno.exe " + longArgument + " /ALL");
    EXPECT_TRUE(HasSwitch("/all"));
  }
}

TEST_F(SwitchLookupTest, LowerTextCopiesAndLeavesTheSourceAlone) {
  const std::string source = "/ALL\x83\x41Z";
  Text lower = LowerText(source);
  EXPECT_EQ(View(lower), "/all\x83\x41z");
  EXPECT_EQ(source, "/ALL\x83\x41Z");
  EXPECT_EQ(LowerText("").length, 0u);
}

}  // namespace
}  // namespace desktop_test
