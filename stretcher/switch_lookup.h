#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

// A counted byte string in the ANSI code page; it may be empty and may hold
// any byte but NUL.
struct Text {
  std::unique_ptr<char[]> bytes;
  std::size_t length = 0;
};

std::string_view View(const Text& text);

struct SplitResult {
  Text argument;     // without its double quotes; empty only at the end of the line
  const char* next;  // where collecting stopped
};

// Cuts the next argument from a NUL-terminated command line. Bytes 1 to 32
// separate arguments, an empty quoted pair before an argument is skipped, and
// double quotes open and close stretches in which separators are kept.
SplitResult SplitNextArgument(const char* position);

// The number of arguments after the program name.
std::size_t ArgumentCount();
// The index-th argument after the program name (from 1), or an empty text.
Text ArgumentAt(std::size_t index);
// A copy lower-cased by the rules of the ANSI code page.
Text LowerText(std::string_view text);
// True when some argument equals the switch, ignoring letter case.
bool HasSwitch(std::string_view switchText);
