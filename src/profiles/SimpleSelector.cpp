#include "profiles/SimpleSelector.h"

#include "text/Ascii.h"

namespace quillon::profiles {
namespace {

bool stepMatches(const PageTree& tree, const SelectorStep& step, int index) {
  const TreeElement& element = tree.elements[static_cast<std::size_t>(index)];
  if (!step.tag.empty() && element.tag != step.tag) return false;
  for (const std::string& name : step.classes) {
    if (!element.hasClass(name)) return false;
  }
  for (const AttributeTest& test : step.attributes) {
    const std::string* actual = element.attribute(test.name);
    if (actual == nullptr) return false;
    if (test.exists) continue;
    if (test.prefix ? !actual->starts_with(test.value) : *actual != test.value) return false;
  }
  for (const std::string& name : step.notClasses) {
    if (element.hasClass(name)) return false;
  }
  if (step.nthOfType == 0 && !step.lastOfType) return true;
  if (element.parent < 0) return step.nthOfType <= 1;
  const auto& siblings = tree.elements[static_cast<std::size_t>(element.parent)].children;
  int position = 0;
  int count = 0;
  for (const int sibling : siblings) {
    if (tree.elements[static_cast<std::size_t>(sibling)].tag != element.tag) continue;
    ++count;
    if (sibling == index) position = count;
  }
  if (step.nthOfType != 0 && position != step.nthOfType) return false;
  return !step.lastOfType || position == count;
}

// Whether steps [0, last] match with step `last` on `index`, every element strictly below
// scope (-1: anywhere). Backtracks over the ancestors of a descendant combinator.
bool matchFrom(const PageTree& tree, const std::vector<SelectorStep>& steps, std::size_t last,
               int index, int scope) {
  if (!stepMatches(tree, steps[last], index)) return false;
  const int parent = tree.elements[static_cast<std::size_t>(index)].parent;
  if (last == 0) {
    if (scope < 0) return true;
    if (steps[0].combinator == SelectorStep::Combinator::Child) return parent == scope;
    return tree.contains(scope, index);
  }
  if (steps[last].combinator == SelectorStep::Combinator::Child) {
    return parent >= 0 && parent != scope && matchFrom(tree, steps, last - 1, parent, scope);
  }
  for (int up = parent; up >= 0 && up != scope;
       up = tree.elements[static_cast<std::size_t>(up)].parent) {
    if (matchFrom(tree, steps, last - 1, up, scope)) return true;
  }
  return false;
}

bool isIdentChar(char c) {
  return text::isAsciiAlphanumeric(c) || c == '-' || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

class SubsetReader {
 public:
  explicit SubsetReader(std::string_view text) : m_text(text) {}

  std::optional<SimpleSelector> read() {
    SimpleSelector selector;
    skipSpace();
    SelectorStep::Combinator combinator = SelectorStep::Combinator::Descendant;
    if (take('>')) combinator = SelectorStep::Combinator::Child;
    for (;;) {
      skipSpace();
      SelectorStep step;
      step.combinator = combinator;
      if (!readStep(step)) return std::nullopt;
      selector.steps.push_back(std::move(step));
      const bool spaced = skipSpace();
      if (atEnd()) return selector;
      if (take('>')) {
        combinator = SelectorStep::Combinator::Child;
      } else if (spaced) {
        combinator = SelectorStep::Combinator::Descendant;
      } else {
        return std::nullopt;
      }
    }
  }

 private:
  bool atEnd() const { return m_pos >= m_text.size(); }
  bool take(char c) {
    if (atEnd() || m_text[m_pos] != c) return false;
    ++m_pos;
    return true;
  }
  bool take(std::string_view word) {
    if (m_text.substr(m_pos, word.size()) != word) return false;
    m_pos += word.size();
    return true;
  }
  bool skipSpace() {
    const std::size_t start = m_pos;
    while (!atEnd() && m_text[m_pos] == ' ') ++m_pos;
    return m_pos > start;
  }

  std::string ident() {
    std::string out;
    while (!atEnd()) {
      const char c = m_text[m_pos];
      if (c == '\\' && m_pos + 1 < m_text.size()) {
        // The leading digit escape that cssIdentifier writes: "\3D ".
        if (m_text[m_pos + 1] == '3' && m_pos + 3 < m_text.size() && m_text[m_pos + 3] == ' ') {
          out += m_text[m_pos + 2];
          m_pos += 4;
        } else {
          out += m_text[m_pos + 1];
          m_pos += 2;
        }
      } else if (isIdentChar(c)) {
        out += c;
        ++m_pos;
      } else {
        break;
      }
    }
    return out;
  }

  std::optional<std::string> string() {
    if (!take('"')) return std::nullopt;
    std::string out;
    while (!atEnd() && m_text[m_pos] != '"') {
      if (m_text[m_pos] == '\\' && m_pos + 1 < m_text.size()) {
        if (take("\\a ")) {
          out += '\n';
          continue;
        }
        ++m_pos;
      }
      out += m_text[m_pos++];
    }
    if (!take('"')) return std::nullopt;
    return out;
  }

  int number() {
    int value = 0;
    while (!atEnd() && text::isAsciiDigit(m_text[m_pos]) && value < 100000) {
      value = value * 10 + (m_text[m_pos++] - '0');
    }
    return value;
  }

  bool readStep(SelectorStep& step) {
    const std::size_t start = m_pos;
    if (!take('*')) step.tag = ident();
    for (;;) {
      if (take('.')) {
        std::string name = ident();
        if (name.empty()) return false;
        step.classes.push_back(std::move(name));
      } else if (take('[')) {
        AttributeTest test;
        test.name = ident();
        if (test.name.empty()) return false;
        if (take(']')) {
          test.exists = true;
          step.attributes.push_back(std::move(test));
          continue;
        }
        test.prefix = take('^');
        if (!take('=')) return false;
        auto value = string();
        if (!value || !take(']')) return false;
        test.value = std::move(*value);
        step.attributes.push_back(std::move(test));
      } else if (take(":nth-of-type(")) {
        step.nthOfType = number();
        if (step.nthOfType < 1 || !take(')')) return false;
      } else if (take(":last-of-type")) {
        step.lastOfType = true;
      } else if (take(":not(.")) {
        std::string name = ident();
        if (name.empty() || !take(')')) return false;
        step.notClasses.push_back(std::move(name));
      } else {
        break;
      }
    }
    return m_pos > start;
  }

  std::string_view m_text;
  std::size_t m_pos = 0;
};

}  // namespace

std::optional<SimpleSelector> parseSimpleSelector(std::string_view css) {
  return SubsetReader(css).read();
}

std::string cssIdentifier(std::string_view name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    const bool leadingDigit = text::isAsciiDigit(c) && (i == 0 || (i == 1 && name[0] == '-'));
    if (leadingDigit) {
      out += "\\3" + std::string(1, c) + ' ';
    } else if (isIdentChar(c)) {
      out += c;
    } else {
      out += '\\';
      out += c;
    }
  }
  return out;
}

std::string cssString(std::string_view value) {
  std::string out = "\"";
  for (const char c : value) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n') {
      out += "\\a ";
      continue;
    }
    out += c;
  }
  return out + '"';
}

std::string SimpleSelector::css() const {
  std::string out;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const SelectorStep& step = steps[i];
    if (step.combinator == SelectorStep::Combinator::Child) {
      out += i == 0 ? "> " : " > ";
    } else if (i > 0) {
      out += ' ';
    }
    const std::size_t start = out.size();
    out += step.tag;
    for (const std::string& name : step.classes) out += '.' + cssIdentifier(name);
    for (const AttributeTest& test : step.attributes) {
      out += '[' + cssIdentifier(test.name);
      if (!test.exists) out += (test.prefix ? "^=" : "=") + cssString(test.value);
      out += ']';
    }
    for (const std::string& name : step.notClasses) out += ":not(." + cssIdentifier(name) + ')';
    if (step.nthOfType != 0) out += ":nth-of-type(" + std::to_string(step.nthOfType) + ')';
    if (step.lastOfType) out += ":last-of-type";
    if (out.size() == start) out += '*';
  }
  return out;
}

bool matches(const PageTree& tree, const SimpleSelector& selector, int element, int scope) {
  if (selector.steps.empty()) return false;
  if (scope >= 0 && !tree.contains(scope, element)) return false;
  return matchFrom(tree, selector.steps, selector.steps.size() - 1, element, scope);
}

std::vector<int> selectAll(const PageTree& tree, const SimpleSelector& selector, int scope) {
  std::vector<int> found;
  if (selector.steps.empty()) return found;
  const int begin = scope < 0 ? 0 : scope + 1;
  const int depth = scope < 0 ? -1 : tree.elements[static_cast<std::size_t>(scope)].depth;
  for (int i = begin; i < static_cast<int>(tree.elements.size()); ++i) {
    if (scope >= 0 && tree.elements[static_cast<std::size_t>(i)].depth <= depth) break;
    if (matchFrom(tree, selector.steps, selector.steps.size() - 1, i, scope)) found.push_back(i);
  }
  return found;
}

int selectFirst(const PageTree& tree, const SimpleSelector& selector, int scope) {
  if (selector.steps.empty()) return -1;
  const int begin = scope < 0 ? 0 : scope + 1;
  const int depth = scope < 0 ? -1 : tree.elements[static_cast<std::size_t>(scope)].depth;
  for (int i = begin; i < static_cast<int>(tree.elements.size()); ++i) {
    if (scope >= 0 && tree.elements[static_cast<std::size_t>(i)].depth <= depth) break;
    if (matchFrom(tree, selector.steps, selector.steps.size() - 1, i, scope)) return i;
  }
  return -1;
}

}  // namespace quillon::profiles
