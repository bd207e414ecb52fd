#pragma once

#include "structured/Extraction.h"
#include "structured/PageData.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quillon::structured::testing {

inline constexpr const char* kPageUrl = "https://guia.example/madrid/fontaneros?p=1";

inline PageData jsonLdPage(std::vector<std::string> blocks) {
  PageData page;
  page.url = kPageUrl;
  page.jsonLd = std::move(blocks);
  return page;
}

inline std::vector<std::string> namesOf(const Extraction& extraction) {
  std::vector<std::string> names;
  for (const Listing& listing : extraction.listings) names.push_back(listing[Column::Name]);
  return names;
}

inline std::string readFixture(const std::string& relative) {
  std::ifstream in(std::string(QUILLON_FIXTURES) + "/" + relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace quillon::structured::testing
