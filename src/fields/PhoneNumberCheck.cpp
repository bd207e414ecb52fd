#include "fields/PhoneNumberCheck.h"

#include <phonenumbers/phonenumber.pb.h>
#include <phonenumbers/phonenumberutil.h>
#include <string>
#include <unordered_map>

namespace quillon::fields {
namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

// libphonenumber's own matching runs ICU regular expressions (several microseconds a number).
constexpr std::size_t kMaxDigits = 20;
constexpr std::size_t kMaxRemembered = 4096;

PhoneVerdict judge(const std::string& digits, const std::string& region) {
  const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
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
