// The profile collect scripts in the browser: the page tree the teacher reads, a profile's
// selectors run inside each listing, clicks, and a selector the page refuses.

#include "profiles/PageTree.h"
#include "profiles/ProfileError.h"
#include "profiles/ProfilePage.h"
#include "webengine/WebEngineBrowser.h"
#include "webengine/WebTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace quillon::webengine {
namespace {

using testing::load;
using testing::PageFiles;

const char* const kPage =
    "<!doctype html><html lang='fr-CA'><head><title>t</title>"
    "<link rel='canonical' href='/liste?p=1'><script>var x = 'not collected';</script>"
    "</head><body><ul class='hits'>"
    "<li class='hit'><b>Casa  Pepe</b><a class='tel' href='tel:+3491'>Tel. 91</a>"
    "<a class='w' href='/casa'>Web</a><span hidden>secret</span>"
    "<button onclick=\"this.textContent='shown'\">show</button></li>"
    "<li class='hit'><b>Bar Sol</b></li></ul><div style='display:none'><i>gone</i></div>"
    "<a class='next' href='page2.html'>Next\n ›</a></body></html>";

const profiles::TreeElement* find(const profiles::PageTree& tree, const std::string& tag) {
  for (const auto& element : tree.elements) {
    if (element.tag == tag) return &element;
  }
  return nullptr;
}

TEST(ProfileScripts, ThePageTreeHoldsTheRenderedElements) {
  WebEngineBrowser browser;
  PageFiles files;
  load(browser, files.add("p.html", kPage));
  const profiles::PageTree tree = profiles::decodePageTree(browser.PageTree());
  EXPECT_EQ(tree.elements.front().tag, "html");
  // What the page's country and the directory's hosts are told by.
  EXPECT_EQ(tree.language, "fr-CA");
  EXPECT_EQ(tree.canonical.rfind("file:///", 0), 0u);
  EXPECT_TRUE(tree.canonical.ends_with("/liste?p=1")) << tree.canonical;
  EXPECT_EQ(find(tree, "script"), nullptr);
  EXPECT_EQ(find(tree, "title"), nullptr);
  const auto* name = find(tree, "b");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->text, "Casa Pepe");
  EXPECT_EQ(tree.elements[static_cast<std::size_t>(name->parent)].classes,
            std::vector<std::string>{"hit"});
  const auto* link = find(tree, "a");
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(*link->attribute("href"), "tel:+3491");
  EXPECT_TRUE(find(tree, "span")->hidden);
  EXPECT_TRUE(find(tree, "i")->hidden);
  EXPECT_EQ(find(tree, "i")->text, "");
  // Relative addresses come absolute.
  for (const auto& element : tree.elements) {
    if (element.hasClass("w")) {
      EXPECT_EQ(element.attribute("href")->rfind("file:///", 0), 0u);
    }
  }
}

TEST(ProfileScripts, RunsAProfilesSelectorsInsideEachListingAndClicks) {
  WebEngineBrowser browser;
  PageFiles files;
  load(browser, files.add("p.html", kPage));
  profiles::Profile profile;
  profile.name = "T";
  profile.listing = "li.hit";
  profile[profiles::Column::Name] = profiles::FieldRule{"b", "", "", false};
  profile[profiles::Column::Telephone] = profiles::FieldRule{"a.tel", "href", "", false};
  profile[profiles::Column::Url] = profiles::FieldRule{"a.w", "href", "", false};
  profile[profiles::Column::Activity] = profiles::FieldRule{"button", "", "", false};
  profile.next = "a.next";
  const profiles::ProfilePage page =
      profiles::decodeProfilePage(browser.ProfileData(profiles::profileRequest(profile)), "T");
  ASSERT_EQ(page.listings.size(), 2u);
  EXPECT_EQ(*page.listings[0][0], "Casa Pepe");  // as rendered
  EXPECT_EQ(*page.listings[0][3], "tel:+3491");
  EXPECT_NE(page.listings[0][8]->find("/casa"), std::string::npos);
  EXPECT_EQ(page.listings[1][3], std::nullopt);
  EXPECT_TRUE(page.nextFound);
  EXPECT_EQ(page.nextText, "Next ›");
  EXPECT_NE(page.nextHref.find("/page2.html"), std::string::npos);

  EXPECT_EQ(browser.ClickElements("button", "li.hit", true), 1);
  EXPECT_EQ(browser.ClickElements("button.none", "", false), 0);
  EXPECT_EQ(browser.ClickElements("li[", "", false), 0);
  const profiles::ProfilePage after =
      profiles::decodeProfilePage(browser.ProfileData(profiles::profileRequest(profile)), "T");
  EXPECT_EQ(*after.listings[0][1], "shown");
}

TEST(ProfileScripts, ASelectorThePageRefusesIsNamedByItsKey) {
  WebEngineBrowser browser;
  PageFiles files;
  load(browser, files.add("p.html", kPage));
  const std::string request =
      R"({"listing": "li.hit", "fields": [[":scope b:nosuch", ""], null, null, null, null, null,
          null, null, null, null], "next": ""})";
  try {
    profiles::decodeProfilePage(browser.ProfileData(request), "T");
    FAIL();
  } catch (const profiles::ProfileError& error) {
    EXPECT_EQ(
        std::string(error.what()).rfind("profile T, key \"fields.name\": the page refuses", 0), 0u)
        << error.what();
  }
}

}  // namespace
}  // namespace quillon::webengine
