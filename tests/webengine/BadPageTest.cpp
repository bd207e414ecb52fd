// Pages that are not what the walkers expect: an error with a clear message or the
// correct text, never a crash or a wait without end.

#include "capture/CaptureError.h"
#include "capture/PageWalker.h"
#include "webengine/WebEngineBrowser.h"
#include "webengine/WebTestSupport.h"

#include <gtest/gtest.h>
#include <string>

namespace quillon::webengine {
namespace {

using testing::load;
using testing::PageFiles;

std::string walkMessage(WebEngineBrowser& browser, parsers::Site site) {
  capture::PlainProgressIndicator progress;
  std::string pageText;
  try {
    capture::walkPage(site, browser.Document().get(), pageText, progress);
  } catch (const capture::CaptureError& e) {
    return e.what();
  }
  return "no error";
}

std::string walk(WebEngineBrowser& browser, parsers::Site site) {
  capture::PlainProgressIndicator progress;
  std::string pageText;
  capture::walkPage(site, browser.Document().get(), pageText, progress);
  return pageText;
}

TEST(BadPage, DocumentsThatAreNotHtml) {
  PageFiles files;
  WebEngineBrowser browser;
  EXPECT_EQ(walkMessage(browser, parsers::Site::ES), "Invalid HTML document");  // none yet
  load(browser, files.add("listing.txt", "org: Not a page\r\n+-+org: Really not\r\n"));
  EXPECT_EQ(walkMessage(browser, parsers::Site::ES), "Invalid HTML document");
  load(browser, files.add("logo.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
  EXPECT_EQ(walkMessage(browser, parsers::Site::IT), "Invalid HTML document");
  load(browser, files.add("feed.xml", "<?xml version=\"1.0\"?><feed><body class=\"org\"/></feed>"));
  EXPECT_EQ(walkMessage(browser, parsers::Site::AU), "Invalid HTML document");
}

TEST(BadPage, BodyRemovedByThePage) {
  PageFiles files;
  WebEngineBrowser browser;
  load(browser, files.add("nobody.html",
                          "<html><head><script>addEventListener('load', function () {"
                          " document.documentElement.removeChild(document.body); });</script>"
                          "</head><body><p class=\"org\">x</p></body></html>"));
  EXPECT_EQ(walkMessage(browser, parsers::Site::ES), "Can't find <body> element");
}

TEST(BadPage, ScriptsThatThrowDoNotStopTheWalk) {
  PageFiles files;
  WebEngineBrowser browser;
  load(browser, files.add("throws.html",
                          "<html><body><script>throw new Error('broken');</script>"
                          "<h3 class=\"listingName\">A</h3><script>null.x;</script>"
                          "<p class=\"address\">B</p></body></html>"));
  EXPECT_EQ(walk(browser, parsers::Site::AU), "+-+listingName: A\r\naddress: B\r\n");
}

TEST(BadPage, HundredThousandElements) {
  std::string html = "<!DOCTYPE html><html><body>";
  for (int i = 0; i < 100000; ++i) {
    html += i % 10 == 0 ? "<span class=\"org\">" + std::to_string(i) + "</span>" : "<i></i>";
  }
  html += "</body></html>";
  PageFiles files;
  WebEngineBrowser browser;
  load(browser, files.add("many.html", html));
  const auto doc = browser.Document();
  EXPECT_EQ(doc->bodyElements().length(), 100000);
  const std::string text = walk(browser, parsers::Site::ES);
  std::size_t lines = 0;
  for (auto at = text.find("+-+org: "); at != std::string::npos;
       at = text.find("+-+org: ", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 10000u);
  EXPECT_EQ(text.substr(0, 23), "+-+org: 0\r\n+-+org: 10\r\n");
  EXPECT_EQ(text.substr(text.size() - 15), "+-+org: 99990\r\n");
}

TEST(BadPage, TwentyMegabytePage) {
  // 20,000 listings of about 1 kB, each inside a container whose text the walker copies.
  const std::string filler(1000, 'x');
  std::string html = "<!DOCTYPE html><html><body>";
  for (int i = 0; i < 20000; ++i) {
    html += "<div class=\"vcard rest ig\"><a class=\"org\">N" + std::to_string(i) + "</a><p>" +
            filler + "</p></div>";
  }
  html += "</body></html>";
  ASSERT_GT(html.size(), 20'000'000u);
  PageFiles files;
  WebEngineBrowser browser;
  load(browser, files.add("big.html", html));
  const std::string text = walk(browser, parsers::Site::ES);
  // Per listing: the container's line (name, blank line, filler) and the name's line.
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    const std::string number = std::to_string(i);
    expected.append("vcard rest ig: N").append(number).append("\n\n").append(filler);
    expected.append("\r\n+-+org: N").append(number).append("\r\n");
  }
  EXPECT_EQ(text.size(), expected.size());
  EXPECT_TRUE(text == expected) << text.substr(0, 2000);
}

TEST(BadPage, ScriptThatDoesNotEndInTime) {
  // The script keeps the page busy far longer than the time-outs; it does end, so the
  // renderer is free again for the tests after this one.
  PageFiles files;
  WebEngineBrowser browser;
  browser.setScriptTimeout(std::chrono::milliseconds(1000));
  browser.Navigate(files.add("busy.html",
                             "<html><body><p class=\"org\">A</p><script>"
                             "const end = Date.now() + 8000; while (Date.now() < end) {}"
                             "</script></body></html>"));
  EXPECT_FALSE(browser.waitUntilComplete(std::chrono::milliseconds(1000)));
  EXPECT_NE(browser.ReadyState(), 4);
  try {
    browser.Document();
    FAIL() << "no error";
  } catch (const capture::CaptureError& e) {
    EXPECT_STREQ(e.what(), "The page did not answer in time (1000 ms)");
  }
}

}  // namespace
}  // namespace quillon::webengine
