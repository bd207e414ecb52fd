#include "url/UrlParts.h"

#include <gtest/gtest.h>

namespace quillon::url {
namespace {

TEST(UrlParts, TheHostOfAnAddressWithoutUserPortOrCase) {
  EXPECT_EQ(urlHost("http://WWW.Rossi.Test/contatti"), "www.rossi.test");
  EXPECT_EQ(urlHost("https://rossi.test:8443?x=1"), "rossi.test");
  EXPECT_EQ(urlHost("http://www.rossi.test@other.test/"), "other.test");
  EXPECT_EQ(urlHost("http://rossi.test./#top"), "rossi.test");
  EXPECT_EQ(urlHost("http://[::1]:8080/"), "[::1]");
  EXPECT_EQ(urlHost("www.rossi.test/contatti"), "");
  EXPECT_EQ(urlHost("mailto:info@rossi.test"), "");
}

}  // namespace
}  // namespace quillon::url
