// Listing blocks per second through each site's Execute, and the two finders.
// Target: at least 50,000 realistic blocks per second per site on one core.
#include "parsers/AmarillasESEntry.h"
#include "parsers/Finders.h"
#include "parsers/GialleITEntry.h"
#include "parsers/YellowPagesAUEntry.h"
#include "parsers/YellowPagesCAEntry.h"
#include "text/Cp1252.h"
#include "text/Utf8.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

using namespace quillon;

std::u16string crlf(std::string_view utf8) {
  std::string out;
  for (char c : utf8) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return text::utf8ToUtf16(out);
}

// Blocks as the capture run cuts them from a result page: a container line of the
// next listing and the separator close each block.
const std::u16string kSpanish = crlf(
    "rg: Fontanería Hermanos García\n"
    "activ: Fontaneros: Instalaciones y reparaciones urgentes\n"
    "adr: Calle del Doctor Esquerdo 105, 28007 Madrid (Madrid)\n"
    "postal-code: 28007\n"
    "locality: Madrid\n"
    "tel: Teléfono\n"
    "Teléfono: 915 123 456\n"
    "url: www.fontaneriagarcia.es\n"
    "vcard rest ig: Bar Los Pinos\nBares y restaurantes\nCalle Mayor 3, 28013 Madrid (Madrid)\n"
    "+-+or");

const std::u16string kItalian = crlf(
    " <h2 class=\"org orange\">Trattoria da Mario</h2><a class=\"scheda\" "
    "href=\"/go?url=www.paginegialle.it/roma/trattoria-da-mario\">Scheda</a>"
    "<span class=\"tel\">06 1234567</span><a href=\"/mappa\">Mappa</a>\n"
    "org orange: Trattoria da Mario\n"
    "tel: 06 1234567\n"
    "street-address: Via del Corso 12\n"
    "postal-code: 00186\n"
    "locality: Roma\n"
    "region: (RM)\n"
    "client-category: Categoria: Ristoranti e trattorie \n"
    "+-+: ");

const std::u16string kAustralian = crlf(
    "istingName: Joe's Plumbing & Gas\n"
    "address: 12 George Street Parramatta NSW 2150\n"
    "phoneNumber: ph: (02) 9876 5432 \n"
    "URL: <a href=\"/clk?webSite=http%3A%2F%2Fwww.joesplumbing.com.au&amp;lid=7\">Website</a>"
    "<a href=\"mailto:joe@joesplumbing.com.au\">Email</a>\n"
    "+-+li");

const std::u16string kCanadian = crlf(
    "istingTitle: Joe's Diner\n"
    "address: 100 Main St , Toronto , ON M5V 2T6\n"
    "phoneNumber: 416-555-0100\n"
    "par: FAX\n"
    "hiLiteThis: 416-555-0199\n"
    "listingLink: www.joesdiner.ca\n"
    "categoryList: Category : Restaurants\n"
    "+-+li");

template <class Entry>
void BM_Execute(benchmark::State& state, const std::u16string& block) {
  for (auto _ : state) {
    Entry entry(block);
    entry.Execute();
    benchmark::DoNotOptimize(entry.Name);
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("items/s = blocks per second");
}
void BM_ExecuteES(benchmark::State& s) { BM_Execute<parsers::TAmarillasESEntry>(s, kSpanish); }
void BM_ExecuteIT(benchmark::State& s) { BM_Execute<parsers::TGialleITEntry>(s, kItalian); }
void BM_ExecuteAU(benchmark::State& s) { BM_Execute<parsers::TYellowPagesAUentry>(s, kAustralian); }
void BM_ExecuteCA(benchmark::State& s) { BM_Execute<parsers::TYellowPagescaentry>(s, kCanadian); }
BENCHMARK(BM_ExecuteES);
BENCHMARK(BM_ExecuteIT);
BENCHMARK(BM_ExecuteAU);
BENCHMARK(BM_ExecuteCA);

void BM_FindLink(benchmark::State& state) {
  const std::string block = text::utf16ToCp1252(kSpanish);
  for (auto _ : state) benchmark::DoNotOptimize(parsers::FindLink(block));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FindLink);

void BM_FindEmail(benchmark::State& state) {
  const std::string block = text::utf16ToCp1252(kAustralian);
  for (auto _ : state) benchmark::DoNotOptimize(parsers::FindEmail(block));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FindEmail);

// A megabyte of letters without a full stop through the link finder and every
// Spanish rule: must stay well under a second.
void BM_HostileSpanishBlock(benchmark::State& state) {
  const std::u16string letters(1 << 20, u'x');
  for (auto _ : state) {
    parsers::TAmarillasESEntry entry(letters);
    entry.Execute();
    benchmark::DoNotOptimize(entry.Name);
  }
}
BENCHMARK(BM_HostileSpanishBlock)->Unit(benchmark::kMillisecond);

}  // namespace
