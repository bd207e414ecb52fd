#include "cli/Command.h"
#include "cli/InputReader.h"
#include "cli/Json.h"
#include "parsers/Site.h"
#include "parsers/AmarillasESEntry.h"
#include "parsers/GialleITEntry.h"
#include "parsers/YellowPagesAUEntry.h"
#include "parsers/YellowPagesCAEntry.h"
#include "text/Cp1252.h"

#include <ostream>

namespace quillon::cli {
namespace {

constexpr const char* kParseHelp =
    "Usage: quillon-cli parse --site es|it|au|ca [FILE]\n\n"
    "Reads ONE listing block (cp1252 bytes) from FILE or standard input, runs the\n"
    "site's rule set over it and prints the entry's fields as one JSON object, keys\n"
    "in the entry's field order.\n";

// One JSON object: the entry's fields in declaration order, values as UTF-8.
template <class Entry>
std::string parseToJson(const std::string& bytes) {
  Entry entry(text::cp1252ToUtf16(bytes));
  entry.Execute();
  std::string json = "{";
  for (const auto& field : Entry::Fields) {
    if (json.size() > 1) json += ',';
    json += '"';
    json += field.name;
    json += "\":";
    json += jsonString(entry.*(field.member));
  }
  json += '}';
  return json;
}

}  // namespace

int runParse(CommandContext& context) {
  std::optional<parsers::Site> site;
  std::string path;
  bool havePath = false;
  for (std::size_t i = 0; i < context.args.size(); ++i) {
    const std::string& arg = context.args[i];
    if (arg == "--help" || arg == "-h") {
      context.out << kParseHelp;
      return kExitOk;
    }
    if (arg == "--site") {
      if (i + 1 == context.args.size() || !(site = parsers::siteFromCode(context.args[i + 1]))) {
        context.err << "quillon-cli parse: --site takes es, it, au or ca\n";
        return kExitUsage;
      }
      ++i;
    } else if (arg.size() > 1 && arg[0] == '-') {
      context.err << "quillon-cli parse: unknown option " << arg << "\n" << kParseHelp;
      return kExitUsage;
    } else if (!havePath) {
      path = arg;
      havePath = true;
    } else {
      context.err << "quillon-cli parse: only one FILE may be given\n";
      return kExitUsage;
    }
  }
  if (!site) {
    context.err << "quillon-cli parse: --site is required\n" << kParseHelp;
    return kExitUsage;
  }
  const auto bytes = readInput(path, context.in, context.err);
  if (!bytes) return kExitFailure;

  switch (*site) {
    case parsers::Site::ES: context.out << parseToJson<parsers::TAmarillasESEntry>(*bytes); break;
    case parsers::Site::IT: context.out << parseToJson<parsers::TGialleITEntry>(*bytes); break;
    case parsers::Site::AU: context.out << parseToJson<parsers::TYellowPagesAUentry>(*bytes); break;
    case parsers::Site::CA: context.out << parseToJson<parsers::TYellowPagescaentry>(*bytes); break;
  }
  context.out << '\n';
  return kExitOk;
}

}  // namespace quillon::cli
