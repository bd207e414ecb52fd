#include "FaultyVfs.h"

#include <cstring>
#include <sqlite3.h>
#include <stdexcept>
#include <string_view>

namespace quillon::journal::testing {
namespace {

FaultyVfs* g_faults = nullptr;
sqlite3_vfs* g_real = nullptr;
sqlite3_vfs g_vfs;

// Our file, with the real VFS's file right behind it in the same allocation.
struct File {
  sqlite3_file base;
  bool wal;
};

sqlite3_file* real(sqlite3_file* file) {
  return reinterpret_cast<sqlite3_file*>(reinterpret_cast<File*>(file) + 1);
}

int fileWrite(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
  if (g_faults != nullptr && reinterpret_cast<File*>(file)->wal) {
    ++g_faults->walWrites;
    if (g_faults->beforeWalWrite) g_faults->beforeWalWrite(g_faults->walWrites);
  }
  if (g_faults != nullptr && g_faults->writeBudget >= 0) {
    if (amount > g_faults->writeBudget) return SQLITE_FULL;
    g_faults->writeBudget -= amount;
  }
  return real(file)->pMethods->xWrite(real(file), data, amount, offset);
}

int fileClose(sqlite3_file* file) { return real(file)->pMethods->xClose(real(file)); }
int fileRead(sqlite3_file* f, void* d, int n, sqlite3_int64 o) {
  return real(f)->pMethods->xRead(real(f), d, n, o);
}
int fileTruncate(sqlite3_file* f, sqlite3_int64 n) {
  return real(f)->pMethods->xTruncate(real(f), n);
}
int fileSync(sqlite3_file* f, int flags) { return real(f)->pMethods->xSync(real(f), flags); }
int fileSize(sqlite3_file* f, sqlite3_int64* n) { return real(f)->pMethods->xFileSize(real(f), n); }
int fileLock(sqlite3_file* f, int l) { return real(f)->pMethods->xLock(real(f), l); }
int fileUnlock(sqlite3_file* f, int l) { return real(f)->pMethods->xUnlock(real(f), l); }
int fileReserved(sqlite3_file* f, int* r) {
  return real(f)->pMethods->xCheckReservedLock(real(f), r);
}
int fileControl(sqlite3_file* f, int op, void* a) {
  return real(f)->pMethods->xFileControl(real(f), op, a);
}
int fileSector(sqlite3_file* f) { return real(f)->pMethods->xSectorSize(real(f)); }
int fileDevice(sqlite3_file* f) { return real(f)->pMethods->xDeviceCharacteristics(real(f)); }
int shmMap(sqlite3_file* f, int i, int n, int w, void volatile** p) {
  return real(f)->pMethods->xShmMap(real(f), i, n, w, p);
}
int shmLock(sqlite3_file* f, int o, int n, int fl) {
  return real(f)->pMethods->xShmLock(real(f), o, n, fl);
}
void shmBarrier(sqlite3_file* f) { real(f)->pMethods->xShmBarrier(real(f)); }
int shmUnmap(sqlite3_file* f, int d) { return real(f)->pMethods->xShmUnmap(real(f), d); }
int fetch(sqlite3_file* f, sqlite3_int64 o, int n, void** p) {
  return real(f)->pMethods->xFetch(real(f), o, n, p);
}
int unfetch(sqlite3_file* f, sqlite3_int64 o, void* p) {
  return real(f)->pMethods->xUnfetch(real(f), o, p);
}

const sqlite3_io_methods kMethods = {3,           fileClose,  fileRead,   fileWrite,  fileTruncate,
                                     fileSync,    fileSize,   fileLock,   fileUnlock, fileReserved,
                                     fileControl, fileSector, fileDevice, shmMap,     shmLock,
                                     shmBarrier,  shmUnmap,   fetch,      unfetch};

int open(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags) {
  if (g_faults != nullptr && g_faults->readOnly && (flags & SQLITE_OPEN_MAIN_DB) != 0) {
    flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
  }
  File* ours = reinterpret_cast<File*>(file);
  ours->base.pMethods = nullptr;
  ours->wal = (flags & SQLITE_OPEN_WAL) != 0;
  const int code = g_real->xOpen(g_real, name, real(file), flags, outFlags);
  // SQLite calls xClose only on a file whose methods are set.
  if (real(file)->pMethods != nullptr) ours->base.pMethods = &kMethods;
  return code;
}

}  // namespace

FaultyVfs::FaultyVfs() {
  if (g_faults != nullptr) throw std::logic_error("one FaultyVfs at a time");
  sqlite3_initialize();
  g_real = sqlite3_vfs_find(nullptr);
  g_vfs = *g_real;
  g_vfs.pNext = nullptr;
  g_vfs.zName = "quillon-faulty";
  g_vfs.szOsFile = static_cast<int>(sizeof(File)) + g_real->szOsFile;
  g_vfs.xOpen = open;
  g_faults = this;
  sqlite3_vfs_register(&g_vfs, 1);
}

FaultyVfs::~FaultyVfs() {
  sqlite3_vfs_unregister(&g_vfs);
  sqlite3_vfs_register(g_real, 1);
  g_faults = nullptr;
}

}  // namespace quillon::journal::testing
