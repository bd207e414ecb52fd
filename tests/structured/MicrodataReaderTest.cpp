#include "structured/MicrodataReader.h"

#include <gtest/gtest.h>

namespace quillon::structured {
namespace {

MicrodataElement item(int parent, std::string itemtype, std::string itemprop = "",
                      std::string itemref = "", std::string id = "") {
  return MicrodataElement{
      parent,        "div", true, std::move(itemtype), std::move(itemprop), std::move(itemref),
      std::move(id), ""};
}

MicrodataElement prop(int parent, std::string itemprop, std::string value, std::string id = "") {
  return MicrodataElement{parent, "span",        false,           "", std::move(itemprop),
                          "",     std::move(id), std::move(value)};
}

MicrodataElement plain(int parent, std::string id) {
  return MicrodataElement{parent, "div", false, "", "", "", std::move(id), ""};
}

std::string textOf(const Node& node, const char* name) {
  const Property* p = node.property(name);
  return p == nullptr ? "-" : p->values.at(0).text;
}

TEST(MicrodataReader, NestedItemsAreValuesOfTheirProperties) {
  const std::vector<MicrodataElement> elements = {
      item(-1, "https://schema.org/Dentist http://schema.org/MedicalClinic"),
      prop(0, "name https://schema.org/alternateName name", "Sonrisa"),
      item(0, "https://schema.org/PostalAddress", "address"),
      prop(2, "postalCode", "46004"),
      plain(0, ""),
      prop(4, "telephone", "963"),
      item(-1, "https://schema.org/Bakery"),
      prop(-1, "name", "orphan"),
  };
  NodeGraph graph;
  ASSERT_TRUE(MicrodataReader(elements, graph).read());
  ASSERT_EQ(graph.nodes.size(), 3u);
  const Node& dentist = graph.nodes[0];
  EXPECT_TRUE(dentist.topLevel);
  EXPECT_EQ(dentist.types, (std::vector<std::string>{"Dentist", "MedicalClinic"}));
  EXPECT_EQ(dentist.property("name")->values.size(), 1u);  // a name counts once per element
  EXPECT_EQ(textOf(dentist, "alternateName"), "Sonrisa");
  EXPECT_EQ(textOf(dentist, "telephone"), "963");  // through an element that is not collected
  EXPECT_EQ(textOf(dentist, "postalCode"), "-");   // not merged into the holder
  const int address = dentist.property("address")->values.at(0).node;
  EXPECT_FALSE(graph.nodes[address].topLevel);
  EXPECT_EQ(textOf(graph.nodes[address], "postalCode"), "46004");
  EXPECT_TRUE(graph.nodes[2].topLevel);
  EXPECT_EQ(graph.nodes[2].property("name"), nullptr);
}

TEST(MicrodataReader, FollowsItemrefInDocumentOrder) {
  const std::vector<MicrodataElement> elements = {
      prop(-1, "telephone", "first", "phone"),
      item(-1, "https://schema.org/Store", "", "phone  missing hours"),
      prop(1, "name", "Tienda"),
      plain(-1, "hours"),
      prop(3, "openingHours", "Mo-Fr"),
  };
  NodeGraph graph;
  ASSERT_TRUE(MicrodataReader(elements, graph).read());
  ASSERT_EQ(graph.nodes.size(), 1u);
  std::vector<std::string> names;
  for (const Property& p : graph.nodes[0].properties) names.push_back(p.name);
  EXPECT_EQ(names, (std::vector<std::string>{"telephone", "name", "openingHours"}));
}

TEST(MicrodataReader, ItemrefCyclesEndAtTheItemBeingRead) {
  // p refers to q and q back to p: p is being read when q names it again
  const std::vector<MicrodataElement> elements = {
      item(-1, "https://schema.org/Store"),
      item(0, "https://schema.org/Store", "department", "q", "p"),
      item(-1, "https://schema.org/Store", "subOrganization", "p", "q"),
  };
  NodeGraph graph;
  ASSERT_TRUE(MicrodataReader(elements, graph).read());
  EXPECT_EQ(graph.nodes.size(), 3u);
}

TEST(MicrodataReader, StopsNestingAtItsDepthBound) {
  std::vector<MicrodataElement> elements = {item(-1, "Thing")};
  for (int i = 0; i < 100; ++i) elements.push_back(item(i, "Thing", "part"));
  NodeGraph graph;
  ASSERT_TRUE(MicrodataReader(elements, graph).read());
  EXPECT_EQ(graph.nodes.size(), static_cast<std::size_t>(MicrodataReader::kMaxItemDepth));
}

}  // namespace
}  // namespace quillon::structured
