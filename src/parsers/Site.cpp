#include "parsers/Site.h"

namespace quillon::parsers {

std::optional<Site> siteFromCode(std::string_view code) {
  if (code == "es") return Site::ES;
  if (code == "it") return Site::IT;
  if (code == "au") return Site::AU;
  if (code == "ca") return Site::CA;
  return std::nullopt;
}

std::string_view siteCode(Site site) {
  switch (site) {
    case Site::ES:
      return "es";
    case Site::IT:
      return "it";
    case Site::AU:
      return "au";
    case Site::CA:
      return "ca";
  }
  return "es";
}

}  // namespace quillon::parsers
