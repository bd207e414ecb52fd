#include "HtmlTree.h"
#include "profiles/ProfileError.h"
#include "profiles/TeachSession.h"

#include <gtest/gtest.h>

namespace quillon::profiles {
namespace {

TEST(TeachSession, TeachesAgainAfterEveryExampleAndSaysHowFarItIs) {
  TeachSession session;
  EXPECT_EQ(session.status(), "Open a result page of the directory.");
  session.setPage(testing::fixturePage("page2.html"));
  EXPECT_EQ(session.status(), "Select the name of one listing on the page and take it.");
  EXPECT_FALSE(session.ready());

  session.setExample(Column::Name, "Trattoria Roma");
  EXPECT_TRUE(session.ready());
  EXPECT_EQ(session.status(), "5 listings on this page.");
  ASSERT_EQ(session.preview(3).size(), 3u);
  EXPECT_EQ(session.preview(3)[0][Column::Name], "Bodega Sevillana");
  EXPECT_EQ(session.preview(3)[2][Column::Locality], "");

  session.setExample(Column::Locality, "Madrid");
  session.setExample(Column::PostalCode, "28004");
  EXPECT_EQ(session.preview(9).size(), 5u);
  EXPECT_EQ(session.preview(9)[4][Column::PostalCode], "28004");
  EXPECT_EQ(session.preview(9)[4][Column::Locality], "Madrid");

  session.setExample(Column::Telephone, "91 555 90 12");
  EXPECT_FALSE(session.ready());
  EXPECT_EQ(session.status(),
            "Not yet: could not place the telephone \"91 555 90 12\": no element on the page shows "
            "it. If a button on the page shows it, click that button and take the value again.");
  EXPECT_THROW(session.profile("x"), ProfileError);
  session.setExample(Column::Telephone, "");
  session.setNextText("Adelante");

  const Profile profile = session.profile("  Guía  local ");
  EXPECT_EQ(profile.name, "Guía local");
  EXPECT_EQ(profile.hosts, std::vector<std::string>{"guia.example"});
  EXPECT_EQ(profile.next, "a.pagination__link--next");
  EXPECT_EQ(session.profile("").name, "guia.example");

  session.clear();
  EXPECT_FALSE(session.ready());
  EXPECT_TRUE(session.examples()[Column::Locality].empty());
}

}  // namespace
}  // namespace quillon::profiles
