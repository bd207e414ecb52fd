#include "fields/PhoneNumberCheck.h"

#include <cstdint>
#include <optional>
#include <phonenumbers/phonenumber.pb.h>
#include <phonenumbers/phonenumberutil.h>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillon::fields {
namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

// libphonenumber's own matching runs ICU regular expressions (several microseconds a number).
constexpr std::size_t kMaxDigits = 20;
constexpr std::size_t kMaxRemembered = 4096;

// A national number read without libphonenumber's parser, which costs as much again as the
// check itself: the country's trunk prefix ("0", "1") dropped, the leading zeros that remain
// kept as the library keeps Italy's. Nothing for an international number.
std::optional<PhoneNumber> nationalNumber(const std::string& digits, const std::string& region) {
  const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
  const int code = util.GetCountryCodeForRegion(region);
  if (digits.empty() || digits.front() == '+' || code == 0) return std::nullopt;
  std::string prefix;
  util.GetNddPrefixForRegion(region, true, &prefix);
  std::string_view rest = digits;
  if (!prefix.empty() && rest.starts_with(prefix)) rest.remove_prefix(prefix.size());
  std::size_t zeros = 0;
  while (zeros < rest.size() && rest[zeros] == '0') ++zeros;
  if (zeros == rest.size() || rest.size() - zeros > 17) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : rest.substr(zeros)) value = value * 10 + static_cast<std::uint64_t>(c - '0');
  PhoneNumber number;
  number.set_country_code(code);
  number.set_national_number(value);
  if (zeros > 0) {
    number.set_italian_leading_zero(true);
    if (zeros > 1) number.set_number_of_leading_zeros(static_cast<int>(zeros));
  }
  return number;
}

PhoneVerdict judge(const std::string& digits, const std::string& region) {
  const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
  if (const auto national = nationalNumber(digits, region);
      national && util.IsValidNumber(*national)) {
    return PhoneVerdict::Valid;
  }
  PhoneNumber number;
  if (util.Parse(digits, region, &number) != PhoneNumberUtil::NO_PARSING_ERROR) {
    return PhoneVerdict::No;
  }
  if (util.IsValidNumber(number)) return PhoneVerdict::Valid;
  return util.IsPossibleNumber(number) ? PhoneVerdict::Possible : PhoneVerdict::No;
}

}  // namespace

bool isPhoneCountry(std::string_view country) {
  if (country.size() != 2) return false;
  return PhoneNumberUtil::GetInstance()->GetCountryCodeForRegion(std::string(country)) != 0;
}

PhoneVerdict checkPhoneNumber(std::string_view digits, std::string_view country) {
  if (digits.empty() || digits.size() > kMaxDigits) return PhoneVerdict::No;
  const bool international = digits.front() == '+';
  if (!international && !isPhoneCountry(country)) return PhoneVerdict::No;
  const std::string region = isPhoneCountry(country) ? std::string(country) : "ZZ";
  thread_local std::unordered_map<std::string, PhoneVerdict> remembered;
  std::string key = region;
  key.append(digits);
  if (const auto it = remembered.find(key); it != remembered.end()) return it->second;
  if (remembered.size() >= kMaxRemembered) remembered.clear();
  const PhoneVerdict verdict = judge(std::string(digits), region);
  remembered.emplace(std::move(key), verdict);
  return verdict;
}

}  // namespace quillon::fields
