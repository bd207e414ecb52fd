#include "capture/RowEmails.h"

#include "capture/EmailSearches.h"
#include "results/ResultsTable.h"
#include "results/TableColumns.h"

#include <string>

namespace quillon::capture {
namespace {

constexpr int kWebColumn = 8;
constexpr int kEmailColumn = 9;

// A website's e-mail into column 9, unless the row is gone or has one there by now.
void putWebsiteEmail(results::ResultsTable& table, results::RowHandle row, std::string email) {
  if (email.empty() || !table.Contains(row) || !table.Cell(row, kEmailColumn).empty()) return;
  if (table.SubItemCount(row) >= kEmailColumn) {
    table.SetCell(table.IndexOf(row), kEmailColumn, std::move(email));
    return;
  }
  while (table.SubItemCount(row) < kEmailColumn - 1) table.AppendSubItem(row, std::string());
  table.AppendSubItem(row, std::move(email));
}

}  // namespace

void startEmailSearches(results::ResultsTable& table, EmailSearches& searches,
                        results::RowHandle row, const EmailRule& rule) {
  const std::string web = table.Cell(row, kWebColumn);
  if (web.empty()) return;
  if (rule.listingPageLookup) {
    // Only a row that has no e-mail column yet (a profile's row may bring its own).
    if (table.SubItemCount(row) >= kEmailColumn) return;
    // AppendSubItem drops the result of a row deleted meanwhile.
    searches.lookUp(
        web, [&table, row](std::string email) { table.AppendSubItem(row, std::move(email)); });
    return;
  }
  if (!rule.websiteSearch) return;
  if (rule.emailColumn >= 0 && !table.Cell(row, rule.emailColumn).empty()) return;
  searches.searchWebsite(
      web, [&table, row](std::string email) { putWebsiteEmail(table, row, std::move(email)); });
}

}  // namespace quillon::capture
