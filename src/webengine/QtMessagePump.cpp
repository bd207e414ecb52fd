#include "webengine/QtMessagePump.h"

#include <QCoreApplication>

namespace quillon::webengine {

void QtMessagePump::processPendingMessages() { QCoreApplication::processEvents(); }

}  // namespace quillon::webengine
