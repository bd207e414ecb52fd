// Inputs found by the fuzz targets of fuzz/, kept so the faults stay fixed.

#include "text/Cp1252.h"

#include <gtest/gtest.h>

namespace quillon::text {
namespace {

// fuzz/text: U+008E narrows to byte 0x8E, which reads back as U+017D; fitsCp1252 said the
// text survived. The C1 controls of the five undefined bytes do survive.
TEST(FuzzRegression, C1ControlsOfDefinedBytesDoNotFitCp1252) {
  using namespace std::string_view_literals;
  const std::u16string found(u"Tel\u008E\0\0\0\u00E9fono \u20AC"sv);
  EXPECT_FALSE(fitsCp1252(found));
  EXPECT_NE(cp1252ToUtf16(utf16ToCp1252(found)), found);
  for (char16_t c = 0x80; c <= 0x9F; ++c) {
    const std::u16string one(1, c);
    EXPECT_EQ(fitsCp1252(one), cp1252ToUtf16(utf16ToCp1252(one)) == one) << int(c);
  }
  EXPECT_TRUE(fitsCp1252(u"\u0081\u008D\u008F\u0090\u009D"));
}

}  // namespace
}  // namespace quillon::text
