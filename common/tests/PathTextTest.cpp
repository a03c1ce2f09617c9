// Path bytes to text and back lose nothing, whatever the bytes; valid UTF-8
// reads as the text it is; raw bytes show as \xNN.
#include "torvio/PathText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using torvio::DecodePath;
using torvio::EncodePath;
using torvio::HoldsRawBytes;
using torvio::ShowPath;

TEST(PathText, EveryByteAloneComesBack) {
  for (int b = 0; b < 256; ++b) {
    const std::string bytes(1, static_cast<char>(b));
    EXPECT_EQ(EncodePath(DecodePath(bytes)), bytes) << b;
    EXPECT_EQ(HoldsRawBytes(DecodePath(bytes)), b >= 0x80) << b;
  }
}

TEST(PathText, ValidUtf8IsText) {
  // "café/日本/😀": 2-, 3- and 4-byte sequences.
  const std::string bytes = "caf\xc3\xa9/\xe6\x97\xa5\xe6\x9c\xac/\xf0\x9f\x98\x80";
  EXPECT_EQ(DecodePath(bytes), u"café/日本/😀");
  EXPECT_FALSE(HoldsRawBytes(DecodePath(bytes)));
  EXPECT_EQ(EncodePath(u"café/日本/😀"), bytes);
}

// Sequences that look like UTF-8 but are not valid stay raw bytes: a lone
// Latin-1 byte, an overlong "/", an encoded surrogate, a value beyond
// U+10FFFF and a sequence cut short.
TEST(PathText, InvalidSequencesStayRawBytes) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"caf\xe9/", u"caf\xdce9/"},
      {"\xc0\xaf", u"\xdcc0\xdcaf"},
      {"\xed\xa0\x80", u"\xdced\xdca0\xdc80"},
      {"\xf4\x90\x80\x80", u"\xdcf4\xdc90\xdc80\xdc80"},
      {"\xe6\x97", u"\xdce6\xdc97"},
  };
  for (const auto &[bytes, text] : cases) {
    EXPECT_EQ(DecodePath(bytes), text);
    EXPECT_EQ(EncodePath(text), bytes);
  }
  EXPECT_EQ(ShowPath(DecodePath("/home/caf\xe9/")), u"/home/caf\\xE9/");
}

TEST(PathText, RandomBytesRoundTrip) {
  std::mt19937 random(12345);
  for (int i = 0; i < 2000; ++i) {
    std::string bytes(random() % 40, '\0');
    for (char &c : bytes)
      c = static_cast<char>(random() % 256);
    ASSERT_EQ(EncodePath(DecodePath(bytes)), bytes);
  }
}

} // namespace
