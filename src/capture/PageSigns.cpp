#include "capture/PageSigns.h"

#include "capture/HtmlDocument.h"
#include "text/Utf8.h"

#include <nlohmann/json.hpp>

namespace quillon::capture {
namespace {

using Json = nlohmann::json;

void takeTexts(const Json& list, std::vector<std::string>& into) {
  if (!list.is_array()) return;
  for (const Json& item : list) {
    if (item.is_string() && !item.get_ref<const std::string&>().empty()) {
      into.push_back(item.get<std::string>());
    }
  }
}

PageSigns signsOf(const Json& root) {
  PageSigns signs;
  if (!root.is_object()) return signs;
  const auto found = root.find("signs");
  if (found == root.end() || !found->is_object()) return signs;
  const Json& s = *found;
  if (const auto text = s.find("text"); text != s.end() && text->is_string()) {
    signs.text = text->get<std::string>();
  }
  if (const auto frames = s.find("frames"); frames != s.end())
    takeTexts(*frames, signs.frameSources);
  if (const auto scripts = s.find("scripts"); scripts != s.end()) {
    takeTexts(*scripts, signs.scriptSources);
  }
  return signs;
}

}  // namespace

PageSigns pageDataSigns(std::string_view pageDataJson) {
  const Json root = Json::parse(pageDataJson, nullptr, false);
  return root.is_discarded() ? PageSigns{} : signsOf(root);
}

PageSigns profileAnswerSigns(std::string_view answerJson) {
  const Json root = Json::parse(answerJson, nullptr, false);
  if (!root.is_object()) return {};
  const auto page = root.find("page");
  if (page == root.end() || !page->is_string()) return {};
  return pageDataSigns(page->get_ref<const std::string&>());
}

PageSigns documentSigns(const HtmlDocument* document) {
  PageSigns signs;
  if (document == nullptr) return signs;
  const HtmlElementCollection& all = document->all();
  for (std::int32_t i = 0; i < all.length(); ++i) {
    const HtmlElement* element = all.item(i);
    if (element == nullptr) continue;
    const std::u16string_view tag = element->tagName();
    if (tag == u"BODY" && signs.text.empty()) {
      signs.text = text::utf16ToUtf8(element->innerText());
    } else if (tag == u"IFRAME" && !element->href().empty()) {
      signs.frameSources.push_back(text::utf16ToUtf8(element->href()));
    } else if (tag == u"SCRIPT" && !element->href().empty()) {
      signs.scriptSources.push_back(text::utf16ToUtf8(element->href()));
    }
  }
  return signs;
}

}  // namespace quillon::capture
