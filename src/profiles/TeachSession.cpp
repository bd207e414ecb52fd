#include "profiles/TeachSession.h"

#include "profiles/CardDetection.h"
#include "profiles/ProfileError.h"
#include "text/TextRules.h"
#include "url/UrlParts.h"

#include <algorithm>

namespace quillon::profiles {

namespace {

bool sameExamples(const TeachExamples& a, const TeachExamples& b) {
  return a.values == b.values && a.nextText == b.nextText;
}

}  // namespace

void TeachSession::setPage(PageTree tree) {
  m_tree = std::move(tree);
  m_hasPage = true;
  if (m_detected.ok && sameExamples(m_examples, m_detectedExamples)) {
    detectExamples();
  } else {
    teach();
  }
}

void TeachSession::detectExamples() {
  m_detected = m_hasPage ? detectProfile(m_tree) : TeachResult{};
  m_examples = {};
  if (m_detected.ok && !m_detected.rows.empty()) {
    m_examples.values = m_detected.rows.front().columns;
  }
  m_detectedExamples = m_examples;
  teach();
}

void TeachSession::setExample(Column column, std::string value) {
  m_examples[column] = std::move(value);
  teach();
}

void TeachSession::setNextText(std::string text) {
  m_examples.nextText = std::move(text);
  teach();
}

void TeachSession::clear() {
  m_examples = {};
  teach();
}

void TeachSession::teach() {
  if (!m_hasPage || text::collapseWhiteSpace(m_examples[Column::Name]).empty()) {
    m_result = {};
    return;
  }
  m_result = m_detected.ok && sameExamples(m_examples, m_detectedExamples)
                 ? m_detected
                 : teachProfile(m_tree, m_examples);
}

std::string TeachSession::status() const {
  if (!m_hasPage) return "Open a result page of the directory.";
  if (text::collapseWhiteSpace(m_examples[Column::Name]).empty()) {
    return "Select the name of one listing on the page and take it.";
  }
  if (!m_result.ok) {
    std::string text = "Not yet: " + m_result.problem + ".";
    if (!m_result.revealGuess.empty()) {
      text += " If a button on the page shows it, click that button and take the value again.";
    }
    return text;
  }
  std::string text = std::to_string(m_result.listingCount) +
                     (m_result.listingCount == 1 ? " listing" : " listings") + " on this page";
  if (!m_result.profile.loadMore.empty()) text += " (more behind \"load more\")";
  text += ".";
  for (const std::string& note : m_result.notes) text += " Note: " + note + ".";
  return text;
}

std::string TeachSession::fillText(Column column) const {
  const auto& count = m_result.counts[static_cast<std::size_t>(column)];
  if (!count || !m_result.ok) return {};
  std::string text = std::to_string(count->filled) + " of " + std::to_string(m_result.listingCount);
  if (count->wrong > 0) text += ", " + std::to_string(count->wrong) + " left out";
  return text;
}

std::vector<structured::Listing> TeachSession::preview(std::size_t count) const {
  const std::size_t shown = std::min(count, m_result.rows.size());
  return {m_result.rows.begin(), m_result.rows.begin() + static_cast<std::ptrdiff_t>(shown)};
}

Profile TeachSession::profile(const std::string& name) const {
  if (!m_result.ok) {
    throw ProfileError(m_result.problem.empty() ? "the examples make no profile yet"
                                                : m_result.problem);
  }
  Profile profile = m_result.profile;
  const std::string host = url::urlHost(m_tree.url);
  profile.name = text::collapseWhiteSpace(name);
  if (profile.name.empty()) profile.name = host.empty() ? "profile" : host;
  profile.hosts.clear();
  if (!host.empty()) profile.hosts.push_back(host);
  return profile;
}

}  // namespace quillon::profiles
