#pragma once

#include <string>
#include <string_view>
#include <vector>

// The directory's own hosts, so that none of its pages (a detail page, a map, a photo
// gallery, the page itself) is taken for a business's website.

namespace quillon::fields {

class DirectoryHosts {
 public:
  DirectoryHosts() = default;
  // The hosts of the result page, of its canonical link and of links that the caller knows
  // to be the directory's own pages (a listing's detail page, its map or photo link).
  DirectoryHosts(std::string_view pageUrl, std::string_view canonicalUrl = {},
                 const std::vector<std::string>& ownLinks = {});

  // Adds the host of an absolute http(s) address; other addresses add nothing.
  void addUrl(std::string_view url);
  // Adds a host name ("pagesjaunes.fr").
  void addHost(std::string_view host);

  // Whether the host is one of the directory's: a host added, its "www." form, or another
  // host of the same registrable domain ("m.pagesjaunes.fr", "www.pagesjaunes.fr").
  bool contains(std::string_view host) const;
  bool empty() const { return m_domains.empty(); }

 private:
  std::vector<std::string> m_domains;  // registrable domains, lower case
};

// Whether a value is a business's own website: an absolute http or https address whose
// host is not one of the directory's. mailto:, tel:, javascript:, relative addresses and
// fragments of the page itself never are.
bool isBusinessWebsite(std::string_view url, const DirectoryHosts& directory);

// The host a web address shown as text stands for: that of an absolute http(s) address, or
// of an address written without a scheme ("www.casapepe.es", "casapepe.es/contacto");
// empty when the text is no web address (an e-mail, a sentence, "S.L.", a file name).
std::string webAddressHost(std::string_view text);

}  // namespace quillon::fields
