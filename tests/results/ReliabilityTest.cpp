// The export when the disk gives out: a file system that is full (a file-size limit on
// the process stands in for it, so no privileges are needed) and a location nobody may
// write, in every format. Each case proves the same outcome: a clear ExportError, the
// file that was there before intact, nothing left behind, and the table unchanged.

#include "ExportTestSupport.h"
#include "TableTestSupport.h"
#include "results/ResultsError.h"
#include "results/ResultsTable.h"
#include "results/SpreadsheetExport.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace quillon::results {
namespace {

using namespace testing;

// Limits the size of every file the process writes, as a full disk would; writes past it
// fail with EFBIG instead of raising SIGXFSZ. Both are restored on destruction.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_saved);
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = m_saved;
    limited.rlim_cur = bytes;
    m_active = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_handler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool active() const { return m_active; }

 private:
  rlimit m_saved{};
  void (*m_handler)(int) = nullptr;
  bool m_active = false;
};

std::vector<std::string> filesIn(const TempFolder& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string exportError(const ResultsTable& table, const std::string& path) {
  try {
    ExportToSpreadsheet(table, path);
  } catch (const ExportError& error) {
    return error.what();
  }
  return "no error";
}

std::vector<std::string> cellsOf(const ResultsTable& table) {
  std::vector<std::string> cells;
  for (int row = 0; row < table.Count(); ++row) {
    for (int column = 0; column < kColumnCount; ++column) cells.push_back(table.Cell(row, column));
  }
  return cells;
}

class ExportReliabilityTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    // About 2 MB of distinct texts in every format, far above the limit below.
    for (int i = 0; i < 4000; ++i) {
      std::vector<std::string> subItems(8);
      // Built by appending: "literal" + std::string trips a false -Wrestrict of GCC 12.
      for (int column = 0; column < 8; ++column) {
        std::string& text = subItems[column];
        text.append(1, 'r').append(std::to_string(i)).append(1, 'c');
        text.append(std::to_string(column)).append(40, static_cast<char>('a' + column));
      }
      std::string name("Name ");
      table.AddRow(name.append(std::to_string(i)), subItems);
    }
  }

  std::string target() const { return folder.file(std::string("out.") + GetParam()); }

  ResultsTable table = spanishTable();
  TempFolder folder;
};

TEST_P(ExportReliabilityTest, AFullDiskFailsClearlyAndKeepsTheOldFile) {
  const std::string path = target();
  writeFile(path, "precious");
  const std::vector<std::string> before = cellsOf(table);
  std::string message;
  {
    const FileSizeLimit full(64 * 1024);
    ASSERT_TRUE(full.active());
    message = exportError(table, path);
  }
  EXPECT_EQ(message.rfind("Cannot save \"" + path + "\": ", 0), 0u) << message;
  // The reason names the full disk (the library behind .xlsx only shows it as a cut part).
  EXPECT_TRUE(message.find("File too large") != std::string::npos ||
              message.find("disk full") != std::string::npos)
      << message;
  EXPECT_EQ(readFile(path), "precious");
  EXPECT_EQ(filesIn(folder), std::vector<std::string>{std::string("out.") + GetParam()});
  EXPECT_EQ(cellsOf(table), before);

  // Space again: the same export now succeeds over the old file.
  ExportToSpreadsheet(table, path);
  EXPECT_GT(std::filesystem::file_size(path), 64u * 1024u);
  EXPECT_EQ(filesIn(folder), std::vector<std::string>{std::string("out.") + GetParam()});
}

TEST_P(ExportReliabilityTest, ALocationNobodyMayWriteFailsClearly) {
  // An ordinary folder made read-only stops everyone but root; sysfs stops root too.
  std::string path;
  if (::geteuid() != 0) {
    std::filesystem::permissions(
        folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    path = target();
  } else if (::access("/sys", F_OK) == 0) {
    path = std::string("/sys/quillon-out.") + GetParam();
  } else {
    GTEST_SKIP() << "no location here refuses root";
  }
  const std::string message = exportError(table, path);
  EXPECT_EQ(message.rfind("Cannot save \"" + path + "\": ", 0), 0u) << message;
  EXPECT_FALSE(std::filesystem::exists(path));
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, ExportReliabilityTest,
                         ::testing::Values("csv", "json", "xls", "xlsx"));

}  // namespace
}  // namespace quillon::results
