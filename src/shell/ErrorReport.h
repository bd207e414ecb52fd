#pragma once

#include <QString>

#include <exception>
#include <utility>

namespace quillon::shell {

class Dialogs;

// The application title, which titles the error boxes.
inline constexpr char kApplicationTitle[] = "Veskel";

// The text of the error box for a message: the message and a full stop, unless its last
// character is "." or has a lower code (a blank, "!", ")" or "," for example).
QString errorBoxText(const QString& message);

// The message of an exception as the user reads it. Our layers carry UTF-8 or cp1252
// bytes; text that is not valid UTF-8 is read as cp1252.
QString messageText(const std::exception& error);

// The top-level error report: every event handler of the window runs through guard(),
// so an error ends the handler, shows a critical box titled "Veskel" and the program
// goes on with the next event. No exception crosses Qt's event loop.
class ErrorReport {
 public:
  explicit ErrorReport(Dialogs& dialogs) : m_dialogs(dialogs) {}

  // Runs the handler; an error it raises is reported and goes no further.
  template <class Handler>
  void guard(Handler&& handler) noexcept {
    try {
      std::forward<Handler>(handler)();
    } catch (...) {
      reportCurrentException();
    }
  }

  // Shows the error box for the exception being handled (call inside a catch block).
  void reportCurrentException() noexcept;
  // Shows the error box for a message.
  void report(const QString& message) noexcept;

 private:
  Dialogs& m_dialogs;
};

}  // namespace quillon::shell
