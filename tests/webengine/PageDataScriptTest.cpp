// The two collectors of the schema.org reader agree: the in-page script in the browser and
// the HTML reader of fetched pages give the same page data for the same file.

#include "structured/HtmlPageReader.h"
#include "structured/PageDataFormat.h"
#include "webengine/PageDataScript.h"
#include "webengine/WebEngineBrowser.h"
#include "webengine/WebTestSupport.h"

#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace quillon::webengine {
namespace {

using testing::fileUrl;
using testing::fixturePath;
using testing::load;
using testing::readFile;

// The script's result, run as the capture runs it (isolated world); empty on a time-out.
std::string collect(QWebEnginePage* page) {
  struct Reply {
    bool done = false;
    QString text;
  };
  auto reply = std::make_shared<Reply>();
  page->runJavaScript(QString::fromStdU16String(pageDataScript()),
                      QWebEngineScript::ApplicationWorld, [reply](const QVariant& result) {
                        reply->done = true;
                        reply->text = result.toString();
                      });
  for (int i = 0; i < 300 && !reply->done; ++i) {
    QEventLoop loop;
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return reply->text.toStdString();
}

std::string describe(const structured::MicrodataElement& e) {
  return std::to_string(e.parent) + " <" + e.tag + (e.itemscope ? " itemscope" : "") +
         " itemtype=" + e.itemtype + " itemprop=" + e.itemprop + " itemref=" + e.itemref +
         " id=" + e.id + "> [" + e.value + "]";
}

std::string describe(const structured::PageLink& l) {
  return "<" + l.tag + " rel=" + l.rel + " href=" + l.href + " aria-label=" + l.ariaLabel +
         " title=" + l.title + "> [" + l.text + "]";
}

template <class Item>
void expectSameItems(const std::vector<Item>& browser, const std::vector<Item>& reader,
                     const std::string& page) {
  for (std::size_t i = 0; i < std::max(browser.size(), reader.size()); ++i) {
    EXPECT_EQ(i < browser.size() ? describe(browser[i]) : "(none)",
              i < reader.size() ? describe(reader[i]) : "(none)")
        << page << " item " << i;
  }
}

TEST(PageDataScript, CollectsWhatTheHtmlReaderReads) {
  WebEngineBrowser browser;
  for (const std::string relative :
       {"auto/collect.html", "auto/page1.html", "auto/page2.html", "auto/page3.html",
        "auto/summary.html", "auto/detail-1.html", "auto/detail-2.html", "auto/detail-3.html",
        "real/fr-plombiers-schema.html"}) {
    const std::u16string url = fileUrl(relative);
    load(browser, url);
    const std::string json = collect(browser.page());
    ASSERT_FALSE(json.empty()) << relative << ": the script gave no answer";
    const structured::PageData collected = structured::decodePageData(json);
    const structured::PageData read = structured::readHtmlPage(
        readFile(fixturePath(relative)), QString::fromStdU16String(url).toStdString());
    EXPECT_EQ(collected.url, read.url);
    EXPECT_EQ(collected.language, read.language) << relative;
    EXPECT_EQ(collected.jsonLd, read.jsonLd) << relative;
    expectSameItems(collected.microdata, read.microdata, relative);
    expectSameItems(collected.links, read.links, relative);
  }
}

}  // namespace
}  // namespace quillon::webengine
