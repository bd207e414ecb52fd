#include "profiles/ProfileFile.h"

#include "fields/Kind.h"
#include "parsers/RegExpr.h"
#include "profiles/CssSyntax.h"
#include "profiles/FieldValues.h"
#include "profiles/ProfileError.h"
#include "results/AtomicFile.h"
#include "results/ResultsError.h"
#include "structured/JsonProblem.h"
#include "text/Ascii.h"
#include "text/TextRules.h"

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <nlohmann/json.hpp>

namespace quillon::profiles {
namespace {

using Json = nlohmann::ordered_json;

// A profile is a few hundred bytes; these bound what a stray or hostile file costs.
constexpr std::uintmax_t kMaxFileSize = 1 << 20;
constexpr int kMaxDepth = 16;
constexpr std::size_t kMaxHosts = 200;
// The patterns of address parts that the teacher writes hold word lists: a few kilobytes.
constexpr std::size_t kMaxPatternLength = 16384;

// Says what is wrong with one key of one file.
class Checker {
 public:
  explicit Checker(const std::string& source) : m_source(source) {}

  [[noreturn]] void fail(const std::string& key, const std::string& why) const {
    if (key.empty()) throw ProfileError("profile " + m_source + ": " + why);
    throw ProfileError("profile " + m_source + ", key \"" + key + "\": " + why);
  }

  void onlyKeys(const Json& object, const std::string& where,
                std::initializer_list<std::string_view> keys) const {
    for (const auto& [key, value] : object.items()) {
      bool known = false;
      for (const std::string_view each : keys) known = known || each == key;
      if (!known) fail(where.empty() ? key : where + "." + key, "unknown key");
    }
  }

  std::string text(const Json& value, const std::string& key) const {
    if (!value.is_string()) fail(key, "must be text");
    return value.get<std::string>();
  }

  std::string selector(const Json& value, const std::string& key, bool relative) const {
    std::string css = text(value, key);
    if (const auto problem = cssSelectorProblem(css, relative)) {
      fail(key, "not a valid CSS selector (" + *problem + ")");
    }
    return css;
  }

  bool flag(const Json& value, const std::string& key) const {
    if (!value.is_boolean()) fail(key, "must be true or false");
    return value.get<bool>();
  }

 private:
  const std::string& m_source;
};

// The deepest nesting of arrays and objects, counted before parsing.
int nesting(std::string_view json) {
  int depth = 0;
  int deepest = 0;
  bool inString = false;
  for (std::size_t i = 0; i < json.size(); ++i) {
    const char c = json[i];
    if (inString) {
      if (c == '\\') ++i;
      if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      deepest = std::max(deepest, ++depth);
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

// "kind": the column's kind by name, as the teacher writes it, or false.
bool readKindCheck(const Json& value, Column column, const std::string& key, const Checker& check) {
  const std::optional<fields::Kind> kind = fields::kindOfColumn(static_cast<std::size_t>(column));
  if (value.is_boolean() && !value.get<bool>()) return false;
  if (!kind) check.fail(key, "must be false: this field has no kind to check");
  const std::string name(fields::kindName(*kind));
  if (!value.is_string() || value.get<std::string>() != name) {
    check.fail(key, "must be \"" + name + "\" (the kind of this field) or false");
  }
  return true;
}

FieldRule readField(const Json& value, Column column, const std::string& key,
                    const Checker& check) {
  if (!value.is_object()) check.fail(key, "must be an object");
  check.onlyKeys(value, key, {"selector", "attribute", "pattern", "kind", "fromStructuredData"});
  FieldRule rule;
  if (const auto found = value.find("fromStructuredData"); found != value.end()) {
    rule.fromStructuredData = check.flag(*found, key + ".fromStructuredData");
  }
  if (rule.fromStructuredData) {
    if (value.size() > 1)
      check.fail(key, "fromStructuredData takes no selector, attribute, pattern or kind");
    return rule;
  }
  if (const auto found = value.find("kind"); found != value.end()) {
    rule.checkKind = readKindCheck(*found, column, key + ".kind", check);
  }
  const auto selector = value.find("selector");
  if (selector == value.end()) check.fail(key + ".selector", "missing");
  rule.selector = check.selector(*selector, key + ".selector", true);
  if (const auto found = value.find("attribute"); found != value.end()) {
    rule.attribute = check.text(*found, key + ".attribute");
    bool plain = !rule.attribute.empty();
    for (const char c : rule.attribute) {
      plain = plain && c > ' ' && c != '"' && c != '\'' && c != '>' && c != '/' && c != '=';
    }
    if (!plain) check.fail(key + ".attribute", "not an attribute name");
    rule.attribute = text::asciiLower(rule.attribute);
  }
  if (const auto found = value.find("pattern"); found != value.end()) {
    rule.pattern = check.text(*found, key + ".pattern");
    if (rule.pattern.size() > kMaxPatternLength) check.fail(key + ".pattern", "too long");
    try {
      compileFieldPattern(rule.pattern);
    } catch (const ProfileError& error) {
      check.fail(key + ".pattern", error.what());
    }
  }
  return rule;
}

Profile readProfile(const Json& root, const Checker& check) {
  if (!root.is_object()) check.fail("", "not a JSON object");
  check.onlyKeys(root, "",
                 {"name", "hosts", "listing", "fields", "next", "reveal", "loadMore", "captions",
                  "emailLookup"});
  Profile profile;
  const auto name = root.find("name");
  if (name == root.end()) check.fail("name", "missing");
  profile.name = text::collapseWhiteSpace(check.text(*name, "name"));
  if (profile.name.empty()) check.fail("name", "must not be empty");
  if (const auto hosts = root.find("hosts"); hosts != root.end()) {
    if (!hosts->is_array()) check.fail("hosts", "must be a list of host names");
    if (hosts->size() > kMaxHosts) check.fail("hosts", "too many host names");
    for (std::size_t i = 0; i < hosts->size(); ++i) {
      const std::string key = "hosts[" + std::to_string(i) + "]";
      std::string host = text::asciiLower(check.text((*hosts)[i], key));
      const std::string_view bare = std::string_view(host).substr(host.starts_with("*.") ? 2 : 0);
      bool plain = !bare.empty();
      for (const char c : bare) {
        plain = plain && (text::isAsciiAlphanumeric(c) || c == '-' || c == '.' ||
                          static_cast<unsigned char>(c) >= 0x80);
      }
      if (!plain) check.fail(key, "not a host name (a name such as example.com or *.example.com)");
      profile.hosts.push_back(std::move(host));
    }
  }
  const auto listing = root.find("listing");
  if (listing == root.end()) check.fail("listing", "missing");
  profile.listing = check.selector(*listing, "listing", false);
  const auto fields = root.find("fields");
  if (fields == root.end()) check.fail("fields", "missing");
  if (!fields->is_object()) check.fail("fields", "must be an object");
  for (const auto& [key, value] : fields->items()) {
    const auto column = columnForKey(key);
    if (!column) {
      check.fail("fields." + key,
                 "unknown field (name, activity, fax, phone, street, zip, city, province, web "
                 "or email)");
    }
    profile[*column] = readField(value, *column, "fields." + key, check);
  }
  if (!profile[Column::Name]) check.fail("fields.name", "missing: every listing needs its name");
  if (const auto next = root.find("next"); next != root.end()) {
    profile.next = check.selector(*next, "next", false);
  }
  if (const auto reveal = root.find("reveal"); reveal != root.end()) {
    profile.reveal = check.selector(*reveal, "reveal", true);
  }
  if (const auto more = root.find("loadMore"); more != root.end()) {
    profile.loadMore = check.selector(*more, "loadMore", false);
  }
  if (const auto captions = root.find("captions"); captions != root.end()) {
    const std::string code = check.text(*captions, "captions");
    if (code == "es") {
      profile.captions = results::CaptionSet::Spanish;
    } else if (code == "it") {
      profile.captions = results::CaptionSet::Italian;
    } else if (code == "en") {
      profile.captions = results::CaptionSet::English;
    } else {
      check.fail("captions", "must be es, it or en");
    }
  }
  if (const auto lookup = root.find("emailLookup"); lookup != root.end()) {
    profile.emailLookup = check.flag(*lookup, "emailLookup");
  }
  return profile;
}

std::string_view captionsCode(results::CaptionSet set) {
  switch (set) {
    case results::CaptionSet::Spanish:
      return "es";
    case results::CaptionSet::Italian:
      return "it";
    case results::CaptionSet::English:
      break;
  }
  return "en";
}

}  // namespace

Profile parseProfile(std::string_view json, const std::string& source) {
  const Checker check(source);
  if (nesting(json) > kMaxDepth) check.fail("", "nested too deeply to be a profile");
  // Every failure of the JSON library, a number too large for a double among them, is the
  // file's problem, never the program's.
  try {
    return readProfile(Json::parse(json), check);
  } catch (const Json::exception& error) {
    check.fail("", structured::jsonProblem(error));
  }
}

std::string profileJson(const Profile& profile) {
  Json root;
  root["name"] = profile.name;
  if (!profile.hosts.empty()) root["hosts"] = profile.hosts;
  root["listing"] = profile.listing;
  Json fields = Json::object();
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    const auto& rule = profile.fields[i];
    if (!rule) continue;
    Json field = Json::object();
    if (rule->fromStructuredData) {
      field["fromStructuredData"] = true;
    } else {
      field["selector"] = rule->selector;
      if (!rule->attribute.empty()) field["attribute"] = rule->attribute;
      if (!rule->pattern.empty()) field["pattern"] = rule->pattern;
      if (!rule->checkKind) {
        field["kind"] = false;
      } else if (const auto kind = fields::kindOfColumn(i)) {
        field["kind"] = std::string(fields::kindName(*kind));
      }
    }
    fields[std::string(fieldKey(columnAt(i)))] = field;
  }
  root["fields"] = fields;
  if (!profile.next.empty()) root["next"] = profile.next;
  if (!profile.reveal.empty()) root["reveal"] = profile.reveal;
  if (!profile.loadMore.empty()) root["loadMore"] = profile.loadMore;
  root["captions"] = captionsCode(profile.captions);
  if (profile.emailLookup) root["emailLookup"] = true;
  return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

Profile loadProfileFile(const std::filesystem::path& path) {
  const std::string source = path.string();
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw ProfileError("profile " + source + ": cannot be read: " + error.message());
  if (size > kMaxFileSize) throw ProfileError("profile " + source + ": too large to be a profile");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ProfileError("profile " + source + ": cannot be opened");
  const std::string json((std::istreambuf_iterator<char>(in)), {});
  return parseProfile(json, source);
}

void saveProfileFile(const Profile& profile, const std::filesystem::path& path) {
  try {
    results::AtomicFile file(path.string());
    file.stream() << profileJson(profile);
    file.commit();
  } catch (const results::ExportError& error) {
    throw ProfileError("profile " + path.string() + " could not be written: " + error.what());
  }
}

}  // namespace quillon::profiles
