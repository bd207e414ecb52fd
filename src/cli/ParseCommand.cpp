#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/InputReader.h"
#include "parsers/AmarillasESEntry.h"
#include "parsers/GialleITEntry.h"
#include "parsers/Site.h"
#include "parsers/YellowPagesAUEntry.h"
#include "parsers/YellowPagesCAEntry.h"
#include "text/Cp1252.h"
#include "text/JsonString.h"

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
    json += text::jsonString(entry.*(field.member));
  }
  json += '}';
  return json;
}

}  // namespace

int runParse(CommandContext& context) {
  CommandLine line("parse", kParseHelp);
  line.addValue(QStringLiteral("site"), "--site takes es, it, au or ca");
  if (const auto status = line.parse(context.args, context)) return *status;
  if (!line.isSet(QStringLiteral("site"))) return line.fail(context, "--site is required", true);
  const auto site = parsers::siteFromCode(line.value(QStringLiteral("site")));
  if (!site) return line.failOption(context, QStringLiteral("site"));
  const std::vector<std::string> files = line.positional();
  if (files.size() > 1) return line.fail(context, "only one FILE may be given");
  const std::string path = files.empty() ? std::string() : files.front();

  const auto bytes = readInput(path, context.in, context.err);
  if (!bytes) return kExitFailure;

  switch (*site) {
    case parsers::Site::ES:
      context.out << parseToJson<parsers::TAmarillasESEntry>(*bytes);
      break;
    case parsers::Site::IT:
      context.out << parseToJson<parsers::TGialleITEntry>(*bytes);
      break;
    case parsers::Site::AU:
      context.out << parseToJson<parsers::TYellowPagesAUentry>(*bytes);
      break;
    case parsers::Site::CA:
      context.out << parseToJson<parsers::TYellowPagescaentry>(*bytes);
      break;
  }
  context.out << '\n';
  return kExitOk;
}

}  // namespace quillon::cli
