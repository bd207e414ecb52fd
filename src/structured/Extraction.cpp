#include "structured/Extraction.h"

#include "structured/Candidates.h"
#include "structured/JsonLdReader.h"
#include "structured/ListingMapper.h"
#include "structured/MicrodataReader.h"
#include "structured/PageContext.h"
#include "structured/StructuredDataError.h"
#include "url/UrlParts.h"
#include "url/UrlResolution.h"

#include <algorithm>
#include <cstdint>
#include <set>

namespace quillon::structured {
namespace {

NodeGraph readSources(const PageData& page, std::vector<std::string>& warnings) {
  NodeGraph graph;
  for (std::size_t i = 0; i < page.jsonLd.size(); ++i) {
    try {
      readJsonLdBlock(page.jsonLd[i], graph);
    } catch (const StructuredDataError& error) {
      warnings.push_back("JSON-LD block " + std::to_string(i + 1) + " of " + page.url +
                         " does not parse: " + error.what());
    }
  }
  if (!MicrodataReader(page.microdata, graph).read()) {
    warnings.push_back("The microdata of " + page.url +
                       " is too large to read in full; the rest is left out");
  }
  graph.indexIds();
  return graph;
}

std::vector<std::string> summaryUrls(const PageData& page, const Candidates& candidates) {
  const std::string_view self = url::withoutFragment(page.url);
  std::vector<std::string> urls;
  std::set<std::string, std::less<>> seen;
  for (const std::string& address : candidates.entryAddresses) {
    const std::string absolute = url::resolveUrl(page.url, address);
    const std::string_view url = url::withoutFragment(absolute);
    if (url.empty() || url == self || !url::isFetchableUrl(url)) continue;
    if (seen.emplace(url).second) urls.emplace_back(url);
  }
  return urls;
}

// FNV-1a over the text, from the given start.
std::uint64_t fnv1a(std::string_view text, std::uint64_t hash) {
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001B3ULL;
  }
  return hash;
}

std::string hex(std::uint64_t value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4)
    out[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
  return out;
}

// The site the page belongs to describes itself as a WebSite, with its publisher.
void addSiteHosts(const NodeGraph& graph, std::string_view pageUrl,
                  fields::DirectoryHosts& directory) {
  for (const Node& node : graph.nodes) {
    if (!node.hasType("WebSite")) continue;
    directory.addUrl(url::resolveUrl(pageUrl, firstText(node, "url")));
    if (const Property* publisher = node.property("publisher")) {
      for (const Value& value : publisher->values) {
        if (value.node < 0) continue;
        const Node& owner = graph.nodes[static_cast<std::size_t>(graph.resolve(value.node))];
        directory.addUrl(url::resolveUrl(pageUrl, firstText(owner, "url")));
      }
    }
  }
}

Extraction extract(const PageData& page, fields::DirectoryHosts directory) {
  Extraction extraction;
  const NodeGraph graph = readSources(page, extraction.warnings);
  addSiteHosts(graph, page.url, directory);
  const Candidates candidates = findCandidates(graph);
  for (const int node : candidates.nodes) {
    if (std::optional<Listing> listing = mapListing(graph, node, page.url, directory)) {
      extraction.listings.push_back(std::move(*listing));
    }
  }
  if (extraction.listings.empty()) extraction.summaryUrls = summaryUrls(page, candidates);
  extraction.directory = std::move(directory);
  return extraction;
}

}  // namespace

Extraction extractListings(const PageData& page) { return extract(page, directoryHosts(page)); }

std::optional<Listing> detailListing(const PageData& detailPage,
                                     const fields::DirectoryHosts& directory) {
  fields::DirectoryHosts hosts = directory;
  hosts.addUrl(detailPage.url);
  hosts.addUrl(canonicalUrl(detailPage));
  Extraction extraction = extract(detailPage, std::move(hosts));
  if (extraction.listings.empty()) return std::nullopt;
  return std::move(extraction.listings.front());
}

std::string pageSignature(const Extraction& extraction) {
  // Unit and record separators keep "ab"+"c" apart from "a"+"bc".
  std::vector<std::string> items;
  for (const Listing& listing : extraction.listings) {
    std::string item = "L";
    for (const std::string& column : listing.columns) item += '\x1f' + column;
    items.push_back(std::move(item));
  }
  for (const std::string& url : extraction.summaryUrls) items.push_back("S\x1f" + url);
  if (items.empty()) return {};
  std::sort(items.begin(), items.end());
  items.erase(std::unique(items.begin(), items.end()), items.end());
  std::uint64_t first = 0xCBF29CE484222325ULL;
  std::uint64_t second = 0x84222325CBF29CE4ULL;
  for (const std::string& item : items) {
    first = fnv1a(item + '\x1e', first);
    second = fnv1a('\x1e' + item, second);
  }
  return hex(first) + hex(second);
}

}  // namespace quillon::structured
