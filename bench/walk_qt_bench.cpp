// The document read (one script evaluation) and the walk of one result page, in an
// offscreen Qt WebEngine page: the four fixture sites' first pages (the Italian one is
// the largest fixture page) and a generated 20 MB page of 20,000 Spanish listings.
// Target: a fixture page well under 50 ms; the 20 MB page within a few seconds.
#include "capture/PageWalker.h"
#include "capture/ProgressIndicator.h"
#include "parsers/Site.h"
#include "webengine/BrowserEnvironment.h"
#include "webengine/WebEngineBrowser.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QUrl>

#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace quillon;

struct LoadedPage {
  std::string name;
  parsers::Site site;
  std::unique_ptr<webengine::WebEngineBrowser> browser;
};

std::vector<LoadedPage>& pages() {
  static std::vector<LoadedPage> loaded;
  return loaded;
}

std::string twentyMegabytePage() {
  const std::string filler(1000, 'x');
  std::string html = "<!DOCTYPE html><html><body>";
  for (int i = 0; i < 20000; ++i) {
    html += "<div class=\"vcard rest ig\"><a class=\"org\">N" + std::to_string(i) + "</a><p>" +
            filler + "</p></div>";
  }
  return html + "</body></html>";
}

bool load(const std::string& name, parsers::Site site, const QString& path) {
  auto browser = std::make_unique<webengine::WebEngineBrowser>();
  browser->Navigate(QUrl::fromLocalFile(path).toString().toStdU16String());
  if (!browser->waitUntilComplete(std::chrono::seconds(120))) return false;
  pages().push_back({name, site, std::move(browser)});
  return true;
}

void BM_DocumentReadAndWalk(benchmark::State& state) {
  LoadedPage& page = pages()[static_cast<std::size_t>(state.range(0))];
  std::size_t bytes = 0;
  for (auto _ : state) {
    capture::PlainProgressIndicator progress;
    std::string pageText;
    capture::walkPage(page.site, page.browser->Document().get(), pageText, progress);
    bytes = pageText.size();
    benchmark::DoNotOptimize(pageText);
  }
  state.SetLabel(page.name + ", page text " + std::to_string(bytes) + " bytes");
}

}  // namespace

int main(int argc, char** argv) {
  quillon::webengine::prepareBrowserEnvironment(quillon::webengine::Display::Offscreen);
  QGuiApplication app(argc, argv);

  const QString fixtures = QStringLiteral(QUILLON_FIXTURES);
  const struct {
    const char* code;
    parsers::Site site;
  } sites[] = {{"es", parsers::Site::ES},
               {"it", parsers::Site::IT},
               {"au", parsers::Site::AU},
               {"ca", parsers::Site::CA}};
  for (const auto& s : sites) {
    const QString path = fixtures + "/" + s.code + "/page1.html";
    if (!load(std::string(s.code) + "/page1.html", s.site, path)) return 1;
  }
  QTemporaryDir dir;
  const QString big = dir.filePath(QStringLiteral("big.html"));
  std::ofstream(big.toStdString(), std::ios::binary) << twentyMegabytePage();
  if (!load("generated 20 MB page", parsers::Site::ES, big)) return 1;

  for (std::size_t i = 0; i < pages().size(); ++i) {
    auto* bench = benchmark::RegisterBenchmark("BM_DocumentReadAndWalk", BM_DocumentReadAndWalk)
                      ->Arg(static_cast<std::int64_t>(i))
                      ->Unit(benchmark::kMillisecond);
    if (i + 1 == pages().size()) bench->Iterations(5);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  pages().clear();
  return 0;
}
