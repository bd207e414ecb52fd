#include "results/CsvGuard.h"

namespace quillon::results {
namespace {

bool startsAFormula(char c) {
  return std::string_view("=+-@\t\r").find(c) != std::string_view::npos;
}

}  // namespace

bool needsFormulaGuard(std::string_view cell) {
  const std::size_t text = cell.find_first_not_of('\'');
  return text != std::string_view::npos && startsAFormula(cell[text]);
}

std::string_view withoutFormulaGuard(std::string_view cell) {
  if (cell.starts_with('\'') && needsFormulaGuard(cell)) cell.remove_prefix(1);
  return cell;
}

}  // namespace quillon::results
