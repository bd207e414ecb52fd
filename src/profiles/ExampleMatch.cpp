#include "profiles/ExampleMatch.h"

#include "profiles/FieldValues.h"
#include "text/Ascii.h"
#include "text/TextRules.h"

#include <algorithm>

namespace quillon::profiles {
namespace {

bool isWordByte(unsigned char c) {
  return text::isAsciiAlphanumeric(static_cast<char>(c)) || c >= 0x80;
}

std::string digitsOf(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (text::isAsciiDigit(c)) out += c;
  }
  return out;
}

std::string comparableAddress(Column column, std::string_view value) {
  std::string text = text::asciiLower(text::collapseWhiteSpace(value));
  if (column == Column::Email) {
    if (text.starts_with("mailto:")) text.erase(0, 7);
    return text.substr(0, text.find('?'));
  }
  for (const std::string_view scheme : {"https://", "http://"}) {
    if (text.starts_with(scheme)) {
      text.erase(0, scheme.size());
      break;
    }
  }
  if (text.starts_with("www.")) text.erase(0, 4);
  while (!text.empty() && text.back() == '/') text.pop_back();
  return text;
}

bool isTelephoneColumn(Column column) {
  return column == Column::Telephone || column == Column::Fax;
}

bool sameAddress(Column column, std::string_view value, std::string_view example) {
  if (isTelephoneColumn(column)) {
    const std::string a = digitsOf(withoutScheme(column, value));
    const std::string b = digitsOf(example);
    if (a.empty() || b.empty()) return false;
    if (a == b) return true;
    const std::string& shorter = a.size() < b.size() ? a : b;
    const std::string& longer = a.size() < b.size() ? b : a;
    return shorter.size() >= 6 && longer.ends_with(shorter);
  }
  const std::string a = comparableAddress(column, value);
  return !a.empty() && a == comparableAddress(column, example);
}

bool linksTo(Column column, std::string_view href) {
  const std::string lower = text::asciiLower(href.substr(0, 7));
  if (column == Column::Email) return lower.starts_with("mailto:");
  if (isTelephoneColumn(column)) {
    return lower.starts_with("tel:") || lower.starts_with("callto:") || lower.starts_with("fax:");
  }
  return lower.starts_with("http");
}

bool isVisibleText(const TreeElement& element) { return !element.hidden && !element.text.empty(); }

// Where the example stands in the text between word boundaries, or npos.
std::size_t wordPosition(std::string_view text, std::string_view example, bool ignoreCase) {
  const std::string haystack = ignoreCase ? text::foldCase(text) : std::string(text);
  const std::string needle = ignoreCase ? text::foldCase(example) : std::string(example);
  if (haystack.size() != text.size() || needle.empty()) return std::string::npos;
  for (std::size_t at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + 1)) {
    const bool before = at == 0 || !isWordByte(static_cast<unsigned char>(haystack[at - 1])) ||
                        !isWordByte(static_cast<unsigned char>(needle.front()));
    const std::size_t end = at + needle.size();
    const bool after = end == haystack.size() ||
                       !isWordByte(static_cast<unsigned char>(haystack[end])) ||
                       !isWordByte(static_cast<unsigned char>(needle.back()));
    if (before && after) return at;
  }
  return std::string::npos;
}

}  // namespace

bool givesExample(Column column, Placement::Kind kind, std::string_view value,
                  std::string_view example) {
  switch (kind) {
    case Placement::Kind::Address:
      return sameAddress(column, value, example);
    case Placement::Kind::TextIgnoreCase:
      return text::foldCase(value) == text::foldCase(example);
    default:
      return value == example;
  }
}

std::string rawValue(const PageTree& tree, int element, const std::string& attribute) {
  const TreeElement& node = tree.elements[static_cast<std::size_t>(element)];
  if (attribute.empty()) return node.hidden ? std::string() : node.text;
  const std::string* value = node.attribute(attribute);
  return value != nullptr ? *value : std::string();
}

std::vector<Placement> placeExample(const PageTree& tree, Column column,
                                    std::string_view rawExample) {
  const std::string example = text::collapseWhiteSpace(rawExample);
  std::vector<Placement> text, innerText, noCase, innerNoCase, address, attribute, part;
  if (example.empty()) return {};
  const bool linkColumn =
      column == Column::Url || column == Column::Email || isTelephoneColumn(column);
  const std::string folded = text::foldCase(example);
  for (int i = 0; i < static_cast<int>(tree.elements.size()); ++i) {
    const TreeElement& element = tree.elements[static_cast<std::size_t>(i)];
    const TreeElement* parent =
        element.parent >= 0 ? &tree.elements[static_cast<std::size_t>(element.parent)] : nullptr;
    if (isVisibleText(element)) {
      const bool sameAsParent = parent != nullptr && parent->text == element.text;
      if (element.text == example) {
        (sameAsParent ? innerText : text).push_back({i, Placement::Kind::Text, {}, 0});
      } else if (text::foldCase(element.text) == folded) {
        (sameAsParent ? innerNoCase : noCase)
            .push_back({i, Placement::Kind::TextIgnoreCase, {}, 0});
      } else {
        bool exact = true;
        std::size_t at = wordPosition(element.text, example, false);
        if (at == std::string::npos) {
          at = wordPosition(element.text, example, true);
          exact = false;
        }
        bool inChild = false;
        for (const int child : element.children) {
          const std::string& childText = tree.elements[static_cast<std::size_t>(child)].text;
          inChild = inChild || wordPosition(childText, example, !exact) != std::string::npos;
        }
        // Only an exact part can be cut out by a pattern and give the example back.
        if (at != std::string::npos && exact && !inChild) {
          part.push_back({i, Placement::Kind::Part, {}, at});
        }
      }
    }
    for (const auto& [name, value] : element.attributes) {
      if (linkColumn && name == "href" && (element.tag == "a" || element.tag == "area") &&
          linksTo(column, value) && sameAddress(column, value, example)) {
        address.push_back({i, Placement::Kind::Address, name, 0});
      } else if (name != "href" && name != "src" && text::collapseWhiteSpace(value) == example) {
        attribute.push_back({i, Placement::Kind::Attribute, name, 0});
      }
    }
  }
  std::vector<Placement> all;
  for (auto* kind : {&text, &innerText, &noCase, &innerNoCase, &attribute, &part, &address}) {
    all.insert(all.end(), kind->begin(), kind->end());
  }
  return all;
}

}  // namespace quillon::profiles
