// Every kind of table change, made at random with a journal attached, comes back
// through a restore into a new table: the same rows and sub-items in the same order, the
// same header sort and captions; and a restored journal goes on journalling.

#include "JournalTestSupport.h"
#include "journal/SqliteDatabase.h"
#include "journal/SqliteStatement.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>
#include <random>

namespace quillon::journal {
namespace {

using namespace testing;
using results::ResultsTable;

// Random calls of every changing kind, chosen by row index only, so that two tables
// with the same contents get the same calls from the same seed. Some run inside page
// brackets, as a capture step does; the rest are committed one by one, as edits are.
class RandomSession {
 public:
  RandomSession(ResultsTable& table, Journal* journal, unsigned seed)
      : m_table(table), m_journal(journal), m_random(seed) {}

  void run(int steps) {
    for (int step = 0; step < steps; ++step) change();
    if (m_inPage) togglePage();
  }

 private:
  int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(m_random); }
  std::string text() {
    static const char* const kTexts[] = {
        "",     "Bar Pepe", "bar pepe", "Álvaro",    "Zeta",         "912 000 000", "912 000 001",
        "café", "a,b\r\nc", "+34",      "Łódź Żółć", "Οδός Ερμού 5", "Москва 😀",    "İstanbul"};
    return kTexts[pick(0, 13)];
  }
  int anyRow() { return pick(-1, m_table.Count()); }

  void change() {
    const int kind = pick(0, 99);
    if (kind < 35) {
      std::vector<std::string> subItems(static_cast<std::size_t>(pick(0, 11)));
      for (std::string& item : subItems) item = text();
      m_table.AddRow(text(), std::move(subItems));
    } else if (kind < 45) {
      m_table.AppendSubItem(m_table.RowAt(anyRow()), text());
    } else if (kind < 65) {
      m_table.SetCell(anyRow(), pick(0, 10), text());
    } else if (kind < 75) {
      std::vector<int> rows(static_cast<std::size_t>(pick(0, 3)));
      for (int& row : rows) row = anyRow();
      m_table.DeleteSelectedRows(rows);
    } else if (kind < 85) {
      m_table.SortByColumn(pick(-1, 10));
    } else if (kind < 92) {
      const int set = pick(0, 2);
      if (set == 0) m_table.TransEspanian();
      if (set == 1) m_table.TransItalian();
      if (set == 2) m_table.TransCanadian();
    } else {
      togglePage();
    }
  }

  void togglePage() {
    m_inPage = !m_inPage;
    if (m_journal == nullptr) return;
    if (m_inPage) {
      m_journal->beginPage();
    } else {
      m_journal->commitPage({++m_pages, "page", "", ""});
    }
  }

  ResultsTable& m_table;
  Journal* m_journal;
  std::mt19937 m_random;
  bool m_inPage = false;
  int m_pages = 0;
};

TEST(JournalRoundTripTest, RandomChangesComeBackAndARestoredJournalGoesOn) {
  TempFolder folder;
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    const std::string path = folder.file("round-trip-" + std::to_string(seed) + ".qjournal");
    auto original = newTable();
    {
      Journal journal(path);
      journal.attach(*original);
      RandomSession(*original, &journal, seed).run(400);
      journal.detach();
    }
    EXPECT_EQ(restoredContents(path), contentsOf(*original));

    auto restored = newTable();
    {
      Journal journal(path);
      EXPECT_EQ(journal.restore(*restored), original->Count());
      RandomSession(*original, nullptr, seed + 100).run(200);
      RandomSession(*restored, &journal, seed + 100).run(200);
      journal.detach();
    }
    EXPECT_EQ(contentsOf(*restored), contentsOf(*original));
    EXPECT_EQ(restoredContents(path), contentsOf(*original));
  }
}

// A journal of the version that kept the table in cp1252 (format 1) comes back in the
// table's UTF-8, and what is added to it afterwards is UTF-8 too.
TEST(JournalRoundTripTest, AFormat1JournalIsConvertedWhenItIsOpened) {
  TempFolder folder;
  const std::string path = folder.file("old.qjournal");
  auto table = newTable();
  {
    Journal journal(path);
    journal.attach(*table);
    table->AddRow("Café Niño", {"Bares", "", "912 000 000"});
    table->AppendSubItem(table->RowAt(0), "Calle Ñ");
    table->SetCell(0, 6, "Málaga €");
    journal.detach();
  }
  {
    SqliteDatabase database(path, false);
    std::vector<std::pair<std::int64_t, std::string>> old;
    for (SqliteStatement query(database, "SELECT seq, kind, data FROM ops"); query.step();) {
      const std::string data = query.bytes(2);
      if (query.integer(1) != 1) {
        old.emplace_back(query.integer(0), text::utf8ToCp1252(data));
        continue;
      }
      std::vector<std::string> texts = *unpackTexts(data);
      for (std::string& each : texts) each = text::utf8ToCp1252(each);
      old.emplace_back(query.integer(0), packTexts(texts[0], std::vector<std::string>(
                                                                 texts.begin() + 1, texts.end())));
    }
    SqliteStatement update(database, "UPDATE ops SET data = ?2 WHERE seq = ?1");
    for (const auto& [seq, data] : old) update.bind(1, seq).bind(2, data).run();
    database.execute(
        "DROP TABLE batches; DROP TABLE batch_options; DROP TABLE searches; "
        "PRAGMA user_version = 1");
  }
  auto restored = newTable();
  {
    Journal journal(path);
    EXPECT_EQ(journal.restore(*restored), 1);
    restored->SetCell(0, 7, "Łódź");
    journal.detach();
  }
  table->SetCell(0, 7, "Łódź");
  EXPECT_EQ(contentsOf(*restored), contentsOf(*table));
  EXPECT_EQ(restoredContents(path), contentsOf(*table));
}

TEST(JournalRoundTripTest, TheStateOfTheEmptyTableWhenAttachedComesBackToo) {
  TempFolder folder;
  const std::string path = folder.file("j.qjournal");
  auto original = newTable();
  original->TransItalian();
  original->SortByColumn(2);
  original->SortByColumn(2);  // descending
  {
    Journal journal(path);
    journal.attach(*original);
    original->AddRow("b", {"1", "x"});
    original->AddRow("a", {"1", "y"});
    journal.detach();
  }
  EXPECT_EQ(restoredContents(path), contentsOf(*original));
}

TEST(JournalRoundTripTest, OnlyANewTableAndAJournalWithoutChangesStartTogether) {
  TempFolder folder;
  const std::string path = folder.file("j.qjournal");
  auto table = newTable();
  {
    Journal journal(path);
    journal.attach(*table);
    table->AddRow("a", {});
    journal.detach();
    EXPECT_THROW(journal.attach(*newTable()), std::logic_error);  // holds a change
    EXPECT_THROW(journal.restore(*table), std::logic_error);      // not a new table
  }
  EXPECT_EQ(restoredContents(path), contentsOf(*table));
}

}  // namespace
}  // namespace quillon::journal
