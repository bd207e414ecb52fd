#include "structured/CharacterReferences.h"
#include "structured/SchemaNames.h"
#include "structured/StructuredText.h"

#include <gtest/gtest.h>

namespace quillon::structured {
namespace {

TEST(StructuredText, CollapsesEveryKindOfWhiteSpace) {
  EXPECT_EQ(collapseWhiteSpace("  Calle\t\tMayor\r\n 3  "), "Calle Mayor 3");
  // no-break, thin and ideographic spaces count as white space too
  EXPECT_EQ(collapseWhiteSpace("\u00a0Plaza\u00a0\u2009Mayor\u3000"), "Plaza Mayor");
  EXPECT_EQ(collapseWhiteSpace(" \n\t "), "");
}

TEST(StructuredText, FoldsLatinCapitals) {
  EXPECT_EQ(foldCase("PÁGINA Nächste PRÓXIMA Ø×"), "página nächste próxima ø×");
  EXPECT_EQ(asciiLower("NEXT Ä"), "next Ä");
}

TEST(StructuredText, SplitsTokensAtAsciiWhiteSpace) {
  const std::vector<std::string_view> expected = {"a", "b\u00a0c", "d"};
  EXPECT_EQ(asciiTokens("\t a  b\u00a0c\nd "), expected);
  EXPECT_TRUE(asciiTokens("  ").empty());
}

TEST(StructuredText, RecognisesWellFormedUtf8) {
  EXPECT_TRUE(isValidUtf8("Peluquería \xF0\x9F\x92\x88"));
  EXPECT_FALSE(
      isValidUtf8("Peluquer\xED"
                  "a"));                      // cp1252
  EXPECT_FALSE(isValidUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_FALSE(isValidUtf8("\xE2\x82"));      // cut short
}

TEST(CharacterReferences, DecodesNamedAndNumericReferences) {
  EXPECT_EQ(decodeCharacterReferences("Smith &amp; Sons"), "Smith & Sons");
  EXPECT_EQ(decodeCharacterReferences("Caf&eacute; &#233;&#xE9;&#XE9; &euro;&hellip;"),
            "Café ééé €…");
  EXPECT_EQ(decodeCharacterReferences("&quot;O&apos;Neill&quot; &lt;b&gt;"), "\"O'Neill\" <b>");
}

TEST(CharacterReferences, ReadsOddNumbersAsBrowsersDo) {
  EXPECT_EQ(decodeCharacterReferences("&#128;&#x93;"), "€“");  // the C1 range as cp1252
  EXPECT_EQ(decodeCharacterReferences("&#0;&#xD800;&#99999999999;"), "\uFFFD\uFFFD\uFFFD");
}

TEST(CharacterReferences, LeavesOtherAmpersandsAlone) {
  EXPECT_EQ(decodeCharacterReferences("AT&T & co &unknown; &amp &#; &#x; &"),
            "AT&T & co &unknown; &amp &#; &#x; &");
}

TEST(SchemaNames, RemovesTheSchemaOrgPrefix) {
  EXPECT_EQ(schemaName("https://schema.org/Dentist"), "Dentist");
  EXPECT_EQ(schemaName("HTTP://WWW.Schema.org/Dentist/"), "Dentist");
  EXPECT_EQ(schemaName("http://www.schema.org/telephone"), "telephone");
  EXPECT_EQ(schemaName("Dentist/"), "Dentist/");
  EXPECT_EQ(schemaName("https://example.org/Dentist"), "https://example.org/Dentist");
  EXPECT_EQ(schemaName("schema.org/Dentist"), "schema.org/Dentist");
}

TEST(SchemaNames, WritesTypesAsWords) {
  EXPECT_EQ(typeWords("AutoRepair"), "Auto Repair");
  EXPECT_EQ(typeWords("HVACBusiness"), "HVAC Business");
  EXPECT_EQ(typeWords("Store24Hours"), "Store24 Hours");
  EXPECT_EQ(typeWords("Dentist"), "Dentist");
  EXPECT_EQ(typeWords("TV"), "TV");
}

TEST(SchemaNames, ActivityIsTheFirstSpecificType) {
  EXPECT_EQ(activityOf({"LocalBusiness", "Organization", "DryCleaningOrLaundry"}),
            "Dry Cleaning Or Laundry");
  EXPECT_EQ(activityOf({"Place", "ListItem", "https://example.org/Shop", "Corporation"}), "");
  EXPECT_EQ(activityOf({}), "");
  EXPECT_TRUE(isPageStructureType("BreadcrumbList"));
  EXPECT_FALSE(isPageStructureType("LocalBusiness"));
}

}  // namespace
}  // namespace quillon::structured
