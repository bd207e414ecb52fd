#pragma once

#include "capture/SnapshotScope.h"

#include <string>

namespace quillon::webengine {

// The script that reads the whole document in one evaluation and returns it as the
// text that DomSnapshot::parse reads. It takes the texts that the scope asks for.
std::u16string snapshotScript(const capture::SnapshotScope& scope);

}  // namespace quillon::webengine
