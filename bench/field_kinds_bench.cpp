// The field kinds over the texts of a synthetic 200-card result page, 20 texts a card of
// every kind a card shows (name, category, telephone text and tel: link, fax, street,
// postal code with locality, mailto:, website, the directory's map and photo links, button
// captions, rating, hours, price, description). A detection of a whole 200-card page has
// 50 ms; classifying its ~4,000 texts must take a small part of that. Each iteration reads
// a fresh page (new numbers), so that remembered telephone verdicts do not flatter it;
// BM_ClassifyCardTextsAgain reads the same page again, as a teacher comparing selectors does.
#include "fields/Country.h"
#include "fields/Kinds.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace quillon;

constexpr int kCards = 200;
constexpr const char* kPageUrl =
    "https://www.paginasamarillas.es/search/restaurantes/all-ma/madrid";

std::string format(const char* pattern, int a, int b, int c) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
  return buffer;
}

std::vector<std::string> cardTexts(std::uint32_t seed) {
  static const char* const kNames[] = {"Casa Pepe",          "Restaurante El Olivo",
                                       "Cafetería Martínez", "Fontanería López e Hijos",
                                       "Taberna Ζορμπάς",    "Kawiarnia Żółta"};
  static const char* const kStreets[] = {"Calle Mayor %d", "Avenida de América %d, 2º B",
                                         "Paseo de la Castellana %d", "C/ Gran Vía %d"};
  static const char* const kCities[] = {"Madrid", "Las Rozas de Madrid", "Alcobendas",
                                        "San Sebastián de los Reyes"};
  std::mt19937 random(seed);
  const auto pick = [&random](int n) {
    return static_cast<int>(random() % static_cast<unsigned>(n));
  };
  std::vector<std::string> texts;
  for (int card = 0; card < kCards; ++card) {
    const int line = 100 + pick(900), a = pick(100), b = pick(100);
    texts.push_back(std::string(kNames[pick(6)]) + " " + std::to_string(card));
    texts.push_back("Restaurantes");
    texts.push_back(format("Tel. 91 %03d %02d %02d", line, a, b));
    texts.push_back(format("tel:+3491%03d%02d%02d", line, a, b));
    texts.push_back(format("Fax 91 %03d %02d %02d", line, b, a));
    texts.push_back(format(kStreets[pick(4)], 1 + pick(200), 0, 0));
    texts.push_back(format("280%02d ", pick(60), 0, 0) + kCities[pick(4)]);
    texts.push_back(format("mailto:info%d@casa%d.example.es", card, line, 0));
    texts.push_back(format("https://www.restaurante%d-%d.es/", card, line, 0));
    texts.push_back(format("https://www.paginasamarillas.es/ficha/casa-%d/%d#mapa", card, line, 0));
    texts.push_back(format("https://fotos.paginasamarillas.es/%d/%d.jpg", card, line, 0));
    texts.push_back("Ver teléfono");
    texts.push_back("Cómo llegar");
    texts.push_back("Más información ›");
    texts.push_back(format("%d,%d (%d opiniones)", 3 + pick(2), pick(10), 5 + pick(300)));
    texts.push_back("Abierto hasta las 23:30");
    texts.push_back(format("Menú del día desde %d €", 10 + pick(20), 0, 0));
    texts.push_back("Cocina tradicional madrileña con productos de temporada y terraza");
    texts.push_back("Madrid");
    texts.push_back("Patrocinado");
  }
  return texts;
}

fields::PageContext pageContext(bool countryKnown) {
  const std::string country =
      countryKnown ? fields::pageCountry({.pageUrl = kPageUrl, .language = "es-ES"}) : "";
  return {country, fields::DirectoryHosts(kPageUrl)};
}

void classify(benchmark::State& state, bool freshPage) {
  const fields::PageContext page = pageContext(state.range(0) == 1);
  std::uint32_t seed = 1;
  std::vector<std::string> texts = cardTexts(seed);
  std::size_t found = 0;
  for (auto _ : state) {
    if (freshPage) {
      state.PauseTiming();
      texts = cardTexts(++seed);
      state.ResumeTiming();
    }
    found = 0;
    for (const std::string& text : texts) {
      const fields::KindSet kinds = fields::kindsOf(text, page);
      found += kinds.empty() ? 0 : 1;
    }
    benchmark::DoNotOptimize(found);
  }
  state.counters["texts"] = static_cast<double>(texts.size());
  state.counters["with_a_kind"] = static_cast<double>(found);
}

// Arg 1: the page's country is known (Spain); 0: unknown.
void BM_ClassifyCardTexts(benchmark::State& state) { classify(state, true); }
void BM_ClassifyCardTextsAgain(benchmark::State& state) { classify(state, false); }

BENCHMARK(BM_ClassifyCardTexts)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassifyCardTextsAgain)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
