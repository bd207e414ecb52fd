#include "structured/JsonLdText.h"
#include "structured/StructuredDataError.h"

#include <gtest/gtest.h>

namespace quillon::structured {
namespace {

TEST(JsonLdText, RemovesWrappersAndTrailingSemicolons) {
  EXPECT_EQ(tidyJsonLd("\n <!-- {\"a\": 1}; --> \n"), "{\"a\": 1}");
  EXPECT_EQ(tidyJsonLd("<![CDATA[{\"a\": 1}]]>"), "{\"a\": 1}");
  EXPECT_EQ(tidyJsonLd("//<![CDATA[\n{\"a\": 1};\n//]]>"), "{\"a\": 1}");
  EXPECT_EQ(tidyJsonLd("/*<![CDATA[*/{\"a\": 1}/*]]>*/"), "{\"a\": 1}");
  EXPECT_EQ(tidyJsonLd("\xEF\xBB\xBF{}"), "{}");
}

TEST(JsonLdText, DropsCommasBeforeClosingBrackets) {
  EXPECT_EQ(tidyJsonLd("{\"a\": [1, 2, ], \"b\": {\"c\": 3,\n },\n}"),
            "{\"a\": [1, 2 ], \"b\": {\"c\": 3\n }\n}");
}

TEST(JsonLdText, LeavesStringsAsTheyAreButForRawControls) {
  // Commas, comment markers and brackets inside strings are text.
  EXPECT_EQ(tidyJsonLd(R"({"url": "https://x.example/a,]", "q": "\",}"})"),
            R"({"url": "https://x.example/a,]", "q": "\",}"})");
  EXPECT_EQ(tidyJsonLd("{\"name\": \"Bar\tLos\nPinos\"}"), "{\"name\": \"Bar Los Pinos\"}");
}

TEST(JsonLdText, RefusesBlocksNestedTooDeeply) {
  const std::string deepest = std::string(kMaxJsonLdDepth, '[') + std::string(kMaxJsonLdDepth, ']');
  EXPECT_NO_THROW(tidyJsonLd(deepest));
  EXPECT_THROW(tidyJsonLd("[" + deepest + "]"), StructuredDataError);
  // brackets inside strings do not count
  EXPECT_NO_THROW(tidyJsonLd("[\"" + std::string(1000, '[') + "\"]"));
}

}  // namespace
}  // namespace quillon::structured
