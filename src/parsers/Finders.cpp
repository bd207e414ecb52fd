#include "parsers/Finders.h"

#include "parsers/RegExpr.h"

namespace quillon::parsers {
namespace {

// Optional FTP/HTTP scheme or "www.", a dotted host, port, path, query and fragment.
constexpr std::string_view kLinkPattern =
    R"((?i)((FTP|HTTP)://|www\.)?([\w\d\-]+(\.[\w\d\-]+)+)(:\d\d?\d?\d?\d?)?(((/[%+\w\d\-\\\.=&;]*)+)*)(\?[^\s=&;]+=[^\s=&;]+(&[^\s=&;]+=[\?^"^\s=&;]+)*)?(#[\w\d\-%+=&;^"]+)?)";

constexpr std::string_view kEmailPattern = R"([_a-zA-Z\d\-\.]+@[_a-zA-Z\d\-]+(\.[_a-zA-Z\d\-]+)+)";

}  // namespace

std::string FindLink(std::string_view text) {
  // Every match holds a full stop. Without one there is nothing to find, and a long
  // text of letters would otherwise cost a scan from every position.
  if (text.find('.') == std::string_view::npos) return {};
  RegExpr engine(kLinkPattern);
  if (!engine.exec(text)) return {};
  std::string result(engine.match());
  if (result.size() < 5) {
    // A short dotted run such as "S.L" or "1.5": skip it and the character after it,
    // and take the next match instead. There is exactly one such repeat.
    const std::size_t restart = engine.matchPos() + engine.matchLen() + 1;
    result = engine.exec(text, std::min(restart, text.size())) ? std::string(engine.match())
                                                               : std::string();
  }
  if (result.size() < 6) result.clear();
  return result;
}

std::string FindEmail(std::string_view text) {
  // Every match holds an "@" (see FindLink for why this is tested first).
  if (text.find('@') == std::string_view::npos) return {};
  RegExpr engine(kEmailPattern);
  return engine.exec(text) ? std::string(engine.match()) : std::string();
}

}  // namespace quillon::parsers
