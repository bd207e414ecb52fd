#pragma once

#include "journal/RunRecord.h"

#include <string>
#include <utility>
#include <vector>

namespace quillon::journal {

// Where a search of a batch stands. The values are the journal's; do not renumber.
enum class SearchState {
  Waiting = 0,       // not started
  Unfinished = 1,    // started, and not read to its end (a kill or Stop came first)
  ReadToItsEnd = 2,  // ended normally: no next page, the page limit, a repeated page
  Failed = 3,        // its first page did not load, the run failed, or the site refused it
};

// One search of a batch: a start address and how far it got.
struct SearchRecord {
  int position = 0;  // in the whole list, from 1 (a shard holds some positions only)
  std::string address;
  SearchState state = SearchState::Waiting;
  std::string reason;  // why it ended or failed
  int rowsBefore = 0;  // the table's rows when it started
  int rows = 0;        // the rows it added
  // The pages its run read, as the journal holds them (empty before it started).
  std::vector<PageRecord> pages;

  bool settled() const {
    return state == SearchState::ReadToItsEnd || state == SearchState::Failed;
  }
  friend bool operator==(const SearchRecord&, const SearchRecord&) = default;
};

// How a batch began: what a resumed batch needs to go on the same way.
struct BatchStart {
  std::string mode;  // as RunStart::mode
  std::vector<std::pair<std::string, std::string>> options;
  int listSize = 0;   // the searches of the whole list
  std::string shard;  // "K/N", empty for the whole list

  friend bool operator==(const BatchStart&, const BatchStart&) = default;
};

// A batch as the journal holds it: its searches in list order.
struct BatchRecord {
  BatchStart start;
  std::vector<SearchRecord> searches;
  bool ended = false;  // every search settled, or the user ended it

  // The first search not settled (where a resumed batch goes on); nullptr when none is left.
  const SearchRecord* nextSearch() const {
    for (const SearchRecord& search : searches) {
      if (!search.settled()) return &search;
    }
    return nullptr;
  }
  friend bool operator==(const BatchRecord&, const BatchRecord&) = default;
};

}  // namespace quillon::journal
