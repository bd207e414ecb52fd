#include "capture/RunEnd.h"

namespace quillon::capture {

bool RunEnd::readToItsEnd() const {
  switch (kind) {
    case Kind::Finished:
    case Kind::Stopped:
      return true;
    case Kind::Refused:
    case Kind::PersonCheck:
    case Kind::Failed:
      return false;
  }
  return false;
}

}  // namespace quillon::capture
