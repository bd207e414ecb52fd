#include "parsers/RegExpr.h"

#include "parsers/ParserError.h"
#include "parsers/PatternTranslation.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <algorithm>
#include <mutex>
#include <pcre2.h>
#include <string>
#include <unordered_map>

namespace quillon::parsers {
namespace {

// Far above what any real listing needs (a few thousand steps), low enough that a
// hostile block gives up within milliseconds instead of backtracking for minutes.
constexpr uint32_t kMatchLimit = 5'000'000;
constexpr uint32_t kDepthLimit = 100'000;
constexpr PCRE2_SIZE kJitStackMax = 1 << 20;

struct MatchContextDeleter {
  void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct JitStackDeleter {
  void operator()(pcre2_jit_stack* stack) const { pcre2_jit_stack_free(stack); }
};
struct MatchDataDeleter {
  void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};

// One match context (limits and JIT stack) per thread, shared by every engine object.
pcre2_match_context* threadMatchContext() {
  thread_local std::unique_ptr<pcre2_jit_stack, JitStackDeleter> stack(
      pcre2_jit_stack_create(32 * 1024, kJitStackMax, nullptr));
  thread_local std::unique_ptr<pcre2_match_context, MatchContextDeleter> context = [] {
    std::unique_ptr<pcre2_match_context, MatchContextDeleter> made(
        pcre2_match_context_create(nullptr));
    pcre2_set_match_limit(made.get(), kMatchLimit);
    pcre2_set_depth_limit(made.get(), kDepthLimit);
    if (stack) pcre2_jit_stack_assign(made.get(), nullptr, stack.get());
    return made;
  }();
  return context.get();
}

std::string pcre2Message(int code) {
  PCRE2_UCHAR buffer[256];
  if (pcre2_get_error_message(code, buffer, sizeof buffer) < 0) return "unknown error";
  return reinterpret_cast<const char*>(buffer);
}

}  // namespace

class CompiledPattern {
 public:
  CompiledPattern(std::string_view pattern, RegExpr::Syntax syntax) {
    const bool utf8 = syntax == RegExpr::Syntax::Utf8;
    const std::string translated = utf8 ? std::string(pattern) : translatePattern(pattern);
    const uint32_t options = utf8 ? PCRE2_UTF | PCRE2_UCP | PCRE2_MATCH_INVALID_UTF
                                  : PCRE2_DOTALL | PCRE2_DOLLAR_ENDONLY;
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    m_code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated.data()), translated.size(),
                           options, &errorCode, &errorOffset, nullptr);
    if (!m_code) {
      throw ERegExpr("Malformed pattern at offset " + std::to_string(errorOffset) + ": " +
                     pcre2Message(errorCode));
    }
    m_jit = pcre2_jit_compile(m_code, PCRE2_JIT_COMPLETE) == 0;
    uint32_t captures = 0;
    pcre2_pattern_info(m_code, PCRE2_INFO_CAPTURECOUNT, &captures);
    m_groups = static_cast<int>(captures);
  }
  ~CompiledPattern() { pcre2_code_free(m_code); }
  CompiledPattern(const CompiledPattern&) = delete;
  CompiledPattern& operator=(const CompiledPattern&) = delete;

  const pcre2_code* code() const { return m_code; }
  bool jit() const { return m_jit; }
  int groups() const { return m_groups; }

 private:
  pcre2_code* m_code = nullptr;
  bool m_jit = false;
  int m_groups = 0;
};

namespace {

// Patterns are fixed texts of the program, so the cache stays small; it is never pruned.
const CompiledPattern& compiledFor(std::string_view pattern) {
  static std::mutex mutex;
  static std::unordered_map<std::string, std::unique_ptr<CompiledPattern>> cache;
  const std::lock_guard lock(mutex);
  auto it = cache.find(std::string(pattern));
  if (it == cache.end()) {
    auto compiled = std::make_unique<CompiledPattern>(pattern, RegExpr::Syntax::Cp1252);
    it = cache.emplace(std::string(pattern), std::move(compiled)).first;
  }
  return *it->second;
}

}  // namespace

struct RegExpr::MatchState {
  std::unique_ptr<pcre2_match_data, MatchDataDeleter> data;
};

RegExpr::RegExpr() : m_state(std::make_unique<MatchState>()) {}

RegExpr::RegExpr(std::string_view pattern, Syntax syntax) : RegExpr() {
  if (syntax == Syntax::Cp1252) {
    setExpression(pattern);
    return;
  }
  m_own = std::make_unique<const CompiledPattern>(pattern, syntax);
  m_pattern = m_own.get();
  const auto needed = static_cast<uint32_t>(m_pattern->groups() + 1);
  m_state->data.reset(pcre2_match_data_create(needed, nullptr));
  if (!m_state->data) throw ERegExpr("Out of memory for match data");
}

RegExpr::~RegExpr() = default;

void RegExpr::setExpression(std::string_view pattern) {
  m_own.reset();
  m_pattern = &compiledFor(pattern);
  m_matched = false;
  // One match block serves every pattern of a rule set; it grows only for a wider pattern.
  const auto needed = static_cast<uint32_t>(m_pattern->groups() + 1);
  if (!m_state->data || pcre2_get_ovector_count(m_state->data.get()) < needed) {
    m_state->data.reset(pcre2_match_data_create(std::max<uint32_t>(needed, 16), nullptr));
    if (!m_state->data) throw ERegExpr("Out of memory for match data");
  }
}

bool RegExpr::exec(std::string_view subject, std::size_t offset) {
  if (!m_pattern) throw ERegExpr("No expression set");
  m_subject = subject;
  m_matched = false;
  if (offset > subject.size()) return false;
  const auto* bytes = reinterpret_cast<PCRE2_SPTR>(subject.data());
  const int rc = m_pattern->jit()
                     ? pcre2_jit_match(m_pattern->code(), bytes, subject.size(), offset, 0,
                                       m_state->data.get(), threadMatchContext())
                     : pcre2_match(m_pattern->code(), bytes, subject.size(), offset, 0,
                                   m_state->data.get(), threadMatchContext());
  if (rc >= 0) {
    m_matched = true;
    return true;
  }
  switch (rc) {
    case PCRE2_ERROR_NOMATCH:
    case PCRE2_ERROR_MATCHLIMIT:
    case PCRE2_ERROR_DEPTHLIMIT:
    case PCRE2_ERROR_HEAPLIMIT:
    case PCRE2_ERROR_JIT_STACKLIMIT:
      return false;  // resource limits count as no match (see the class comment)
    default:
      throw ERegExpr("Regular expression engine failure: " + pcre2Message(rc));
  }
}

std::string_view RegExpr::match(int group) const {
  if (!m_matched || group < 0 || group > m_pattern->groups()) return {};
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(m_state->data.get());
  const PCRE2_SIZE start = ovector[2 * group];
  const PCRE2_SIZE end = ovector[2 * group + 1];
  if (start == PCRE2_UNSET || end < start) return {};
  return m_subject.substr(start, end - start);
}

std::size_t RegExpr::matchPos(int group) const {
  if (!m_matched || group < 0 || group > m_pattern->groups()) return 0;
  const PCRE2_SIZE start = pcre2_get_ovector_pointer(m_state->data.get())[2 * group];
  return start == PCRE2_UNSET ? 0 : start;
}

std::size_t RegExpr::matchLen(int group) const { return match(group).size(); }

int RegExpr::groupCount() const { return m_pattern ? m_pattern->groups() : 0; }

}  // namespace quillon::parsers
