// Handling the blocks of one page: parse, skip nameless and duplicate listings, add the
// rest with the site's columns, and give each added Italian row its looked-up e-mail.

#include "capture/PageRows.h"
#include "results/ResultsTable.h"
#include "text/Cp1252.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quillon::capture {
namespace {

using parsers::Site;

// A Spanish page text: each listing opened by "+-+org: " and its lines, CR LF ends.
std::u16string spanishPage(const std::vector<std::string>& utf8Listings) {
  std::string page;
  for (const auto& listing : utf8Listings) page += "+-+org: " + listing;
  std::string crlf;
  for (const char c : page) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return text::utf8ToUtf16(crlf);
}

std::string listing(const std::string& name, const std::string& phone) {
  return name + "\nactiv: Bares y restaurantes\nTeléfono: " + phone + "\n";
}

class PageRowsTest : public ::testing::Test {
 protected:
  results::ResultsTable table{results::NameCollator("es_ES")};
};

TEST_F(PageRowsTest, AddsEachNamedListingWithTheSpanishColumns) {
  const int added = addPageRows(
      Site::ES,
      spanishPage({"Bar Zeta\nactiv: Bares y restaurantes\n"
                   "adr: Calle del Ejemplo 10, 28100 Alcobendas (Madrid)\nlocality: Alcobendas\n"
                   "postal-code: 28100\nTeléfono: 912 345 678\n",
                   listing("Café Sol", "913 000 000")}),
      table);
  EXPECT_EQ(added, 2);
  ASSERT_EQ(table.Count(), 2);
  EXPECT_EQ(table.Cell(0, 0), "Bar Zeta");  // ordered by name
  EXPECT_EQ(table.Cell(0, 1), "Bares y");
  EXPECT_EQ(table.Cell(0, 2), "restaurantes");
  EXPECT_EQ(table.Cell(0, 3), "912 345 678");
  EXPECT_EQ(table.Cell(0, 7), "Madrid");
  EXPECT_EQ(table.SubItemCount(table.RowAt(0)), 8);
  EXPECT_EQ(table.Cell(1, 0), "Café Sol");
  EXPECT_EQ(table.Cell(1, 3), "913 000 000");
}

TEST_F(PageRowsTest, AnEmptyPageAndNamelessBlocksAddNothing) {
  EXPECT_EQ(addPageRows(Site::ES, u"", table), 0);
  EXPECT_EQ(addPageRows(Site::ES, spanishPage({"\nTeléfono: 912 345 678\n"}), table), 0);
  EXPECT_EQ(table.Count(), 0);
}

TEST_F(PageRowsTest, ListingsAlreadyInTheTableAddNothing) {
  const std::u16string page =
      spanishPage({listing("Bar Pepe", "912 345 678"), listing("Bar Pepe", "912 345 678"),
                   listing("Bar Pepe", "912 345 679"), listing("Bar Pepa", "912 345 678")});
  EXPECT_EQ(addPageRows(Site::ES, page, table), 3);
  EXPECT_EQ(addPageRows(Site::ES, page, table), 0);  // the same page again
  EXPECT_EQ(table.Count(), 3);
}

TEST_F(PageRowsTest, ListingsWithoutPhoneAreAddedEveryTime) {
  const std::u16string page = spanishPage({"Bar Mudo\nactiv: Bares\n"});
  EXPECT_EQ(addPageRows(Site::ES, page, table), 1);
  EXPECT_EQ(addPageRows(Site::ES, page, table), 1);
  EXPECT_EQ(table.Count(), 2);
}

TEST_F(PageRowsTest, AnEditedPhoneNoLongerMatches) {
  const std::u16string page = spanishPage({listing("Bar Pepe", "912 345 678")});
  addPageRows(Site::ES, page, table);
  table.SetCell(0, 3, "000");
  EXPECT_EQ(addPageRows(Site::ES, page, table), 1);
}

TEST_F(PageRowsTest, TellsEachRowAddedAsItGoesIn) {
  std::vector<std::string> added;
  const auto rowAdded = [&](results::RowHandle row) {
    added.push_back(table.Cell(row, 0));
    EXPECT_EQ(table.Cell(row, 8).empty(), table.Cell(row, 0) == "Tres");
  };
  const std::u16string page = spanishPage({listing("Uno", "911 111 111") + "web: www.uno.es\n",
                                           listing("Dos", "922 222 222") + "web: www.dos.es\n",
                                           listing("Tres", "933 333 333"),
                                           listing("Uno", "911 111 111") + "web: www.uno.es\n"});
  EXPECT_EQ(addPageRows(Site::ES, page, table, rowAdded), 3);
  EXPECT_EQ(added, (std::vector<std::string>{"Uno", "Dos", "Tres"}));
}

TEST_F(PageRowsTest, AustralianRowsCarryKeywordsAndAnEmptySeventhColumn) {
  const std::u16string page = text::cp1252ToUtf16(
      "+-+listingName: Harbour City Plumbing\r\naddress: 5 Pitt St Surry Hills NSW 2010\r\n"
      "phoneNumber: ph: (02) 9211 4455\r\n");
  EXPECT_EQ(addPageRows(Site::AU, page, table), 1);
  ASSERT_EQ(table.Count(), 1);
  EXPECT_EQ(table.Cell(0, 0), "Harbour City Plumbing");
  EXPECT_EQ(table.Cell(0, 3), "(02) 9211 4455");
  EXPECT_EQ(table.Cell(0, 7), "");
  EXPECT_EQ(table.SubItemCount(table.RowAt(0)), 8);
}

TEST_F(PageRowsTest, SurvivesNulBytesAndAHundredThousandListings) {
  std::string page;
  for (int i = 0; i < 100000; ++i) {
    const std::string digits = std::to_string(900000000 + i % 50000);
    const std::string number =
        digits.substr(0, 3) + " " + digits.substr(3, 3) + " " + digits.substr(6);
    page += "+-+org: Bar " + number +
            "\r\nTel\xE9"
            "fono: " +
            number + std::string("\r\n\0\0", 4);
  }
  EXPECT_EQ(addPageRows(Site::ES, text::cp1252ToUtf16(page), table), 50000);
  EXPECT_EQ(table.Count(), 50000);
}

}  // namespace
}  // namespace quillon::capture
