#include "profiles/ProfileError.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileListings.h"
#include "structured/PageDataFormat.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace quillon::profiles {
namespace {

using Json = nlohmann::json;

Profile profileOf(const std::string& fields, const std::string& extra = "") {
  return parseProfile(R"({"name": "P", "listing": "li", "fields": {)" + fields + "}" + extra + "}",
                      "p.json");
}

// The collect script's answer for listings of raw values (null: no element).
std::string answer(const Json& listings, const Json& next = nullptr,
                   const structured::PageData& page = {"http://d.example/page1", {}, {}, {}, {}}) {
  return Json{{"page", structured::encodePageData(page)}, {"listings", listings}, {"next", next}}
      .dump();
}

std::vector<structured::Listing> read(const Profile& profile, const std::string& json) {
  FieldValues values(profile);
  return profileListings(profile, values, decodeProfilePage(json, profile.name));
}

TEST(ProfileListings, FinishesEachValueAsItsRuleSays) {
  const Profile profile = profileOf(R"(
      "name": {"selector": "b"},
      "phone": {"selector": "a", "attribute": "href"},
      "web": {"selector": "a.w", "attribute": "href"},
      "email": {"selector": "a.m", "attribute": "href"},
      "zip": {"selector": "i", "pattern": "^(\\d{5})\\b"},
      "city": {"selector": "i", "pattern": "^\\d{5}\\s+(\\p{L}.*)$"})");
  const Json raw = Json::array(
      {Json::array({"  Casa\n Pepe ", nullptr, nullptr, "tel:+34%2091%20555", nullptr,
                    "28013  Alcalá de Henares", "28013  Alcalá de Henares", nullptr,
                    "https://casapepe.example/", "mailto:Hola@casapepe.example?subject=Hi"}),
       Json::array({"Bar Sol", nullptr, nullptr, nullptr, nullptr, "Madrid", "Madrid", nullptr,
                    nullptr, "mailto:"})});
  const auto listings = read(profile, answer(raw));
  ASSERT_EQ(listings.size(), 2u);
  EXPECT_EQ(listings[0][Column::Name], "Casa Pepe");
  EXPECT_EQ(listings[0][Column::Telephone], "+34 91 555");
  EXPECT_EQ(listings[0][Column::PostalCode], "28013");
  EXPECT_EQ(listings[0][Column::Locality], "Alcalá de Henares");
  EXPECT_EQ(listings[0][Column::Url], "https://casapepe.example/");
  EXPECT_EQ(listings[0][Column::Email], "Hola@casapepe.example");
  // A pattern that does not match, an element that is not there: empty, no error.
  EXPECT_EQ(listings[1][Column::PostalCode], "");
  EXPECT_EQ(listings[1][Column::Locality], "");
  EXPECT_EQ(listings[1][Column::Telephone], "");
  EXPECT_EQ(listings[1][Column::Email], "");
}

TEST(ProfileListings, AValueOfAnotherKindLeavesItsCellEmptyAndANamelessBoxIsNoRow) {
  const std::string fields = R"(
      "name": {"selector": "b"},
      "phone": {"selector": "a.v"},
      "web": {"selector": "a.w", "attribute": "href"},
      "city": {"selector": "i"})";
  const Profile checked = profileOf(fields);
  const Profile unchecked =
      profileOf(R"("name": {"selector": "b"}, "phone": {"selector": "a.v", "kind": false},
                   "web": {"selector": "a.w", "attribute": "href", "kind": false},
                   "city": {"selector": "i"})");
  const Json raw = Json::array(
      {Json::array({"Boulangerie Martin", nullptr, nullptr, "01 43 00 00 01", nullptr, nullptr,
                    "Paris", nullptr, "https://www.boulangerie-martin.example/", nullptr}),
       // The mail link where another card shows its telephone; the directory's map page.
       Json::array({"La Fournée", nullptr, nullptr, "bonjour@fournee.example", nullptr, nullptr,
                    "75011", nullptr, "http://m.annuaire.example/pros/3#carte", nullptr}),
       // A box of the same class without a name.
       Json::array({nullptr, nullptr, nullptr, "01 43 00 00 09", nullptr, nullptr, nullptr, nullptr,
                    nullptr, nullptr})});
  structured::PageData page{"https://www.annuaire.example/paris", {}, {}, {}, "fr"};
  const auto rows = read(checked, answer(raw, nullptr, page));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][Column::Telephone], "01 43 00 00 01");
  EXPECT_EQ(rows[0][Column::Url], "https://www.boulangerie-martin.example/");
  EXPECT_EQ(rows[1][Column::Name], "La Fournée");
  EXPECT_EQ(rows[1][Column::Telephone], "");
  EXPECT_EQ(rows[1][Column::Url], "");
  EXPECT_EQ(rows[1][Column::Locality], "");
  const auto kept = read(unchecked, answer(raw, nullptr, page));
  EXPECT_EQ(kept[1][Column::Telephone], "bonjour@fournee.example");
  EXPECT_EQ(kept[1][Column::Url], "http://m.annuaire.example/pros/3#carte");
  EXPECT_EQ(kept[1][Column::Locality], "");  // its own rule still checks it
}

TEST(ProfileListings, TakesStructuredDataFromTheListingsOwnItem) {
  structured::PageData page{"http://d.example/", {}, {}, {}, {}};
  page.jsonLd.push_back(R"([{"@type": "Dentist", "name": "Bar Sol", "telephone": "1"},
                            {"@type": "Restaurant", "name": "CASA  pepe", "telephone": "2"}])");
  const Json raw = Json::array({Json::array({"Casa Pepe", nullptr, nullptr, nullptr, nullptr,
                                             nullptr, nullptr, nullptr, nullptr, nullptr}),
                                Json::array({"Nadie", nullptr, nullptr, nullptr, nullptr, nullptr,
                                             nullptr, nullptr, nullptr, nullptr})});
  const Profile byName = profileOf(R"("name": {"selector": "b"},
                                      "activity": {"fromStructuredData": true},
                                      "phone": {"fromStructuredData": true})");
  const auto named = read(byName, answer(raw, nullptr, page));
  EXPECT_EQ(named[0][Column::Activity], "Restaurant");
  EXPECT_EQ(named[0][Column::Telephone], "2");
  EXPECT_EQ(named[1][Column::Telephone], "");

  const Profile byPosition = profileOf(R"("name": {"fromStructuredData": true},
                                          "phone": {"fromStructuredData": true})");
  const auto placed = read(byPosition, answer(raw, nullptr, page));
  EXPECT_EQ(placed[0][Column::Name], "Bar Sol");
  EXPECT_EQ(placed[1][Column::Telephone], "2");
}

TEST(ProfileListings, TheNextPageIsTheProfilesLinkOrTheAutoRules) {
  const Profile withNext = profileOf(R"("name": {"selector": "b"})", R"(, "next": "a.more")");
  const auto page = [&](const Json& next) {
    return decodeProfilePage(answer(Json::array(), next), "P");
  };
  EXPECT_EQ(
      profileNextPage(withNext, page({{"href", "http://d.example/page2"}, {"text", "›"}}), {}),
      "http://d.example/page2");
  EXPECT_EQ(profileNextPage(withNext, page({{"href", "http://d.example/page2"}, {"text", "›"}}),
                            {"http://d.example/page2"}),
            std::nullopt);
  EXPECT_EQ(profileNextPage(withNext, page({{"href", "javascript:go(2)"}, {"text", "›"}}), {}),
            std::nullopt);
  EXPECT_EQ(profileNextPage(withNext, page(nullptr), {}), std::nullopt);

  const Profile automatic = profileOf(R"("name": {"selector": "b"})");
  structured::PageData data{"http://d.example/page1", {}, {}, {}, {}};
  data.links.push_back({"a", "", "http://d.example/page2", "Siguiente", "", ""});
  EXPECT_EQ(
      profileNextPage(automatic, decodeProfilePage(answer(Json::array(), nullptr, data), "P"), {}),
      "http://d.example/page2");
}

TEST(ProfileListings, AnAnswerThatIsNoCollectIsAnErrorNamingTheProfile) {
  EXPECT_THROW(decodeProfilePage("not json", "P"), ProfileError);
  try {
    decodeProfilePage(R"({"error": {"key": "fields.phone", "message": "'a:foo' is not valid"}})",
                      "P");
    FAIL();
  } catch (const ProfileError& error) {
    EXPECT_STREQ(
        error.what(),
        "profile P, key \"fields.phone\": the page refuses the selector: 'a:foo' is not valid");
  }
  EXPECT_THROW(decodeProfilePage(answer(Json::array({Json::array({1})})), "P"), ProfileError);
  EXPECT_THROW(decodeProfilePage(R"({"page": "{}", "listings": [], "next": 3})", "P"),
               ProfileError);
}

TEST(ProfileListings, TheRequestConfinesFieldSelectorsToTheirListing) {
  const Profile profile =
      profileOf(R"("name": {"selector": "h2, > b"}, "web": {"selector": "a", "attribute": "href"},
                                       "fax": {"fromStructuredData": true})",
                R"(, "next": "a.n")");
  const Json request = Json::parse(profileRequest(profile));
  EXPECT_EQ(request["listing"], "li");
  EXPECT_EQ(request["fields"][0], Json::array({":scope h2, :scope > b", ""}));
  EXPECT_EQ(request["fields"][8], Json::array({":scope a", "href"}));
  EXPECT_TRUE(request["fields"][2].is_null());
  EXPECT_TRUE(request["fields"][1].is_null());
  EXPECT_EQ(request["next"], "a.n");
}

}  // namespace
}  // namespace quillon::profiles
