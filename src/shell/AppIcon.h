#pragma once

#include <QIcon>

namespace quillon::shell {

// The program's icon: a blue page with a gold listing bar and a "Q", drawn at every
// common size so that it stays sharp on any screen.
QIcon appIcon();

}  // namespace quillon::shell
