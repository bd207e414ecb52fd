#include "structured/SchemaNames.h"

#include <gtest/gtest.h>

namespace quillon::structured {
namespace {

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
