// What the browser gives of a page that asks for a person: the HTTP status of its answer, and
// the signs that both collect scripts gather in their one evaluation.

#include "capture/PageSigns.h"
#include "capture/PersonCheck.h"
#include "webengine/WebEngineBrowser.h"
#include "webengine/WebTestSupport.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <thread>

namespace quillon::webengine {
namespace {

// The widget's script has a type that no browser runs, so nothing is fetched from outside.
constexpr const char* kCheckPage =
    R"(<html><head><script type="text/plain" src="https://js.hcaptcha.com/1/api.js"></script>)"
    R"(</head><body><h1>Checking your browser</h1><p>This takes a moment.</p></body></html>)";

TEST(CheckPage, TheStatusAndTheSignsOfACheckServedWith403) {
  httplib::Server server;
  server.set_keep_alive_max_count(1);
  server.Get("/check", [](const httplib::Request&, httplib::Response& response) {
    response.status = 403;
    response.set_content(kCheckPage, "text/html");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  std::thread thread([&] { server.listen_after_bind(); });
  const std::u16string base = testing::wide("http://127.0.0.1:" + std::to_string(port));

  WebEngineBrowser browser;
  EXPECT_EQ(browser.HttpStatus(), 0);
  browser.Navigate(base + u"/check");
  ASSERT_TRUE(browser.waitUntilComplete(testing::kLoadLimit));
  EXPECT_EQ(browser.HttpStatus(), 403);
  for (const capture::PageSigns& signs : {capture::documentSigns(browser.Document().get()),
                                          capture::pageDataSigns(browser.PageData())}) {
    EXPECT_EQ(capture::recognisePersonCheck(signs), "\"Checking your browser\"");
    EXPECT_NE(signs.text.find("This takes a moment."), std::string::npos) << signs.text;
    EXPECT_EQ(signs.scriptSources, std::vector<std::string>{"https://js.hcaptcha.com/1/api.js"});
  }
  server.stop();
  thread.join();
}

}  // namespace
}  // namespace quillon::webengine
