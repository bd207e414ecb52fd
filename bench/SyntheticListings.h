#pragma once

// Listings as capture runs feed them to the results table: cp1252 names of a directory's
// kind ("Cafetería Martínez 412"), Spanish telephone numbers and eight columns,
// with a share of listings that repeat an earlier one (same telephone and name).

#include "text/Utf8.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace quillon::bench {

struct Listing {
  std::string name;
  std::string phone;
  std::vector<std::string> subItems;  // columns 1 to 8, the phone in column 3
};

// `count` listings of which about `duplicateShare` repeat an earlier one; deterministic.
inline std::vector<Listing> syntheticListings(std::size_t count, double duplicateShare,
                                              std::uint32_t seed = 42) {
  static const std::array<const char*, 12> kKinds = {
      "Bar",      "Restaurante", "Cafetería", "Fontanería", "Taller",  "Peluquería",
      "Farmacia", "Librería",    "Panadería", "Ferretería", "Clínica", "Asesoría"};
  static const std::array<const char*, 20> kSurnames = {
      "García",  "Martínez", "López",     "Sánchez", "Pérez",  "Gómez",    "Martín",
      "Jiménez", "Ruiz",     "Hernández", "Díaz",    "Moreno", "Muñoz",    "Álvarez",
      "Romero",  "Alonso",   "Gutiérrez", "Navarro", "Torres", "Domínguez"};
  static const std::array<const char*, 6> kCities = {"Madrid",   "Barcelona", "Sevilla",
                                                     "Valencia", "Zaragoza",  "Málaga"};
  std::mt19937 random(seed);
  std::vector<Listing> listings;
  listings.reserve(count);
  std::vector<std::size_t> originals;
  const auto duplicateEvery = static_cast<std::uint32_t>(1000 * duplicateShare);
  for (std::size_t i = 0; i < count; ++i) {
    if (!originals.empty() && random() % 1000 < duplicateEvery) {
      listings.push_back(listings[originals[random() % originals.size()]]);
      continue;
    }
    // Built by appending: GCC 12 warns falsely on "text" + std::to_string(...).
    const auto number = [&](std::uint32_t low, std::uint32_t span) {
      return std::to_string(low + random() % span);
    };
    Listing listing;
    listing.name = text::utf8ToCp1252(kKinds[random() % kKinds.size()]);
    listing.name.append(" ").append(text::utf8ToCp1252(kSurnames[random() % kSurnames.size()]));
    listing.name.append(" ").append(number(0, 5000));
    listing.phone.append("9").append(number(10, 90)).append(" ").append(number(100, 900));
    listing.phone.append(" ").append(number(100, 900));
    const std::string city = text::utf8ToCp1252(kCities[random() % kCities.size()]);
    std::string street("Calle Mayor ");
    street.append(number(0, 200)).append(", ");
    std::string zip("28");
    zip.append(number(100, 900));
    std::string web("www.example");
    web.append(std::to_string(i)).append(".es");
    listing.subItems = {"Restaurantes",
                        "Cocina mediterr\xE1"
                        "nea",
                        listing.phone,
                        street,
                        zip,
                        city,
                        city,
                        web};
    originals.push_back(listings.size());
    listings.push_back(std::move(listing));
  }
  return listings;
}

}  // namespace quillon::bench
