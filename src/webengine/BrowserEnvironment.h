#pragma once

namespace quillon::webengine {

enum class Display { Screen, Offscreen };

// Prepares the process for Qt WebEngine; call it before the application object exists.
// Chromium cannot run its sandbox as root, so it is switched off there; Offscreen picks
// the offscreen platform unless one is chosen already (no display needed), quiets the
// engine's start-up and page console messages, and gives a process without a login
// session a private runtime folder.
void prepareBrowserEnvironment(Display display);

// Silences the engine's own notices on standard error ("Sandboxing disabled by user.",
// graphics back-end warnings, Chromium's log) for a tool whose output is read or logged.
// Setting QUILLON_ENGINE_LOG (to anything) keeps them, for debugging. A fatal message
// still ends the program. Call it before the application object exists.
void quietEngineLog();

}  // namespace quillon::webengine
