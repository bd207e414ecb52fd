#include "journal/TableOp.h"

namespace quillon::journal {
namespace {

// Lengths and numbers as 32-bit little-endian: the file reads the same on any machine.
void putNumber(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

std::optional<std::uint32_t> takeNumber(std::string_view& in) {
  if (in.size() < 4) return std::nullopt;
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    value |= std::uint32_t{static_cast<unsigned char>(in[static_cast<std::size_t>(i)])} << (8 * i);
  }
  in.remove_prefix(4);
  return value;
}

void putText(std::string& out, std::string_view text) {
  putNumber(out, static_cast<std::uint32_t>(text.size()));
  out += text;
}

bool validColumn(std::int64_t column) { return column >= 0 && column < results::kColumnCount; }

bool wellFormed(const TableOp& op, std::int64_t rowsAdded) {
  const bool knownRow = op.row >= 0 && op.row < rowsAdded;
  switch (op.kind) {
    case OpKind::AddRow: {
      const auto texts = unpackTexts(op.data);
      return op.row == rowsAdded && texts && !texts->empty();
    }
    case OpKind::AppendSubItem:
      return knownRow;
    case OpKind::SetCell:
      return knownRow && validColumn(op.argument);
    case OpKind::DeleteRows: {
      const auto rows = unpackRowNumbers(op.data);
      if (!rows || static_cast<std::int64_t>(rows->size()) != op.row) return false;
      for (const std::uint32_t row : *rows) {
        if (row >= rowsAdded) return false;
      }
      return true;
    }
    case OpKind::SortByColumn:
      return validColumn(op.argument);
    case OpKind::SetCaptions:
      return captionSetOf(op.argument).has_value();
  }
  return false;
}

}  // namespace

std::string packTexts(std::string_view first, const std::vector<std::string>& rest) {
  std::size_t size = 4 + first.size();
  for (const std::string& text : rest) size += 4 + text.size();
  std::string out;
  out.reserve(size);
  putText(out, first);
  for (const std::string& text : rest) putText(out, text);
  return out;
}

std::optional<std::vector<std::string>> unpackTexts(std::string_view data) {
  std::vector<std::string> texts;
  while (!data.empty()) {
    const auto size = takeNumber(data);
    if (!size || *size > data.size()) return std::nullopt;
    texts.emplace_back(data.substr(0, *size));
    data.remove_prefix(*size);
  }
  return texts;
}

std::string packRowNumbers(const std::vector<std::uint32_t>& rows) {
  std::string out;
  out.reserve(4 * rows.size());
  for (const std::uint32_t row : rows) putNumber(out, row);
  return out;
}

std::optional<std::vector<std::uint32_t>> unpackRowNumbers(std::string_view data) {
  if (data.size() % 4 != 0) return std::nullopt;
  std::vector<std::uint32_t> rows;
  rows.reserve(data.size() / 4);
  while (!data.empty()) rows.push_back(*takeNumber(data));
  return rows;
}

std::int64_t captionCode(results::CaptionSet set) {
  switch (set) {
    case results::CaptionSet::Spanish:
      return 1;
    case results::CaptionSet::Italian:
      return 2;
    case results::CaptionSet::English:
      break;
  }
  return 3;
}

std::optional<results::CaptionSet> captionSetOf(std::int64_t code) {
  switch (code) {
    case 1:
      return results::CaptionSet::Spanish;
    case 2:
      return results::CaptionSet::Italian;
    case 3:
      return results::CaptionSet::English;
    default:
      return std::nullopt;
  }
}

std::optional<std::size_t> firstMalformedOp(const std::vector<TableOp>& ops) {
  std::int64_t rowsAdded = 0;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    if (!wellFormed(ops[i], rowsAdded)) return i;
    if (ops[i].kind == OpKind::AddRow) ++rowsAdded;
  }
  return std::nullopt;
}

}  // namespace quillon::journal
