#include "results/XlsxArchiveCheck.h"

#include "results/ResultsError.h"
#include "results/ZipArchive.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace quillon::results {
namespace {

constexpr std::size_t kHeadBytes = 512;  // enough to see the root element's name
constexpr std::size_t kTailBytes = 256;

[[noreturn]] void damaged(const std::string& what) {
  throw ExportError("The workbook was not written whole (" + what + "); is the disk full?");
}

// The root element of an XML text: its name follows the first "<" that opens neither the
// declaration nor a comment.
std::string rootName(const std::string& head) {
  std::size_t at = 0;
  while ((at = head.find('<', at)) != std::string::npos) {
    if (at + 1 < head.size() && head[at + 1] != '?' && head[at + 1] != '!') {
      const std::size_t end = head.find_first_of(" \t\r\n/>", at + 1);
      return end == std::string::npos ? std::string() : head.substr(at + 1, end - at - 1);
    }
    ++at;
  }
  return {};
}

// What a part unpacks to, taken in pieces: its two ends (the archive checks its length and
// checksum).
class PartDigest {
 public:
  void take(const char* data, std::size_t size) {
    if (m_head.size() < kHeadBytes) m_head.append(data, std::min(size, kHeadBytes - m_head.size()));
    m_tail.append(data, size);
    if (m_tail.size() > kTailBytes) m_tail.erase(0, m_tail.size() - kTailBytes);
  }

  // Whether the text ends, but for line ends and blanks, with the closing tag of the root
  // element its head opens.
  bool closesItsRoot() const;

 private:
  std::string m_head;
  std::string m_tail;
};

bool PartDigest::closesItsRoot() const {
  std::string_view tail = m_tail;
  while (!tail.empty() && (tail.back() == '\n' || tail.back() == '\r' || tail.back() == ' ')) {
    tail.remove_suffix(1);
  }
  const std::string root = rootName(m_head);
  return !root.empty() && tail.ends_with("</" + root + ">");
}

// Unpacks one part, checking its length and checksum, and that an XML part is whole.
void checkPart(ZipArchive& zip, const ZipEntry& entry) {
  PartDigest digest;
  zip.unpack(entry, [&digest](const char* data, std::size_t size) { digest.take(data, size); });
  const bool xml = entry.name.ends_with(".xml") || entry.name.ends_with(".rels");
  if (xml && !digest.closesItsRoot()) damaged(entry.name + " is cut short");
}

}  // namespace

void checkXlsxArchive(const std::string& path) {
  try {
    ZipArchive zip(path);
    for (const ZipEntry& entry : zip.entries()) checkPart(zip, entry);
  } catch (const ZipError& error) {
    damaged(error.what());
  }
}

}  // namespace quillon::results
