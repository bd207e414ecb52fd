#pragma once

#include "profiles/PageTree.h"
#include "profiles/Profile.h"
#include "structured/Listing.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quillon::profiles {

// What the user shows the teacher: the values of one listing as the page shows them (UTF-8;
// empty: not given) and, optionally, the text of the next-page link.
struct TeachExamples {
  std::array<std::string, kColumnCount> values;
  std::string nextText;

  std::string& operator[](Column c) { return values[static_cast<std::size_t>(c)]; }
  const std::string& operator[](Column c) const { return values[static_cast<std::size_t>(c)]; }
};

// What the teacher made of a page.
struct TeachResult {
  bool ok = false;
  // Why there is no profile, naming the example that could not be placed.
  std::string problem;
  // The profile (name and hosts are the caller's); when !ok, what could be taught so far.
  Profile profile;
  // How many listing containers the profile finds, and what it reads from each.
  int listingCount = 0;
  std::vector<structured::Listing> rows;
  // When an example is missing from its listing: a selector of buttons inside each listing
  // whose click may show it ("Show phone"); the caller may click them and teach again.
  std::string revealGuess;
};

// Teaches a profile from the examples of one listing on the rendered page:
//  1. finds the elements that show each example (placeExample);
//  2. takes the smallest ancestor of the name that holds a place of every other example and
//     repeats on the page: a selector of it matches at least two containers, none inside
//     another, in at least two of which the name's selector finds a text;
//  3. writes each field's selector relative to it (tag and stable classes, an ancestor's
//     classes, positions only where classes do not tell elements apart), with a pattern for a
//     value that is part of its element's text, and the attribute for an address;
//  4. verifies that the profile read back from the page gives every example for the example
//     listing;
//  5. finds the next link by its text, when given, and a "load more" button and reveal
//     buttons by their words.
// The name is required. The examples are compared with white space collapsed.
TeachResult teachProfile(const PageTree& tree, const TeachExamples& examples);

// The listings a profile written by the teacher reads from a tree (a profile whose selectors
// are of the teacher's own subset), as the browser would read them.
std::vector<structured::Listing> readTaughtListings(const PageTree& tree, const Profile& profile);

}  // namespace quillon::profiles
