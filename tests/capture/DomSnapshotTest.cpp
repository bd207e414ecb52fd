#include "capture/CaptureError.h"
#include "capture/DomSnapshot.h"

#include <gtest/gtest.h>
#include <string>

namespace quillon::capture {
namespace {

// One element in the wire format; nullptr marks a text that was not taken.
std::u16string element(const char16_t* tag, const char16_t* cls, const char16_t* id,
                       const char16_t* text, const char16_t* inner, const char16_t* outer,
                       const char16_t* href) {
  std::u16string out;
  for (const char16_t* field : {tag, cls, id, text, inner, outer, href}) {
    if (field == nullptr) {
      out += u'-';
    } else {
      const std::u16string value(field);
      for (const char c : std::to_string(value.size())) out += static_cast<char16_t>(c);
      out += u':';
      out += value;
    }
  }
  return out;
}

TEST(DomSnapshot, ReadsElementsAndTheBodyRange) {
  std::u16string data = u"1,1,2,2,4;";
  data += element(u"HTML", u"", u"", nullptr, nullptr, nullptr, u"");
  data += element(u"BODY", u"", u"", nullptr, nullptr, nullptr, u"");
  // Texts may hold the field separators and any character.
  data += element(u"DIV", u"vcard rest ig", u"l1", u"12:34 - 5:\n\u00e9\U0001F600", nullptr,
                  nullptr, u"");
  data += element(u"A", u"", u"", u"", u"", u"<a href=\"x\"></a>", u"http://h/x");
  const auto doc = DomSnapshot::parse(data);
  EXPECT_TRUE(doc->isHtmlDocument());
  EXPECT_TRUE(doc->hasBody());
  ASSERT_EQ(doc->all().length(), 4);
  ASSERT_EQ(doc->bodyElements().length(), 2);
  EXPECT_EQ(doc->bodyElements().item(0), doc->all().item(2));
  EXPECT_EQ(doc->bodyElements().item(2), nullptr);
  EXPECT_EQ(doc->bodyElements().item(-1), nullptr);

  const capture::HtmlElement& div = *doc->bodyElements().item(0);
  EXPECT_EQ(div.tagName(), u"DIV");
  EXPECT_EQ(div.className(), u"vcard rest ig");
  EXPECT_EQ(div.id(), u"l1");
  EXPECT_EQ(div.innerText(), u"12:34 - 5:\n\u00e9\U0001F600");
  // A text that was not taken is an error, not an empty text.
  EXPECT_THROW(div.innerHTML(), capture::CaptureError);

  const capture::HtmlElement& a = *doc->bodyElements().item(1);
  EXPECT_EQ(a.innerText(), u"");
  EXPECT_EQ(a.outerHTML(), u"<a href=\"x\"></a>");
  EXPECT_EQ(a.href(), u"http://h/x");
}

TEST(DomSnapshot, DocumentWithoutBodyOrNotHtml) {
  const auto empty = DomSnapshot::parse(u"0,0,0,0,0;");
  EXPECT_FALSE(empty->isHtmlDocument());
  EXPECT_FALSE(empty->hasBody());
  EXPECT_EQ(empty->all().length(), 0);
  EXPECT_EQ(empty->bodyElements().length(), 0);
  EXPECT_EQ(empty->all().item(0), nullptr);
}

TEST(DomSnapshot, MalformedDataIsAnError) {
  const std::u16string one = element(u"P", u"", u"", nullptr, nullptr, nullptr, u"");
  const std::u16string cases[] = {
      u"",
      u"1,1,0,0,1",                         // header without its end
      u"2,1,0,0,0;",                        // flag out of range
      u"1,1,0,2,1;" + one,                  // body range beyond the elements
      u"1,1,0,0,2;" + one,                  // fewer elements than announced
      u"1,1,0,0,1;" + one + u"x",           // trailing data
      u"1,1,0,0,1;9:P" + one.substr(3),     // length beyond the data
      u"1,1,0,0,1;-" + one.substr(3),       // a tag that was not taken
      u"1,1,0,0,99999999999999999999999;",  // absurd count
  };
  for (const auto& data : cases) {
    EXPECT_THROW(DomSnapshot::parse(data), capture::CaptureError)
        << std::string(data.begin(), data.end());
  }
}

}  // namespace
}  // namespace quillon::capture
