#include "profiles/CardColumns.h"

#include "fields/AddressSplit.h"
#include "fields/Telephone.h"
#include "fields/TextShapes.h"
#include "profiles/ClassNames.h"
#include "profiles/ContainerChoice.h"
#include "profiles/PatternMaker.h"
#include "profiles/ProfileError.h"
#include "text/Ascii.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string_view>

namespace quillon::profiles {
namespace {

using fields::Kind;

// Cards whose elements are looked at: spread over the page, since the first cards are often
// the paid ones with a layout of their own.
constexpr std::size_t kSampleCards = 16;
// Cards over which the selectors of a group are compared; the one chosen is then counted on
// every card. A page of thousands of cards is chosen for as one of a hundred is.
constexpr std::size_t kScoringCards = 100;
// A value lies this deep in its card at most; deeper markup is no card's field.
constexpr int kMaxDepthInCard = 12;
// The groups of a column found in the most sample cards whose selectors are scored.
constexpr std::size_t kGroupsScored = 3;

const TreeElement& at(const PageTree& tree, int index) {
  return tree.elements[static_cast<std::size_t>(index)];
}

// One element of a sample card that shows a column's value, whole or in part.
struct Candidate {
  Column column = Column::Name;
  int card = -1;
  int element = -1;
  std::string attribute;  // "href" for a link's address
  std::string part;       // the value when it is only part of the element's text
};

struct Group {
  Candidate first;
  int cards = 0;
  int lastCard = -1;
};

// Whether a class, the id or the itemprop of the element holds one of the words.
bool namedFor(const TreeElement& element, std::initializer_list<std::string_view> words) {
  const auto holds = [&](std::string_view name) {
    for (const std::string& word : nameWords(name)) {
      if (std::find(words.begin(), words.end(), word) != words.end()) return true;
    }
    return false;
  };
  if (std::any_of(element.classes.begin(), element.classes.end(), holds)) return true;
  const std::string* itemprop = element.attribute("itemprop");
  return holds(element.id) || (itemprop != nullptr && holds(*itemprop));
}

bool namedLocality(const TreeElement& element) {
  return namedFor(element, {"locality", "city", "town", "suburb", "ville", "localite", "localita",
                            "comune", "ciudad", "localidad", "municipio", "ort", "stadt"});
}

bool namedProvince(const TreeElement& element) {
  return namedFor(element, {"region", "province", "provincia", "prov", "state", "county",
                            "departement", "bundesland"});
}

bool namedActivity(const TreeElement& element) {
  return namedFor(element,
                  {"category", "categories", "cat", "categ", "categoria", "categorie", "activity",
                   "activite", "actividad", "attivita", "rubrique", "rubro", "branche", "kategorie",
                   "sector", "specialty", "speciality", "profession", "trade"});
}

// A telephone that its scheme, class or label says is a fax.
bool saysFax(const TreeElement& element, std::string_view value) {
  return text::startsWithNoCase(value, "fax") || namedFor(element, {"fax"});
}

// The element's look, as the same field's element looks in every card: its tag, stable
// classes, itemprop and the scheme of its address.
std::string lookOf(const TreeElement& element) {
  std::string look = element.tag;
  std::vector<std::string> classes;
  for (const std::string& name : element.classes) {
    if (!looksGenerated(name)) classes.push_back(name);
  }
  std::sort(classes.begin(), classes.end());
  for (const std::string& name : classes) look.append(".").append(name);
  if (const std::string* itemprop = element.attribute("itemprop")) {
    look.append("[").append(*itemprop).append("]");
  }
  if (const std::string* href = element.attribute("href")) {
    look.append("@").append(href->substr(0, std::min<std::size_t>(href->find(':'), 8)));
  }
  return look;
}

class CandidateFinder {
 public:
  CandidateFinder(const TreeKinds& kinds, std::vector<Candidate>& out)
      : m_kinds(kinds), m_tree(kinds.tree()), m_out(out) {}

  void inCard(int card) {
    m_card = card;
    m_name = nameElementIn(m_kinds, card);
    if (m_name >= 0) add(Column::Name, m_name, {}, {});
    const int depth = at(m_tree, card).depth;
    for (int i = card + 1; i < static_cast<int>(m_tree.elements.size()); ++i) {
      const TreeElement& element = at(m_tree, i);
      if (element.depth <= depth) break;
      if (element.hidden || element.depth > depth + kMaxDepthInCard) continue;
      // A web address or e-mail is best read from its link, a telephone as the card shows it.
      fromLink(i, false);
      if (m_name < 0 || (i != m_name && !m_tree.contains(m_name, i))) fromText(i);
      fromLink(i, true);
    }
  }

 private:
  void add(Column column, int element, std::string attribute, std::string part) {
    m_out.push_back({column, m_card, element, std::move(attribute), std::move(part)});
  }

  void fromLink(int index, bool telephone) {
    const fields::KindSet kinds = m_kinds.ofLink(index);
    if (kinds.empty()) return;
    const TreeElement& element = at(m_tree, index);
    if (telephone) {
      if (!kinds.has(Kind::Telephone)) return;
      const std::string* href = element.attribute("href");
      add(saysFax(element, *href) || saysFax(element, element.text) ? Column::Fax
                                                                    : Column::Telephone,
          index, "href", {});
      return;
    }
    if (kinds.has(Kind::Email)) add(Column::Email, index, "href", {});
    if (kinds.has(Kind::Web)) add(Column::Url, index, "href", {});
  }

  // Whether a child shows a value of the kind too: the innermost element is the field's.
  bool childHas(int index, Kind kind) const {
    for (const int child : at(m_tree, index).children) {
      if (m_kinds.ofText(child).has(kind)) return true;
    }
    return false;
  }

  bool besidePostalCode(int index) const {
    const TreeElement& element = at(m_tree, index);
    if (element.parent < 0) return false;
    const auto& siblings = at(m_tree, element.parent).children;
    const auto here = std::find(siblings.begin(), siblings.end(), index);
    for (const auto near : {here - 1, here + 1}) {
      if (near < siblings.begin() || near >= siblings.end()) continue;
      const fields::KindSet kinds = m_kinds.ofText(*near);
      if (kinds.has(Kind::PostalCode) && !kinds.has(Kind::Locality)) return true;
    }
    return false;
  }

  void fromText(int index) {
    const fields::KindSet kinds = m_kinds.ofText(index);
    const TreeElement& element = at(m_tree, index);
    const std::string& text = element.text;
    if (kinds.has(Kind::Telephone) && !childHas(index, Kind::Telephone)) {
      if (const auto number = fields::telephoneIn(text, m_kinds.page().country)) {
        add(saysFax(element, text) ? Column::Fax : Column::Telephone, index, {},
            number->number == text ? std::string() : number->number);
      }
    }
    if (kinds.has(Kind::Email) && !childHas(index, Kind::Email)) add(Column::Email, index, {}, {});
    if (kinds.has(Kind::Web) && !childHas(index, Kind::Web)) add(Column::Url, index, {}, {});
    fromAddress(index, kinds);
    if (namedActivity(element) && !isButtonCaptionOrKind(index, kinds)) {
      add(Column::Activity, index, {}, {});
    }
  }

  bool isButtonCaptionOrKind(int index, fields::KindSet kinds) const {
    const std::string& text = at(m_tree, index).text;
    return text.empty() || text.size() > 100 || kinds.has(Kind::Telephone) ||
           kinds.has(Kind::Email) || kinds.has(Kind::Web) || fields::isButtonCaption(text);
  }

  void fromAddress(int index, fields::KindSet kinds) {
    const TreeElement& element = at(m_tree, index);
    const std::string& text = element.text;
    const fields::AddressParts parts = fields::splitAddress(text, m_kinds.page().country);
    const auto part = [&](Column column, Kind kind, fields::Span span) {
      if (span.empty() || !kinds.has(kind) || childHas(index, kind)) return;
      const std::string value(span.in(text));
      add(column, index, {}, value == text ? std::string() : value);
    };
    if (!parts.postalCode.empty()) {
      part(Column::Street, Kind::Street, parts.street);
      part(Column::PostalCode, Kind::PostalCode, parts.postalCode);
      part(Column::Locality, Kind::Locality, parts.locality);
      part(Column::Region, Kind::Province, parts.province);
      return;
    }
    const fields::Span whole{0, text.size()};
    part(Column::Street, Kind::Street, whole);
    // Without a code beside them, a few words are a place only where the page says so.
    if (!kinds.has(Kind::Street) && (namedLocality(element) || besidePostalCode(index))) {
      part(Column::Locality, Kind::Locality, whole);
    } else if (!kinds.has(Kind::Street) && namedProvince(element)) {
      part(Column::Region, Kind::Province, whole);
    }
  }

  const TreeKinds& m_kinds;
  const PageTree& m_tree;
  std::vector<Candidate>& m_out;
  int m_card = -1;
  int m_name = -1;
};

std::vector<int> sampleOf(const std::vector<int>& cards, std::size_t size) {
  if (cards.size() <= size) return cards;
  std::vector<int> sample;
  for (std::size_t i = 0; i < size; ++i)
    sample.push_back(cards[i * (cards.size() - 1) / (size - 1)]);
  return sample;
}

// The rule that reads the candidate's value: its attribute, the pattern of its part.
std::optional<FieldRule> ruleFor(const TreeKinds& kinds, const Candidate& candidate) {
  FieldRule rule;
  rule.attribute = candidate.attribute;
  if (candidate.part.empty()) return rule;
  const auto pattern = kindPattern(candidate.column, at(kinds.tree(), candidate.element).text,
                                   candidate.part, kinds.page().country);
  if (!pattern) return std::nullopt;
  rule.pattern = *pattern;
  return rule;
}

std::optional<CardField> scoreGroup(const TreeKinds& kinds, const Candidate& candidate,
                                    const std::vector<int>& cards) {
  const std::optional<FieldRule> rule = ruleFor(kinds, candidate);
  if (!rule) return std::nullopt;
  try {
    FieldReader reader(candidate.column, *rule);
    auto choice = chooseFieldSelector(kinds, candidate.card, candidate.element, reader, cards);
    if (!choice) return std::nullopt;
    return CardField{*rule, std::move(*choice)};
  } catch (const ProfileError&) {
    return std::nullopt;
  }
}

// As the teacher chooses (FieldSelectorChoice), but of two that read as well, a telephone as
// the card shows it ("(07) 4098 1234") before its link's address ("0740981234").
bool betterCardField(Column column, const CardField& a, const CardField& b) {
  const FieldScore& x = a.choice.score;
  const FieldScore& y = b.choice.score;
  const bool telephone = column == Column::Telephone || column == Column::Fax;
  if (telephone && a.rule.attribute != b.rule.attribute && (x.wrong == 0) == (y.wrong == 0) &&
      x.fills == y.fills) {
    return a.rule.attribute.empty();
  }
  return betterField(a.choice, b.choice,
                     fields::kindOfColumn(static_cast<std::size_t>(column)).has_value());
}

// A column holds in two cards, or in one where nothing it reads elsewhere is of another kind
// (a card's own e-mail link); a value that strays into a text of one card does not.
bool fillsEnough(const CardField& field) {
  const FieldScore& score = field.choice.score;
  return score.fills >= 2 || (score.fills == 1 && score.wrong == 0);
}

}  // namespace

CardFields detectColumns(const TreeKinds& kinds, const std::vector<int>& cards) {
  std::vector<Candidate> candidates;
  CandidateFinder finder(kinds, candidates);
  for (const int card : sampleOf(cards, kSampleCards)) finder.inCard(card);

  // The groups of each column in the order they were met, with the cards they are found in.
  std::array<std::vector<Group>, kColumnCount> groups;
  std::map<std::string, std::pair<std::size_t, std::size_t>> byKey;  // -> column, index
  for (const Candidate& candidate : candidates) {
    const auto column = static_cast<std::size_t>(candidate.column);
    std::string key = std::to_string(column);
    key.append("|").append(lookOf(at(kinds.tree(), candidate.element)));
    key.append("|").append(candidate.attribute).append(candidate.part.empty() ? "|" : "|part");
    auto [found, fresh] = byKey.try_emplace(key, column, groups[column].size());
    if (fresh) groups[column].push_back({candidate, 0, -1});
    Group& group = groups[column][found->second.second];
    if (group.lastCard != candidate.card) {
      ++group.cards;
      group.lastCard = candidate.card;
    }
  }

  CardFields fields;
  const std::vector<int> scoring = sampleOf(cards, kScoringCards);
  for (std::size_t column = 0; column < kColumnCount; ++column) {
    std::vector<Group>& each = groups[column];
    std::stable_sort(each.begin(), each.end(),
                     [](const Group& a, const Group& b) { return a.cards > b.cards; });
    if (each.size() > kGroupsScored) each.resize(kGroupsScored);
    for (const Group& group : each) {
      auto field = scoreGroup(kinds, group.first, scoring);
      if (!field || !fillsEnough(*field)) continue;
      if (!fields[column] || betterCardField(columnAt(column), *field, *fields[column])) {
        fields[column] = std::move(field);
      }
    }
  }
  // A fax read where the telephone is read is the telephone.
  const auto& phone = fields[static_cast<std::size_t>(Column::Telephone)];
  auto& fax = fields[static_cast<std::size_t>(Column::Fax)];
  if (phone && fax && phone->choice.selector == fax->choice.selector &&
      phone->rule.attribute == fax->rule.attribute) {
    fax.reset();
  }
  for (std::size_t column = 0; column < kColumnCount; ++column) {
    auto& field = fields[column];
    if (!field) continue;
    field->rule.selector = field->choice.selector.css();
    if (scoring.size() < cards.size()) {
      FieldReader reader(columnAt(column), field->rule);
      field->choice.score = scoreField(kinds, field->choice.selector, reader, cards);
    }
  }
  return fields;
}

}  // namespace quillon::profiles
