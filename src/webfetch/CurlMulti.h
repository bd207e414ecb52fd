#pragma once

#include <chrono>

namespace quillon::webfetch {

class CurlTransfer;

// True once libcurl's process-wide state is set up (done on the first call, kept to the end).
bool curlLibraryReady();

// libcurl's multi handle: runs any number of transfers side by side without threads and
// without blocking, as long as the caller keeps calling perform.
class CurlMulti {
 public:
  CurlMulti();
  ~CurlMulti();
  CurlMulti(const CurlMulti&) = delete;
  CurlMulti& operator=(const CurlMulti&) = delete;

  // False when the library could not make the handle; nothing else works then.
  bool ok() const { return m_multi != nullptr; }

  // A transfer runs from add until remove; remove it before it is destroyed.
  bool add(CurlTransfer& transfer);
  void remove(CurlTransfer& transfer);

  // Moves every transfer on as far as it can go without waiting. False on a library error.
  bool perform();
  // A transfer that has ended since the last call (remove it), or nullptr.
  CurlTransfer* nextEnded();
  // Waits at most timeout for network activity or a time-out of a transfer.
  bool poll(std::chrono::milliseconds timeout);

 private:
  void* m_multi = nullptr;
};

}  // namespace quillon::webfetch
