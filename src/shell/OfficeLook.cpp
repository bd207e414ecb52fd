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
