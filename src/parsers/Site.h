#pragma once

#include <optional>
#include <string_view>

namespace quillon::parsers {

// The four directories: Spanish, Italian, Australian and Canadian yellow pages.
enum class Site { ES, IT, AU, CA };

// "es", "it", "au", "ca" (as on the command line); nullopt for anything else.
std::optional<Site> siteFromCode(std::string_view code);
std::string_view siteCode(Site site);

}  // namespace quillon::parsers
