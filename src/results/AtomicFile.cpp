#include "results/AtomicFile.h"

#include "results/ResultsError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <streambuf>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quillon::results {

// An output buffer over a file descriptor that keeps the errno of a failed write.
class AtomicFile::Buffer final : public std::streambuf {
 public:
  explicit Buffer(int fd) : m_fd(fd), m_data(1 << 16) {
    setp(m_data.data(), m_data.data() + m_data.size());
  }
  int error() const { return m_error; }

 protected:
  int_type overflow(int_type c) override {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return drain() ? 0 : -1; }

 private:
  bool drain() {
    if (m_error != 0) return false;
    const char* data = pbase();
    std::size_t left = static_cast<std::size_t>(pptr() - pbase());
    while (left > 0) {
      const ssize_t written = ::write(m_fd, data, left);
      if (written < 0) {
        if (errno == EINTR) continue;
        m_error = errno;
        return false;
      }
      data += written;
      left -= static_cast<std::size_t>(written);
    }
    setp(m_data.data(), m_data.data() + m_data.size());
    return true;
  }

  int m_fd;
  std::vector<char> m_data;
  int m_error = 0;
};

namespace {

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The mode a new file gets: the replaced file's, or read-write as the umask allows.
mode_t modeFor(const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : m_target(std::move(target)) {
  if (m_target.empty() || m_target.back() == '/') fail(EISDIR);
  std::string pattern = folderOf(m_target) + "/.quillon-XXXXXX";
  m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (m_fd < 0) fail(errno);
  m_temporaryPath = std::move(pattern);
  ::fchmod(m_fd, modeFor(m_target));
  m_buffer = std::make_unique<Buffer>(m_fd);
  m_stream = std::make_unique<std::ostream>(m_buffer.get());
}

AtomicFile::~AtomicFile() {
  if (m_fd >= 0) ::close(m_fd);
  if (!m_committed && !m_temporaryPath.empty()) ::unlink(m_temporaryPath.c_str());
}

std::ostream& AtomicFile::stream() { return *m_stream; }

void AtomicFile::fail(int error) const {
  throw ExportError("Cannot save \"" + m_target + "\": " + std::strerror(error));
}

void AtomicFile::commit() {
  m_stream->flush();
  if (m_buffer->error() != 0) fail(m_buffer->error());
  if (!*m_stream) fail(EIO);
  if (::fsync(m_fd) != 0) fail(errno);
  const int fd = m_fd;
  m_fd = -1;
  if (::close(fd) != 0) fail(errno);
  if (::rename(m_temporaryPath.c_str(), m_target.c_str()) != 0) fail(errno);
  m_committed = true;
}

}  // namespace quillon::results
