#include "profiles/ProfilePage.h"

#include "profiles/CssSyntax.h"
#include "profiles/ProfileError.h"
#include "structured/JsonProblem.h"
#include "structured/PageDataFormat.h"
#include "structured/StructuredDataError.h"

#include <nlohmann/json.hpp>

namespace quillon::profiles {
namespace {

using Json = nlohmann::json;

// A bound on what a hostile page makes the core keep; no result page lists this many.
constexpr std::size_t kMaxListings = 20'000;

ProfilePage readAnswer(Json& root, const std::string& where) {
  if (!root.is_object()) throw ProfileError(where + ": the page's answer is not an object");
  if (const auto error = root.find("error"); error != root.end()) {
    const Json& key = (*error)["key"];
    const Json& message = (*error)["message"];
    throw ProfileError(where + ", key \"" + (key.is_string() ? key.get<std::string>() : "?") +
                       "\": the page refuses the selector: " +
                       (message.is_string() ? message.get<std::string>() : "unknown reason"));
  }
  ProfilePage result;
  const Json& page = root.at("page");
  if (!page.is_string()) throw ProfileError(where + ": the page data is not text");
  result.page = structured::decodePageData(page.get<std::string>());
  const Json& listings = root.at("listings");
  if (!listings.is_array() || listings.size() > kMaxListings) {
    throw ProfileError(where + ": the listings are not a list of at most " +
                       std::to_string(kMaxListings));
  }
  for (const Json& row : listings) {
    if (!row.is_array() || row.size() != kColumnCount) {
      throw ProfileError(where + ": a listing is not a list of ten values");
    }
    RawListing listing;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
      if (row[i].is_string()) {
        listing[i] = row[i].get<std::string>();
      } else if (!row[i].is_null()) {
        throw ProfileError(where + ": a listing's value is neither text nor null");
      }
    }
    result.listings.push_back(std::move(listing));
  }
  const Json& next = root.at("next");
  if (next.is_object()) {
    result.nextFound = true;
    if (next.at("href").is_string()) result.nextHref = next["href"].get<std::string>();
    if (next.at("text").is_string()) result.nextText = next["text"].get<std::string>();
  } else if (!next.is_null()) {
    throw ProfileError(where + ": the next link is neither an object nor null");
  }
  return result;
}

}  // namespace

std::string profileRequest(const Profile& profile) {
  Json fields = Json::array();
  for (const auto& rule : profile.fields) {
    if (!rule || rule->fromStructuredData) {
      fields.push_back(nullptr);
    } else {
      fields.push_back({scopedSelector(rule->selector), rule->attribute});
    }
  }
  return Json{{"listing", profile.listing}, {"fields", fields}, {"next", profile.next}}.dump(
      -1, ' ', false, Json::error_handler_t::replace);
}

ProfilePage decodeProfilePage(std::string_view json, const std::string& profileName) {
  const std::string where = "profile " + profileName;
  Json root;
  try {
    root = Json::parse(json);
  } catch (const Json::exception& error) {
    throw ProfileError(where + ": the page's answer: " + structured::jsonProblem(error));
  }
  try {
    return readAnswer(root, where);
  } catch (const Json::exception& error) {
    throw ProfileError(
        where + ": the page's answer is not the collect format: " + structured::jsonProblem(error));
  } catch (const structured::StructuredDataError& error) {
    throw ProfileError(where + ": the page data does not read: " + error.what());
  }
}

}  // namespace quillon::profiles
