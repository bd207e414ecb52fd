#pragma once

#include "profiles/PageTree.h"
#include "profiles/Teacher.h"

#include <string>
#include <vector>

namespace quillon::profiles {

// What the window's teach panel shows and edits, without Qt: the examples the user has taken
// from the page, the page they were taken from, and what the teacher makes of them, taught
// again after every change.
class TeachSession {
 public:
  // The page shown (read again after a load or a click on it). Examples that detection gave
  // and the user left as they were are detected again on it.
  void setPage(PageTree tree);
  // Takes as examples the values of the first card that detection finds on the page (none
  // when it finds none); the result is the detection's until an example changes.
  void detectExamples();
  bool hasPage() const { return m_hasPage; }
  const std::string& pageUrl() const { return m_tree.url; }

  void setExample(Column column, std::string value);
  void setNextText(std::string text);
  const TeachExamples& examples() const { return m_examples; }
  // Forgets every example.
  void clear();

  const TeachResult& result() const { return m_result; }
  // Whether the examples make a profile that can be saved and captured with.
  bool ready() const { return m_result.ok; }
  // One line for the panel: how many listings the profile finds, or what is missing.
  std::string status() const;
  // How many of the page's listings the field fills ("35 of 35"; "33 of 35, 2 left out" when
  // values of another kind are left out); empty for a field not taught.
  std::string fillText(Column column) const;
  // The first rows the profile reads from the page.
  std::vector<structured::Listing> preview(std::size_t count) const;

  // The profile taught, named and suggested for the page's host; throws ProfileError when the
  // examples make none.
  Profile profile(const std::string& name) const;

 private:
  void teach();

  PageTree m_tree;
  bool m_hasPage = false;
  TeachExamples m_examples;
  TeachResult m_result;
  TeachResult m_detected;  // what detection found on the page, when it gave the examples
  TeachExamples m_detectedExamples;
};

}  // namespace quillon::profiles
