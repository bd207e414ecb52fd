#include "structured/JsonLdReader.h"
#include "structured/StructuredDataError.h"

#include <gtest/gtest.h>

namespace quillon::structured {
namespace {

std::vector<std::string> texts(const NodeGraph& graph, const Node& node, const char* property) {
  std::vector<std::string> out;
  if (const Property* p = node.property(property)) {
    for (const Value& v : p->values) {
      out.push_back(v.node < 0 ? v.text : "node:" + graph.nodes[v.node].types.at(0));
    }
  }
  return out;
}

TEST(JsonLdReader, MarksTopLevelObjectsAndGraphMembers) {
  NodeGraph graph;
  readJsonLdBlock(R"([{"@type": "Dentist", "address": {"@type": "PostalAddress"}},
                      {"@graph": [[{"@type": "Bakery"}], {"@type": "Florist",
                        "department": {"@graph": [{"@type": "Store"}]}}]}])",
                  graph);
  ASSERT_EQ(graph.nodes.size(), 7u);
  std::vector<std::pair<std::string, bool>> seen;
  for (const Node& node : graph.nodes) {
    seen.emplace_back(node.types.empty() ? "" : node.types[0], node.topLevel);
  }
  const std::vector<std::pair<std::string, bool>> expected = {
      {"Dentist", true}, {"PostalAddress", false}, {"", true}, {"Bakery", true}, {"Florist", true},
      {"", false},       {"Store", false}};
  EXPECT_EQ(seen, expected);
}

TEST(JsonLdReader, ReadsTypesValuesAndNames) {
  NodeGraph graph;
  readJsonLdBlock(R"({"@context": {"@vocab": "https://schema.org/", "x": {"@id": "y"}},
    "@type": ["https://schema.org/LocalBusiness", "Plumber"],
    "http://schema.org/name": {"@value": "Ortega", "@language": "es"},
    "telephone": [["+34 1", null], {"@list": ["+34 2", 3, 4.50, true]}],
    "@reverse": {"employee": {"@type": "Person"}}})",
                  graph);
  ASSERT_EQ(graph.nodes.size(), 3u);  // the business and the two wrappers, nothing from keywords
  const Node& node = graph.nodes[0];
  EXPECT_EQ(node.types, (std::vector<std::string>{"LocalBusiness", "Plumber"}));
  EXPECT_EQ(texts(graph, node, "name"), std::vector<std::string>{"Ortega"});
  EXPECT_EQ(texts(graph, node, "telephone"),
            (std::vector<std::string>{"+34 1", "+34 2", "3", "4.50", "true"}));
  EXPECT_EQ(node.property("@context"), nullptr);
}

TEST(JsonLdReader, KeepsIdOnlyObjectsAsReferences) {
  NodeGraph graph;
  readJsonLdBlock(R"({"@graph": [
      {"@type": "Dentist", "address": {"@id": "#a"}},
      {"@id": "#a", "@type": "PostalAddress", "postalCode": "46004"},
      {"@id": "#b"}]})",
                  graph);
  graph.indexIds();
  ASSERT_EQ(graph.nodes.size(), 5u);
  const int value = graph.nodes[1].property("address")->values[0].node;
  EXPECT_TRUE(graph.nodes[value].reference);
  EXPECT_EQ(graph.resolve(value), 3);
  EXPECT_EQ(graph.resolve(4), 4);  // a reference to nothing stands for itself
}

TEST(JsonLdReader, SkippedBlockLeavesTheGraphAsItWas) {
  NodeGraph graph;
  readJsonLdBlock(R"({"@type": "Dentist"})", graph);
  try {
    readJsonLdBlock(R"([{"@type": "Bakery"}, {"@type": "Florist", "name": })", graph);
    FAIL() << "the block parsed";
  } catch (const StructuredDataError& error) {
    EXPECT_NE(std::string(error.what()).find("line 1, column"), std::string::npos) << error.what();
  }
  EXPECT_EQ(graph.nodes.size(), 1u);
  EXPECT_THROW(readJsonLdBlock("{\"name\": \"" + std::string(5000, 'x'), graph),
               StructuredDataError);
  readJsonLdBlock(" \n ", graph);
  EXPECT_EQ(graph.nodes.size(), 1u);
}

TEST(JsonLdReader, ReadsABlockWrittenWithCharacterReferences) {
  NodeGraph graph;
  readJsonLdBlock("{&quot;@type&quot;: &quot;Bakery&quot;, &quot;name&quot;: &quot;Pan&quot;}",
                  graph);
  ASSERT_EQ(graph.nodes.size(), 1u);
  EXPECT_EQ(texts(graph, graph.nodes[0], "name"), std::vector<std::string>{"Pan"});
}

}  // namespace
}  // namespace quillon::structured
