#include "url/UrlResolution.h"

#include <gtest/gtest.h>

namespace quillon::url {
namespace {

constexpr const char* kBase = "https://Guia.Example/a/b/page1.html?q=x#frag";

TEST(UrlResolution, ResolvesAsABrowserDoes) {
  const std::pair<const char*, const char*> cases[] = {
      {"page2.html", "https://guia.example/a/b/page2.html"},
      {"../c", "https://guia.example/a/c"},
      {"/x/../y", "https://guia.example/y"},
      {"?p=2", "https://guia.example/a/b/page1.html?p=2"},
      {"#top", "https://guia.example/a/b/page1.html?q=x#top"},
      {"", "https://guia.example/a/b/page1.html?q=x"},
      {"//Other.Example:443/z", "https://other.example/z"},
      {" \n\tpágina 4.html\n ", "https://guia.example/a/b/p%C3%A1gina%204.html"},
      {"dir/\na b", "https://guia.example/a/b/dir/a%20b"},
      {"HTTP://X.EXAMPLE:80/Q", "http://x.example/Q"},
      {"mailto:josé@x.example", "mailto:jos%C3%A9@x.example"},
      {"tel:+34 91 000", "tel:+34 91 000"},
      {"javascript:void(0)", "javascript:void(0)"},
      {"http://[bad", ""},
  };
  for (const auto& [reference, expected] : cases) {
    EXPECT_EQ(resolveUrl(kBase, reference), expected) << reference;
  }
}

TEST(UrlResolution, NeedsAUsableBaseOnlyForRelativeReferences) {
  EXPECT_EQ(resolveUrl("about:blank", "https://x.example/a"), "https://x.example/a");
  EXPECT_EQ(resolveUrl("", "a.html"), "");
  EXPECT_EQ(resolveUrl("file:///srv/auto/page1.html", "detail-1.html#x"),
            "file:///srv/auto/detail-1.html#x");
}

TEST(UrlResolution, RemovesTheFragment) {
  EXPECT_EQ(withoutFragment("https://x.example/a?b#c#d"), "https://x.example/a?b");
  EXPECT_EQ(withoutFragment("https://x.example/"), "https://x.example/");
}

}  // namespace
}  // namespace quillon::url
