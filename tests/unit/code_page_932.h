// The stretcher's Japanese texts are code page 932 bytes; tests compare them
// with UTF-8 text, as the user reads it.
#pragma once

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

inline std::string Utf8FromCodePage932(std::string bytes) {
  iconv_t converter = iconv_open("UTF-8", "CP932");
  EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1));
  std::string out(bytes.size() * 4, '\0');
  char* in = bytes.data();
  char* outPosition = out.data();
  std::size_t inLeft = bytes.size(), outLeft = out.size();
  EXPECT_NE(iconv(converter, &in, &inLeft, &outPosition, &outLeft), static_cast<std::size_t>(-1));
  iconv_close(converter);
  out.resize(out.size() - outLeft);
  return out;
}
