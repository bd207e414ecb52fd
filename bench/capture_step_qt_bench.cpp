// What a capture step adds to each page beyond the page's own load: the document
// snapshot (one script evaluation), the walk, the cut and parse of every block, the
// duplicate check and insertion into the table, and the count report. Measured on a
// result page of 50 Canadian listings loaded once in an offscreen Qt WebEngine page.
// Target: at most 50 ms per page.
#include "capture/PageRows.h"
#include "capture/PageWalker.h"
#include "capture/ProgressIndicator.h"
#include "results/ResultsTable.h"
#include "text/Cp1252.h"
#include "webengine/BrowserEnvironment.h"
#include "webengine/WebEngineBrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QUrl>

#include <benchmark/benchmark.h>
#include <fstream>
#include <string>

namespace {

using namespace quillon;

webengine::WebEngineBrowser* g_browser = nullptr;

// 50 listings in the markup of the Canadian directory, with page furniture around them.
std::string fiftyListingPage() {
  std::string html =
      "<html><head><title>Results</title></head><body><div id=\"header\">"
      "<a href=\"/\">Home</a><a href=\"/help\">Help</a></div><ul class=\"results\">";
  for (int i = 0; i < 50; ++i) {
    const std::string n = std::to_string(100 + i);
    html += "<li class=\"vcard rest ig\"><h3 class=\"listingTitle\">Business " + n +
            " Ltd</h3><div class=\"address\">" + n +
            " Main St , Toronto , ON M5V 2T6</div>"
            "<div class=\"phoneNumber\">416-555-0" +
            n +
            "</div><p class=\"par\">FAX</p>"
            "<p class=\"hiLiteThis\">416-555-1" +
            n +
            "</p><a class=\"listingLink\" "
            "href=\"http://www.business" +
            n + ".ca/\">www.business" + n +
            ".ca</a>"
            "<div class=\"categoryList\">Category : Restaurants</div></li>";
  }
  html += "</ul><a href=\"page2.html\">Next <span>&gt;</span></a></body></html>";
  return html;
}

void BM_CaptureStepOverhead(benchmark::State& state) {
  for (auto _ : state) {
    results::ResultsTable table;
    capture::PlainProgressIndicator progress;
    const auto document = g_browser->Document();
    std::string pageText;
    capture::walkPage(parsers::Site::CA, document.get(), pageText, progress);
    const int added = capture::addPageRows(parsers::Site::CA, text::cp1252ToUtf16(pageText), table);
    std::string countText = std::to_string(table.Count()) + " lines captured";
    benchmark::DoNotOptimize(countText);
    if (added != 50) state.SkipWithError("the page did not yield its 50 rows");
  }
  state.SetLabel("per page of 50 listings");
}
BENCHMARK(BM_CaptureStepOverhead)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  quillon::webengine::prepareBrowserEnvironment(quillon::webengine::Display::Offscreen);
  QGuiApplication app(argc, argv);

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("page1.html"));
  std::ofstream(path.toStdString(), std::ios::binary) << fiftyListingPage();
  webengine::WebEngineBrowser browser;
  browser.Navigate(QUrl::fromLocalFile(path).toString().toStdU16String());
  if (!browser.waitUntilComplete(std::chrono::seconds(60))) return 1;
  g_browser = &browser;

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
