#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// Link cells of the results list: a cell whose text holds "://" or "mailto:", and no
// "</", is drawn as a link and opened outside the program on a click.

namespace quillon::shell {

// True for a link cell's text.
bool isLinkText(const QString& text);

// What a link cell shows: its text without the part up to and including the first
// "://" or "mailto:" (whichever comes first).
QString linkDisplayText(const QString& text);

// The address a click on the cell opens, or nothing. Only http, https and ftp addresses
// with a host and mailto addresses are opened; harvested text must not start any other
// handler of the desktop (file:, javascript:, custom schemes, or a text that merely
// contains an address).
std::optional<QUrl> linkToOpen(const QString& text);

}  // namespace quillon::shell
