#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quillon::journal {

// How a capture run began: what a resumed run needs to go on the same way.
struct RunStart {
  // A built-in site's code ("es", "it", "au", "ca"), "auto", or a profile's name or path.
  std::string mode;
  std::string startAddress;
  // The options that change what the run reads (name, value), in the owner's words.
  std::vector<std::pair<std::string, std::string>> options;

  friend bool operator==(const RunStart&, const RunStart&) = default;
};

// A page that the run read completely; its rows are committed with it.
struct PageRecord {
  int number = 0;  // in the run, from 1
  std::string address;
  std::string signature;    // what the loop guard remembers of the page
  std::string nextAddress;  // the page to read next when known, else empty

  friend bool operator==(const PageRecord&, const PageRecord&) = default;
};

// A run as the journal holds it.
struct RunRecord {
  RunStart start;
  std::vector<PageRecord> pages;  // the pages read, in order
  // The page to read next: the start address before any page, then the latest known
  // next address; empty once the run ended.
  std::string nextAddress;
  bool ended = false;
  std::string endReason;

  friend bool operator==(const RunRecord&, const RunRecord&) = default;
};

}  // namespace quillon::journal
