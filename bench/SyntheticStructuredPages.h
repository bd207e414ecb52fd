#pragma once

// A 200-listing directory result page in 2020s style, its listings published as JSON-LD
// (an ItemList in an @graph) or as microdata (nested PostalAddress, meta values), with
// navigation, filters and footer links around them.

#include <string>

namespace quillon::bench {

inline constexpr int kListings = 200;
inline constexpr const char* kPageUrl = "https://guia.example/madrid/fontaneros?pagina=3";

inline std::string n(int i) { return std::to_string(i); }

// The parts of a result page around the listings: navigation, filters, footer links.
inline std::string chrome(const std::string& head, const std::string& listings) {
  std::string page =
      "<!doctype html><html lang=\"es\"><head><meta charset=\"utf-8\">"
      "<title>Fontaneros en Madrid</title>" +
      head + "</head><body><header>";
  for (int i = 0; i < 40; ++i)
    page += "<a href=\"/categoria/" + n(i) + "\">Categoría " + n(i) + "</a>";
  page += "</header><main><ol class=\"results\">" + listings + "</ol><nav>";
  for (int i = 1; i <= 10; ++i) page += "<a href=\"?pagina=" + n(i) + "\">" + n(i) + "</a>";
  page += "<a href=\"?pagina=4\" class=\"next\">Siguiente ›</a></nav></main><footer>";
  for (int i = 0; i < 60; ++i) page += "<a href=\"/ciudad/" + n(i) + "\">Ciudad " + n(i) + "</a>";
  return page + "</footer></body></html>";
}

inline std::string cardText(int i) {
  return "<h2><a href=\"/ficha/" + n(i) + "\">Fontanería Ejemplo " + n(i) +
         "</a></h2>"
         "<p>Calle de Alcalá " +
         n(i) + ", 28028 Madrid · 91 400 " + n(1000 + i) + "</p>";
}

inline std::string jsonLdPage() {
  std::string items, cards;
  for (int i = 0; i < kListings; ++i) {
    if (i > 0) items += ",";
    items += R"({"@type": "ListItem", "position": )" + n(i + 1) + R"(, "item": {
      "@type": ["LocalBusiness", "Plumber"], "name": "Fontanería Ejemplo )" +
             n(i) + R"(",
      "telephone": "+34 91 400 )" +
             n(1000 + i) + R"(", "faxNumber": "+34 91 401 )" + n(1000 + i) + R"(",
      "email": "info)" +
             n(i) + R"(@fontaneria.example", "url": "/ficha/)" + n(i) + R"(",
      "address": {"@type": "PostalAddress", "streetAddress": "Calle de Alcalá )" +
             n(i) + R"(",
        "postalCode": "28028", "addressLocality": "Madrid", "addressRegion": "Madrid"},
      "aggregateRating": {"@type": "AggregateRating", "ratingValue": "4.5", "reviewCount": "12"}}})";
    cards += "<li>" + cardText(i) + "</li>";
  }
  const std::string head = R"(<script type="application/ld+json">{"@context": "https://schema.org",
    "@graph": [{"@type": "WebSite", "name": "Guía", "url": "https://guia.example/"},
    {"@type": "ItemList", "itemListElement": [)" +
                           items + "]}]}</script>";
  return chrome(head, cards);
}

inline std::string microdataPage() {
  std::string cards;
  for (int i = 0; i < kListings; ++i) {
    cards += R"(<li itemscope itemtype="https://schema.org/Plumber">
      <h2><a itemprop="url" href="/ficha/)" +
             n(i) + R"("><span itemprop="name">Fontanería Ejemplo )" + n(i) + R"(</span></a></h2>
      <p itemprop="address" itemscope itemtype="https://schema.org/PostalAddress">
        <span itemprop="streetAddress">Calle de Alcalá )" +
             n(i) + R"(</span>,
        <span itemprop="postalCode">28028</span> <span itemprop="addressLocality">Madrid</span>
        <meta itemprop="addressRegion" content="Madrid"></p>
      <p>Tel. <span itemprop="telephone">+34 91 400 )" +
             n(1000 + i) + R"(</span>
         Fax <span itemprop="faxNumber">+34 91 401 )" +
             n(1000 + i) + R"(</span>
         <a itemprop="email" href="mailto:info)" +
             n(i) + R"(@fontaneria.example">E-mail</a></p>
      <div itemprop="aggregateRating" itemscope itemtype="https://schema.org/AggregateRating">
        <meta itemprop="ratingValue" content="4.5"><meta itemprop="reviewCount" content="12">
      </div></li>)";
  }
  return chrome("", cards);
}

}  // namespace quillon::bench
