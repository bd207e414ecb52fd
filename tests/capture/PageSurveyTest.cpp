// What the window's hint and "quillon-cli listings" say about a page before a run.

#include "capture/PageSurvey.h"

#include <gtest/gtest.h>

namespace quillon::capture {
namespace {

using structured::Column;
using structured::Listing;

Listing row(const std::string& name, const std::string& phone, const std::string& web = {}) {
  Listing out;
  out[Column::Name] = name;
  out[Column::Telephone] = phone;
  out[Column::Url] = web;
  return out;
}

profiles::TeachResult detected(std::vector<Listing> rows) {
  profiles::TeachResult result;
  result.ok = true;
  result.listingCount = static_cast<int>(rows.size());
  result.rows = std::move(rows);
  return result;
}

TEST(PageSurvey, NamesTheCountAndTheColumnsFound) {
  std::vector<Listing> cards;
  for (int i = 0; i < 35; ++i) {
    Listing card = row("Plumber " + std::to_string(i), "0420 909 4" + std::to_string(10 + i));
    card[Column::Street] = "12 Sheridan St";
    card[Column::PostalCode] = "4870";
    card[Column::Locality] = "Cairns City";
    if (i == 3) card[Column::Url] = "https://plumber.example.com.au/";
    cards.push_back(card);
  }
  const PageSurvey many = surveyPage({}, detected(cards));
  EXPECT_EQ(surveyHint(many),
            "35 listings found: Name, Telephone, Street, Postal code, Locality, Web");
  EXPECT_EQ(surveySources(many), "detection (35 cards)");

  const PageSurvey one = surveyPage({}, detected({row("Bar Pepe", "91 555 12 34")}));
  EXPECT_EQ(surveyHint(one), "1 listing found: Name, Telephone");

  const PageSurvey none = surveyPage({}, profiles::TeachResult{});
  EXPECT_EQ(surveyHint(none), "no listings found on this page");
  EXPECT_EQ(surveySources(none), "no listings found on this page");
}

TEST(PageSurvey, CountsBusinessesOnceWhenBothSourcesShowThem) {
  structured::Extraction extraction;
  extraction.listings = {row("Bar Pepe", ""), row("Casa Lola", "91 555 00 01")};
  const PageSurvey both =
      surveyPage(extraction, detected({row("Bar Pepe", "91 555 12 34", "https://barpepe.example/"),
                                       row("Bar Nuevo", "91 555 77 77")}));
  EXPECT_EQ(both.listings, 3);
  EXPECT_EQ(surveyHint(both), "3 listings found: Name, Telephone, Web");
  EXPECT_EQ(surveySources(both),
            "structured data (2 listings) and detection (2 cards), 3 businesses");

  structured::Extraction summary;
  summary.summaryUrls = {"https://d.example/1", "https://d.example/2"};
  const PageSurvey entries = surveyPage(summary, profiles::TeachResult{});
  EXPECT_EQ(surveyHint(entries), "2 listings found, each on a page of its own");
  EXPECT_EQ(surveySources(entries), "structured data (2 entries of a summary page)");
}

}  // namespace
}  // namespace quillon::capture
