#pragma once

#include <string>
#include <vector>

namespace quillon::webfetch {

// One request of the web data component.
struct TWebDataItem {
  std::string URL;  // UTF-8 text
  // A disabled item is skipped.
  bool Enable = true;
  // Kept for the component's owners; the body is held in memory, so there is nothing to
  // delete after a run.
  bool AutoDelete = true;
};

using TWebDataCollection = std::vector<TWebDataItem>;

}  // namespace quillon::webfetch
