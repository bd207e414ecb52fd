#pragma once

namespace quillon::webengine {

enum class Display { Screen, Offscreen };

// Prepares the process for Qt WebEngine; call it before the application object exists.
// Chromium cannot run its sandbox as root, so it is switched off there; Offscreen picks
// the offscreen platform unless one is chosen already (no display needed), quiets the
// engine's start-up and page console messages, and gives a process without a login
// session a private runtime folder.
void prepareBrowserEnvironment(Display display);

}  // namespace quillon::webengine
