#include "capture/CaptureError.h"
#include "capture/PageWalker.h"
#include "support/FakeDocument.h"

#include <gtest/gtest.h>
#include <string>

namespace quillon::capture {
namespace {

using testing::anchor;
using testing::classed;
using testing::FakeDocument;
using testing::FakeElement;

FakeElement withOuter(std::u16string cls, std::u16string outer) {
  FakeElement e;
  e.cls = std::move(cls);
  e.outer = std::move(outer);
  return e;
}

FakeElement withInner(std::u16string cls, std::u16string inner, std::u16string text = {}) {
  FakeElement e;
  e.cls = std::move(cls);
  e.inner = std::move(inner);
  e.text = std::move(text);
  return e;
}

std::string walk(parsers::Site site, const FakeDocument& doc) {
  PlainProgressIndicator progress;
  std::string text = "left over";
  walkPage(site, &doc, text, progress);
  return text;
}

TEST(PageWalker, SpanishListingWithContainerBeforeRecordStart) {
  FakeDocument doc;
  doc.add(FakeElement{});  // an element without class
  doc.add(classed(u"vcard rest ig", u"Restaurante El Olivo\nRestaurantes\nTel\u00e9fono"));
  doc.add(classed(u"org", u"Restaurante El Olivo"));
  doc.add(classed(u"activ", u"Restaurantes: Cocina mediterr\u00e1nea"));
  doc.add(classed(u"adr", u"Calle del Olmo, 7 28801 Alcal\u00e1 de Henares (Madrid)"));
  doc.add(classed(u"postal-code", u"28801"));
  doc.add(classed(u"locality", u"Alcal\u00e1 de Henares"));
  doc.add(classed(u"tel", u"Tel\u00e9fono"));
  doc.add(withOuter(u"iframefunc",
                    u"<iframe class=\"iframefunc\" src=\"tel.html?tfno=912 345 678&amp;x=1\">"));
  doc.add(classed(u"url", u"www.elolivo.es"));
  doc.add(classed(u"vcard rest ig", u"Bar Los Pinos"));
  doc.add(classed(u"org", u"Bar Los Pinos"));

  EXPECT_EQ(walk(parsers::Site::ES, doc),
            "vcard rest ig: Restaurante El Olivo\nRestaurantes\nTel\351fono\r\n"
            "+-+org: Restaurante El Olivo\r\n"
            "activ: Restaurantes: Cocina mediterr\xE1nea\r\n"
            "adr: Calle del Olmo, 7 28801 Alcal\xE1 de Henares (Madrid)\r\n"
            "postal-code: 28801\r\n"
            "locality: Alcal\xE1 de Henares\r\n"
            "tel: Tel\351fono\r\n"
            "Tel\351fono: 912 345 678\r\n"
            "url: www.elolivo.es\r\n"
            "vcard rest ig: Bar Los Pinos\r\n"
            "+-+org: Bar Los Pinos\r\n");
}

TEST(PageWalker, SpanishPhoneLineFromMarkup) {
  struct Case {
    std::u16string outer;
    std::string expected;
  };
  const Case cases[] = {
      // No "tfno=": 11 characters from the fifth character of the markup.
      {u"<div class=\"iframefunc\"></div>", " class=\"ifr"},
      // Markup ending before 11 characters are taken.
      {u"<i tfno=91 2>", "91 2>"},
      {u"x tfno=", ""},
      {u"abc", ""},
      // Only the first "tfno=" counts.
      {u"<a tfno=111 222 333 tfno=999 888 777>", "111 222 333"},
  };
  for (const Case& c : cases) {
    FakeDocument doc;
    doc.add(withOuter(u"iframefunc", c.outer));
    std::string expected = "Tel\351fono: ";
    expected.append(c.expected).append("\r\n");
    EXPECT_EQ(walk(parsers::Site::ES, doc), expected)
        << std::string(c.outer.begin(), c.outer.end());
  }
}

TEST(PageWalker, ClassAttributeMustMatchWhole) {
  FakeDocument doc;
  doc.add(classed(u"tel extra", u"1"));
  doc.add(classed(u" tel", u"2"));
  doc.add(classed(u"TEL", u"3"));
  doc.add(classed(u"tel ", u"4"));
  doc.add(classed(u"Org", u"5"));
  doc.add(classed(u"tel", u"6"));
  EXPECT_EQ(walk(parsers::Site::ES, doc), "tel: 6\r\n");
  EXPECT_EQ(walk(parsers::Site::IT, doc), "tel: 6\r\n");
}

TEST(PageWalker, ItalianRecordStartAndOrgOrange) {
  FakeDocument doc;
  doc.add(withInner(u"vcard clearfix", u"<h2 class=\"org orange\">Caff\u00e8 Roma</h2>",
                    u"ignored text"));
  doc.add(classed(u"org orange", u"Caff\u00e8 Roma"));
  doc.add(classed(u"org", u"Caff\u00e8 Roma"));
  doc.add(classed(u"tel", u"tel: 06 1234567"));
  EXPECT_EQ(walk(parsers::Site::IT, doc),
            "+-+: <h2 class=\"org orange\">Caff\xE8 Roma</h2>\r\n"
            "org orange: Caff\xE8 Roma\r\n"
            "org: Caff\xE8 Roma\r\n"
            "tel: tel: 06 1234567\r\n");
}

TEST(PageWalker, AustralianAndCanadianLines) {
  FakeDocument doc;
  doc.add(classed(u"listingName", u"Harbour Plumbing"));
  doc.add(classed(u"address", u"5 Pitt St Sydney NSW 2000"));
  doc.add(withInner(u"primaryListingLinks", u"<a href=\"x?webSite=http%3A%2F%2Fa.com&amp;\">W</a>",
                    u"W"));
  doc.add(classed(u"listingTitle", u"Maple Bakery"));
  doc.add(classed(u"hiLiteThis", u"416-555-0199"));
  EXPECT_EQ(walk(parsers::Site::AU, doc),
            "+-+listingName: Harbour Plumbing\r\n"
            "address: 5 Pitt St Sydney NSW 2000\r\n"
            "URL: <a href=\"x?webSite=http%3A%2F%2Fa.com&amp;\">W</a>\r\n");
  EXPECT_EQ(walk(parsers::Site::CA, doc),
            "address: 5 Pitt St Sydney NSW 2000\r\n"
            "+-+listingTitle: Maple Bakery\r\n"
            "hiLiteThis: 416-555-0199\r\n");
}

TEST(PageWalker, TextIsTakenAsGiven) {
  FakeDocument doc;
  doc.add(classed(u"org", u""));                  // empty text keeps its line
  doc.add(classed(u"org", u"  A +-+ B\r\nC  "));  // nothing trimmed or escaped
  doc.add(classed(u"org", u"\u0160koda \u0141\u00f3d\u017a \u0416 \U0001F600"));  // outside cp1252
  EXPECT_EQ(walk(parsers::Site::ES, doc),
            "+-+org: \r\n"
            "+-+org:   A +-+ B\r\nC  \r\n"
            "+-+org: \x8Akoda L\xF3"
            "dz ? ?\r\n");
}

TEST(PageWalker, OnlyBodyElementsAreWalked) {
  FakeDocument doc;
  doc.add(classed(u"org", u"in the head"));
  doc.add(classed(u"org", u"in the body"));
  doc.bodyStart = 1;
  EXPECT_EQ(walk(parsers::Site::ES, doc), "+-+org: in the body\r\n");
}

TEST(PageWalker, NoMatchGivesEmptyText) {
  FakeDocument doc;
  doc.add(anchor(u"Siguiente", u"Siguiente", u"http://x/2"));
  EXPECT_EQ(walk(parsers::Site::CA, doc), "");
}

TEST(PageWalker, Errors) {
  PlainProgressIndicator progress;
  std::string text = "old";
  try {
    GetElementByIdYPau(nullptr, text);
    FAIL() << "no error";
  } catch (const CaptureError& e) {
    EXPECT_STREQ(e.what(), "Invalid HTML document");
  }
  EXPECT_EQ(text, "");

  FakeDocument notHtml;
  notHtml.html = false;
  text = "old";
  EXPECT_THROW(GetElementByIdGialle(&notHtml, text, progress), CaptureError);
  EXPECT_EQ(text, "");

  FakeDocument noBody;
  noBody.body = false;
  noBody.add(classed(u"org", u"x"));
  try {
    GetElementByIdAmarillas(&noBody, text, progress);
    FAIL() << "no error";
  } catch (const CaptureError& e) {
    EXPECT_STREQ(e.what(), "Can't find <body> element");
  }
}

TEST(PageWalker, ProgressOnlyForSpanishAndItalian) {
  FakeDocument doc;
  for (int i = 0; i < 5; ++i) doc.add(FakeElement{});
  std::string text;
  for (const auto site : {parsers::Site::ES, parsers::Site::IT}) {
    PlainProgressIndicator progress;
    walkPage(site, &doc, text, progress);
    EXPECT_EQ(progress.max(), 5);
    EXPECT_EQ(progress.position(), 4);
  }
  for (const auto site : {parsers::Site::AU, parsers::Site::CA}) {
    PlainProgressIndicator progress;
    progress.setMax(77);
    progress.setPosition(7);
    walkPage(site, &doc, text, progress);
    EXPECT_EQ(progress.max(), 77);
    EXPECT_EQ(progress.position(), 7);
  }
}

}  // namespace
}  // namespace quillon::capture
