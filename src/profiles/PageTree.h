#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The rendered document as the teacher reads it: every HTML element of the page in document
// order, collected in one evaluation (webengine/PageTreeScript), with what a selector and an
// example can be matched against. Texts are UTF-8.

namespace quillon::profiles {

struct TreeElement {
  int parent = -1;  // index of the parent element, -1 for the root
  std::string tag;  // lower case
  std::string id;
  std::vector<std::string> classes;
  // The other attributes (not class, id, style or event handlers), names in lower case; an
  // a's or area's href and an img's src are absolute.
  std::vector<std::pair<std::string, std::string>> attributes;
  // The visible text (innerText, white space collapsed); empty for a hidden element and for
  // one whose text is too long to be a field's.
  std::string text;
  bool hidden = false;
  std::vector<int> children;  // filled by the decoder
  int depth = 0;              // filled by the decoder

  const std::string* attribute(std::string_view name) const;
  bool hasClass(std::string_view name) const;
};

struct PageTree {
  std::string url;
  std::string language;   // the root element's lang attribute ("fr-FR"), for the page's country
  std::string canonical;  // the address of the head's rel=canonical link, absolute
  std::vector<TreeElement> elements;

  // Whether b is a (strict) descendant of a.
  bool contains(int a, int b) const;
};

// Reads the collect script's JSON text:
//   {"url": "...", "language": "...", "canonical": "...",
//    "elements": [[parent, "tag", "id", "class", [["name", "value"], ...], "text", hidden], ...]}
// (language and canonical may be left out).
// A parent must come before its element. Throws ProfileError, saying what is wrong, when the
// text is not that; fills children and depth.
PageTree decodePageTree(std::string_view json);

// The JSON text of a tree in that format (for tests and the fuzz corpus).
std::string encodePageTree(const PageTree& tree);

}  // namespace quillon::profiles
