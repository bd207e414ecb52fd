#include "webfetch/SiteAddress.h"

#include <gtest/gtest.h>

namespace quillon::webfetch::testing {
namespace {

TEST(SiteAddress, TheHostOfAnAddressWithoutUserPortOrCase) {
  EXPECT_EQ(urlHost("http://WWW.Rossi.Test/contatti"), "www.rossi.test");
  EXPECT_EQ(urlHost("https://rossi.test:8443?x=1"), "rossi.test");
  EXPECT_EQ(urlHost("http://www.rossi.test@other.test/"), "other.test");
  EXPECT_EQ(urlHost("http://rossi.test./#top"), "rossi.test");
  EXPECT_EQ(urlHost("http://[::1]:8080/"), "[::1]");
  EXPECT_EQ(urlHost("www.rossi.test/contatti"), "");
  EXPECT_EQ(urlHost("mailto:info@rossi.test"), "");
}

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
  EXPECT_EQ(websiteHomeUrl(""), "");
  EXPECT_EQ(websiteHomeUrl("http://"), "");
}

}  // namespace
}  // namespace quillon::webfetch::testing
