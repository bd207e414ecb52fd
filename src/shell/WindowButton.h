#pragma once

namespace quillon::shell {

// The buttons that the busy state of a capture run disables, in the order it disables
// them. Each names its object name and caption.
enum class WindowButton {
  OpenSpain,         // btnAmarillas  "Amarillas ES"
  OpenItaly,         // btnGialle     "Gialle IT"
  OpenCanada,        // btnYellCA     "Yellow Canada"
  OpenAustralia,     // btnYellAU     "Yellow Australia"
  CaptureCanada,     // btncanada     "Capture Canada"
  CaptureSpain,      // btncomer      "Capturar España"
  CaptureItaly,      // btnItalia     "Catturare Italia"
  CaptureAustralia,  // btnAustralia  "Capture Australia"
  Back,              // btnBack       "<<"
  Forward,           // btnnext       ">>"
  Save,              // btnSave       "Guardar/Save/Salvare"
  CaptureAnySite,    // btnAnySite    "Capture any site"
};
inline constexpr int kWindowButtonCount = 12;

}  // namespace quillon::shell
