#include "shell/LinkText.h"

#include <gtest/gtest.h>

namespace quillon::shell {
namespace {

QString q(const char16_t* text) { return QString::fromUtf16(text); }

TEST(LinkText, ALinkHoldsASchemeSeparatorOrMailtoAndNoClosingTag) {
  EXPECT_TRUE(isLinkText(q(u"http://www.example.es")));
  EXPECT_TRUE(isLinkText(q(u"mailto:info@example.it")));
  EXPECT_TRUE(isLinkText(q(u"Web: ftp://files.example.com/a")));
  EXPECT_FALSE(isLinkText(q(u"info@example.it")));  // an e-mail without mailto: is plain text
  EXPECT_FALSE(isLinkText(q(u"www.example.es")));
  EXPECT_FALSE(isLinkText(q(u"<a href=\"http://x.es\">x</a>")));
  EXPECT_FALSE(isLinkText(QString()));
}

TEST(LinkText, ShowsTheTextAfterTheFirstSchemeMark) {
  EXPECT_EQ(linkDisplayText(q(u"http://www.example.es/a")), q(u"www.example.es/a"));
  EXPECT_EQ(linkDisplayText(q(u"mailto:info@example.it")), q(u"info@example.it"));
  EXPECT_EQ(linkDisplayText(q(u"Web: https://x.es")), q(u"x.es"));
  EXPECT_EQ(linkDisplayText(q(u"http://x.es/?to=mailto:a@b.es")), q(u"x.es/?to=mailto:a@b.es"));
  EXPECT_EQ(linkDisplayText(q(u"mailto:a@b.es?body=http://x.es")), q(u"a@b.es?body=http://x.es"));
  EXPECT_EQ(linkDisplayText(q(u"plain")), q(u"plain"));
}

TEST(LinkText, OpensWebAndMailAddressesOnly) {
  for (const char16_t* text :
       {u"http://www.example.es/", u"https://example.it/a?b=c", u"ftp://files.example.com/x",
        u"mailto:info@example.it", u"HTTP://WWW.EXAMPLE.ES", u"  http://www.example.es  "}) {
    const auto url = linkToOpen(q(text));
    ASSERT_TRUE(url.has_value()) << QString::fromUtf16(text).toStdString();
    EXPECT_EQ(url->toString(), QUrl(q(text).trimmed()).toString());
  }
}

TEST(LinkText, RefusesEveryOtherHandler) {
  for (const char16_t* text :
       {u"file:///etc/passwd", u"javascript://%0Aalert(1)", u"smb://server/share", u"vnc://host",
        u"data://text/plain,x", u"ssh://host", u"Web: http://x.es", u"http://",
        u"http://exa mple.es", u"mailto:", u"plain text", u"tel://123"}) {
    EXPECT_FALSE(linkToOpen(q(text)).has_value()) << QString::fromUtf16(text).toStdString();
  }
}

}  // namespace
}  // namespace quillon::shell
