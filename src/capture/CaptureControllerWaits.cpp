// The waits of a run: for the page to load, for the site to let a page be read, and for the
// user to pass a check for a person.

#include "capture/CaptureController.h"
#include "capture/CaptureError.h"
#include "capture/CaptureRun.h"
#include "capture/PageAnswer.h"
#include "text/Utf8.h"

namespace quillon::capture {

void CaptureController::waitForPage(MessagePump& pump) {
  const auto start = std::chrono::steady_clock::now();
  while (m_services.browser.ReadyState() != Browser::kReadyStateComplete) {
    pump.processPendingMessages();
    if (m_pageTimeout.count() > 0 && std::chrono::steady_clock::now() - start > m_pageTimeout) {
      throw CaptureError("The page did not finish loading within " +
                         std::to_string(m_pageTimeout.count() / 1000) + " seconds");
    }
  }
}

std::optional<PageReading> CaptureController::readAnsweredPage(Run& run, int page) {
  int requests = 1;
  for (;;) {
    waitForPage(run.context.pump);
    run.shownAddress = text::utf16ToUtf8(m_services.browser.LocationURL());
    run.context.page = page;
    PageReading reading = run.mode.readPage(run.context);
    const int status = m_services.browser.HttpStatus();
    const PageAnswer answer = answerOf(status, !reading.signature.empty(), reading.signs);
    switch (answer.kind) {
      case PageAnswer::Kind::Read:
        return reading;
      case PageAnswer::Kind::PersonCheck:
        if (!m_pausesForPersons) {
          endWith(run, RunEnd::Kind::PersonCheck, personCheckReason(page, answer.recognised), page);
          return std::nullopt;
        }
        if (!pauseForPerson(run, page, answer.recognised)) return std::nullopt;
        requests = 1;  // what the page shows now is the site's new answer
        break;
      case PageAnswer::Kind::Refused:
        if (!answer.askAgain || requests >= kMaxPageRequests) {
          endWith(run, RunEnd::Kind::Refused, refusedReason(page, status), page);
          return std::nullopt;
        }
        if (!askAgain(run, page, status)) return std::nullopt;
        ++requests;
        break;
    }
  }
}

bool CaptureController::askAgain(Run& run, int page, int status) {
  notify([&](CaptureObserver& o) { o.pageRefused(page, status, m_refusalWait); });
  run.requests.refused(m_refusalWait);
  run.requests.waitForTurn(run.context.pump, [this] { return m_stopFlag; });
  if (m_stopFlag) {
    consumeStop();
    endWith(run, RunEnd::Kind::Stopped, "Stop");
    return false;
  }
  m_services.browser.Navigate(text::utf8ToUtf16(run.shownAddress));
  run.requests.requested();
  return true;
}

bool CaptureController::pauseForPerson(Run& run, int page, const std::string& recognised) {
  m_continueFlag = false;
  m_waitingForPerson = true;
  m_services.display.setContinueVisible(true);
  struct Resume {
    CaptureController& controller;
    ~Resume() {
      controller.m_waitingForPerson = false;
      controller.m_services.display.setContinueVisible(false);
    }
  } resume{*this};
  notify([&](CaptureObserver& o) { o.personCheck(page, recognised, run.requestedAddress); });
  // The user works in the page meanwhile; the run only listens for Continue and Stop.
  while (!m_continueFlag && !m_stopFlag) {
    m_clock->pause(std::chrono::milliseconds(20), run.context.pump);
  }
  m_continueFlag = false;
  if (m_stopFlag) {
    consumeStop();
    endWith(run, RunEnd::Kind::Stopped, "Stop");
    return false;
  }
  showBusy();
  return true;
}

void CaptureController::continueAfterCheck() {
  if (m_waitingForPerson) m_continueFlag = true;
}

}  // namespace quillon::capture
