#pragma once

#include "capture/PageSigns.h"
#include "results/RowHandle.h"
#include "results/TableColumns.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon::results {
class ResultsTable;
}

namespace quillon {
class MessagePump;
}

namespace quillon::capture {

class Browser;
class DownloadBusyFlag;
class ProgressIndicator;

// What a run's page steps work with: the window's (or the command line's) services and
// what the run knows so far.
struct RunContext {
  Browser& browser;
  results::ResultsTable& table;
  MessagePump& pump;
  ProgressIndicator& progress;
  const DownloadBusyFlag& downloadBusy;
  // Hears each row the page adds (the run starts its e-mail searches).
  const std::function<void(results::RowHandle row)>& rowAdded;
  // A page fetched over HTTP (a summary entry's detail page): its body, or nothing.
  const std::function<std::optional<std::string>(std::string_view url)>& fetchPage;
  // Says something worth knowing about a page once (a JSON-LD block that does not parse).
  const std::function<void(const std::string& warning)>& warn;
  // The addresses of the pages read in this run, fragments removed (UTF-8).
  const std::set<std::string>& readAddresses;
  // The number of the page being read, in the run (from 1).
  int page = 1;
};

// A page as a run has read it, before its rows go into the table.
struct PageReading {
  // What the loop guard compares: equal for two pages that hold the same listings. Empty
  // for a page that holds none, which the guard leaves alone.
  std::string signature;
  // Adds the page's new rows to the table (and looks up their e-mails); returns how many.
  std::function<int()> addRows;
  // When not empty, the run ends with this reason before the page's rows are added (a page
  // that the mode cannot read); the rows of earlier pages stay. A page that asks for a person
  // or that the site refused is told apart first, by its signs and status.
  std::string endReason;
  // What shows whether the page is a check for a person; asked only of a page without
  // listings (an empty signature), from what the page's one evaluation gathered.
  std::function<PageSigns()> signs;
};

// Where a run goes after a page: the address it asked the browser to load, or, when it
// found none, why the run ends.
struct PageTurn {
  bool followed = false;
  std::string address;   // UTF-8
  std::string linkText;  // the link followed, as the progress report names it (UTF-8)
  std::string endReason;
};

// How a run reads pages: one of the four built-in directories, schema.org listings of any
// site, or a site profile. One object serves one run.
class RunMode {
 public:
  virtual ~RunMode() = default;

  // The caption set the run gives the table, and the text after the count in the count panel.
  virtual results::CaptionSet captions() const = 0;
  virtual std::string_view countSuffix() const = 0;
  // The run's code, as the command line and the journal name it ("es", "auto", ...).
  virtual std::string code() const = 0;
  // True when a row's web address is the directory's own listing page, which the run
  // searches for the row's e-mail (the Italian lookup).
  virtual bool looksUpListingPages() const { return false; }
  // The column where the run's rows carry an e-mail of their own; -1 for none.
  virtual int emailColumn() const { return 9; }
  // What a journal keeps besides the code so that a resumed run reads the same way (name,
  // value), in the command line's words: a profile's own text.
  virtual std::vector<std::pair<std::string, std::string>> journalledOptions() const { return {}; }

  // Reads the page shown (it is complete).
  virtual PageReading readPage(RunContext& context) = 0;
  // Sends the browser to the next page, or says why there is none.
  virtual PageTurn turnPage(RunContext& context) = 0;
};

}  // namespace quillon::capture
