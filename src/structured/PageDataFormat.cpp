#include "structured/PageDataFormat.h"

#include "structured/JsonProblem.h"
#include "structured/StructuredDataError.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <utility>

namespace quillon::structured {
namespace {

using Json = nlohmann::json;

[[noreturn]] void refuse(const std::string& what) {
  throw StructuredDataError("The page data is not in the collect script's format: " + what);
}

Json& array(Json& page, const char* key) {
  const auto found = page.find(key);
  if (found == page.end()) refuse("the page has no \"" + std::string(key) + "\"");
  if (!found->is_array()) refuse("\"" + std::string(key) + "\" is not an array");
  return *found;
}

// The fields of one element: an array of exactly `count` values.
Json& fields(Json& item, std::size_t count, const std::string& where) {
  if (!item.is_array() || item.size() != count) {
    refuse(where + " is not an array of " + std::to_string(count) + " values");
  }
  return item;
}

std::string text(Json& value, const std::string& where) {
  if (!value.is_string()) refuse(where + " is not a text");
  return std::move(value.get_ref<std::string&>());
}

int parentOf(const Json& value, int index, const std::string& where) {
  const bool before = value.is_number_unsigned()
                          ? value.get<std::uint64_t>() < static_cast<std::uint64_t>(index)
                          : value.is_number_integer() && value.get<std::int64_t>() == -1;
  if (!before) refuse("the parent of " + where + " is not an element before it");
  return static_cast<int>(value.get<std::int64_t>());
}

MicrodataElement readElement(Json& item, int index) {
  const std::string where = "microdata element " + std::to_string(index);
  Json& f = fields(item, 8, where);
  if (!f[2].is_boolean()) refuse("itemscope of " + where + " is not true or false");
  return MicrodataElement{parentOf(f[0], index, where),
                          text(f[1], "the tag of " + where),
                          f[2].get<bool>(),
                          text(f[3], "itemtype of " + where),
                          text(f[4], "itemprop of " + where),
                          text(f[5], "itemref of " + where),
                          text(f[6], "the id of " + where),
                          text(f[7], "the value of " + where)};
}

PageLink readLink(Json& item, std::size_t index) {
  const std::string where = "link " + std::to_string(index);
  Json& f = fields(item, 6, where);
  PageLink link;
  std::string* const targets[] = {&link.tag,  &link.rel,       &link.href,
                                  &link.text, &link.ariaLabel, &link.title};
  for (std::size_t i = 0; i < 6; ++i)
    *targets[i] = text(f[i], "field " + std::to_string(i) + " of " + where);
  return link;
}

PageData readPageData(Json& root) {
  if (!root.is_object()) refuse("it is not a JSON object");
  PageData page;
  const auto url = root.find("url");
  if (url == root.end()) refuse("the page has no \"url\"");
  page.url = text(*url, "\"url\"");
  Json& blocks = array(root, "jsonLd");
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    page.jsonLd.push_back(text(blocks[i], "JSON-LD block " + std::to_string(i + 1)));
  }
  Json& elements = array(root, "microdata");
  page.microdata.reserve(elements.size());
  for (std::size_t i = 0; i < elements.size(); ++i) {
    page.microdata.push_back(readElement(elements[i], static_cast<int>(i)));
  }
  Json& links = array(root, "links");
  page.links.reserve(links.size());
  for (std::size_t i = 0; i < links.size(); ++i) page.links.push_back(readLink(links[i], i));
  // Left out by collectors older than the language.
  if (const auto language = root.find("language"); language != root.end()) {
    page.language = text(*language, "\"language\"");
  }
  return page;
}

}  // namespace

PageData decodePageData(std::string_view json) {
  // Every failure of the JSON library, a number too large for a double among them, is the
  // data's problem.
  try {
    Json root = Json::parse(json);
    return readPageData(root);
  } catch (const Json::exception& error) {
    refuse(jsonProblem(error));
  }
}

std::string encodePageData(const PageData& page) {
  Json elements = Json::array();
  for (const MicrodataElement& e : page.microdata) {
    elements.push_back(Json::array(
        {e.parent, e.tag, e.itemscope, e.itemtype, e.itemprop, e.itemref, e.id, e.value}));
  }
  Json links = Json::array();
  for (const PageLink& l : page.links) {
    links.push_back(Json::array({l.tag, l.rel, l.href, l.text, l.ariaLabel, l.title}));
  }
  const Json root = {{"url", page.url},
                     {"jsonLd", page.jsonLd},
                     {"microdata", std::move(elements)},
                     {"links", std::move(links)},
                     {"language", page.language}};
  return root.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace quillon::structured
