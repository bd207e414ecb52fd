#include "capture/PageSurvey.h"

#include "capture/Browser.h"
#include "capture/CaptureError.h"
#include "capture/DetectedCards.h"
#include "capture/ListingUnion.h"
#include "structured/PageDataFormat.h"
#include "structured/StructuredDataError.h"

namespace quillon::capture {
namespace {

std::string counted(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

PageSurvey surveyPage(const structured::Extraction& extraction,
                      const profiles::TeachResult& detection) {
  PageSurvey survey;
  const std::vector<structured::Listing> none;
  const auto& cards = detection.ok ? detection.rows : none;
  survey.cards = static_cast<int>(cards.size());
  survey.structured = static_cast<int>(extraction.listings.size());
  if (survey.structured == 0 && !extraction.summaryUrls.empty()) {
    survey.structured = static_cast<int>(extraction.summaryUrls.size());
    survey.summary = true;
  }
  const std::vector<structured::Listing> rows = unionByBusiness(extraction.listings, cards);
  survey.listings = static_cast<int>(rows.size());
  if (survey.summary && cards.empty()) survey.listings = survey.structured;
  for (const structured::Listing& row : rows) {
    for (std::size_t i = 0; i < structured::kColumnCount; ++i) {
      survey.columns[i] = survey.columns[i] || !row.columns[i].empty();
    }
  }
  return survey;
}

std::string surveyHint(const PageSurvey& survey) {
  if (survey.listings == 0) return "no listings found on this page";
  std::string hint = counted(survey.listings, "listing", "listings") + " found";
  if (survey.summary && survey.cards == 0) return hint + ", each on a page of its own";
  const char* separator = ": ";
  for (std::size_t i = 0; i < structured::kColumnCount; ++i) {
    if (!survey.columns[i]) continue;
    hint.append(separator).append(profiles::columnCaption(profiles::columnAt(i)));
    separator = ", ";
  }
  return hint;
}

std::string surveySources(const PageSurvey& survey) {
  if (survey.listings == 0) return "no listings found on this page";
  const std::string structured =
      "structured data (" +
      (survey.summary ? counted(survey.structured, "entry", "entries") + " of a summary page"
                      : counted(survey.structured, "listing", "listings")) +
      ")";
  const std::string detection = "detection (" + counted(survey.cards, "card", "cards") + ")";
  if (survey.cards == 0) return structured;
  if (survey.structured == 0) return detection;
  return structured + " and detection (" + counted(survey.cards, "card", "cards") + "), " +
         counted(survey.listings, "business", "businesses");
}

std::optional<PageSurvey> surveyShownPage(Browser& browser) {
  try {
    const structured::Extraction extraction =
        structured::extractListings(structured::decodePageData(browser.PageData()));
    return surveyPage(extraction, detectShownPage(browser));
  } catch (const structured::StructuredDataError&) {
  } catch (const CaptureError&) {
  }
  return std::nullopt;
}

}  // namespace quillon::capture
