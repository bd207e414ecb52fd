#pragma once

#include <functional>
#include <string>

namespace quillon {
class MessagePump;
}

namespace quillon::capture {

// E-mail searches that go on beside a capture run: each reports its result exactly once,
// later, through its callback (ASCII; empty when nothing is found or the fetch fails). The
// run moves them on from its message pump; nothing runs on another thread.
class EmailSearches {
 public:
  virtual ~EmailSearches() = default;

  // The e-mail on a directory's listing page (the Italian lookup): the page searched whole.
  virtual void lookUp(std::string listingUrl, std::function<void(std::string email)> done) = 0;
  // The e-mail on a business's own website: its home page, then its contact pages.
  virtual void searchWebsite(std::string webAddress,
                             std::function<void(std::string email)> done) = 0;
  // Moves every search on without waiting; called on every pass of the run's pump.
  virtual void drive() = 0;
  // Waits, dispatching messages, until every search started has reported.
  virtual void wait() = 0;
  // Ends every search at once: each reports an empty e-mail before this returns.
  virtual void cancelAll() = 0;
};

}  // namespace quillon::capture
