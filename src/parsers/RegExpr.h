#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quillon::parsers {

class CompiledPattern;

// The regular-expression engine of the rule sets and finders: Perl syntax over cp1252
// bytes, "." matching line ends, ASCII classes, "(?i)" folding ASCII letters only.
// Each distinct pattern is compiled (and JIT-compiled) once per process.
//
// A search that exceeds the engine's resource limits (a pathological block that would
// backtrack for minutes) counts as no match: the rule leaves the entry unchanged and the
// capture goes on with the next rule, rather than hanging or ending the whole run.
class RegExpr {
 public:
  // The rule sets' syntax above, or Perl's over UTF-8 text with Unicode letters, digits and
  // spaces (the patterns of site profiles). A UTF-8 pattern comes from a file, so it is
  // compiled for its object alone rather than kept for the process; a subject that is not
  // valid UTF-8 is searched in its valid stretches.
  enum class Syntax { Cp1252, Utf8 };

  RegExpr();
  explicit RegExpr(std::string_view pattern, Syntax syntax = Syntax::Cp1252);
  ~RegExpr();
  RegExpr(const RegExpr&) = delete;
  RegExpr& operator=(const RegExpr&) = delete;

  // Sets the pattern; throws ERegExpr when it is malformed.
  void setExpression(std::string_view pattern);

  // Searches subject from offset for the leftmost match. The subject must outlive
  // the reads of the match below.
  bool exec(std::string_view subject, std::size_t offset = 0);

  // Text of a group of the last match; empty when it took no part.
  std::string_view match(int group = 0) const;
  std::size_t matchPos(int group = 0) const;  // 0-based offset into the subject
  std::size_t matchLen(int group = 0) const;
  int groupCount() const;

 private:
  const CompiledPattern* m_pattern = nullptr;
  std::unique_ptr<const CompiledPattern> m_own;  // a UTF-8 pattern's
  struct MatchState;
  std::unique_ptr<MatchState> m_state;
  std::string_view m_subject;
  bool m_matched = false;
};

}  // namespace quillon::parsers
