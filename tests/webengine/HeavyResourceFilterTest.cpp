// Pages loaded without their images, media and fonts: none of them is asked of the server,
// and what a capture reads of the page stays the same.

#include "webengine/WebEngineBrowser.h"
#include "webengine/WebTestSupport.h"

#include <atomic>
#include <gtest/gtest.h>
#include <httplib.h>
#include <thread>

namespace quillon::webengine {
namespace {

class HeavyPageServer {
 public:
  HeavyPageServer() {
    m_server.set_keep_alive_max_count(1);
    m_server.Get("/page.html", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(
          "<html><head><style>@font-face{font-family:F;src:url(font.woff)}"
          "body{font-family:F}</style></head><body>"
          "<img src=\"logo.png\"><video src=\"clip.mp4\"></video>"
          "<p class=\"org\">Bar Uno</p></body></html>",
          "text/html");
    });
    m_server.Get(R"(/(logo\.png|clip\.mp4|font\.woff))",
                 [this](const httplib::Request&, httplib::Response& response) {
                   ++heavyRequests;
                   response.status = 404;
                 });
    m_port = m_server.bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
  }
  ~HeavyPageServer() {
    m_server.stop();
    m_thread.join();
  }
  std::u16string url() const {
    return testing::wide("http://127.0.0.1:" + std::to_string(m_port) + "/page.html");
  }

  std::atomic<int> heavyRequests{0};

 private:
  httplib::Server m_server;
  std::thread m_thread;
  int m_port = 0;
};

std::u16string pageText(WebEngineBrowser& browser) {
  const auto document = browser.Document();
  std::u16string text;
  for (int i = 0; i < document->bodyElements().length(); ++i) {
    const auto* element = document->bodyElements().item(i);
    if (element->className() == u"org") text += element->innerText();
  }
  return text;
}

TEST(HeavyResourceFilter, ABlockedPageAsksForNoImageMediaOrFontAndReadsTheSame) {
  HeavyPageServer server;
  WebEngineBrowser browser;
  browser.setBlockHeavyResources(true);
  testing::load(browser, server.url());
  const std::u16string blocked = pageText(browser);
  EXPECT_EQ(server.heavyRequests, 0);

  browser.setBlockHeavyResources(false);
  testing::load(browser, server.url() + u"?again");
  // The image at least is asked for as the page loads.
  EXPECT_GE(server.heavyRequests, 1);
  EXPECT_EQ(pageText(browser), blocked);
  EXPECT_EQ(blocked, u"Bar Uno");
}

}  // namespace
}  // namespace quillon::webengine
