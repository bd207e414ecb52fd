#include "capture/SnapshotScope.h"

#include "capture/ClassTables.h"

#include <algorithm>

namespace quillon::capture {
namespace {

void addOnce(std::vector<std::u16string>& names, std::u16string_view name) {
  if (std::find(names.begin(), names.end(), name) == names.end()) names.emplace_back(name);
}

}  // namespace

SnapshotScope SnapshotScope::forCapture() {
  SnapshotScope scope;
  // The page turner and the phone reveal read the text, markup and target of anchors.
  scope.fullTags.emplace_back(u"A");
  scope.textTags.emplace_back(u"BODY");
  for (const auto site :
       {parsers::Site::ES, parsers::Site::IT, parsers::Site::CA, parsers::Site::AU}) {
    for (const ClassEntry& entry : classTable(site)) {
      switch (entry.kind) {
        case LineKind::Ordinary:
        case LineKind::RecordStart:
          addOnce(scope.innerTextClasses, entry.name);
          break;
        case LineKind::RecordStartHtml:
        case LineKind::UrlHtml:
          addOnce(scope.innerHtmlClasses, entry.name);
          break;
        case LineKind::PhoneFromTfno:
          addOnce(scope.outerHtmlClasses, entry.name);
          break;
      }
    }
  }
  return scope;
}

SnapshotScope SnapshotScope::all() {
  SnapshotScope scope;
  scope.everything = true;
  return scope;
}

}  // namespace quillon::capture
