#pragma once

#include <memory>
#include <ostream>
#include <string>

namespace quillon::results {

// A file written beside its target under a temporary name and renamed over the target
// only on commit, so that a failed write never leaves a half-written file and never
// damages the file it was to replace. Failures raise ExportError with the system's
// reason and the target's name.
class AtomicFile {
 public:
  // Creates the temporary file in the target's folder.
  explicit AtomicFile(std::string target);
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  // Removes the temporary file unless it was committed.
  ~AtomicFile();

  // The temporary file as a stream, and its path for writers that open it by name.
  std::ostream& stream();
  const std::string& temporaryPath() const { return m_temporaryPath; }
  const std::string& target() const { return m_target; }

  // Flushes, syncs and closes the temporary file, then renames it over the target.
  void commit();

 private:
  class Buffer;

  [[noreturn]] void fail(int error) const;

  std::string m_target;
  std::string m_temporaryPath;
  int m_fd = -1;
  std::unique_ptr<Buffer> m_buffer;
  std::unique_ptr<std::ostream> m_stream;
  bool m_committed = false;
};

}  // namespace quillon::results
