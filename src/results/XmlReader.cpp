#include "results/XmlReader.h"

#include "results/ResultsError.h"

#include <exception>
#include <expat.h>
#include <limits>
#include <memory>

namespace quillon::results {
namespace {

// What the callbacks work with. An exception must not cross expat's C frames: a handler's
// is kept, the parser stopped, and it is raised again once expat has returned.
struct Reading {
  XmlHandler& handler;
  XML_Parser parser;
  std::exception_ptr failure;
};

std::string_view localName(const XML_Char* name) {
  std::string_view whole(name);
  const std::size_t colon = whole.rfind(':');
  return colon == std::string_view::npos ? whole : whole.substr(colon + 1);
}

template <class Call>
void guarded(void* data, Call call) {
  auto* reading = static_cast<Reading*>(data);
  if (reading->failure) return;
  try {
    call(reading->handler);
  } catch (...) {
    reading->failure = std::current_exception();
    XML_StopParser(reading->parser, XML_FALSE);
  }
}

extern "C" void onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  guarded(data, [&](XmlHandler& handler) {
    XmlHandler::Attributes pairs;
    for (int i = 0; attributes[i] != nullptr; i += 2) {
      pairs.emplace_back(localName(attributes[i]), attributes[i + 1]);
    }
    handler.startElement(localName(name), pairs);
  });
}

extern "C" void onEnd(void* data, const XML_Char* name) {
  guarded(data, [&](XmlHandler& handler) { handler.endElement(localName(name)); });
}

extern "C" void onCharacters(void* data, const XML_Char* text, int length) {
  guarded(data, [&](XmlHandler& handler) {
    handler.characters({text, static_cast<std::size_t>(length)});
  });
}

struct ParserFree {
  void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

}  // namespace

void readXml(std::string_view text, XmlHandler& handler) {
  const std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate("UTF-8"));
  if (!parser) throw RowFileError("no memory to read XML");
  Reading reading{handler, parser.get(), nullptr};
  XML_SetUserData(parser.get(), &reading);
  XML_SetElementHandler(parser.get(), onStart, onEnd);
  XML_SetCharacterDataHandler(parser.get(), onCharacters);
  constexpr std::size_t kPiece = std::numeric_limits<int>::max() / 2;
  do {
    const std::string_view piece = text.substr(0, kPiece);
    text.remove_prefix(piece.size());
    const XML_Status status =
        XML_Parse(parser.get(), piece.data(), static_cast<int>(piece.size()), text.empty());
    if (reading.failure) std::rethrow_exception(reading.failure);
    if (status == XML_STATUS_ERROR) {
      throw RowFileError(std::string(XML_ErrorString(XML_GetErrorCode(parser.get()))) +
                         " on line " + std::to_string(XML_GetCurrentLineNumber(parser.get())) +
                         " of its XML");
    }
  } while (!text.empty());
}

}  // namespace quillon::results
