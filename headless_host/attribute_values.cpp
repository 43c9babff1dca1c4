// Plug names and attribute values: resolving "iog[0].og[2]"-style plug texts against a node's attributes,
// and reading or writing the value of one attribute (its stored value or the type's default).
#include "scene_model.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace headless {

namespace {

struct RawSegment {
  std::string name;
  int index = -1;
};

bool splitPlug(const std::string& text, std::vector<RawSegment>& raw) {
  raw.clear();
  size_t start = 0;
  while (start <= text.size()) {
    size_t dot = text.find('.', start);
    std::string part = text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    RawSegment segment;
    size_t bracket = part.find('[');
    if (bracket != std::string::npos) {
      if (part.back() != ']' || bracket + 2 > part.size() - 1 + 1) return false;
      std::string digits = part.substr(bracket + 1, part.size() - bracket - 2);
      if (digits.empty()) return false;
      for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
      }
      segment.index = std::atoi(digits.c_str());
      part = part.substr(0, bracket);
    }
    if (part.empty()) return false;
    segment.name = part;
    raw.push_back(segment);
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return !raw.empty();
}

size_t componentCount(AttributeKind kind) {
  switch (kind) {
    case AttributeKind::Double2:
      return 2;
    case AttributeKind::Double3:
    case AttributeKind::Float3:
      return 3;
    case AttributeKind::Matrix:
      return 16;
    case AttributeKind::String:
    case AttributeKind::Message:
      return 0;
    default:
      return 1;
  }
}

std::vector<double> defaultNumbers(const AttributeSpec& definition) {
  if (!definition.defaults.empty()) return definition.defaults;
  if (definition.kind == AttributeKind::Matrix) {
    std::vector<double> identity(16, 0.0);
    identity[0] = identity[5] = identity[10] = identity[15] = 1.0;
    return identity;
  }
  return std::vector<double>(componentCount(definition.kind), 0.0);
}

// The canonical path of the parent of a numeric child: the child's own segment replaced by its parent's name.
std::string parentPath(const std::string& canonical, const AttributeSpec& child) {
  size_t dot = canonical.rfind('.');
  std::string prefix = dot == std::string::npos ? std::string() : canonical.substr(0, dot + 1);
  return prefix + child.parent;
}

}  // namespace

bool resolvePlug(Node* node, const std::string& text, std::vector<PlugSegment>& segments, bool create) {
  segments.clear();
  std::vector<RawSegment> raw;
  if (node == nullptr || !splitPlug(text, raw)) return false;
  std::string parent;
  for (size_t i = 0; i < raw.size(); ++i) {
    const AttributeSpec* definition = node->findAttribute(raw[i].name, parent);
    if (definition == nullptr && i == 0 && !parent.empty()) definition = node->findAttribute(raw[i].name);
    if (definition == nullptr) {
      if (!create || node->type->isKnown) return false;
      AttributeSpec added;
      added.longName = raw[i].name;
      added.shortName = raw[i].name;
      added.kind = AttributeKind::Message;
      added.parent = parent;
      added.isArray = raw[i].index >= 0;
      added.isCompound = i + 1 < raw.size();
      node->dynamicAttributes.push_back(added);
      definition = &node->dynamicAttributes.back();
    } else if (raw[i].index >= 0 && !definition->isArray) {
      if (!create || !node->ownsAttribute(definition)) return false;
      const_cast<AttributeSpec*>(definition)->isArray = true;
    }
    PlugSegment segment;
    segment.definition = definition;
    segment.index = raw[i].index;
    // An array in the middle of a path without an index means its element 0.
    if (segment.index < 0 && definition->isArray && i + 1 < raw.size()) segment.index = 0;
    segments.push_back(segment);
    parent = definition->longName;
  }
  return true;
}

std::string canonicalPlug(const std::vector<PlugSegment>& segments) {
  std::string text;
  for (size_t i = 0; i < segments.size(); ++i) {
    const AttributeSpec& definition = *segments[i].definition;
    std::string part = definition.longName;
    if (segments[i].index >= 0) part += "[" + std::to_string(segments[i].index) + "]";
    // A numeric child replaces its non-array parent ("translate.translateX" is "translateX").
    if (definition.component >= 0 && i > 0 && segments[i - 1].definition->longName == definition.parent && segments[i - 1].index < 0) {
      size_t dot = text.rfind('.');
      text = dot == std::string::npos ? std::string() : text.substr(0, dot);
    }
    text += (text.empty() ? "" : ".") + part;
  }
  return text;
}

const AttributeSpec* plugSpec(const Node* node, const std::string& canonicalPath) {
  std::vector<PlugSegment> segments;
  if (!resolvePlug(const_cast<Node*>(node), canonicalPath, segments, false)) return nullptr;
  return segments.back().definition;
}

bool readNumbers(const Node* node, const std::string& attribute, std::vector<double>& numbers) {
  std::vector<PlugSegment> segments;
  if (!resolvePlug(const_cast<Node*>(node), attribute, segments, false)) return false;
  const AttributeSpec& definition = *segments.back().definition;
  const std::string key = canonicalPlug(segments);
  if (definition.component >= 0) {
    const AttributeSpec* parent = node->findAttribute(definition.parent, std::string());
    const std::string parentKey = parentPath(key, definition);
    auto it = node->values.find(parentKey);
    std::vector<double> whole = it != node->values.end() && !it->second.numbers.empty()
                                    ? it->second.numbers
                                    : (parent != nullptr ? defaultNumbers(*parent) : std::vector<double>());
    if (static_cast<size_t>(definition.component) >= whole.size()) return false;
    numbers = {whole[definition.component]};
    return true;
  }
  if (componentCount(definition.kind) == 0) return false;
  auto it = node->values.find(key);
  numbers = it != node->values.end() && !it->second.numbers.empty() ? it->second.numbers : defaultNumbers(definition);
  return true;
}

double readNumber(const Node* node, const std::string& attribute, double fallback) {
  std::vector<double> numbers;
  if (!readNumbers(node, attribute, numbers) || numbers.empty()) return fallback;
  return numbers[0];
}

bool readText(const Node* node, const std::string& attribute, std::string& text) {
  std::vector<PlugSegment> segments;
  if (!resolvePlug(const_cast<Node*>(node), attribute, segments, false)) return false;
  const AttributeSpec& definition = *segments.back().definition;
  if (definition.kind != AttributeKind::String) return false;
  auto it = node->values.find(canonicalPlug(segments));
  text = it != node->values.end() ? it->second.text : definition.defaultText;
  return true;
}

bool writeNumbers(Node* node, const std::string& attribute, const std::vector<double>& numbers) {
  std::vector<PlugSegment> segments;
  if (!resolvePlug(node, attribute, segments, true)) return false;
  AttributeSpec& definition = const_cast<AttributeSpec&>(*segments.back().definition);
  // Attributes of unknown node types take the shape of their first value.
  if (node->ownsAttribute(&definition) && definition.kind == AttributeKind::Message && definition.component < 0) {
    definition.kind = numbers.size() == 16  ? AttributeKind::Matrix
                : numbers.size() == 3 ? AttributeKind::Double3
                : numbers.size() == 2 ? AttributeKind::Double2
                                      : AttributeKind::Double;
  }
  const std::string key = canonicalPlug(segments);
  if (definition.component >= 0) {
    if (numbers.size() != 1) return false;
    std::vector<double> whole;
    const std::string parentKey = parentPath(key, definition);
    readNumbers(node, parentKey, whole);
    if (static_cast<size_t>(definition.component) >= whole.size()) return false;
    whole[definition.component] = numbers[0];
    node->values[parentKey].numbers = whole;
    return true;
  }
  if (componentCount(definition.kind) != numbers.size()) return false;
  std::vector<double> stored = numbers;
  // Booleans and integers keep values of their kind: NaN is refused, others are made whole and clamped.
  if (definition.kind == AttributeKind::Bool || definition.kind == AttributeKind::Int) {
    if (std::isnan(stored[0])) return false;
    stored[0] = definition.kind == AttributeKind::Bool ? (stored[0] != 0.0 ? 1.0 : 0.0) : narrow<int>(stored[0]);
  }
  node->values[key].numbers = stored;
  return true;
}

bool writeText(Node* node, const std::string& attribute, const std::string& text) {
  std::vector<PlugSegment> segments;
  if (!resolvePlug(node, attribute, segments, true)) return false;
  AttributeSpec& definition = const_cast<AttributeSpec&>(*segments.back().definition);
  if (node->ownsAttribute(&definition) && definition.kind == AttributeKind::Message) definition.kind = AttributeKind::String;
  if (definition.kind != AttributeKind::String) return false;
  node->values[canonicalPlug(segments)].text = text;
  return true;
}

}  // namespace headless
