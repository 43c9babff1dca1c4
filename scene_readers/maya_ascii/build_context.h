#pragma once
// State shared by the builders that turn a SceneDocument into host nodes.

#include "scene_readers/maya_ascii/maya_ascii_reader.h"
#include "scene_readers/maya_ascii/scene_document.h"

#include <maya/MObject.h>

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace mayaascii {

struct BuildContext {
    BuildContext(const SceneDocument& doc, LoadReport& out) : document(doc), report(out), hostNodes(doc.nodes.size()) {}

    const SceneDocument& document;
    LoadReport& report;
    std::vector<MObject> hostNodes;  // per document node; null when the node was not created
    std::map<std::string, int> skippedAttributeNames;  // "type.attribute" -> count
    // Per mesh node made by construction history: the faces of each object group (instance, group) that the
    // history's groupParts nodes tagged, for per-face set membership.
    std::unordered_map<int, std::map<std::pair<int, int>, std::vector<int>>> historyFaceGroups;
};

// The attribute of a node by key, marked as used; null when the file did not set it.
const Attribute* findAttribute(const Node& node, const std::string& key);
// The plain numeric value of an attribute, or fallback.
double plainNumber(const Node& node, const std::string& key, double fallback);
// The plain value of an attribute that must be a whole number from low to high, or fallback when the file
// does not set it; throws ReadError naming the node and attribute for any other value.
int64_t plainInteger(const Node& node, const std::string& key, int64_t fallback, int64_t low, int64_t high);
// A number as a message shows it: whole numbers as such, others (such as 1e+118) in exponent form. A file's
// number may lie far beyond any integer type, so it is never converted to one just to be shown.
std::string formatNumber(double value);
// The plain string value of an attribute, or fallback.
std::string plainString(const Node& node, const std::string& key, const std::string& fallback);

// The element values of an array attribute put together in index order, `width` numbers per element.
// Without allowGaps every element from 0 to the last one written must be present (the count is then
// what the file holds); with allowGaps missing elements are zero and no element may lie at or beyond
// limit. Throws ReadError naming the node and attribute otherwise. Returns the values: those of the file's one
// range when it starts at element 0 (the usual case, no copy), else put together in scratch.
const std::vector<double>& gatherArray(const Node& node, const Attribute& attribute, const char* name, size_t width,
                                       bool allowGaps, size_t limit, std::vector<double>& scratch);

// "Error" text for a node: "pCubeShape1 (mesh)".
std::string describeNode(const Node& node);

} // namespace mayaascii
