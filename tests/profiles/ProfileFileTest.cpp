#include "profiles/ProfileError.h"
#include "profiles/ProfileFile.h"
#include "support/TemporaryFolder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace quillon::profiles {
namespace {

const char* const kExample = R"json({
  "name": "Guía Local",
  "hosts": ["guia.example", "*.guia.example"],
  "listing": "article.card",
  "fields": {
    "name": {"selector": "h2.card__title"},
    "phone": {"selector": "a.card__phone", "attribute": "href"},
    "zip": {"selector": "span.card__locality", "pattern": "^(\\d{5})"},
    "activity": {"fromStructuredData": true}
  },
  "next": "a.pagination__link--next",
  "reveal": "button.card__reveal",
  "loadMore": "button.results__more",
  "captions": "es",
  "emailLookup": true
})json";

// The message for a profile text, or "" when it reads.
std::string problem(const std::string& json) {
  try {
    parseProfile(json, "shop.json");
  } catch (const ProfileError& error) {
    return error.what();
  }
  return "";
}

std::string withField(const std::string& field) {
  return R"({"name": "x", "listing": "li", "fields": {"name": {"selector": "b"}, )" + field + "}}";
}

TEST(ProfileFile, ReadsEveryKey) {
  const Profile profile = parseProfile(kExample, "shop.json");
  EXPECT_EQ(profile.name, "Guía Local");
  EXPECT_EQ(profile.hosts, (std::vector<std::string>{"guia.example", "*.guia.example"}));
  EXPECT_EQ(profile.listing, "article.card");
  EXPECT_EQ(profile[Column::Telephone]->attribute, "href");
  EXPECT_EQ(profile[Column::PostalCode]->pattern, "^(\\d{5})");
  EXPECT_TRUE(profile[Column::Activity]->fromStructuredData);
  EXPECT_FALSE(profile[Column::Street]);
  EXPECT_EQ(profile.next, "a.pagination__link--next");
  EXPECT_EQ(profile.reveal, "button.card__reveal");
  EXPECT_EQ(profile.loadMore, "button.results__more");
  EXPECT_EQ(profile.captions, results::CaptionSet::Spanish);
  EXPECT_TRUE(profile.emailLookup);
}

TEST(ProfileFile, WritesWhatItReadsAndSavesWhole) {
  const Profile profile = parseProfile(kExample, "shop.json");
  EXPECT_EQ(parseProfile(profileJson(profile), "again.json"), profile);
  const testing::TemporaryFolder folder;
  saveProfileFile(profile, folder.file("p.json"));
  EXPECT_EQ(loadProfileFile(folder.file("p.json")), profile);
  EXPECT_THROW(saveProfileFile(profile, folder.file("missing/p.json")), ProfileError);
}

TEST(ProfileFile, NamesTheFileTheKeyAndWhatIsWrong) {
  EXPECT_EQ(problem("{\"name\": \"x\","),
            "profile shop.json: not JSON: parse error at line 1, column 14: syntax error while "
            "parsing object key - unexpected end of input; expected string literal");
  EXPECT_EQ(problem("[]"), "profile shop.json: not a JSON object");
  EXPECT_EQ(problem(R"({"name": "x", "listing": "li", "fields": {"name": {"selector": "b"}},
                        "colour": 1})"),
            "profile shop.json, key \"colour\": unknown key");
  EXPECT_EQ(problem(R"({"listing": "li", "fields": {}})"),
            "profile shop.json, key \"name\": missing");
  EXPECT_EQ(problem(R"({"name": "x", "listing": "li..a", "fields": {}})"),
            "profile shop.json, key \"listing\": not a valid CSS selector (a class selector "
            "without a name at character 4)");
  EXPECT_EQ(problem(R"({"name": "x", "listing": "li", "fields": {}})"),
            "profile shop.json, key \"fields.name\": missing: every listing needs its name");
  EXPECT_EQ(problem(withField(R"("phone": {"selector": "b", "pattern": "(\\d+"})")),
            "profile shop.json, key \"fields.phone.pattern\": the pattern does not compile: "
            "Malformed pattern at offset 4: missing closing parenthesis");
  EXPECT_EQ(problem(withField(R"("phone": {"selector": "b", "pattern": "\\d+"})")),
            "profile shop.json, key \"fields.phone.pattern\": the pattern has no group");
  EXPECT_EQ(problem(withField(R"("phone": {"selector": "b", "colour": "red"})")),
            "profile shop.json, key \"fields.phone.colour\": unknown key");
  EXPECT_EQ(problem(withField(R"("telefono": {"selector": "b"})")),
            "profile shop.json, key \"fields.telefono\": unknown field (name, activity, fax, "
            "phone, street, zip, city, province, web or email)");
  EXPECT_EQ(problem(withField(R"("phone": {"attribute": "href"})")),
            "profile shop.json, key \"fields.phone.selector\": missing");
  EXPECT_EQ(problem(withField(R"("phone": {"selector": 3})")),
            "profile shop.json, key \"fields.phone.selector\": must be text");
  EXPECT_EQ(problem(withField(R"("phone": {"selector": "b", "attribute": "a b"})")),
            "profile shop.json, key \"fields.phone.attribute\": not an attribute name");
  EXPECT_EQ(problem(withField(R"("phone": {"fromStructuredData": true, "selector": "b"})")),
            "profile shop.json, key \"fields.phone\": fromStructuredData takes no selector, "
            "attribute, pattern or kind");
  EXPECT_EQ(problem(withField(R"("phone": {"fromStructuredData": "yes"})")),
            "profile shop.json, key \"fields.phone.fromStructuredData\": must be true or false");
  EXPECT_EQ(problem(R"({"name": "x", "listing": "li", "fields": {"name": {"selector": "b"}},
                        "captions": "fr"})"),
            "profile shop.json, key \"captions\": must be es, it or en");
  EXPECT_EQ(problem(R"({"name": "x", "hosts": ["a b"], "listing": "li", "fields": {}})"),
            "profile shop.json, key \"hosts[0]\": not a host name (a name such as example.com "
            "or *.example.com)");
  EXPECT_EQ(problem(std::string(100, '[') + std::string(100, ']')),
            "profile shop.json: nested too deeply to be a profile");
}

TEST(ProfileFile, EachFieldChecksItsKindUnlessItSaysFalse) {
  // A file of before the mark: every field is checked, as one that names its kind.
  const Profile old = parseProfile(kExample, "old.json");
  EXPECT_TRUE(old[Column::Telephone]->checkKind);
  const Profile marked = parseProfile(withField(R"("phone": {"selector": "b", "kind": "telephone"},
                   "zip": {"selector": "i", "kind": false},
                   "activity": {"selector": "p", "kind": false})"),
                                      "marked.json");
  EXPECT_TRUE(marked[Column::Telephone]->checkKind);
  EXPECT_FALSE(marked[Column::PostalCode]->checkKind);
  // Written back, the kinds are named, and a field that checks none says false.
  const std::string json = profileJson(marked);
  EXPECT_NE(json.find(R"("kind": "telephone")"), std::string::npos) << json;
  EXPECT_NE(json.find(R"("kind": "name")"), std::string::npos) << json;
  EXPECT_NE(json.find(R"("kind": false)"), std::string::npos) << json;
  EXPECT_EQ(parseProfile(json, "again.json"), marked);

  EXPECT_EQ(problem(withField(R"("phone": {"selector": "b", "kind": "email"})")),
            "profile shop.json, key \"fields.phone.kind\": must be \"telephone\" (the kind of "
            "this field) or false");
  EXPECT_EQ(problem(withField(R"("fax": {"selector": "b", "kind": true})")),
            "profile shop.json, key \"fields.fax.kind\": must be \"telephone\" (the kind of this "
            "field) or false");
  EXPECT_EQ(problem(withField(R"("activity": {"selector": "b", "kind": "name"})")),
            "profile shop.json, key \"fields.activity.kind\": must be false: this field has no "
            "kind to check");
}

TEST(ProfileFile, AFileThatCannotBeReadIsNamed) {
  const testing::TemporaryFolder folder;
  try {
    loadProfileFile(folder.file("none.json"));
    FAIL();
  } catch (const ProfileError& error) {
    EXPECT_EQ(std::string(error.what())
                  .rfind("profile " + folder.file("none.json") + ": cannot be read", 0),
              0u)
        << error.what();
  }
}

}  // namespace
}  // namespace quillon::profiles
