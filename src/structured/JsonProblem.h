#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace quillon::structured {

// What a failure of the JSON library says is wrong with a JSON text, in words for the
// user: "not JSON: parse error at line 3, column 5: ...", "a number is too large: 1e99999",
// "a value is of another type: ...". Without the library's error code, and short: a long
// token is cut.
std::string jsonProblem(const nlohmann::json::exception& error);

}  // namespace quillon::structured
