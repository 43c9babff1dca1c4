#ifndef HEADLESS_NODE_TYPES_H
#define HEADLESS_NODE_TYPES_H
// The node types the headless host knows: their MFn type, the function sets they are compatible with, whether
// they live in the DAG, and their attributes with the host's default values.

#include <headless/scene.h>
#include <maya/MFn.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace headless {

// One attribute of a node type. Children of a numeric compound (translateX of translate) and children of an
// array compound (objectGroups of instObjGroups) name their parent; numeric children also their component.
struct AttributeSpec {
  std::string longName;
  std::string shortName;
  AttributeKind kind = AttributeKind::Message;
  bool isArray = false;
  bool isCompound = false;      // has child attributes (numeric compounds and array compounds)
  std::string parent;           // long name of the parent attribute, empty for a top-level attribute
  int component = -1;           // index into the parent's value for a numeric child
  bool angle = false;           // radians inside, degrees through setAttr
  std::vector<double> defaults; // numeric default (one value per component)
  std::string defaultText;      // string default
};

struct NodeType {
  std::string name;
  MFn::Type type = MFn::kInvalid;
  std::vector<MFn::Type> compatible;  // always includes type itself
  bool isDag = false;
  bool isShape = false;
  bool isTransform = false;
  bool isKnown = true;  // unknown types accept any attribute
  std::vector<AttributeSpec> attributes;
  // Positions in attributes by long and by short name; built once the table is complete.
  std::unordered_map<std::string, std::vector<size_t>> byName;

  bool hasFn(MFn::Type t) const;
  void indexNames();
  // The attribute named longOrShort below parent (empty = top level, which also finds numeric children).
  const AttributeSpec* find(const std::string& longOrShort, const std::string& parent = std::string()) const;
};

// The type of that name; unknown names get a shared plain dependency-node type (isDag false) or a plain DAG
// node type (isDag true) - the node keeps the name it was created with.
const NodeType* findNodeType(const std::string& typeName);
const NodeType* unknownNodeType(bool dag);
const NodeType* worldNodeType();

// Appends an attribute definition with its derived children (numeric compounds get X/Y/Z, R/G/B or explicit children).
void addAttributeSpec(std::vector<AttributeSpec>& attributes, const AttributeSpec& definition,
                      const std::vector<std::pair<std::string, std::string>>& childNames = {});

double degreesToRadians(double degrees);
double radiansToDegrees(double radians);

}  // namespace headless

#endif
