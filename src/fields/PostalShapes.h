#pragma once

#include "fields/Span.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// How the countries Quillon meets write postal codes, and where the code stands in an
// address: before the locality ("28013 Madrid", "00198 Roma (RM)") or after it, with a
// region before it ("Springfield, IL 62704", "Bungalow QLD 4870", "London SW1A 1AA").

namespace quillon::fields {

enum class CodeOrder { First, Last };

struct PostalShape {
  std::string_view country;  // the country it is named after ("FR" for the 5-digit codes first)
  // Templates, tried in this order: "9" an ASCII digit, "A" an ASCII capital, " " an optional
  // blank, "-" a hyphen.
  std::span<const std::string_view> templates;
  CodeOrder order = CodeOrder::First;
  std::span<const std::string_view> regions;  // written before the code (CodeOrder::Last)
  bool anyTwoCapitalsRegion = false;          // the region is any two capitals (US states)
};

// The shape of a country's postal codes; nullptr when Quillon does not know it. Countries
// that share a shape share its entry ("IT" gives the entry named "FR").
const PostalShape* shapeOf(std::string_view country);

// The shapes tried, in this order, on a text whose country is unknown: the distinctive ones
// first, the bare digit runs last.
std::span<const PostalShape* const> shapesInTrialOrder();

// A code of the shape that begins at pos: the end of the first template that matches there
// as a whole word, not followed by a separator and another digit when it is all digits (a
// telephone's first group is no code). npos when none does.
std::size_t codeEndAt(std::string_view text, std::size_t pos, const PostalShape& shape);

// The code the address is read around, with its region (code last), by the shape's rule:
// code first, the first code followed by a word; code last, the first code with a region
// before it; else the last code.
struct CodePlace {
  Span code;
  Span region;              // empty when there is none
  bool besideWord = false;  // found by the first rule: it sits beside a locality or region
};
std::optional<CodePlace> placeCode(std::string_view text, const PostalShape& shape);

// The pattern of one code of the shape, "\b(?:[0-9]{5}\b(?![\h.\-/]?[0-9]))"; captured, the
// code's text is group 1 whichever template matched.
std::string codePattern(const PostalShape& shape, bool captured = false);
// The pattern of the shape's regions (no group), empty when it has none.
std::string regionPattern(const PostalShape& shape);

}  // namespace quillon::fields
