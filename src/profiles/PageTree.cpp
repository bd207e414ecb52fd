#include "profiles/PageTree.h"

#include "profiles/ProfileError.h"
#include "structured/JsonProblem.h"
#include "text/Ascii.h"
#include "text/TextRules.h"

#include <nlohmann/json.hpp>

namespace quillon::profiles {
namespace {

using Json = nlohmann::json;

// Far more than any result page holds; a bound on what a hostile page makes the core keep.
constexpr std::size_t kMaxElements = 200'000;

const std::string& textAt(const Json& row, std::size_t index, const char* what) {
  const Json& value = row.at(index);
  if (!value.is_string()) throw ProfileError(std::string("page tree: ") + what + " is not text");
  return value.get_ref<const std::string&>();
}

TreeElement readElement(const Json& row, std::size_t index) {
  if (!row.is_array() || row.size() < 7) {
    throw ProfileError("page tree: element " + std::to_string(index) + " is not a list of 7");
  }
  TreeElement element;
  if (!row[0].is_number_integer()) throw ProfileError("page tree: a parent is not a number");
  const auto parent = row[0].get<long long>();
  if (parent < -1 || parent >= static_cast<long long>(index)) {
    throw ProfileError("page tree: element " + std::to_string(index) +
                       " names a parent that does not come before it");
  }
  element.parent = static_cast<int>(parent);
  element.tag = text::asciiLower(textAt(row, 1, "a tag"));
  element.id = textAt(row, 2, "an id");
  for (std::string_view each : text::asciiTokens(textAt(row, 3, "a class"))) {
    element.classes.emplace_back(each);
  }
  if (!row[4].is_array()) throw ProfileError("page tree: attributes are not a list");
  for (const Json& pair : row[4]) {
    if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string() || !pair[1].is_string()) {
      throw ProfileError("page tree: an attribute is not a name and a value");
    }
    element.attributes.emplace_back(text::asciiLower(pair[0].get<std::string>()),
                                    pair[1].get<std::string>());
  }
  element.text = text::collapseWhiteSpace(textAt(row, 5, "a text"));
  if (!row[6].is_boolean()) throw ProfileError("page tree: hidden is not true or false");
  element.hidden = row[6].get<bool>();
  return element;
}

}  // namespace

const std::string* TreeElement::attribute(std::string_view name) const {
  for (const auto& [key, value] : attributes) {
    if (key == name) return &value;
  }
  return nullptr;
}

bool TreeElement::hasClass(std::string_view name) const {
  for (const std::string& each : classes) {
    if (each == name) return true;
  }
  return false;
}

bool PageTree::contains(int a, int b) const {
  if (a < 0 || b <= a) return false;
  const int depth = elements[static_cast<std::size_t>(a)].depth;
  while (b >= 0 && elements[static_cast<std::size_t>(b)].depth > depth) {
    b = elements[static_cast<std::size_t>(b)].parent;
  }
  return b == a;
}

PageTree decodePageTree(std::string_view json) {
  Json root;
  try {
    root = Json::parse(json);
  } catch (const Json::exception& error) {
    throw ProfileError("page tree: " + structured::jsonProblem(error));
  }
  if (!root.is_object()) throw ProfileError("page tree: not an object");
  PageTree tree;
  try {
    for (const auto& [key, target] :
         {std::pair{"url", &tree.url}, std::pair{"language", &tree.language},
          std::pair{"canonical", &tree.canonical}}) {
      if (const auto found = root.find(key); found != root.end() && found->is_string()) {
        *target = found->get<std::string>();
      }
    }
    const auto elements = root.find("elements");
    if (elements == root.end() || !elements->is_array()) {
      throw ProfileError("page tree: no list of elements");
    }
    if (elements->size() > kMaxElements) throw ProfileError("page tree: too many elements");
    tree.elements.reserve(elements->size());
    for (std::size_t i = 0; i < elements->size(); ++i) {
      TreeElement element = readElement((*elements)[i], i);
      if (element.parent >= 0) {
        TreeElement& parent = tree.elements[static_cast<std::size_t>(element.parent)];
        parent.children.push_back(static_cast<int>(i));
        element.depth = parent.depth + 1;
      }
      tree.elements.push_back(std::move(element));
    }
  } catch (const Json::exception& error) {
    throw ProfileError("page tree: " + structured::jsonProblem(error));
  }
  return tree;
}

std::string encodePageTree(const PageTree& tree) {
  Json elements = Json::array();
  for (const TreeElement& element : tree.elements) {
    std::string classes;
    for (const std::string& each : element.classes) classes += (classes.empty() ? "" : " ") + each;
    Json attributes = Json::array();
    for (const auto& [name, value] : element.attributes) attributes.push_back({name, value});
    elements.push_back({element.parent, element.tag, element.id, classes, attributes, element.text,
                        element.hidden});
  }
  return Json{{"url", tree.url},
              {"language", tree.language},
              {"canonical", tree.canonical},
              {"elements", elements}}
      .dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace quillon::profiles
