#pragma once

#include <string>
#include <vector>

namespace quillon::capture {

// Which element texts a document snapshot must carry so that the walkers, the page
// turner and the phone reveal can run on it. Every element always carries its tag
// name, class attribute and id; the longer texts are taken only where they are read,
// so a large page does not copy its markup once per level of nesting.
struct SnapshotScope {
  bool everything = false;               // every text of every element
  std::vector<std::u16string> fullTags;  // tags (upper case) carrying every text
  std::vector<std::u16string> textTags;  // tags (upper case) carrying their innerText
  std::vector<std::u16string> innerTextClasses;
  std::vector<std::u16string> innerHtmlClasses;
  std::vector<std::u16string> outerHtmlClasses;

  // What the capture needs: the class tables of the four walkers, every anchor, and the
  // body's text for telling a check for a person.
  static SnapshotScope forCapture();
  static SnapshotScope all();
};

}  // namespace quillon::capture
