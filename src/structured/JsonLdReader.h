#pragma once

#include "structured/NodeGraph.h"

#include <string_view>

namespace quillon::structured {

// Reads one JSON-LD block (the text of its script element) into the graph: every node object
// becomes a node, top-level objects and the members of a top-level @graph marked top-level,
// nested arrays flattened, {"@value": ...} and {"@list": [...]} objects read as their values,
// an object with only an @id kept as a reference. Other keywords (@context, @language, ...)
// are passed over: names are read as schema.org names whatever the context says.
// The text is first tidied (tidyJsonLd); when it still does not parse, it is read once more
// with its HTML character references decoded, for pages that escape the whole block.
// Throws StructuredDataError with the reason when the block is skipped; the graph is then as
// it was. A block of white space only adds nothing.
void readJsonLdBlock(std::string_view block, NodeGraph& graph);

}  // namespace quillon::structured
