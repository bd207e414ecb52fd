#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon::batch {

// What the dialog's Start hands the window: the run mode's code ("es", ..., "auto",
// "profile"), the profile's name for "profile", and the start addresses in order.
struct BatchChoice {
  std::string mode;
  std::string profile;
  std::vector<std::string> addresses;

  friend bool operator==(const BatchChoice&, const BatchChoice&) = default;
};

// What the window's "Capture a list of searches" dialog shows and edits, without Qt: the run
// kind, the list of start addresses or a template with its values (typed, pasted or loaded
// from a text file), the first addresses they give, and what keeps Start from going.
class BatchDialogModel {
 public:
  enum class RunKind { BuiltInSite, AnySite, Profile };
  enum class Source { List, Template };

  BatchDialogModel();

  void setRunKind(RunKind kind);
  RunKind runKind() const { return m_kind; }
  // A built-in directory's code: es, it, au or ca.
  void setSite(std::string code);
  const std::string& site() const { return m_site; }
  // The saved profiles to choose from, and the one chosen.
  void setProfileNames(std::vector<std::string> names);
  const std::vector<std::string>& profileNames() const { return m_profileNames; }
  void setProfile(std::string name);
  const std::string& profile() const { return m_profile; }
  // The run mode's code as the journal keeps it: the site's, "auto" or "profile".
  std::string modeCode() const;

  void setSource(Source source);
  Source source() const { return m_source; }
  // The texts as the dialog's boxes hold them (UTF-8).
  void setListText(std::string text);
  void setTemplate(std::string searchTemplate);
  void setValuesText(std::string text);
  const std::string& listText() const { return m_listText; }
  const std::string& searchTemplate() const { return m_template; }
  const std::string& valuesText() const { return m_valuesText; }
  // A text file's bytes become the text of the source chosen (the list, or the values). A
  // file that is not UTF-8 is read with U+FFFD for each bad byte and said once in notice().
  void loadFile(std::string_view bytes, std::string_view fileName);
  // What the last load had to say; empty when nothing.
  const std::string& notice() const { return m_notice; }

  // Why Start cannot go yet, in words; empty when it can.
  const std::string& problem() const { return m_problem; }
  bool ready() const { return m_problem.empty(); }
  // The start addresses, in the order they will be read (empty while there is a problem).
  const std::vector<std::string>& addresses() const { return m_addresses; }
  std::vector<std::string> preview(std::size_t count) const;
  // What Start runs; meaningful when ready().
  BatchChoice choice() const;

 private:
  void update();

  RunKind m_kind = RunKind::BuiltInSite;
  std::string m_site = "es";
  std::vector<std::string> m_profileNames;
  std::string m_profile;
  Source m_source = Source::List;
  std::string m_listText;
  std::string m_template;
  std::string m_valuesText;
  std::string m_notice;
  std::string m_problem;
  std::vector<std::string> m_addresses;
};

}  // namespace quillon::batch
