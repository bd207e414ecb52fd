#pragma once

#include "profiles/PageTree.h"
#include "profiles/Profile.h"
#include "profiles/TaughtListings.h"
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

// How many of the page's listings a taught field fills.
struct FieldCount {
  int filled = 0;  // with a value of the field's kind
  int wrong = 0;   // with a value of another kind, which the profile leaves out
};

// What the teacher made of a page.
struct TeachResult {
  bool ok = false;
  // Why there is no profile, naming the example that could not be placed and why.
  std::string problem;
  // The profile (name and hosts are the caller's); when !ok, what could be taught so far.
  Profile profile;
  // How many listings the profile finds (containers with a name), and what it reads from each.
  int listingCount = 0;
  std::vector<structured::Listing> rows;
  // For each field taught, how many of those listings it fills.
  std::array<std::optional<FieldCount>, kColumnCount> counts;
  // When an example is missing from its listing: a selector of buttons inside each listing
  // whose click may show it ("Show phone"); the caller may click them and teach again.
  std::string revealGuess;
  // What the user should know about how the profile was taught (a click that left the page,
  // a "load more" guess dropped, an example whose kind is not checked).
  std::vector<std::string> notes;
};

// Teaches a profile from the examples of one listing on the rendered page, judging every
// value by its kind on every listing of the page:
//  1. finds the elements that show each example (placeExample);
//  2. takes, among the repeating ancestors of the name, the one whose selector matches the
//     most listings: containers (none inside another) that hold a name-like value where the
//     name's selector reads and a value of another example's kind (ContainerChoice);
//     containers without a name are no listings;
//  3. writes each field's selector relative to it, scored on every listing: the one that
//     fills the most with a value of the field's kind and never reads one of another kind
//     (FieldSelectorChoice), with the pattern of the value's kind for a value that is part of
//     its element's text (kindPattern; another pattern only where the kind has none), and the
//     attribute for an address;
//  4. verifies that the profile gives every example for the example listing;
//  5. finds the next link by its text, when given, and a "load more" button and reveal
//     buttons by their words, never a link to another page nor an element inside one.
// The name is required. The examples are compared with white space collapsed.
TeachResult teachProfile(const PageTree& tree, const TeachExamples& examples);

// "Telephone: 35 of 35 listings", with the values of another kind left out when there are.
std::string fillLine(const TeachResult& result, Column column);

// The caption of a column: "Name", "Activity", "Fax", "Telephone", "Street", "Postal code",
// "Locality", "Province", "Web", "E-mail".
std::string_view columnCaption(Column column);

}  // namespace quillon::profiles
