#include "capture/PersonCheck.h"

#include "text/Ascii.h"

#include <array>
#include <string_view>

namespace quillon::capture {
namespace {

struct Phrase {
  std::string_view shown;  // as a page writes it; matched in lower case
  bool strong;             // says it alone, on a page of any length
};

// The texts of the usual bot walls (Cloudflare, Akamai, DataDome, Google's "unusual
// traffic") and of their translations.
constexpr std::array kPhrases{
    // English
    Phrase{"Just a moment", false},
    Phrase{"Checking your browser", true},
    Phrase{"Checking if the site connection is secure", true},
    Phrase{"Verify you are human", true},
    Phrase{"Verify that you are human", true},
    Phrase{"Verifying you are human", true},
    Phrase{"Are you a robot", true},
    Phrase{"not a robot", true},
    Phrase{"unusual traffic", true},
    Phrase{"Please complete the security check", true},
    Phrase{"Enable JavaScript and cookies to continue", true},
    Phrase{"Access denied", false},
    Phrase{"Attention Required", false},
    Phrase{"One more step", false},
    // Spanish (and Italian, whose "Solo un momento" comes first)
    Phrase{"Solo un momento", false},
    Phrase{"Un momento", false},
    Phrase{"Comprobando su navegador", true},
    Phrase{"Comprobando tu navegador", true},
    Phrase{"Verifica que eres humano", true},
    Phrase{"Verifique que es humano", true},
    Phrase{"Verificando que eres humano", true},
    Phrase{"no soy un robot", true},
    Phrase{"no es un robot", true},
    Phrase{"¿Eres un robot?", true},
    Phrase{"tráfico inusual", true},
    Phrase{"Acceso denegado", false},
    Phrase{"Se requiere atención", false},
    // Italian
    Phrase{"Controllo del browser", true},
    Phrase{"Verifica del browser", true},
    Phrase{"Verifica di essere un essere umano", true},
    Phrase{"Verifica che sei un essere umano", true},
    Phrase{"non sono un robot", true},
    Phrase{"non sei un robot", true},
    Phrase{"traffico insolito", true},
    Phrase{"Accesso negato", false},
    Phrase{"Attenzione richiesta", false},
    // French
    Phrase{"Un instant", false},
    Phrase{"Vérification de votre navigateur", true},
    Phrase{"Vérifiez que vous êtes humain", true},
    Phrase{"Vérification que vous êtes humain", true},
    Phrase{"pas un robot", true},
    Phrase{"trafic inhabituel", true},
    Phrase{"Accès refusé", false},
    Phrase{"Attention requise", false},
    // German
    Phrase{"Einen Moment", false},
    Phrase{"Überprüfung Ihres Browsers", true},
    Phrase{"Ihr Browser wird überprüft", true},
    Phrase{"Bestätigen Sie, dass Sie ein Mensch sind", true},
    Phrase{"kein Roboter", true},
    Phrase{"ungewöhnlichen Datenverkehr", true},
    Phrase{"Zugriff verweigert", false},
    Phrase{"Aufmerksamkeit erforderlich", false},
};

struct Widget {
  std::string_view addressPart;  // lower case
  std::string_view shown;
};

constexpr std::array kWidgets{
    Widget{"google.com/recaptcha/", "a reCAPTCHA widget"},
    Widget{"recaptcha.net/recaptcha/", "a reCAPTCHA widget"},
    Widget{"gstatic.com/recaptcha/", "a reCAPTCHA widget"},
    Widget{"hcaptcha.com", "an hCaptcha widget"},
    Widget{"challenges.cloudflare.com", "a Turnstile widget"},
    Widget{"/cdn-cgi/challenge-platform/", "a Cloudflare challenge"},
    Widget{"captcha-delivery.com", "a DataDome CAPTCHA"},
};

// A check page says little besides its check; a page of this much text is a page of content.
constexpr std::size_t kShortText = 2000;

// The second byte of À to Þ in UTF-8, × aside.
bool isLatinCapital(char second) {
  const auto byte = static_cast<unsigned char>(second);
  return byte >= 0x80 && byte <= 0x9E && byte != 0x97;
}

// Lower case for ASCII and for the capitals of Latin-1 (À to Þ, as two UTF-8 bytes), white
// space runs as one blank, curly apostrophes as straight ones: the page's spelling and
// layout do not matter.
std::string folded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (text::isAsciiSpace(c) || c == '\v') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else if (c == '\xC3' && i + 1 < text.size() && isLatinCapital(text[i + 1])) {
      out += c;
      out += static_cast<char>(text[++i] + 0x20);
    } else if (c == '\xE2' && text.substr(i, 3) == "\xE2\x80\x99") {
      out += '\'';
      i += 2;
    } else {
      out += text::asciiLower(c);
    }
  }
  return out;
}

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace

std::string recognisePersonCheck(const PageSigns& signs) {
  const std::string text = folded(signs.text);
  const bool shortText = text.size() <= kShortText;
  for (const Phrase& phrase : kPhrases) {
    if ((phrase.strong || shortText) && contains(text, folded(phrase.shown))) {
      std::string shown = "\"";
      shown += phrase.shown;
      shown += '"';
      return shown;
    }
  }
  for (const auto* sources : {&signs.frameSources, &signs.scriptSources}) {
    for (const std::string& source : *sources) {
      const std::string address = text::asciiLower(source);
      for (const Widget& widget : kWidgets) {
        if (contains(address, widget.addressPart)) return std::string(widget.shown);
      }
    }
  }
  return {};
}

}  // namespace quillon::capture
