#pragma once

#include "parsers/RegExpr.h"
#include "parsers/TextReplace.h"
#include "parsers/WorkingText.h"
#include "text/Cp1252.h"

#include <array>
#include <span>
#include <string>

namespace quillon::parsers {

// One group of a match and the entry field that receives it.
template <class Entry>
struct StoredGroup {
  int group = 0;
  std::u16string Entry::*field = nullptr;
};

// One rule of a site's rule set: where its pattern matches, the stored groups go into
// their fields and the text of the replaced group becomes the placeholder.
template <class Entry>
struct ExtractionRule {
  std::string pattern;  // cp1252 bytes
  std::array<StoredGroup<Entry>, 2> stored{};
  int replacedGroup = 0;
  std::string placeholder;
  ReplaceMode mode = ReplaceMode::AllOccurrences;
};

// Applies one rule to the working text with the given engine object.
template <class Entry>
void applyRule(RegExpr& engine, WorkingText& text, Entry& entry,
               const ExtractionRule<Entry>& rule) {
  engine.setExpression(rule.pattern);
  if (!engine.exec(text.bytes())) return;
  for (const auto& stored : rule.stored) {
    if (stored.field) entry.*(stored.field) = text::cp1252ToUtf16(engine.match(stored.group));
  }
  // Copied first: the replacement rewrites the text that the match points into.
  const std::string replaced(engine.match(rule.replacedGroup));
  text.replace(replaced, rule.placeholder, rule.mode);
}

// Applies a rule set in order; every rule runs once, whether earlier ones matched or not.
template <class Entry>
void applyRules(RegExpr& engine, WorkingText& text, Entry& entry,
                std::span<const ExtractionRule<Entry>> rules) {
  for (const auto& rule : rules) applyRule(engine, text, entry, rule);
}

// A pattern written in UTF-8 source, as the cp1252 bytes that the engine sees.
std::string cp1252Pattern(std::string_view utf8);

}  // namespace quillon::parsers
