#pragma once

#include "base/MessagePump.h"
#include "capture/Browser.h"
#include "capture/DownloadBusyFlag.h"
#include "capture/ProgressIndicator.h"

#include <chrono>
#include <cstdint>
#include <string_view>

namespace quillon::capture {

// Follows every anchor of the current page whose inner HTML holds the link text
// (cp1252), unless its visible text or its id is exactly that text. True when at least
// one navigation was asked for. Neither waits nor dispatches messages.
// Throws CaptureError("Couldn't convert the wb.Document to an IHTMLDocument2").
bool TurnPage(Browser& browser, std::string_view linkText);

// The longest wait for the download-busy flag after one phone link. A download that
// never completes (a page script that never ends) must not stall the capture for good.
inline constexpr std::chrono::milliseconds kPhoneDownloadLimit{30'000};

// Follows, one at a time, every anchor whose visible text is "Teléfono", waiting after
// each while the download-busy flag is set (at most downloadLimit) and then half a
// second. Elements are read by index from the document as it is at their turn; an
// index beyond its current end is skipped. Throws CaptureError like TurnPage.
void TogglePhones(Browser& browser, const DownloadBusyFlag& downloadBusy,
                  ProgressIndicator& progress, MessagePump& pump,
                  std::chrono::milliseconds downloadLimit = kPhoneDownloadLimit);

}  // namespace quillon::capture
