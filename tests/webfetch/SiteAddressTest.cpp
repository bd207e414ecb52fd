#include "webfetch/SiteAddress.h"

#include <gtest/gtest.h>

namespace quillon::webfetch::testing {
namespace {

TEST(SiteAddress, OneSiteWithAndWithoutWww) {
  EXPECT_TRUE(isSameSite("rossi.test", "www.rossi.test"));
  EXPECT_TRUE(isSameSite("www.rossi.test", "rossi.test"));
  EXPECT_TRUE(isSameSite("rossi.test", "rossi.test"));
  EXPECT_FALSE(isSameSite("shop.rossi.test", "rossi.test"));
  EXPECT_FALSE(isSameSite("rossi.test", "www.rossi.test.other.test"));
  EXPECT_FALSE(isSameSite("", ""));
}

TEST(SiteAddress, TheHomePageOfAListingsWebAddress) {
  EXPECT_EQ(websiteHomeUrl(" www.rossi.test "), "http://www.rossi.test");
  EXPECT_EQ(websiteHomeUrl("rossi.test/it/"), "http://rossi.test/it/");
  EXPECT_EQ(websiteHomeUrl("rossi.test:8080"), "http://rossi.test:8080");
  EXPECT_EQ(websiteHomeUrl("HTTPS://rossi.test"), "HTTPS://rossi.test");
  EXPECT_EQ(websiteHomeUrl("ftp://rossi.test"), "");
  EXPECT_EQ(websiteHomeUrl("mailto:info@rossi.test"), "");
  EXPECT_EQ(websiteHomeUrl("javascript:alert(1)"), "");
  EXPECT_EQ(websiteHomeUrl("tel:0612345"), "");
  EXPECT_EQ(websiteHomeUrl("/biz/4521"), "");
  EXPECT_EQ(websiteHomeUrl("."), "");
  EXPECT_EQ(websiteHomeUrl(""), "");
  EXPECT_EQ(websiteHomeUrl("http://"), "");
}

}  // namespace
}  // namespace quillon::webfetch::testing
