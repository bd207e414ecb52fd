#include "parsers/Finders.h"
#include "text/Utf8.h"
#include "webfetch/FakePageReader.h"
#include "webfetch/PageEmail.h"

#include <gtest/gtest.h>

namespace quillon::webfetch::testing {
namespace {

std::string emailOf(std::string_view html) {
  return findPageEmail(html, readTestPage(html, "http://www.rossi.test/"));
}

TEST(PageEmail, FindsTheAddressInTheOrderOfItsSources) {
  const struct {
    const char* html;
    const char* email;
  } cases[] = {
      // mailto: links, before the text, decoded, the first recipient only.
      {"<p>sales@rossi.test</p><a href=\"mailto:info@rossi.test\">write</a>", "info@rossi.test"},
      {"<a href=\"MAILTO:%20info%40rossi.test?subject=Hi\">x</a>", "info@rossi.test"},
      {"<a href=\"mailto:first@rossi.test,second@rossi.test\">x</a>", "first@rossi.test"},
      // A mailto: link that holds no valid address is passed over for the text.
      {"<a href=\"mailto:info at rossi\">x</a> office@rossi.test", "office@rossi.test"},
      {"<a href=\"mailto:a@b.c d@e.f\">x</a> office@rossi.test", "office@rossi.test"},
      // The visible text, never the address of a link.
      {"<a href=\"https://user@tracker.test/x\">x</a><p>Write to shop@rossi.test.</p>",
       "shop@rossi.test"},
      {"<a href=\"https://user@tracker.test/x\">x</a><img src=\"logo@2x.png\">", ""},
      // Bracketed words, before the character references of the markup.
      {"<p>info [at] rossi [dot] test</p>", "info@rossi.test"},
      {"<p>info(at)rossi.test</p>", "info@rossi.test"},
      {"<p>info { AT } rossi {Dot} test</p><i title=\"x&#64;y.test\"></i>", "info@rossi.test"},
      {"<p>info &lt;at&gt; rossi &lt;dot&gt; test</p>", "info@rossi.test"},
      {"<p>meet us [at] the fair</p>", ""},
      {"<p>info [at rossi.test</p>", ""},
      // Character references of the raw HTML (a plain address in the markup is no find).
      {"<span data-x=\"info&#64;rossi&#46;test\"></span>", "info@rossi.test"},
      {"<span data-x=\"&#x69;&#x6E;&#x66;&#x6F;&#x40;rossi.test\"></span>", "info@rossi.test"},
      {"<span data-x=\"info&commat;rossi&period;test\"></span>", "info@rossi.test"},
      {"<span data-x=\"plain@rossi.test\"></span><b data-y=\"&#64;\"></b>", ""},
      {"<span data-x=\"plain@rossi.test\"></span><b data-y=\"x&#64;y.test\"></b>", "x@y.test"},
      // Cloudflare: hex bytes, the first the XOR key; attributes and links alike.
      {"<a class=\"__cf_email__\" data-cfemail=\"1a73747c755a6875696973346e7f696e\">[email "
       "protected]</a>",
       "info@rossi.test"},
      {"<a href=\"/cdn-cgi/l/email-protection#1a73747c755a6875696973346e7f696e\">mail</a>",
       "info@rossi.test"},
      {"<b data-cfemail=\"1a73\"></b><b data-cfemail='0f666169604f7d6021627b7b'></b>",
       "info@ro.mtt"},
      {"<b data-cfemail=\"zz\"></b><b data-cfemail=\"1a7374\"></b>", ""},
      // Look-alikes of the wider character set are no address characters.
      {"<p>info\xEF\xBC\xA0rossi.test</p>", ""},
      {"<p>caf\xC3\xA9@rossi.test</p>", ""},
      {"<html><body>nothing here</body></html>", ""},
      {"", ""},
  };
  for (const auto& [html, email] : cases) {
    const std::string found = emailOf(html);
    EXPECT_EQ(found, email) << html;
    if (!found.empty()) {
      EXPECT_EQ(parsers::FindEmail(found), found) << html;
    }
  }
}

TEST(PageEmail, ABodyThatIsNotUtf8IsReadAsCp1252) {
  EXPECT_EQ(text::utf8OrCp1252("Qui\xE9nes somos"), "Qui\xC3\xA9nes somos");
  EXPECT_EQ(text::utf8OrCp1252("Qui\xC3\xA9nes \xE2\x82\xAC"), "Qui\xC3\xA9nes \xE2\x82\xAC");
  // Overlong forms and encoded surrogates are no UTF-8.
  EXPECT_EQ(text::utf8OrCp1252("\xC0\xAF"), "\xC3\x80\xC2\xAF");
  EXPECT_EQ(text::utf8OrCp1252("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");
  EXPECT_EQ(emailSearchText("Qui\xC3\xA9nes \xE2\x82\xAC \xEF\xBC\xA0"), "Qui\xE9nes \x80  ");
}

}  // namespace
}  // namespace quillon::webfetch::testing
