#include "pages/windows1250.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

TEST(Windows1250Test, EveryByteComesBackUnchanged) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  const Windows1250Result back = Windows1250FromUtf8(Utf8FromWindows1250(all));
  ASSERT_FALSE(back.refused);
  EXPECT_EQ(back.bytes, all);
}

TEST(Windows1250Test, CzechAndGermanLettersTakeTheirCodePageBytes) {
  struct Case {
    const char* utf8;
    const char* bytes;
  };
  const Case cases[] = {
      {"\u0159", "\xF8"},            // r with caron
      {"\u017E\u0161", "\x9E\x9A"},  // z, s with caron
      {"\u016F", "\xF9"},            // u with ring
      {"\u00DF\u00FC", "\xDF\xFC"},  // sharp s, u umlaut
      {"\u20AC", "\x80"},            // euro sign
      {"\u00B0C",
       "\xB0"
       "C"},
  };
  for (const Case& c : cases) {
    const Windows1250Result r = Windows1250FromUtf8(c.utf8);
    ASSERT_FALSE(r.refused) << c.utf8;
    EXPECT_EQ(r.bytes, c.bytes) << c.utf8;
    EXPECT_EQ(Utf8FromWindows1250(c.bytes), c.utf8);
  }
}

TEST(Windows1250Test, ACharacterWithoutAByteIsNamedAndNothingIsConverted) {
  struct Case {
    const char* utf8;
    const char* refused;
  };
  const Case cases[] = {
      {"Jet \u00E8", "\u00E8"},                      // e grave: Windows-1252 only
      {"ok \xF0\x9F\x8F\x8D!", "\xF0\x9F\x8F\x8D"},  // motorcycle emoji
      {"\xC3", "\xC3"},                              // a UTF-8 sequence cut short
      {"a\xFF"
       "b",
       "\xFF"},  // no UTF-8 at all
  };
  for (const Case& c : cases) {
    const Windows1250Result r = Windows1250FromUtf8(c.utf8);
    ASSERT_TRUE(r.refused) << c.utf8;
    EXPECT_EQ(*r.refused, c.refused);
    EXPECT_TRUE(r.bytes.empty());
  }
}

}  // namespace
}  // namespace korvan
