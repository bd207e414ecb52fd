#include "batch/SearchList.h"

#include "batch/BatchError.h"
#include "text/Ascii.h"
#include "url/UrlParts.h"

namespace quillon::batch {
namespace {

constexpr std::string_view kPlaceholder = "{}";

bool isWebAddress(std::string_view address) {
  const auto parts = url::parseUrl(address);
  return parts && (parts->scheme == "http" || parts->scheme == "https");
}

std::string replaced(std::string_view searchTemplate, std::string_view value) {
  std::string address;
  for (std::size_t at = 0;;) {
    const std::size_t found = searchTemplate.find(kPlaceholder, at);
    address.append(searchTemplate.substr(at, found - at));
    if (found == std::string_view::npos) return address;
    address.append(value);
    at = found + kPlaceholder.size();
  }
}

}  // namespace

std::vector<std::string> searchesFromList(const ListText& list, std::string_view name) {
  std::vector<std::string> addresses;
  for (const ListLine& line : list.lines) {
    if (!isWebAddress(line.text)) {
      std::string problem = "line " + std::to_string(line.number) + " of ";
      problem.append(name).append(" is not an http(s) address: ").append(line.text);
      throw BatchError(problem);
    }
    addresses.push_back(line.text);
  }
  if (addresses.empty()) {
    std::string problem(name);
    throw BatchError(problem.append(" holds no start address (only blank and # lines)"));
  }
  return addresses;
}

std::vector<std::string> searchesFromTemplate(std::string_view searchTemplate,
                                              const ListText& values, std::string_view name) {
  std::string shown(searchTemplate);
  if (searchTemplate.find(kPlaceholder) == std::string_view::npos) {
    throw BatchError("the search template has no {} for the values to go in: " + shown);
  }
  if (!isWebAddress(replaced(searchTemplate, "x"))) {
    throw BatchError("the search template is not an http(s) address: " + shown);
  }
  std::vector<std::string> addresses;
  for (const ListLine& line : values.lines) {
    std::string address = replaced(searchTemplate, percentEncoded(line.text));
    if (!isWebAddress(address)) {
      std::string problem = "line " + std::to_string(line.number) + " of ";
      problem.append(name).append(" gives no http(s) address: ").append(address);
      throw BatchError(problem);
    }
    addresses.push_back(std::move(address));
  }
  if (addresses.empty()) {
    std::string problem(name);
    throw BatchError(problem.append(" holds no value (only blank and # lines)"));
  }
  return addresses;
}

std::string percentEncoded(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (const char c : value) {
    if (text::isAsciiAlphanumeric(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      encoded += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    encoded += '%';
    encoded += kHex[byte >> 4];
    encoded += kHex[byte & 0x0F];
  }
  return encoded;
}

}  // namespace quillon::batch
