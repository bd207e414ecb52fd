#include "structured/PageDataFormat.h"

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

Json& member(Json& object, const char* key, Json::value_t type, const std::string& where) {
  const auto found = object.find(key);
  if (found == object.end()) refuse(where + " has no \"" + key + "\"");
  if (found->type() != type &&
      !(type == Json::value_t::number_integer && found->is_number_integer())) {
    refuse("\"" + std::string(key) + "\" of " + where + " is a " + found->type_name());
  }
  return *found;
}

std::string text(Json& object, const char* key, const std::string& where) {
  return std::move(member(object, key, Json::value_t::string, where).get_ref<std::string&>());
}

Json& array(Json& object, const char* key) {
  return member(object, key, Json::value_t::array, "the page");
}

Json& entry(Json& item, const std::string& where) {
  if (!item.is_object()) refuse(where + " is not an object");
  return item;
}

MicrodataElement readElement(Json& item, int index) {
  const std::string where = "microdata element " + std::to_string(index);
  Json& object = entry(item, where);
  MicrodataElement element;
  const Json& parent = member(object, "parent", Json::value_t::number_integer, where);
  const bool before = parent.is_number_unsigned()
                          ? parent.get<std::uint64_t>() < static_cast<std::uint64_t>(index)
                          : parent.get<std::int64_t>() == -1;
  if (!before) refuse("the parent of " + where + " is not before it");
  element.parent = static_cast<int>(parent.get<std::int64_t>());
  element.tag = text(object, "tag", where);
  element.itemscope = member(object, "itemscope", Json::value_t::boolean, where).get<bool>();
  element.itemtype = text(object, "itemtype", where);
  element.itemprop = text(object, "itemprop", where);
  element.itemref = text(object, "itemref", where);
  element.id = text(object, "id", where);
  element.value = text(object, "value", where);
  return element;
}

PageLink readLink(Json& item, std::size_t index) {
  const std::string where = "link " + std::to_string(index);
  Json& object = entry(item, where);
  PageLink link;
  link.tag = text(object, "tag", where);
  link.rel = text(object, "rel", where);
  link.href = text(object, "href", where);
  link.text = text(object, "text", where);
  link.ariaLabel = text(object, "ariaLabel", where);
  link.title = text(object, "title", where);
  return link;
}

}  // namespace

PageData decodePageData(std::string_view json) {
  Json root;
  try {
    root = Json::parse(json);
  } catch (const Json::parse_error& error) {
    refuse(std::string("it is not JSON (") + error.what() + ")");
  }
  if (!root.is_object()) refuse("it is not a JSON object");
  PageData page;
  page.url = text(root, "url", "the page");
  Json& blocks = array(root, "jsonLd");
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    if (!blocks[i].is_string()) refuse("JSON-LD block " + std::to_string(i + 1) + " is not a text");
    page.jsonLd.push_back(std::move(blocks[i].get_ref<std::string&>()));
  }
  Json& elements = array(root, "microdata");
  page.microdata.reserve(elements.size());
  for (std::size_t i = 0; i < elements.size(); ++i) {
    page.microdata.push_back(readElement(elements[i], static_cast<int>(i)));
  }
  Json& links = array(root, "links");
  page.links.reserve(links.size());
  for (std::size_t i = 0; i < links.size(); ++i) page.links.push_back(readLink(links[i], i));
  return page;
}

std::string encodePageData(const PageData& page) {
  Json elements = Json::array();
  for (const MicrodataElement& e : page.microdata) {
    elements.push_back({{"parent", e.parent},
                        {"tag", e.tag},
                        {"itemscope", e.itemscope},
                        {"itemtype", e.itemtype},
                        {"itemprop", e.itemprop},
                        {"itemref", e.itemref},
                        {"id", e.id},
                        {"value", e.value}});
  }
  Json links = Json::array();
  for (const PageLink& l : page.links) {
    links.push_back({{"tag", l.tag},
                     {"rel", l.rel},
                     {"href", l.href},
                     {"text", l.text},
                     {"ariaLabel", l.ariaLabel},
                     {"title", l.title}});
  }
  const Json root = {{"url", page.url},
                     {"jsonLd", page.jsonLd},
                     {"microdata", std::move(elements)},
                     {"links", std::move(links)}};
  return root.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace quillon::structured
