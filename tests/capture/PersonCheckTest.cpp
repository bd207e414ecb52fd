#include "capture/PageAnswer.h"
#include "capture/PageSigns.h"
#include "capture/PersonCheck.h"
#include "support/FakeDocument.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace quillon::capture {
namespace {

using namespace std::chrono_literals;

PageSigns text(std::string shown) { return {std::move(shown), {}, {}}; }

TEST(PersonCheck, TheWallsOfFiveLanguagesWhateverTheirCaseAndSpacing) {
  EXPECT_EQ(recognisePersonCheck(text("Just a moment...")), "\"Just a moment\"");
  EXPECT_EQ(recognisePersonCheck(text("Please VERIFY  you are\nhuman to go on")),
            "\"Verify you are human\"");
  EXPECT_EQ(recognisePersonCheck(text("Our systems have detected unusual traffic from your "
                                      "computer network.")),
            "\"unusual traffic\"");
  EXPECT_EQ(recognisePersonCheck(text("Comprobando su navegador antes de acceder")),
            "\"Comprobando su navegador\"");
  EXPECT_EQ(recognisePersonCheck(text("Compruebe que no es un robot")), "\"no es un robot\"");
  EXPECT_EQ(recognisePersonCheck(text("Solo un momento…")), "\"Solo un momento\"");
  EXPECT_EQ(recognisePersonCheck(text("Abbiamo rilevato traffico insolito")),
            "\"traffico insolito\"");
  EXPECT_EQ(recognisePersonCheck(text("Vérification de votre navigateur")),
            "\"Vérification de votre navigateur\"");
  EXPECT_EQ(recognisePersonCheck(text("VÉRIFIEZ QUE VOUS ÊTES HUMAIN")),
            "\"Vérifiez que vous êtes humain\"");
  EXPECT_EQ(recognisePersonCheck(text("ÜBERPRÜFUNG IHRES BROWSERS")),
            "\"Überprüfung Ihres Browsers\"");
  EXPECT_EQ(recognisePersonCheck(text("I\xE2\x80\x99m not a robot")), "\"not a robot\"");
}

TEST(PersonCheck, WordsThatOrdinaryPagesSayCountOnlyOnAShortPage) {
  const std::string article(3000, 'x');
  EXPECT_EQ(recognisePersonCheck(text("Access denied")), "\"Access denied\"");
  EXPECT_EQ(recognisePersonCheck(text("Just a moment " + article)), "");
  EXPECT_EQ(recognisePersonCheck(text("Acceso denegado " + article)), "");
  EXPECT_EQ(recognisePersonCheck(text(article + " Verify you are human")),
            "\"Verify you are human\"");
  EXPECT_EQ(recognisePersonCheck(text("No results for dentists in Leeds. Try another search.")),
            "");
}

TEST(PersonCheck, CaptchaWidgetsByTheirFramesAndScripts) {
  EXPECT_EQ(recognisePersonCheck({"", {"https://www.google.com/recaptcha/api2/anchor?k=x"}, {}}),
            "a reCAPTCHA widget");
  EXPECT_EQ(recognisePersonCheck({"", {}, {"https://JS.hCaptcha.com/1/api.js"}}),
            "an hCaptcha widget");
  EXPECT_EQ(recognisePersonCheck(
                {"", {"https://challenges.cloudflare.com/cdn-cgi/challenge-platform/h/b"}, {}}),
            "a Turnstile widget");
  EXPECT_EQ(recognisePersonCheck({"", {}, {"https://cdn.example/app.js"}}), "");
}

TEST(PageAnswer, ListingsFirstThenChecksThenRefusals) {
  const auto check = [] { return text("Checking your browser"); };
  const auto plain = [] { return text("Too many requests"); };
  const auto never = []() -> PageSigns {
    ADD_FAILURE() << "a page with listings is never asked for its signs";
    return {};
  };
  EXPECT_EQ(answerOf(429, true, never).kind, PageAnswer::Kind::Read);
  EXPECT_EQ(answerOf(200, true, never).kind, PageAnswer::Kind::Read);
  // A check served with 429 is a check, not a reason to wait.
  const PageAnswer served = answerOf(429, false, check);
  EXPECT_EQ(served.kind, PageAnswer::Kind::PersonCheck);
  EXPECT_EQ(served.recognised, "\"Checking your browser\"");
  EXPECT_EQ(answerOf(200, false, check).kind, PageAnswer::Kind::PersonCheck);
  for (const int status : {429, 503}) {
    const PageAnswer refused = answerOf(status, false, plain);
    EXPECT_EQ(refused.kind, PageAnswer::Kind::Refused);
    EXPECT_TRUE(refused.askAgain);
  }
  const PageAnswer forbidden = answerOf(403, false, plain);
  EXPECT_EQ(forbidden.kind, PageAnswer::Kind::Refused);
  EXPECT_FALSE(forbidden.askAgain);
  EXPECT_EQ(answerOf(404, false, plain).kind, PageAnswer::Kind::Read);
  EXPECT_EQ(answerOf(200, false, {}).kind, PageAnswer::Kind::Read);
}

TEST(PageAnswer, TheWordsOfTheRun) {
  EXPECT_EQ(refusalNotice(2, 429, 30s), "page 2: the site asks to wait 30 s (HTTP 429)");
  EXPECT_EQ(refusalNotice(3, 503, 1500ms), "page 3: the site asks to wait 1.5 s (HTTP 503)");
  EXPECT_EQ(secondsText(250ms), "0.25");
  EXPECT_EQ(secondsText(0ms), "0");
  EXPECT_EQ(refusedReason(4, 503), "the site refused page 4 (HTTP 503)");
  EXPECT_EQ(personCheckReason(1, "a reCAPTCHA widget"),
            "page 1 asks to prove that a person is there (a reCAPTCHA widget)");
}

TEST(PageSigns, FromThePageDataTheProfileAnswerAndTheSnapshot) {
  const std::string pageData =
      R"({"url":"u","jsonLd":[],"microdata":[],"links":[],)"
      R"("signs":{"text":"Un instant","frames":["https://f/"],"scripts":["https://s/",""]}})";
  const PageSigns signs = pageDataSigns(pageData);
  EXPECT_EQ(signs.text, "Un instant");
  EXPECT_EQ(signs.frameSources, std::vector<std::string>{"https://f/"});
  EXPECT_EQ(signs.scriptSources, std::vector<std::string>{"https://s/"});
  nlohmann::json answer = {{"page", pageData}, {"listings", nlohmann::json::array()}};
  EXPECT_EQ(profileAnswerSigns(answer.dump()).text, "Un instant");
  // Data without signs, or no JSON at all, shows none.
  EXPECT_EQ(pageDataSigns(R"({"url":"u"})").text, "");
  EXPECT_EQ(pageDataSigns("not json").text, "");
  EXPECT_EQ(profileAnswerSigns(R"({"page":7})").text, "");

  testing::FakeDocument document;
  testing::FakeElement script;
  script.tag = u"SCRIPT";
  script.link = u"https://js.hcaptcha.com/1/api.js";
  document.add(script);
  testing::FakeElement body;
  body.tag = u"BODY";
  body.text = u"Attention Required!";
  document.add(body);
  testing::FakeElement frame;
  frame.tag = u"IFRAME";
  frame.link = u"https://www.google.com/recaptcha/api2/bframe";
  document.add(frame);
  const PageSigns shown = documentSigns(&document);
  EXPECT_EQ(shown.text, "Attention Required!");
  EXPECT_EQ(shown.scriptSources, std::vector<std::string>{"https://js.hcaptcha.com/1/api.js"});
  EXPECT_EQ(shown.frameSources,
            std::vector<std::string>{"https://www.google.com/recaptcha/api2/bframe"});
  EXPECT_EQ(documentSigns(nullptr).text, "");
}

}  // namespace
}  // namespace quillon::capture
