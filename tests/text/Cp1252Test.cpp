#include "text/Cp1252.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

namespace quillon::text {
namespace {

TEST(Cp1252, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::u16string wide = cp1252ToUtf16(all);
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(utf16ToCp1252(wide), all);
  EXPECT_TRUE(fitsCp1252(wide));
}

TEST(Cp1252, DecodesTheWindowsTable) {
  EXPECT_EQ(cp1252ToUtf16("\x80\x8A\x9F\xE9"), u"\u20AC\u0160\u0178\u00E9");
  // The five undefined bytes keep the C1 control of their own value.
  EXPECT_EQ(cp1252ToUtf16("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
  EXPECT_EQ(utf16ToCp1252(u"\u0081\u008D\u008F\u0090\u009D"), "\x81\x8D\x8F\x90\x9D");
}

TEST(Cp1252, NarrowsWithBestFitOrQuestionMark) {
  EXPECT_EQ(utf16ToCp1252(u"\u0101\u0141\u0142\u010D"), "aLlc");  // ā Ł ł č
  EXPECT_EQ(utf16ToCp1252(u"\u0110"), "\xD0");                    // Đ keeps its bar as Ð
  EXPECT_EQ(utf16ToCp1252(u"\uFF21\uFF42"), "Ab");                // fullwidth forms
  EXPECT_EQ(utf16ToCp1252(u"\u0416\u4E2D"), "??");                // Cyrillic, CJK: none
  EXPECT_EQ(utf16ToCp1252(u"\u20AC\u2019"), "\x80\x92");          // in the code page
  EXPECT_FALSE(fitsCp1252(u"a\u0101"));
}

TEST(Cp1252, SurrogatesBecomeOneQuestionMarkEach) {
  EXPECT_EQ(utf16ToCp1252(u"a\xD83D\xDE00"
                          u"b"),
            "a?b");  // a pair: one character
  EXPECT_EQ(utf16ToCp1252(u"a\xD83D"
                          u"b\xDE00"),
            "a?b?");  // unpaired halves
  EXPECT_EQ(utf16ToCp1252(std::u16string(1, u'\xD800')), "?");
}

TEST(Cp1252, NulIsKept) {
  const std::string bytes("a\0b", 3);
  EXPECT_EQ(utf16ToCp1252(cp1252ToUtf16(bytes)), bytes);
}

TEST(Utf8, ConvertsBothWays) {
  EXPECT_EQ(utf16ToUtf8(u"Teléfono \u20AC \xD83D\xDE00"), "Teléfono € \xF0\x9F\x98\x80");
  EXPECT_EQ(utf8ToUtf16("Teléfono € \xF0\x9F\x98\x80"), u"Teléfono \u20AC \xD83D\xDE00");
  EXPECT_EQ(cp1252ToUtf8("Tel\xE9"
                         "fono \x80"),
            "Teléfono €");
  EXPECT_EQ(utf8ToCp1252("Ā €"), "A \x80");
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFD"
            u"b");
  EXPECT_EQ(utf8ToUtf16("a\xE2\x82"), u"a\uFFFD");      // truncated at the end
  EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
  EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD");    // encoded surrogate
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xDC00')), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace quillon::text
