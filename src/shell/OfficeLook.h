#pragma once

#include <QColor>
#include <QFont>

class QApplication;

// The window's office-like blue look: one palette and the colours that the custom-drawn
// parts (tool panels, splitter, status bar, list header) share.

namespace quillon::shell::look {

inline const QColor kFrame{0x6F, 0x93, 0xC6};       // panel borders
inline const QColor kCaptionTop{0xE3, 0xEF, 0xFF};  // caption bars and tabs, top
inline const QColor kCaptionBottom{0xAF, 0xCB, 0xF2};
inline const QColor kCaptionText{0x15, 0x42, 0x8B};
inline const QColor kPanelTop{0xF3, 0xF8, 0xFF};  // panel bodies
inline const QColor kPanelBottom{0xD5, 0xE4, 0xF7};
inline const QColor kStripTop{0xC9, 0xDB, 0xF5};  // tab strips
inline const QColor kStripBottom{0xB1, 0xCA, 0xEE};
inline const QColor kHot{0xFF, 0xE3, 0x91};  // the element under the mouse
inline const QColor kHotBorder{0xE3, 0xA8, 0x4B};
inline const QColor kGrip{0x41, 0x6B, 0xA8};  // splitter grip dots
inline const QColor kLink{0x00, 0x33, 0xCC};
inline const QColor kSelection{0xC4, 0xDB, 0xFA};
inline const QColor kAlternateRow{0xF4, 0xF8, 0xFE};

// The window's font: Tahoma 8 pt, loaded from Wine's fonts when the system does not
// list it; a plain sans-serif of the same size otherwise.
QFont windowFont();

// The font of the Save button: Tahoma with a character height of 9 pixels.
QFont saveButtonFont();

// The style of the tool panels' buttons: pale blue, gold under the mouse, amber pressed.
QString buttonStyleSheet();

// Fusion with the blue palette and the window font, for the whole application.
void apply(QApplication& app);

}  // namespace quillon::shell::look
