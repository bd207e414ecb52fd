#include "capture/PageAnswer.h"

#include "capture/PersonCheck.h"

namespace quillon::capture {

PageAnswer answerOf(int httpStatus, bool hasListings, const std::function<PageSigns()>& signs) {
  PageAnswer answer;
  if (hasListings) return answer;
  // A check is often served with 429 or 503 too: waiting would not pass it.
  if (signs) answer.recognised = recognisePersonCheck(signs());
  if (!answer.recognised.empty()) {
    answer.kind = PageAnswer::Kind::PersonCheck;
  } else if (runAnswersStatus(httpStatus)) {
    answer.kind = PageAnswer::Kind::Refused;
    answer.askAgain = httpStatus != 403;
  }
  return answer;
}

bool runAnswersStatus(int httpStatus) {
  return httpStatus == 429 || httpStatus == 503 || httpStatus == 403;
}

std::string secondsText(std::chrono::milliseconds time) {
  const long long ms = time.count();
  std::string text = std::to_string(ms / 1000);
  if (ms % 1000 != 0) {
    std::string fraction = std::to_string(1000 + ms % 1000).substr(1);
    while (fraction.back() == '0') fraction.pop_back();
    text += '.';
    text += fraction;
  }
  return text;
}

std::string refusalNotice(int page, int status, std::chrono::milliseconds wait) {
  std::string text = "page ";
  text += std::to_string(page);
  text += ": the site asks to wait ";
  text += secondsText(wait);
  text += " s (HTTP ";
  text += std::to_string(status);
  text += ')';
  return text;
}

std::string refusedReason(int page, int status) {
  std::string text = "the site refused page ";
  text += std::to_string(page);
  text += " (HTTP ";
  text += std::to_string(status);
  text += ')';
  return text;
}

std::string personCheckReason(int page, const std::string& recognised) {
  std::string text = "page ";
  text += std::to_string(page);
  text += " asks to prove that a person is there (";
  text += recognised;
  text += ')';
  return text;
}

}  // namespace quillon::capture
