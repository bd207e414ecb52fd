#include "fields/Words.h"

namespace quillon::fields::words {
namespace {

// Word tables, packed by hand.
// clang-format off
constexpr std::string_view kStreetWords[] = {
    // Spanish
    "calle", "c/", "vía", "rambla", "avenida", "avda", "av", "paseo", "plaza", "pza", "carrer",
    "carretera", "ctra", "camino", "ronda", "travesía", "travesia", "glorieta", "callejón",
    "urbanización", "urb", "polígono", "colonia", "col", "bulevar", "calzada", "privada", "cerrada",
    "andador", "circuito", "prolongación", "prol",
    // Italian
    "via", "viale", "piazza", "piazzale", "corso", "largo", "vicolo", "strada", "contrada",
    "lungomare", "borgo", "salita", "traversa",
    // French
    "rue", "boulevard", "bd", "bld", "bvd", "avenue", "chemin", "allée", "impasse", "place", "quai",
    "route", "cours", "faubourg", "fbg", "square", "passage", "voie", "sentier", "esplanade",
    "rond-point", "lieu-dit",
    // German
    "straße", "strasse", "str", "weg", "platz", "allee", "gasse", "ring", "damm", "ufer",
    "chaussee", "steig", "pfad",
    // Dutch
    "straat", "laan", "plein", "gracht", "kade", "singel", "dijk", "dreef", "steeg",
    // English
    "road", "rd", "street", "st", "ave", "lane", "ln", "drive", "dr", "highway", "hwy", "blvd",
    "court", "ct", "crescent", "cres", "terrace", "tce", "parade", "pde", "way", "pl", "sq",
    "close", "grove", "circuit", "cct", "parkway", "pkwy", "trail", "circle", "cir", "pike", "mews",
    // Polish
    "ul", "ulica", "al", "aleja", "aleje", "plac", "os", "osiedle", "rondo",
    // Greek
    "οδός", "οδ", "λεωφόρος", "λεωφ", "πλατεία", "πλ",
    // Portuguese
    "rua", "travessa", "praça", "estrada", "alameda",
    // Turkish
    "cadde", "caddesi", "cad", "cd", "sokak", "sokağı", "sk", "sok", "bulvar", "bulvarı", "mahalle",
    "mahallesi", "mah", "mh",
    // Cyrillic
    "улица", "ул", "проспект", "просп", "пр-т", "переулок", "пер", "площадь", "пл", "шоссе",
    "бульвар", "б-р", "набережная", "наб", "вулиця", "вул", "бул",
    // Czech, Hungarian, Romanian, Scandinavian
    "ulice", "náměstí", "nám", "třída", "utca", "út", "tér", "körút", "krt", "bulevardul", "calea",
    "gatan", "gata", "vägen", "väg", "gade", "vej", "vei", "gate", "gt", "allé", "torv",
};

constexpr std::string_view kStreetEndings[] = {
    "straße", "strasse", "str.", "weg", "platz", "allee", "gasse", "damm", "ufer",
    "chaussee", "straat", "laan", "plein", "gracht", "kade", "singel", "dijk", "gatan", "vägen",
    "gade", "vej", "veien",
};

constexpr std::string_view kLabelWords[] = {
    "tel", "tél", "telf", "teléfono", "telefono", "téléphone", "telephone", "telefon", "phone",
    "ph", "fax", "móvil", "movil", "mobile", "mob", "cell", "cellulare", "portable", "handy",
    "whatsapp", "email", "e-mail", "mail", "correo", "web", "www", "τηλ", "τηλέφωνο", "тел",
    "телефон",
};

constexpr std::string_view kPostalLabels[] = {
    "C.P.", "C. P.", "C.P", "CP", "CAP", "PLZ", "Τ.Κ.", "ΤΚ", "T.K.",
};

constexpr std::string_view kCountryNames[] = {
    "españa", "spain", "espagne", "spanien", "italia", "italy", "italie", "italien", "france",
    "francia", "frankreich", "deutschland", "germany", "alemania", "germania", "allemagne",
    "méxico", "mexico", "mexique", "united states", "usa", "u.s.a.", "estados unidos", "australia",
    "australie", "australien", "canada", "canadá", "united kingdom", "uk", "great britain",
    "england", "reino unido", "nederland", "netherlands", "the netherlands", "países bajos",
    "pays-bas", "polska", "poland", "polonia", "pologne", "ελλάδα", "ελλαδα", "greece", "grecia",
    "grèce", "österreich", "austria", "autriche", "schweiz", "suisse", "svizzera", "switzerland",
    "belgique", "belgië", "belgium", "danmark", "denmark", "portugal", "türkiye", "turkey",
};

constexpr std::string_view kButtonCaptions[] = {
    // telephone reveals and calls
    "show phone", "show number", "show phone number", "show telephone", "view phone", "view number",
    "reveal number", "call", "call now", "ver teléfono", "ver telefono", "ver número",
    "mostrar teléfono", "llamar", "mostra telefono", "mostra numero", "visualizza numero", "chiama",
    "afficher le numéro", "afficher le n°", "voir le numéro", "appeler", "telefon anzeigen",
    "nummer anzeigen", "telefonnummer anzeigen", "anrufen", "pokaż numer", "pokaż telefon",
    "zadzwoń", "εμφάνιση τηλεφώνου", "показать телефон", "telefonu göster", "toon nummer",
    "telefoonnummer tonen",
    // websites, mail, maps
    "website", "web", "web site", "visit website", "sitio web", "página web", "visitar web",
    "sito web", "visita il sito", "site web", "site internet", "visiter le site", "webseite",
    "website besuchen", "strona www", "ιστοσελίδα", "сайт", "web sitesi", "email", "e-mail",
    "send email", "send message", "enviar email", "enviar mensaje", "invia email",
    "invia messaggio", "envoyer un message", "nachricht senden", "e-mail senden", "contact",
    "contactar", "contatta", "contacter", "kontakt", "map", "show map", "view map", "mapa",
    "ver mapa", "mappa", "visualizza mappa", "carte", "voir le plan", "plan", "karte",
    "karte anzeigen", "directions", "get directions", "cómo llegar", "como llegar", "indicaciones",
    "indicazioni", "itinéraire", "route", "route planen", "wegbeschreibung",
    // more, details, actions
    "more info", "more information", "more details", "details", "view details", "read more",
    "más información", "mas informacion", "más info", "ver más", "ver ficha", "detalles",
    "leer más", "maggiori informazioni", "più informazioni", "scopri di più", "dettagli",
    "leggi di più", "plus d'infos", "plus d'informations", "en savoir plus", "détails",
    "lire la suite", "mehr infos", "mehr erfahren", "mehr", "weiterlesen", "więcej", "περισσότερα",
    "подробнее", "daha fazla", "meer info", "book", "book now", "reservar", "prenota", "réserver",
    "buchen", "request a quote", "solicitar presupuesto", "richiedi preventivo",
    "demander un devis", "angebot anfordern", "reviews", "write a review", "opiniones",
    "recensioni", "avis", "bewertungen", "share", "compartir", "condividi", "partager", "teilen",
    "save", "guardar", "salva", "enregistrer", "speichern", "photos", "fotos", "foto", "bilder",
    "claim this business",
    // hours, ads, paging
    "open now", "opening hours", "abierto", "horario", "aperto", "orari", "ouvert", "horaires",
    "geöffnet", "öffnungszeiten", "closed", "cerrado", "chiuso", "fermé", "geschlossen",
    "sponsored", "ad", "advertisement", "patrocinado", "anuncio", "publicidad", "sponsorizzato",
    "annuncio", "pubblicità", "sponsorisé", "annonce", "publicité", "gesponsert", "anzeige",
    "werbung", "next", "previous", "siguiente", "anterior", "successiva", "precedente", "suivant",
    "précédent", "weiter", "zurück", "load more", "show more", "ver más resultados", "mostra altri",
    "afficher plus", "mehr anzeigen",
    // the field captions themselves
    "phone", "telephone", "teléfono", "telefono", "téléphone", "telefon", "fax", "whatsapp",
    "address", "dirección", "indirizzo", "adresse",
};

constexpr std::string_view kCurrencies[] = {
    "€", "$", "£", "¥", "₹", "₽", "₺", "zł", "eur", "usd", "gbp", "mxn", "aud", "cad", "chf", "pln",
    "try", "dkk",
};

constexpr std::string_view kAustralianStates[] = {"NSW", "VIC", "QLD", "SA",
                                                  "WA",  "TAS", "NT",  "ACT"};
constexpr std::string_view kCanadianProvinces[] = {"AB", "BC", "MB", "NB", "NL", "NS", "NT",
                                                   "NU", "ON", "PE", "QC", "SK", "YT"};

constexpr LanguageCountry kLanguageCountries[] = {
    {"it", "IT"}, {"fr", "FR"}, {"de", "DE"}, {"es", "ES"}, {"nl", "NL"}, {"pl", "PL"},
    {"el", "GR"}, {"da", "DK"}, {"tr", "TR"}, {"cs", "CZ"}, {"hu", "HU"}, {"ro", "RO"},
    {"sv", "SE"}, {"fi", "FI"}, {"nb", "NO"}, {"nn", "NO"}, {"no", "NO"}, {"bg", "BG"},
    {"uk", "UA"}, {"ru", "RU"}, {"pt", "PT"}, {"sk", "SK"}, {"sl", "SI"}, {"hr", "HR"},
};

constexpr std::string_view kGenericCountryDomains[] = {
    "ac", "ai", "am", "bz", "cc", "co", "eu", "fm", "gg", "io", "la", "ly", "md", "me", "nu", "sh",
    "so", "to", "tv", "ws",
};

// clang-format on

}  // namespace

std::span<const std::string_view> streetWords() { return kStreetWords; }
std::span<const std::string_view> streetEndings() { return kStreetEndings; }
std::span<const std::string_view> labelWords() { return kLabelWords; }
std::span<const std::string_view> postalLabels() { return kPostalLabels; }
std::span<const std::string_view> countryNames() { return kCountryNames; }
std::span<const std::string_view> buttonCaptions() { return kButtonCaptions; }
std::span<const std::string_view> currencies() { return kCurrencies; }
std::span<const std::string_view> australianStates() { return kAustralianStates; }
std::span<const std::string_view> canadianProvinces() { return kCanadianProvinces; }
std::span<const LanguageCountry> languageCountries() { return kLanguageCountries; }
std::span<const std::string_view> genericCountryDomains() { return kGenericCountryDomains; }

}  // namespace quillon::fields::words
