#pragma once

#include <stdexcept>
#include <string>

namespace quillon::results {

// A spreadsheet export that could not be written; the message says why, with the file
// name, and the table and any existing file are as they were.
class ExportError : public std::runtime_error {
 public:
  explicit ExportError(const std::string& message) : std::runtime_error(message) {}
};

// A file that is not one of Quillon's files of rows (.json, .csv, .xlsx of ten columns);
// the message names the file and says what is wrong with it.
class RowFileError : public std::runtime_error {
 public:
  explicit RowFileError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quillon::results
