#include "results/TableColumns.h"

namespace quillon::results {
namespace {

constexpr std::array<int, kColumnCount> kWidths = {200, 75, 50, 75, 150, 50, 75, 75, 50, 50};

// "Indirizzo " keeps its blank.
constexpr std::array<std::string_view, kColumnCount - 1> kSpanish = {
    "Persona/Empresa", "Actividad", "Actividad 2", "Teléfono", "Dirección",
    "Código",          "Localidad", "Provincia",   "Web"};
constexpr std::array<std::string_view, kColumnCount - 1> kItalian = {
    "Persona/Compagnia", "Attività", "Fax", "Telefono", "Indirizzo ", "C.A.P.", "Città",
    "Provincia",         "Web"};
constexpr std::array<std::string_view, kColumnCount - 1> kEnglish = {
    "Person/Company", "Activity", "Fax",   "Telephone", "Address",
    "Zip Code",       "City",     "Email", "Web"};

}  // namespace

int columnWidth(int column) { return column >= 0 && column < kColumnCount ? kWidths[column] : 0; }

const std::array<std::string_view, kColumnCount - 1>& captionsOf(CaptionSet set) {
  switch (set) {
    case CaptionSet::Spanish:
      return kSpanish;
    case CaptionSet::Italian:
      return kItalian;
    case CaptionSet::English:
      break;
  }
  return kEnglish;
}

}  // namespace quillon::results
