#include "capture/CaptureError.h"
#include "capture/DownloadBusyFlag.h"
#include "capture/SnapshotScope.h"
#include "webengine/WebEngineBrowser.h"
#include "webengine/WebTestSupport.h"

#include <QCoreApplication>
#include <QWebEnginePage>

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace quillon::webengine {
namespace {

using testing::currentUrl;
using testing::fileUrl;
using testing::load;
using testing::PageFiles;
using testing::wide;

// Records the order of the load events.
struct EventLog final : capture::BrowserListener {
  std::vector<std::string> events;
  void DownloadBegin() override { events.emplace_back("begin"); }
  void DownloadComplete() override { events.emplace_back("complete"); }
  void DocumentComplete(std::u16string_view url) override {
    events.emplace_back("document " + std::string(url.begin(), url.end()));
  }
};

constexpr const char* kSamplePage = R"html(<!DOCTYPE html>
<html><head><title>t</title><meta name="x" class="org"></head>
<body>
<div class="vcard rest ig" id="c1"><h2><a class="org" href="next.html?p=2&amp;q=a b">Caf&eacute; +-+ Uno</a></h2>
<p class="tel"><a href="javascript:reveal()">Tel&eacute;fono</a></p><span id="n"></span></div>
<p class="Tel">caps</p><p class="tel extra">two</p>
<svg><a href="#x"><text class="org">svg</text></a></svg>
<script>function reveal() { document.getElementById('n').className = 'org'; }</script>
</body></html>)html";

class WebEngineBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override { m_sample = m_files.add("sample.html", kSamplePage); }

  PageFiles m_files;
  std::u16string m_sample;
};

TEST_F(WebEngineBrowserTest, NothingLoadedYet) {
  WebEngineBrowser browser;
  EXPECT_EQ(browser.ReadyState(), 0);
  EXPECT_EQ(browser.Document(), nullptr);
  browser.GoBack();  // no history: nothing happens
  browser.GoForward();
  EXPECT_EQ(browser.ReadyState(), 0);
}

TEST_F(WebEngineBrowserTest, LoadEventsAndReadyState) {
  WebEngineBrowser browser;
  EventLog log;
  capture::DownloadBusyFlag busy;
  browser.AddListener(log);
  browser.AddListener(busy);
  const std::u16string url = fileUrl("es/page3.html");
  browser.Navigate(url);
  // At once, before any event: the page that is about to go must not count as complete.
  EXPECT_NE(browser.ReadyState(), 4);
  ASSERT_TRUE(browser.waitUntilComplete(testing::kLoadLimit));
  EXPECT_EQ(browser.ReadyState(), 4);
  EXPECT_TRUE(browser.lastLoadSucceeded());
  EXPECT_FALSE(busy.isSet());
  EXPECT_EQ(log.events,
            (std::vector<std::string>{"begin", "complete",
                                      "document " + std::string(url.begin(), url.end())}));
  browser.RemoveListener(log);
  browser.RemoveListener(busy);
}

TEST_F(WebEngineBrowserTest, FailedLoadStillCompletes) {
  WebEngineBrowser browser;
  // A refused connection or a missing file is a failed load, but the page is complete.
  browser.Navigate(fileUrl("no/such/page.html"));
  ASSERT_TRUE(browser.waitUntilComplete(testing::kLoadLimit));
  EXPECT_EQ(browser.ReadyState(), 4);
  EXPECT_FALSE(browser.lastLoadSucceeded());
  browser.Navigate(u"http://127.0.0.1:1/");
  ASSERT_TRUE(browser.waitUntilComplete(testing::kLoadLimit));
  EXPECT_FALSE(browser.lastLoadSucceeded());
  EXPECT_THROW(browser.Navigate(u"not an address"), capture::CaptureError);
}

TEST_F(WebEngineBrowserTest, AMoveWithinThePageCompletesLikeALoad) {
  WebEngineBrowser browser;
  EventLog log;
  load(browser, m_sample);
  browser.AddListener(log);
  // A "Next" whose address is "#" or a fragment of the page shown loads nothing.
  for (const std::u16string& target : {m_sample + u"#", m_sample + u"#top"}) {
    browser.Navigate(target);
    ASSERT_TRUE(browser.waitUntilComplete(std::chrono::seconds(10)));
    EXPECT_EQ(browser.ReadyState(), 4);
    EXPECT_EQ(browser.LocationURL(), target);
  }
  const std::string second(m_sample.begin(), m_sample.end());
  EXPECT_EQ(log.events,
            (std::vector<std::string>{"document " + second + "#", "document " + second + "#top"}));
  // A different page still counts as loading until the engine reports it.
  browser.Navigate(fileUrl("es/page3.html"));
  EXPECT_NE(browser.ReadyState(), 4);
  ASSERT_TRUE(browser.waitUntilComplete(testing::kLoadLimit));
  EXPECT_EQ(browser.LocationURL(), fileUrl("es/page3.html"));
  browser.RemoveListener(log);
}

TEST_F(WebEngineBrowserTest, SnapshotHoldsWhatTheCaptureReads) {
  WebEngineBrowser browser;
  load(browser, m_sample);
  const auto doc = browser.Document();
  ASSERT_NE(doc, nullptr);
  EXPECT_TRUE(doc->isHtmlDocument());
  EXPECT_TRUE(doc->hasBody());

  // all: HTML HEAD TITLE META BODY ...; the body's elements follow the body.
  const auto& all = doc->all();
  ASSERT_GE(all.length(), 5);
  EXPECT_EQ(all.item(0)->tagName(), u"HTML");
  EXPECT_EQ(all.item(3)->className(), u"org");
  EXPECT_EQ(all.item(4)->tagName(), u"BODY");
  const auto& body = doc->bodyElements();
  ASSERT_EQ(body.length(), all.length() - 5);
  EXPECT_EQ(body.item(0), all.item(5));

  const capture::HtmlElement& container = *body.item(0);
  EXPECT_EQ(container.tagName(), u"DIV");
  EXPECT_EQ(container.className(), u"vcard rest ig");
  EXPECT_EQ(container.id(), u"c1");
  EXPECT_EQ(container.innerText(), u"Caf\u00e9 +-+ Uno\n\nTel\u00e9fono");

  const capture::HtmlElement& org = *body.item(2);
  EXPECT_EQ(org.tagName(), u"A");
  EXPECT_EQ(org.innerText(), u"Caf\u00e9 +-+ Uno");
  EXPECT_EQ(org.innerHTML(), u"Caf\u00e9 +-+ Uno");
  // The link target is absolute, as Navigate takes it.
  const std::u16string base = m_sample.substr(0, m_sample.rfind(u'/') + 1);
  EXPECT_EQ(org.href(), base + u"next.html?p=2&q=a%20b");
  EXPECT_EQ(body.item(3)->href(), u"");  // a paragraph has no link target

  const capture::HtmlElement& phoneLink = *body.item(4);
  EXPECT_EQ(phoneLink.innerText(), u"Tel\u00e9fono");
  EXPECT_EQ(phoneLink.href(), u"javascript:reveal()");

  // Class attributes come as written; an SVG anchor has no link target here.
  std::vector<std::u16string> classes;
  for (std::int32_t i = 0; i < body.length(); ++i) {
    classes.emplace_back(body.item(i)->className());
  }
  EXPECT_NE(std::find(classes.begin(), classes.end(), u"Tel"), classes.end());
  EXPECT_NE(std::find(classes.begin(), classes.end(), u"tel extra"), classes.end());
  const capture::HtmlElement& svgText = *body.item(body.length() - 2);
  EXPECT_EQ(svgText.className(), u"org");
  EXPECT_EQ(svgText.innerText(), u"svg");
  EXPECT_EQ(body.item(body.length() - 3)->href(), u"");
}

TEST_F(WebEngineBrowserTest, ScriptAddressRunsInThePage) {
  WebEngineBrowser browser;
  capture::DownloadBusyFlag busy;
  browser.AddListener(busy);
  load(browser, m_sample);
  browser.Navigate(u"javascript:reveal()");
  // The script counts as a download until the page has run it; no page load begins.
  EXPECT_TRUE(busy.isSet());
  EXPECT_EQ(browser.ReadyState(), 4);
  while (busy.isSet()) QCoreApplication::processEvents();
  const auto doc = browser.Document();
  const auto& body = doc->bodyElements();
  bool revealed = false;
  for (std::int32_t i = 0; i < body.length(); ++i) {
    if (body.item(i)->id() == u"n") revealed = body.item(i)->className() == u"org";
  }
  EXPECT_TRUE(revealed);

  // Percent-encoded script addresses are decoded first.
  browser.Navigate(u"javascript:document.title%20=%20'%C3%A9'");
  while (busy.isSet()) QCoreApplication::processEvents();
  EXPECT_EQ(browser.page()->title().toStdU16String(), u"\u00e9");
  browser.RemoveListener(busy);
}

TEST_F(WebEngineBrowserTest, HistoryAndAPageGivenFromOutside) {
  QWebEnginePage page;
  WebEngineBrowser browser(&page);
  EXPECT_EQ(browser.page(), &page);
  load(browser, fileUrl("au/page1.html"));
  load(browser, fileUrl("au/page2.html"));
  browser.GoBack();
  ASSERT_TRUE(browser.waitUntilComplete(testing::kLoadLimit));
  EXPECT_EQ(wide(currentUrl(browser)), fileUrl("au/page1.html"));
  browser.GoForward();
  ASSERT_TRUE(browser.waitUntilComplete(testing::kLoadLimit));
  EXPECT_EQ(wide(currentUrl(browser)), fileUrl("au/page2.html"));
}

TEST_F(WebEngineBrowserTest, PageGivenFromOutsideThatGoesFirst) {
  auto page = std::make_unique<QWebEnginePage>();
  WebEngineBrowser browser(page.get());
  load(browser, m_sample);
  page.reset();
  EXPECT_EQ(browser.ReadyState(), 0);
  EXPECT_EQ(browser.Document(), nullptr);
  EXPECT_THROW(browser.Navigate(m_sample), capture::CaptureError);
  browser.GoBack();
}

TEST_F(WebEngineBrowserTest, EverythingScopeTakesEveryText) {
  WebEngineBrowser browser;
  browser.setSnapshotScope(capture::SnapshotScope::all());
  load(browser, m_sample);
  const auto doc = browser.Document();
  const capture::HtmlElement& html = *doc->all().item(0);
  EXPECT_NE(html.outerHTML().find(u"<head>"), std::u16string_view::npos);
  EXPECT_NE(html.innerText().find(u"Uno"), std::u16string_view::npos);
}

}  // namespace
}  // namespace quillon::webengine
