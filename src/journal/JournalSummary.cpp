#include "journal/JournalSummary.h"

#include "journal/JournalFile.h"
#include "journal/JournalReader.h"

namespace quillon::journal {

JournalSummary summarizeJournal(const std::string& path) {
  JournalSummary summary;
  summary.path = path;
  JournalFile file(path, false);
  if (file.isNew()) return summary;
  JournalReader reader(file.database());
  summary.rows = reader.rowCount();
  summary.saved = reader.saved();
  summary.runs = reader.runCount();
  if (auto last = reader.lastRun()) summary.lastRun = std::move(last->second);
  if (auto batch = reader.lastBatch()) summary.lastBatch = std::move(batch->second);
  return summary;
}

namespace {

std::string stateText(const SearchRecord& search) {
  switch (search.state) {
    case SearchState::Waiting:
      return "not started";
    case SearchState::Unfinished:
      return "not read to its end, " + std::to_string(search.pages.size()) + " pages read";
    case SearchState::ReadToItsEnd:
      return "read to its end (" + search.reason + "), " + std::to_string(search.rows) + " rows";
    case SearchState::Failed:
      break;
  }
  return "failed (" + search.reason + "), " + std::to_string(search.rows) + " rows";
}

std::string batchText(const BatchRecord& batch) {
  std::string text = "site: " + batch.start.mode + "\n";
  text += "batch: " + std::to_string(batch.searches.size()) + " searches of a list of " +
          std::to_string(batch.start.listSize);
  if (!batch.start.shard.empty()) text += " (shard " + batch.start.shard + ")";
  text += "\n";
  for (const auto& [name, value] : batch.start.options)
    text += "option: " + name + " " + value + "\n";
  for (const SearchRecord& search : batch.searches) {
    text += "  search " + std::to_string(search.position) + ": " + stateText(search) + ": " +
            search.address + "\n";
  }
  const SearchRecord* next = batch.nextSearch();
  if (next == nullptr || batch.ended) return text + "batch: ended\n";
  return text + "batch: not ended; next search: " + std::to_string(next->position) + "\n";
}

}  // namespace

std::string summaryText(const JournalSummary& summary) {
  std::string text = "journal: " + summary.path + "\n";
  text += "rows: " + std::to_string(summary.rows) + (summary.saved ? " (saved)\n" : "\n");
  if (summary.lastBatch) return text + batchText(*summary.lastBatch);
  if (!summary.lastRun) return text + "run: none\n";
  const RunRecord& run = *summary.lastRun;
  text += "site: " + run.start.mode + "\n";
  text += "start: " + run.start.startAddress + "\n";
  for (const auto& [name, value] : run.start.options)
    text += "option: " + name + " " + value + "\n";
  text += "pages read: " + std::to_string(run.pages.size()) + "\n";
  for (const PageRecord& page : run.pages) {
    text += "  page " + std::to_string(page.number) + ": " + page.address + "\n";
  }
  if (run.ended) {
    text += "run: ended (" + run.endReason + ")\n";
  } else {
    text +=
        "run: not ended; next page: " + (run.nextAddress.empty() ? "unknown" : run.nextAddress) +
        "\n";
  }
  return text;
}

}  // namespace quillon::journal
