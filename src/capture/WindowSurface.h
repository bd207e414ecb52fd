#pragma once

#include "capture/ProgressIndicator.h"
#include "results/CountPanel.h"

#include <string_view>

namespace quillon::capture {

// The window title whenever the window is idle; busy and download texts append to it.
inline constexpr std::u16string_view kTitle = u"Quillon 0.99c";
// Appended while a capture runs (small p; the browser's download texts use a capital P).
inline constexpr std::u16string_view kBusySuffix = u" - please wait...";

// The eleven buttons that the busy state disables, in the order it disables them.
enum class WindowButton {
  Amarillas,   // btnAmarillas  "Amarillas ES"
  Gialle,      // btnGialle     "Gialle IT"
  YellCA,      // btnYellCA     "Yellow Canada"
  YellAU,      // btnYellAU     "Yellow Australia"
  Canada,      // btncanada     "Capture Canada"
  Comer,       // btncomer      "Capturar España"
  Italia,      // btnItalia     "Catturare Italia"
  Australia,   // btnAustralia  "Capture Australia"
  Back,        // btnBack       "<<"
  Next,        // btnnext       ">>"
  Save,        // btnSave       "Guardar/Save/Salvare"
};
inline constexpr int kWindowButtonCount = 11;

// What a capture run changes on the main window: its title, the eleven buttons, the
// Stop button, the cursor, the count panel and the browser status panel's progress bar.
// The window implements it with widgets; the command line and the tests with plain state.
class WindowSurface : public results::CountPanel {
 public:
  virtual void setTitle(std::u16string_view title) = 0;
  virtual void setButtonEnabled(WindowButton button, bool enabled) = 0;
  virtual void setStopVisible(bool visible) = 0;
  virtual void setBusyCursor(bool busy) = 0;
  virtual ProgressIndicator& progress() = 0;
};

}  // namespace quillon::capture
