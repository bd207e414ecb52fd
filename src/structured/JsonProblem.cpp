#include "structured/JsonProblem.h"

#include <string_view>

namespace quillon::structured {
namespace {

// The library's error codes: 101-199 parse errors, 301-399 type errors, 401-499 values out
// of range; 406 is a number that no double holds.
constexpr int kNumberOverflow = 406;
constexpr std::size_t kMaxDetail = 160;

// The message without "[json.exception.parse_error.101] " and without the text last read,
// which may be long; cut at a character's start.
std::string detailOf(std::string message) {
  if (const std::size_t code = message.find("] "); code != std::string::npos) {
    message.erase(0, code + 2);
  }
  if (const std::size_t last = message.find("; last read:"); last != std::string::npos) {
    message.erase(last);
  }
  if (message.size() > kMaxDetail) {
    std::size_t cut = kMaxDetail;
    while (cut > 0 && (static_cast<unsigned char>(message[cut]) & 0xC0) == 0x80) --cut;
    message.erase(cut);
    message += "...";
  }
  return message;
}

}  // namespace

std::string jsonProblem(const nlohmann::json::exception& error) {
  std::string detail = detailOf(error.what());
  if (error.id == kNumberOverflow) {
    // "number overflow parsing '1e99999'": the number is what the user needs to find.
    const std::size_t quote = detail.find('\'');
    return "a number is too large: " + (quote == std::string::npos ? detail : detail.substr(quote));
  }
  if (error.id > 100 && error.id < 200) return "not JSON: " + detail;
  if (error.id > 300 && error.id < 400) return "a value is of another type: " + detail;
  if (error.id > 400 && error.id < 500) return "a value is out of range: " + detail;
  return "the JSON cannot be read: " + detail;
}

}  // namespace quillon::structured
