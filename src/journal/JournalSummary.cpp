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
  return summary;
}

std::string summaryText(const JournalSummary& summary) {
  std::string text = "journal: " + summary.path + "\n";
  text += "rows: " + std::to_string(summary.rows) + (summary.saved ? " (saved)\n" : "\n");
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
