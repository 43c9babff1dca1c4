// MPlug: one attribute (or array element) of one node - its connections and its value.
#include "scene_model.h"

#include <maya/MDGContext.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MString.h>

#include <cstdlib>
#include <set>

using headless::Node;
using headless::PlugAccess;
using headless::PlugData;
using headless::PlugSegment;
using headless::setStatus;

MDGContext MDGContext::fsNormal;

MDGContext::MDGContext() : kind_(0) {}
MDGContext::MDGContext(const MDGContext& other) : kind_(other.kind_) {}
MDGContext::~MDGContext() {}
MDGContext& MDGContext::operator=(const MDGContext& other) {
  kind_ = other.kind_;
  return *this;
}
bool MDGContext::isNormal(MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return kind_ == 0;
}

namespace headless {

MPlug PlugAccess::make(Node* node, const std::string& path) {
  MPlug plug;
  plug.data_ = new PlugData{Ref<Node>(node), path};
  return plug;
}

namespace {

// The node and the resolved segments of a live plug; null otherwise.
Node* plugNode(const PlugData* data, std::vector<PlugSegment>& segments) {
  if (data == nullptr || !data->node->alive) return nullptr;
  if (!resolvePlug(data->node.get(), data->path, segments, false)) return nullptr;
  return data->node.get();
}

std::string nameOf(const std::vector<PlugSegment>& segments, bool longNames) {
  std::string text;
  for (const PlugSegment& s : segments) {
    if (!text.empty()) text += ".";
    text += longNames ? s.definition->longName : s.definition->shortName;
    if (s.index >= 0) text += "[" + std::to_string(s.index) + "]";
  }
  return text;
}

std::vector<int> existingIndices(const Node* node, const std::string& arrayPath) {
  return usedIndices(node, arrayPath);
}

bool scalarKind(AttributeKind kind) {
  return kind == AttributeKind::Bool || kind == AttributeKind::Int || kind == AttributeKind::Double ||
         kind == AttributeKind::Angle || kind == AttributeKind::Distance;
}

MStatus readScalar(const MPlug& plug, double& value) {
  std::vector<PlugSegment> segments;
  Node* node = plugNode(PlugAccess::get(plug), segments);
  if (node == nullptr) return MStatus::kFailure;
  if (!scalarKind(segments.back().definition->kind)) return MStatus::kFailure;
  std::vector<double> numbers;
  if (!readNumbers(node, PlugAccess::get(plug)->path, numbers) || numbers.size() != 1) return MStatus::kFailure;
  value = numbers[0];
  return MStatus::kSuccess;
}

MStatus writeScalar(const MPlug& plug, double value) {
  std::vector<PlugSegment> segments;
  Node* node = plugNode(PlugAccess::get(plug), segments);
  if (node == nullptr || !scalarKind(segments.back().definition->kind)) return MStatus::kFailure;
  return writeNumbers(node, PlugAccess::get(plug)->path, {value}) ? MStatus::kSuccess : MStatus::kFailure;
}

}  // namespace

}  // namespace headless

MPlug::MPlug() : data_(nullptr) {}
MPlug::MPlug(const MPlug& in) : data_(in.data_ != nullptr ? new PlugData(*in.data_) : nullptr) {}
MPlug::MPlug(const MObject& node, const MObject& attribute) : data_(nullptr) {
  Node* n = headless::nodeFrom(node);
  auto* attr = dynamic_cast<headless::AttributeObject*>(headless::ObjectAccess::get(attribute));
  if (n == nullptr || attr == nullptr) return;
  std::vector<PlugSegment> segments;
  if (headless::resolvePlug(n, attr->definition.longName, segments, false)) {
    data_ = new PlugData{headless::Ref<Node>(n), headless::canonicalPlug(segments)};
  }
}
MPlug::~MPlug() { delete data_; }

MPlug& MPlug::operator=(const MPlug& other) {
  if (this != &other) {
    PlugData* copy = other.data_ != nullptr ? new PlugData(*other.data_) : nullptr;
    delete data_;
    data_ = copy;
  }
  return *this;
}

MObject MPlug::attribute(MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  if (headless::plugNode(data_, segments) == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MObject();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  auto* attribute = new headless::AttributeObject;
  attribute->definition = *segments.back().definition;
  return headless::ObjectAccess::make(attribute);
}

MPlug::operator MObject() const { return attribute(); }

MObject MPlug::node(MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr ? headless::ObjectAccess::make(node) : MObject();
}

MString MPlug::name(MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr ? MString((node->name + "." + headless::nameOf(segments, false)).c_str()) : MString();
}

MString MPlug::partialName(bool includeNodeName, bool, bool, bool, bool, bool useLongNames,
                           MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  if (node == nullptr) return MString();
  std::string text = headless::nameOf(segments, useLongNames);
  return MString(((includeNodeName ? node->name + "." : std::string()) + text).c_str());
}

MString MPlug::info(MStatus* ReturnStatus) const { return name(ReturnStatus); }

bool MPlug::isArray(MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr && segments.back().definition->isArray && segments.back().index < 0;
}

bool MPlug::isElement(MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr && segments.back().index >= 0;
}

bool MPlug::isCompound(MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr && segments.back().definition->isCompound;
}

bool MPlug::isChild(MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr && !segments.back().definition->parent.empty();
}

unsigned MPlug::logicalIndex(MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  const bool element = node != nullptr && segments.back().index >= 0;
  setStatus(ReturnStatus, element ? MStatus::kSuccess : MStatus::kFailure);
  return element ? static_cast<unsigned>(segments.back().index) : 0u;
}

unsigned MPlug::numElements(MStatus* ReturnStatus) const {
  const bool array = isArray(ReturnStatus);
  if (!array) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return 0;
  }
  return static_cast<unsigned>(headless::existingIndices(data_->node.get(), data_->path).size());
}

namespace {

std::vector<const headless::AttributeSpec*> childSpecs(const Node* node, const headless::AttributeSpec& parent) {
  std::vector<const headless::AttributeSpec*> children;
  for (const headless::AttributeSpec& a : node->type->attributes) {
    if (a.parent == parent.longName) children.push_back(&a);
  }
  for (const headless::AttributeSpec& a : node->dynamicAttributes) {
    if (a.parent == parent.longName) children.push_back(&a);
  }
  return children;
}

}  // namespace

unsigned MPlug::numChildren(MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr ? static_cast<unsigned>(childSpecs(node, *segments.back().definition).size()) : 0u;
}

MPlug MPlug::child(unsigned index, MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  if (node == nullptr || (segments.back().definition->isArray && segments.back().index < 0)) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MPlug();
  }
  std::vector<const headless::AttributeSpec*> children = childSpecs(node, *segments.back().definition);
  if (index >= children.size()) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return MPlug();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  segments.push_back(PlugSegment{children[index], -1});
  return PlugAccess::make(node, headless::canonicalPlug(segments));
}

MPlug MPlug::parent(MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  if (node == nullptr || segments.back().definition->parent.empty()) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MPlug();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  const headless::AttributeSpec& definition = *segments.back().definition;
  if (segments.size() > 1) {
    segments.pop_back();
    return PlugAccess::make(node, headless::canonicalPlug(segments));
  }
  // A numeric child reached by its own name ("translateX").
  std::string path = data_->path;
  size_t dot = path.rfind('.');
  return PlugAccess::make(node, (dot == std::string::npos ? std::string() : path.substr(0, dot + 1)) + definition.parent);
}

MPlug MPlug::array(MStatus* ReturnStatus) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  if (node == nullptr || segments.back().index < 0) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MPlug();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  segments.back().index = -1;
  return PlugAccess::make(node, headless::canonicalPlug(segments));
}

MPlug MPlug::elementByLogicalIndex(unsigned logicalIndex, MStatus* ReturnStatus) const {
  if (!isArray(ReturnStatus)) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MPlug();
  }
  return PlugAccess::make(data_->node.get(), data_->path + "[" + std::to_string(logicalIndex) + "]");
}

MPlug MPlug::elementByPhysicalIndex(unsigned physicalIndex, MStatus* ReturnStatus) const {
  if (!isArray(ReturnStatus)) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MPlug();
  }
  std::vector<int> indices = headless::existingIndices(data_->node.get(), data_->path);
  if (physicalIndex >= indices.size()) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return MPlug();
  }
  return PlugAccess::make(data_->node.get(), data_->path + "[" + std::to_string(indices[physicalIndex]) + "]");
}

MPlug MPlug::operator[](unsigned physicalIndex) const { return elementByPhysicalIndex(physicalIndex); }

// asDst asks for the plug feeding this one (at most one), asSrc for the plugs it feeds, in connection order.
// The result tells whether the plug has any connection, whatever was asked for; the array is cleared first.
bool MPlug::connectedTo(MPlugArray& array, bool asDst, bool asSrc, MStatus* ReturnStatus) const {
  array.clear();
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  if (node == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return false;
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  bool connected = false;
  if (const headless::Connection* c = headless::incomingConnection(node, data_->path)) {
    connected = true;
    if (asDst) array.append(PlugAccess::make(c->source, c->sourcePlug));
  }
  for (const headless::Connection* c : node->outputs) {
    if (c->sourcePlug != data_->path) continue;
    connected = true;
    if (asSrc) array.append(PlugAccess::make(c->destination, c->destinationPlug));
  }
  return connected;
}

bool MPlug::isConnected(MStatus* ReturnStatus) const {
  MPlugArray ignored;
  return connectedTo(ignored, false, false, ReturnStatus);
}

bool MPlug::isNull(MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return data_ == nullptr || !data_->node->alive;
}

bool MPlug::operator!() const { return isNull(); }

bool MPlug::operator==(const MPlug& other) const {
  if (data_ == nullptr || other.data_ == nullptr) return data_ == other.data_;
  return data_->node == other.data_->node && data_->path == other.data_->path;
}
bool MPlug::operator!=(const MPlug& other) const { return !(*this == other); }
bool MPlug::operator==(const MObject& other) const {
  auto* attr = dynamic_cast<headless::AttributeObject*>(headless::ObjectAccess::get(other));
  std::vector<PlugSegment> segments;
  return attr != nullptr && headless::plugNode(data_, segments) != nullptr &&
         segments.back().definition->longName == attr->definition.longName;
}
bool MPlug::operator!=(const MObject& other) const { return !(*this == other); }

// A string attribute gives a string-data object (also for an empty string); other kinds have no data object
// here and fail.
MStatus MPlug::getValue(MObject& val, MDGContext&) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  std::string text;
  if (node == nullptr || !headless::readText(node, data_->path, text)) return MStatus::kFailure;
  auto* data = new headless::StringData;
  data->text = text;
  val = headless::ObjectAccess::make(data);
  return MStatus::kSuccess;
}

MStatus MPlug::getValue(double& val, MDGContext&) const { return headless::readScalar(*this, val); }

MStatus MPlug::getValue(float& val, MDGContext&) const {
  double value = 0;
  MStatus status = headless::readScalar(*this, value);
  if (status) val = static_cast<float>(value);
  return status;
}

MStatus MPlug::getValue(int& val, MDGContext&) const {
  double value = 0;
  MStatus status = headless::readScalar(*this, value);
  if (status) val = headless::narrow<int>(value);
  return status;
}

MStatus MPlug::getValue(short& val, MDGContext&) const {
  double value = 0;
  MStatus status = headless::readScalar(*this, value);
  if (status) val = headless::narrow<short>(value);
  return status;
}

MStatus MPlug::getValue(bool& val, MDGContext&) const {
  double value = 0;
  MStatus status = headless::readScalar(*this, value);
  if (status) val = value != 0.0;
  return status;
}

MStatus MPlug::getValue(char& val, MDGContext&) const {
  double value = 0;
  MStatus status = headless::readScalar(*this, value);
  if (status) val = headless::narrow<char>(value);
  return status;
}

MStatus MPlug::getValue(MString& val, MDGContext&) const {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  std::string text;
  if (node == nullptr || !headless::readText(node, data_->path, text)) return MStatus::kFailure;
  val = MString(text.c_str());
  return MStatus::kSuccess;
}

MStatus MPlug::setValue(double val) { return headless::writeScalar(*this, val); }
MStatus MPlug::setValue(float val) { return headless::writeScalar(*this, val); }
MStatus MPlug::setValue(int val) { return headless::writeScalar(*this, val); }
MStatus MPlug::setValue(short val) { return headless::writeScalar(*this, val); }
MStatus MPlug::setValue(bool val) { return headless::writeScalar(*this, val ? 1.0 : 0.0); }
MStatus MPlug::setValue(char val) { return headless::writeScalar(*this, val); }
MStatus MPlug::setValue(MString& val) { return setValue(val.asChar()); }
MStatus MPlug::setValue(const char* val) {
  std::vector<PlugSegment> segments;
  Node* node = headless::plugNode(data_, segments);
  if (node == nullptr) return MStatus::kFailure;
  return headless::writeText(node, data_->path, val != nullptr ? val : "") ? MStatus::kSuccess : MStatus::kFailure;
}
