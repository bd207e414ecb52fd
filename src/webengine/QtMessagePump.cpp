#include "webengine/QtMessagePump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace quillon::webengine {

void QtMessagePump::processPendingMessages() {
  // The timer bounds the sleep: WaitForMoreEvents only blocks when nothing is pending,
  // and the timer's own event ends it at the latest.
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  wake.start(m_maxIdleWait);
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

}  // namespace quillon::webengine
