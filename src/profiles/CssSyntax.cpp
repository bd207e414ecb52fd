#include "profiles/CssSyntax.h"

#include "text/Ascii.h"

#include <array>

namespace quillon::profiles {
namespace {

// Past this, a selector is no selector a person wrote; the reader also recurses into :not().
constexpr std::size_t kMaxLength = 4000;
constexpr int kMaxNesting = 16;

constexpr std::array<std::string_view, 36> kPseudoClasses = {"first-child",
                                                             "last-child",
                                                             "only-child",
                                                             "first-of-type",
                                                             "last-of-type",
                                                             "only-of-type",
                                                             "empty",
                                                             "root",
                                                             "checked",
                                                             "disabled",
                                                             "enabled",
                                                             "link",
                                                             "any-link",
                                                             "visited",
                                                             "hover",
                                                             "focus",
                                                             "focus-within",
                                                             "focus-visible",
                                                             "active",
                                                             "target",
                                                             "required",
                                                             "optional",
                                                             "read-only",
                                                             "read-write",
                                                             "default",
                                                             "indeterminate",
                                                             "placeholder-shown",
                                                             "defined",
                                                             "nth-child",
                                                             "nth-last-child",
                                                             "nth-of-type",
                                                             "nth-last-of-type",
                                                             "not",
                                                             "is",
                                                             "where",
                                                             "has"};

bool isFunctional(std::string_view name) {
  return name.starts_with("nth-") || name == "not" || name == "is" || name == "where" ||
         name == "has" || name == "lang" || name == "dir";
}

bool isNameStart(char c) {
  return text::isAsciiLetter(c) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}
bool isNameChar(char c) { return isNameStart(c) || text::isAsciiDigit(c) || c == '-'; }

class Reader {
 public:
  explicit Reader(std::string_view text) : m_text(text) {}

  std::optional<std::string> list(bool relative, int nesting, char end) {
    if (nesting > kMaxNesting) return fail("nested too deeply");
    for (;;) {
      if (auto problem = complex(relative, nesting)) return problem;
      skipSpace();
      if (atEnd() || peek() == end) return std::nullopt;
      if (peek() != ',') return fail("unexpected '" + std::string(1, peek()) + "'");
      ++m_pos;
    }
  }

  bool atEnd() const { return m_pos >= m_text.size(); }
  char peek() const { return m_text[m_pos]; }
  std::size_t position() const { return m_pos; }

  std::optional<std::string> fail(const std::string& why) const {
    return why + " at character " + std::to_string(m_pos + 1);
  }

 private:
  void skipSpace() {
    while (!atEnd() && text::isAsciiSpace(peek())) ++m_pos;
  }

  bool combinator() {
    skipSpace();
    if (!atEnd() && (peek() == '>' || peek() == '+' || peek() == '~')) {
      ++m_pos;
      skipSpace();
      return true;
    }
    return false;
  }

  std::optional<std::string> complex(bool relative, int nesting) {
    skipSpace();
    if (combinator() && !relative) return fail("a selector begins with a combinator");
    for (;;) {
      if (auto problem = compound(nesting)) return problem;
      const std::size_t before = m_pos;
      const bool explicitCombinator = combinator();
      if (atEnd() || peek() == ',' || peek() == ')') {
        if (explicitCombinator) return fail("a combinator ends a selector");
        return std::nullopt;
      }
      if (!explicitCombinator && m_pos == before) {
        return fail("unexpected '" + std::string(1, peek()) + "'");
      }
    }
  }

  // An identifier, with escapes; empty when there is none here.
  std::string ident() {
    const std::size_t start = m_pos;
    std::string out;
    int dashes = 0;
    while (dashes < 2 && !atEnd() && peek() == '-') {
      out += '-';
      ++m_pos;
      ++dashes;
    }
    bool needStart = dashes < 2;
    while (!atEnd()) {
      const char c = peek();
      if (c == '\\' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] != '\n') {
        out += m_text[m_pos + 1];
        m_pos += 2;
      } else if (needStart ? isNameStart(c) : isNameChar(c)) {
        out += c;
        ++m_pos;
      } else {
        break;
      }
      needStart = false;
    }
    if (needStart) {
      m_pos = start;
      return {};
    }
    return out;
  }

  std::optional<std::string> compound(int nesting) {
    bool any = false;
    if (!atEnd() && peek() == '*') {
      ++m_pos;
      any = true;
    } else if (!ident().empty()) {
      any = true;
    }
    if (!atEnd() && peek() == '|') return fail("namespaces are not supported");
    while (!atEnd()) {
      const char c = peek();
      if (c == '#' || c == '.') {
        ++m_pos;
        if (ident().empty()) {
          return fail(c == '#' ? "an id selector without a name"
                               : "a class selector without a name");
        }
      } else if (c == '[') {
        if (auto problem = attribute()) return problem;
      } else if (c == ':') {
        if (auto problem = pseudo(nesting)) return problem;
      } else {
        break;
      }
      any = true;
    }
    if (!any) {
      if (atEnd()) return fail("a selector is missing");
      return fail("unexpected '" + std::string(1, peek()) + "'");
    }
    return std::nullopt;
  }

  std::optional<std::string> string() {
    const char quote = peek();
    ++m_pos;
    while (!atEnd() && peek() != quote) {
      if (peek() == '\n') return fail("a line break inside a string");
      if (peek() == '\\') ++m_pos;
      ++m_pos;
    }
    if (atEnd()) return fail("a string without its closing quote");
    ++m_pos;
    return std::nullopt;
  }

  std::optional<std::string> attribute() {
    ++m_pos;  // [
    skipSpace();
    if (ident().empty()) return fail("an attribute selector without a name");
    skipSpace();
    if (atEnd()) return fail("an attribute selector without its ']'");
    if (peek() != ']') {
      if (peek() != '=') {
        if (std::string_view("~|^$*").find(peek()) == std::string_view::npos ||
            m_pos + 1 >= m_text.size() || m_text[m_pos + 1] != '=') {
          return fail("unexpected '" + std::string(1, peek()) + "' in an attribute selector");
        }
        ++m_pos;
      }
      ++m_pos;
      skipSpace();
      if (atEnd()) return fail("an attribute selector without a value");
      if (peek() == '"' || peek() == '\'') {
        if (auto problem = string()) return problem;
      } else if (ident().empty()) {
        return fail("an attribute value that needs quotes");
      }
      skipSpace();
      if (!atEnd() && (peek() == 'i' || peek() == 's' || peek() == 'I' || peek() == 'S')) {
        ++m_pos;
        skipSpace();
      }
    }
    if (atEnd() || peek() != ']') return fail("an attribute selector without its ']'");
    ++m_pos;
    return std::nullopt;
  }

  std::optional<std::string> nthArgument() {
    // An+B, odd or even, optionally "of S": checked loosely, the browser has the last word.
    const std::size_t start = m_pos;
    while (!atEnd() && peek() != ')') {
      const char c = peek();
      if (!(isNameChar(c) || text::isAsciiSpace(c) || c == '+')) break;
      ++m_pos;
    }
    if (m_pos == start) return fail("an empty :nth- argument");
    return std::nullopt;
  }

  std::optional<std::string> pseudo(int nesting) {
    ++m_pos;  // :
    if (!atEnd() && peek() == ':') return fail("pseudo-elements select nothing");
    const std::size_t at = m_pos;
    const std::string name = text::asciiLower(ident());
    if (name.empty()) return fail("a ':' without a name");
    bool known = name == "lang" || name == "dir";
    for (std::string_view each : kPseudoClasses) known = known || each == name;
    if (!known) {
      m_pos = at;
      return fail("unknown pseudo-class :" + name);
    }
    const bool open = !atEnd() && peek() == '(';
    if (isFunctional(name) != open) {
      return fail(open ? ":" + name + " takes no argument" : ":" + name + " needs an argument");
    }
    if (!open) return std::nullopt;
    ++m_pos;
    std::optional<std::string> problem;
    if (name.starts_with("nth-")) {
      problem = nthArgument();
      if (!problem && !atEnd() && peek() != ')') problem = list(false, nesting + 1, ')');
    } else if (name == "lang" || name == "dir") {
      skipSpace();
      if (ident().empty()) problem = fail(":" + name + " needs a name");
      skipSpace();
    } else {
      problem = list(name == "has", nesting + 1, ')');
    }
    if (problem) return problem;
    if (atEnd() || peek() != ')') return fail("a '(' without its ')'");
    ++m_pos;
    return std::nullopt;
  }

  std::string_view m_text;
  std::size_t m_pos = 0;
};

}  // namespace

std::optional<std::string> cssSelectorProblem(std::string_view selector, bool relative) {
  if (selector.size() > kMaxLength)
    return "longer than " + std::to_string(kMaxLength) + " characters";
  bool blank = true;
  for (const char c : selector) blank = blank && text::isAsciiSpace(c);
  if (blank) return "empty";
  Reader reader(selector);
  if (auto problem = reader.list(relative, 0, '\0')) return problem;
  if (!reader.atEnd()) return reader.fail("unexpected '" + std::string(1, reader.peek()) + "'");
  return std::nullopt;
}

std::vector<std::string> selectorListItems(std::string_view selector) {
  std::vector<std::string> items;
  int depth = 0;
  char quote = 0;
  std::size_t start = 0;
  auto add = [&](std::size_t end) {
    std::string_view item = selector.substr(start, end - start);
    while (!item.empty() && text::isAsciiSpace(item.front())) item.remove_prefix(1);
    while (!item.empty() && text::isAsciiSpace(item.back())) item.remove_suffix(1);
    items.emplace_back(item);
  };
  for (std::size_t i = 0; i < selector.size(); ++i) {
    const char c = selector[i];
    if (c == '\\') {
      ++i;
    } else if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '(' || c == '[') {
      ++depth;
    } else if (c == ')' || c == ']') {
      --depth;
    } else if (c == ',' && depth == 0) {
      add(i);
      start = i + 1;
    }
  }
  add(selector.size());
  return items;
}

std::string scopedSelector(std::string_view selector) {
  std::string out;
  for (const std::string& item : selectorListItems(selector)) {
    if (!out.empty()) out += ", ";
    out += ":scope " + item;
  }
  return out;
}

}  // namespace quillon::profiles
