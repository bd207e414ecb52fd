#include "capture/CaptureSite.h"

namespace quillon::capture {
namespace {

constexpr std::string_view kSpanishSuffix = " líneas capturadas";
constexpr std::string_view kEnglishSuffix = " lines captured";

constexpr CaptureSite kSpanish{
    results::CaptionSet::Spanish, true, false, kSpanishSuffix, {"Siguiente", ""}};
constexpr CaptureSite kItalian{
    results::CaptionSet::Italian, false, true, kSpanishSuffix, {"successiva", ""}};
constexpr CaptureSite kAustralian{
    results::CaptionSet::English, false, false, kEnglishSuffix, {"Next", ""}};
// The Canadian pages are bilingual: the French link is tried only when no English one was.
constexpr CaptureSite kCanadian{
    results::CaptionSet::English, false, false, kEnglishSuffix, {"Next ", "Suivante "}};

}  // namespace

const CaptureSite& captureSite(parsers::Site site) {
  switch (site) {
    case parsers::Site::ES:
      return kSpanish;
    case parsers::Site::IT:
      return kItalian;
    case parsers::Site::AU:
      return kAustralian;
    case parsers::Site::CA:
      return kCanadian;
  }
  return kSpanish;
}

}  // namespace quillon::capture
