#include "shell/OfficeLook.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace quillon::shell::look {
namespace {

constexpr char kFamily[] = "Tahoma";
constexpr char kWineTahoma[] = "/usr/share/wine/fonts/tahoma.ttf";
constexpr char kWineTahomaBold[] = "/usr/share/wine/fonts/tahomabd.ttf";

bool tahomaAvailable() {
  static const bool available = [] {
    if (QFontDatabase::hasFamily(QString::fromLatin1(kFamily))) return true;
    bool loaded = false;
    for (const char* path : {kWineTahoma, kWineTahomaBold}) {
      if (QFile::exists(QString::fromLatin1(path))) {
        loaded = QFontDatabase::addApplicationFont(QString::fromLatin1(path)) >= 0 || loaded;
      }
    }
    return loaded && QFontDatabase::hasFamily(QString::fromLatin1(kFamily));
  }();
  return available;
}

QFont baseFont() {
  QFont font;
  if (tahomaAvailable()) {
    font.setFamily(QString::fromLatin1(kFamily));
  } else {
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
  }
  return font;
}

}  // namespace

QFont windowFont() {
  QFont font = baseFont();
  font.setPointSize(8);
  return font;
}

QFont saveButtonFont() {
  QFont font = baseFont();
  // 9 pixels at 96 dots per inch, in points so that it scales with the screen.
  font.setPointSizeF(6.75);
  return font;
}

QString buttonStyleSheet() {
  return QStringLiteral(
      "QPushButton {"
      "  color: black; border: 1px solid #8ba9d4; border-radius: 3px; padding: 0 2px;"
      "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff,"
      "    stop:0.45 #e9f1fc, stop:0.46 #d9e7f9, stop:1 #e8f1fd);"
      "}"
      "QPushButton:hover {"
      "  border-color: #dbb25a;"
      "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffdf0,"
      "    stop:0.45 #ffefb8, stop:0.46 #ffe28c, stop:1 #fff0b5);"
      "}"
      "QPushButton:pressed {"
      "  border-color: #c2913a;"
      "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f8c88a,"
      "    stop:0.45 #fbd79b, stop:0.46 #fbc66e, stop:1 #fde0a4);"
      "}"
      "QPushButton:focus { border-color: #5b86c5; }"
      "QPushButton:disabled {"
      "  color: #8d9bb0; border-color: #bccbe0; background: #eef3fa;"
      "}");
}

void apply(QApplication& app) {
  app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QPalette palette = app.style()->standardPalette();
  palette.setColor(QPalette::Window, QColor(0xDF, 0xE9, 0xF5));
  palette.setColor(QPalette::Button, QColor(0xEB, 0xF2, 0xFC));
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::AlternateBase, kAlternateRow);
  palette.setColor(QPalette::Highlight, kSelection);
  palette.setColor(QPalette::HighlightedText, Qt::black);
  palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
  palette.setColor(QPalette::ToolTipText, Qt::black);
  palette.setColor(QPalette::Link, kLink);
  app.setPalette(palette);
  app.setFont(windowFont());
}

}  // namespace quillon::shell::look
