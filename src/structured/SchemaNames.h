#pragma once

#include <string>
#include <string_view>
#include <vector>

// schema.org type and property names.

namespace quillon::structured {

// The name without a leading "http://" or "https://" "schema.org/" (scheme and host in any
// case, with or without "www.") and then without one trailing "/":
// "https://www.schema.org/Dentist/" -> "Dentist". Other names stay as they are.
std::string_view schemaName(std::string_view name);

// Types that describe the page or parts of it rather than a business (WebSite, ItemList,
// BreadcrumbList, Offer, Review, ...).
bool isPageStructureType(std::string_view type);

// The activity column of a listing with these types: the first type that says more than
// LocalBusiness, Organization, Corporation, Place or Thing, written as words. Page-structure
// types and names that are addresses of another vocabulary are passed over too. Empty when
// no type is left.
std::string activityOf(const std::vector<std::string>& types);

// A type name as words: a blank between a lower-case letter or digit and a capital, and
// before the last capital of a run of capitals that a lower-case letter follows
// ("AutoRepair" -> "Auto Repair", "HVACBusiness" -> "HVAC Business").
std::string typeWords(std::string_view type);

}  // namespace quillon::structured
