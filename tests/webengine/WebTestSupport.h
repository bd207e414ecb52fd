#pragma once

#include "webengine/WebEngineBrowser.h"

#include <QTemporaryDir>
#include <QUrl>

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace quillon::webengine::testing {

inline constexpr std::chrono::seconds kLoadLimit{60};

inline std::u16string wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

inline std::string fixturePath(const std::string& relative) {
  return std::string(QUILLON_FIXTURES) + "/" + relative;
}

inline std::u16string fileUrl(const std::string& relative) {
  return QUrl::fromLocalFile(QString::fromStdString(fixturePath(relative)))
      .toString()
      .toStdU16String();
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Pages that a test writes for itself, in a folder removed at the end of the test.
class PageFiles {
 public:
  // Writes the bytes to the file name and returns its file: address.
  std::u16string add(const std::string& name, const std::string& bytes) {
    const std::string path = m_dir.path().toStdString() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return QUrl::fromLocalFile(QString::fromStdString(path)).toString().toStdU16String();
  }

 private:
  QTemporaryDir m_dir;
};

// Navigates and waits for the page; a failed or endless load fails the test.
inline void load(WebEngineBrowser& browser, std::u16string_view url) {
  browser.Navigate(url);
  ASSERT_TRUE(browser.waitUntilComplete(kLoadLimit)) << "page did not finish loading";
  ASSERT_TRUE(browser.lastLoadSucceeded()) << "page failed to load: " << browser.lastLoadError();
}

inline std::string currentUrl(const WebEngineBrowser& browser) {
  return browser.page()->url().toString().toStdString();
}

}  // namespace quillon::webengine::testing
