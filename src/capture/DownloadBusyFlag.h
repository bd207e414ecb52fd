#pragma once

#include "capture/Browser.h"

#include <string_view>

namespace quillon::capture {

// The download-busy flag: set when the browser begins a download, cleared when a
// download or a document completes. Attach it to the browser with AddListener; the
// phone reveal waits while it is set.
class DownloadBusyFlag final : public BrowserListener {
 public:
  bool isSet() const { return m_busy; }

  void DownloadBegin() override { m_busy = true; }
  void DownloadComplete() override { m_busy = false; }
  void DocumentComplete(std::u16string_view) override { m_busy = false; }

 private:
  bool m_busy = false;
};

}  // namespace quillon::capture
