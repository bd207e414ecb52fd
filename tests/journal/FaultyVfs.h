#pragma once

#include <functional>

namespace quillon::journal::testing {

// An SQLite file system layer over the default one that refuses what a disk or a file's
// permissions can refuse, and can stop the process at a chosen write. While one exists
// it is SQLite's default, so the journal under test uses it without knowing. Faults
// are injected where SQLite meets the system (rather than with LD_PRELOAD or a tiny
// mount) so that they work the same for root and for an ordinary user.
class FaultyVfs {
 public:
  FaultyVfs();
  FaultyVfs(const FaultyVfs&) = delete;
  FaultyVfs& operator=(const FaultyVfs&) = delete;
  ~FaultyVfs();

  // Main database files open read-only, as SQLite opens a file it may not write.
  bool readOnly = false;
  // Writes fail with "disk full" once this many more bytes would be written (-1: never).
  long long writeBudget = -1;
  // Called before every write to a WAL file with the number of WAL writes so far (from 1).
  std::function<void(int)> beforeWalWrite;
  int walWrites = 0;
};

}  // namespace quillon::journal::testing
