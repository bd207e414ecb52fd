#pragma once

#include "capture/HtmlDocument.h"

#include <memory>
#include <string>
#include <string_view>

namespace quillon::capture {

// Receives the browser's load events. All three run on the user-interface thread,
// while messages are dispatched.
class BrowserListener {
 public:
  virtual ~BrowserListener() = default;

  virtual void DownloadBegin() {}
  virtual void DownloadComplete() {}
  // A document (or frame) is complete.
  virtual void DocumentComplete(std::u16string_view url) { static_cast<void>(url); }
};

// The embedded browser as the capture logic uses it.
class Browser {
 public:
  // ReadyState value of a completely loaded document.
  static constexpr int kReadyStateComplete = 4;

  virtual ~Browser() = default;

  // Starts loading the address and returns at once. A "javascript:" address runs its
  // script in the current page instead.
  virtual void Navigate(std::u16string_view url) = 0;
  // One step in the history; nothing happens when there is none.
  virtual void GoBack() = 0;
  virtual void GoForward() = 0;
  // 4 when the current document has finished loading; lower values while it loads.
  virtual int ReadyState() const = 0;
  // The current document, or nullptr when the browser holds none. The object is a
  // consistent view of the page at the time of the call.
  virtual std::shared_ptr<const capture::HtmlDocument> Document() = 0;
  // The address of the page shown (empty before the first page).
  virtual std::u16string LocationURL() const = 0;
  // The HTTP status with which the page shown came, as the browser received it (a local file
  // counts as 200); 0 when no answer came (a failed connection, before the first page).
  virtual int HttpStatus() const = 0;
  // What the schema.org reader needs of the page shown, gathered in one evaluation after
  // the page's own scripts have run: the JSON text that structured::decodePageData reads.
  virtual std::string PageData() = 0;
  // What a site profile reads from the page shown, in one evaluation: the JSON text that
  // profiles::decodeProfilePage reads, for a request that profiles::profileRequest writes.
  virtual std::string ProfileData(std::string_view request) = 0;
  // The rendered document as the profile teacher reads it, in one evaluation: the JSON text
  // that profiles::decodePageTree reads.
  virtual std::string PageTree() = 0;
  // Clicks, as a user's click, the first element (all: every element) that the CSS selector
  // matches; with `within`, the selector is relative to each element that `within` matches.
  // Returns how many were clicked; a selector that the page refuses clicks none.
  virtual int ClickElements(std::string_view selector, std::string_view within, bool all) = 0;

  // Listeners are not owned; a listener must be removed before it is destroyed.
  virtual void AddListener(BrowserListener& listener) = 0;
  virtual void RemoveListener(BrowserListener& listener) = 0;
};

}  // namespace quillon::capture
