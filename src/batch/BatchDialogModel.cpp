#include "batch/BatchDialogModel.h"

#include "batch/BatchError.h"
#include "batch/ListText.h"
#include "batch/SearchList.h"
#include "text/Utf8.h"

#include <algorithm>

namespace quillon::batch {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// A line that still holds the character that stood in for bytes of another encoding would
// send a search for the wrong place.
std::string replacementProblem(const ListText& list, std::string_view name) {
  for (const ListLine& line : list.lines) {
    if (line.text.find(kReplacement) == std::string::npos) continue;
    std::string problem = "line " + std::to_string(line.number) + " of ";
    problem.append(name).append(" holds \xEF\xBF\xBD");
    problem += " where the file had bytes that are not UTF-8: type the right letters, or load";
    return problem + " the file saved as UTF-8";
  }
  return {};
}

}  // namespace

BatchDialogModel::BatchDialogModel() { update(); }

void BatchDialogModel::setRunKind(RunKind kind) {
  m_kind = kind;
  update();
}

void BatchDialogModel::setSite(std::string code) {
  m_site = std::move(code);
  update();
}

void BatchDialogModel::setProfileNames(std::vector<std::string> names) {
  m_profileNames = std::move(names);
  if (std::find(m_profileNames.begin(), m_profileNames.end(), m_profile) == m_profileNames.end()) {
    m_profile = m_profileNames.empty() ? std::string() : m_profileNames.front();
  }
  update();
}

void BatchDialogModel::setProfile(std::string name) {
  m_profile = std::move(name);
  update();
}

std::string BatchDialogModel::modeCode() const {
  switch (m_kind) {
    case RunKind::BuiltInSite:
      return m_site;
    case RunKind::AnySite:
      return "auto";
    case RunKind::Profile:
      break;
  }
  return "profile";
}

void BatchDialogModel::setSource(Source source) {
  m_source = source;
  update();
}

void BatchDialogModel::setListText(std::string text) {
  m_listText = std::move(text);
  update();
}

void BatchDialogModel::setTemplate(std::string searchTemplate) {
  m_template = std::move(searchTemplate);
  update();
}

void BatchDialogModel::setValuesText(std::string text) {
  m_valuesText = std::move(text);
  update();
}

void BatchDialogModel::loadFile(std::string_view bytes, std::string_view fileName) {
  m_notice = notUtf8Problem(readListText(bytes), fileName);
  // The box shows the whole file as read, comments too, so that it can be corrected there.
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::string text = text::wellFormedUtf8(bytes);
  if (m_source == Source::List) {
    m_listText = std::move(text);
  } else {
    m_valuesText = std::move(text);
  }
  update();
}

std::vector<std::string> BatchDialogModel::preview(std::size_t count) const {
  return {m_addresses.begin(),
          m_addresses.begin() + static_cast<std::ptrdiff_t>(std::min(count, m_addresses.size()))};
}

BatchChoice BatchDialogModel::choice() const {
  return {modeCode(), m_kind == RunKind::Profile ? m_profile : std::string(), m_addresses};
}

void BatchDialogModel::update() {
  m_addresses.clear();
  m_problem.clear();
  if (m_kind == RunKind::Profile && m_profile.empty()) {
    m_problem = "no saved profile to capture with: teach one first (Teach this site…)";
    return;
  }
  try {
    if (m_source == Source::List) {
      const ListText list = readListText(m_listText);
      m_problem = replacementProblem(list, "the list");
      if (m_problem.empty()) m_addresses = searchesFromList(list, "the list");
    } else {
      const ListText values = readListText(m_valuesText);
      m_problem = replacementProblem(values, "the list of values");
      if (m_problem.empty())
        m_addresses = searchesFromTemplate(m_template, values, "the list of values");
    }
  } catch (const BatchError& error) {
    m_problem = error.what();
  }
}

}  // namespace quillon::batch
