// MObject and the generic function sets: the base attach rules, dependency nodes, DAG nodes and string data.
#include "scene_model.h"

#include <maya/MDagPathArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnData.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnStringData.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MString.h>

using headless::Node;
using headless::ObjectAccess;
using headless::setStatus;

// ---- MObject
MObject MObject::kNullObj;

MObject::MObject() : object_(nullptr) {}
MObject::MObject(const MObject& other) : object_(other.object_) { headless::retain(object_); }
MObject::~MObject() { headless::release(object_); }
MObject& MObject::operator=(const MObject& other) {
  headless::retain(other.object_);
  headless::release(object_);
  object_ = other.object_;
  return *this;
}
bool MObject::hasFn(MFn::Type type) const { return object_ != nullptr && object_->hasFn(type); }
bool MObject::isNull() const { return object_ == nullptr || !object_->isAlive(); }
MFn::Type MObject::apiType() const { return isNull() ? MFn::kInvalid : object_->apiType(); }
const char* MObject::apiTypeStr() const { return headless::apiTypeName(apiType()); }
bool MObject::operator==(const MObject& other) const { return object_ == other.object_; }
bool MObject::operator!=(const MObject& other) const { return object_ != other.object_; }

// ---- attach rules
namespace headless {

void FnAccess::detach(MFnBase& fn) {
  release(fn.object_);
  fn.object_ = nullptr;
  delete fn.path_;
  fn.path_ = nullptr;
}

MStatus FnAccess::attach(MFnBase& fn, const MObject& object) {
  detach(fn);
  Object* target = ObjectAccess::get(object);
  if (target == nullptr || !target->isAlive() || !target->hasFn(fn.type())) return MStatus::kInvalidParameter;
  retain(target);
  fn.object_ = target;
  return MStatus::kSuccess;
}

// A transform's path reaches the first shape below it when the transform does not fit the set (a light's
// function set on its transform's path, for instance). The host's pages only imply this; it is what its own
// examples rely on.
MStatus FnAccess::attach(MFnBase& fn, const MDagPath& path) {
  detach(fn);
  const PathData* data = PathAccess::get(path);
  Node* end = endNode(data);
  if (end == nullptr) return MStatus::kInvalidParameter;
  PathData attached = *data;
  Node* target = end;
  if (!end->hasFn(fn.type())) {
    target = firstShapeChild(end);
    if (target == nullptr || !target->hasFn(fn.type())) return MStatus::kInvalidParameter;
    attached.push(target);
  }
  retain(target);
  fn.object_ = target;
  fn.path_ = new PathData(attached);
  return MStatus::kSuccess;
}

Node* attachedNode(const MFnBase& fn, MStatus* status) {
  Node* node = asNode(FnAccess::object(fn));
  if (node == nullptr || !node->alive) {
    setStatus(status, MStatus::kFailure);
    return nullptr;
  }
  setStatus(status, MStatus::kSuccess);
  return node;
}

const PathData* attachedPath(const MFnBase& fn) {
  const PathData* path = FnAccess::path(fn);
  return pathIsAlive(path) ? path : nullptr;
}

bool spaceMatrix(const MFnBase& fn, MSpace::Space space, MMatrix& matrix) {
  matrix = MMatrix();
  if (space != MSpace::kWorld) return true;
  const PathData* path = attachedPath(fn);
  if (path == nullptr) return false;
  matrix = inclusiveMatrix(*path);
  return true;
}

double attachedNumber(const MFnBase& fn, const char* name, MStatus* status) {
  Node* node = attachedNode(fn, status);
  return node != nullptr ? readNumber(node, name) : 0.0;
}

MColor attachedColour(const MFnBase& fn, const char* name, MStatus* status) {
  Node* node = attachedNode(fn, status);
  std::vector<double> c;
  if (node == nullptr || !readNumbers(node, name, c) || c.size() != 3) return MColor();
  return MColor(static_cast<float>(c[0]), static_cast<float>(c[1]), static_cast<float>(c[2]), 1.0f);
}

MStatus writeAttached(MFnBase& fn, const char* name, const std::vector<double>& values) {
  MStatus status;
  Node* node = attachedNode(fn, &status);
  if (node == nullptr) return status;
  return writeNumbers(node, name, values) ? MStatus::kSuccess : MStatus::kFailure;
}

}  // namespace headless

// ---- MFnBase
MFnBase::MFnBase() : object_(nullptr), path_(nullptr) {}
MFnBase::~MFnBase() { headless::FnAccess::detach(*this); }
MFn::Type MFnBase::type() const { return MFn::kBase; }

// Whether objects of that type can be attached: the known node type with that MFn type is compatible with this
// set's type.
bool MFnBase::hasObj(MFn::Type objectType) const {
  if (objectType == type()) return true;
  for (const char* name : {"world", "transform", "mesh", "nurbsSurface", "nurbsCurve", "lattice", "baseLattice",
                                  "ffd", "camera", "ambientLight", "directionalLight", "pointLight", "spotLight",
                                  "areaLight", "lambert", "blinn", "phong", "phongE", "anisotropic", "layeredShader",
                                  "surfaceShader", "file", "objectSet", "shadingEngine", "groupId", "joint"}) {
    const headless::NodeType* t = headless::findNodeType(name);
    if (t != nullptr && t->type == objectType) return t->hasFn(type());
  }
  return false;
}

bool MFnBase::hasObj(const MObject& object) const { return object.hasFn(type()); }

MObject MFnBase::object(MStatus* ReturnStatus) const {
  if (object_ == nullptr || !object_->isAlive()) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MObject();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  return ObjectAccess::make(object_);
}

MStatus MFnBase::setObject(MObject& object) { return headless::FnAccess::attach(*this, object); }
MStatus MFnBase::setObject(const MObject& object) { return headless::FnAccess::attach(*this, object); }

// ---- MFnDependencyNode
QAX_DG_FN_CONSTRUCTORS(MFnDependencyNode, MFn::kDependencyNode)

MString MFnDependencyNode::typeName(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  return node != nullptr ? MString(node->typeName.c_str()) : MString();
}

MString MFnDependencyNode::name(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  return node != nullptr ? MString(node->name.c_str()) : MString();
}

MString MFnDependencyNode::setName(const MString& newName, MStatus* ReturnStatus) {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MString();
  headless::rename(ObjectAccess::make(node), newName.asChar());
  return MString(node->name.c_str());
}

namespace {

std::vector<const headless::AttributeSpec*> allAttributes(const Node* node) {
  std::vector<const headless::AttributeSpec*> specs;
  for (const headless::AttributeSpec& a : node->type->attributes) specs.push_back(&a);
  for (const headless::AttributeSpec& a : node->dynamicAttributes) specs.push_back(&a);
  return specs;
}

MObject attributeObject(const headless::AttributeSpec& definition) {
  headless::AttributeObject* attribute = new headless::AttributeObject;
  attribute->definition = definition;
  return ObjectAccess::make(attribute);
}

}  // namespace

unsigned MFnDependencyNode::attributeCount(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  return node != nullptr ? static_cast<unsigned>(allAttributes(node).size()) : 0u;
}

MObject MFnDependencyNode::attribute(unsigned index, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MObject();
  std::vector<const headless::AttributeSpec*> specs = allAttributes(node);
  if (index >= specs.size()) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return MObject();
  }
  return attributeObject(*specs[index]);
}

MObject MFnDependencyNode::attribute(const MString& attrName, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MObject();
  const headless::AttributeSpec* definition = nullptr;
  for (const headless::AttributeSpec* a : allAttributes(node)) {
    if (definition == nullptr && (a->longName == attrName.asChar() || a->shortName == attrName.asChar())) definition = a;
  }
  if (definition == nullptr) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return MObject();
  }
  return attributeObject(*definition);
}

MPlug MFnDependencyNode::findPlug(const MObject& attr, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MPlug();
  MPlug plug(ObjectAccess::make(node), attr);
  setStatus(ReturnStatus, plug.isNull() ? MStatus::kInvalidParameter : MStatus::kSuccess);
  return plug;
}

// An attribute name, long or short; plug paths with indices are not attribute names.
MPlug MFnDependencyNode::findPlug(const MString& attrName, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MPlug();
  std::string name = attrName.asChar();
  std::vector<headless::PlugSegment> segments;
  if (name.find_first_of("[.") != std::string::npos || !headless::resolvePlug(node, name, segments, false)) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return MPlug();
  }
  return headless::PlugAccess::make(node, headless::canonicalPlug(segments));
}

bool MFnDependencyNode::isShared(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  return node != nullptr && node->isDefault;
}

bool MFnDependencyNode::isDefaultNode(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  return node != nullptr && node->isDefault;
}

// ---- MFnDagNode
QAX_DAG_FN_CONSTRUCTORS(MFnDagNode, MFn::kDagNode)

MStatus MFnDagNode::setObject(const MDagPath& path) { return headless::FnAccess::attach(*this, path); }
MStatus MFnDagNode::setObject(MObject& object) { return headless::FnAccess::attach(*this, object); }
MStatus MFnDagNode::setObject(const MObject& object) { return headless::FnAccess::attach(*this, object); }

unsigned int MFnDagNode::parentCount(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  return node != nullptr ? static_cast<unsigned>(node->parents.size()) : 0u;
}

MObject MFnDagNode::parent(unsigned int i, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MObject();
  if (i >= node->parents.size()) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return MObject();
  }
  return ObjectAccess::make(node->parents[i]);
}

unsigned int MFnDagNode::childCount(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  return node != nullptr ? static_cast<unsigned>(node->children.size()) : 0u;
}

MObject MFnDagNode::child(unsigned int i, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MObject();
  if (i >= node->children.size()) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return MObject();
  }
  return ObjectAccess::make(node->children[i]);
}

MObject MFnDagNode::dagRoot(MStatus* ReturnStatus) {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MObject();
  std::vector<Node*> path = headless::firstPath(node);
  return ObjectAccess::make(path.empty() ? headless::scene().world : path.front());
}

bool MFnDagNode::hasParent(const MObject& other, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  Node* parent = headless::nodeFrom(other);
  if (node == nullptr || parent == nullptr) return false;
  for (Node* p : node->parents) {
    if (p == parent) return true;
  }
  return false;
}

bool MFnDagNode::hasChild(const MObject& other, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  Node* child = headless::nodeFrom(other);
  if (node == nullptr || child == nullptr) return false;
  for (Node* c : node->children) {
    if (c == child) return true;
  }
  return false;
}

bool MFnDagNode::isChildOf(const MObject& other, MStatus* ReturnStatus) const { return hasParent(other, ReturnStatus); }
bool MFnDagNode::isParentOf(const MObject& other, MStatus* ReturnStatus) const { return hasChild(other, ReturnStatus); }

bool MFnDagNode::isInstanced(bool indirect, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return false;
  return indirect ? headless::pathCount(node) > 1 : node->parents.size() > 1;
}

unsigned int MFnDagNode::instanceCount(bool total, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return 0;
  const std::uint64_t count = total ? headless::pathCount(node) : node->parents.size();
  return count > 0xffffffffu ? 0xffffffffu : static_cast<unsigned>(count);
}

MDagPath MFnDagNode::dagPath(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MDagPath();
  if (const headless::PathData* path = headless::attachedPath(*this)) {
    MDagPath result;
    headless::PathAccess::data(result) = *path;
    return result;
  }
  return headless::makePath(headless::firstPath(node));
}

MStatus MFnDagNode::getPath(MDagPath& path) {
  MStatus status;
  path = dagPath(&status);
  return status;
}

MStatus MFnDagNode::getAllPaths(MDagPathArray& paths) {
  MStatus status;
  Node* node = headless::attachedNode(*this, &status);
  paths.clear();
  if (node == nullptr) return status;
  for (const std::vector<Node*>& p : headless::allPaths(node)) paths.append(headless::makePath(p));
  return MStatus::kSuccess;
}

MString MFnDagNode::fullPathName(MStatus* ReturnStatus) {
  MStatus status;
  MDagPath path = dagPath(&status);
  setStatus(ReturnStatus, status.statusCode());
  return status ? path.fullPathName() : MString();
}

MString MFnDagNode::partialPathName(MStatus* ReturnStatus) {
  MStatus status;
  MDagPath path = dagPath(&status);
  setStatus(ReturnStatus, status.statusCode());
  return status ? path.partialPathName() : MString();
}

MMatrix MFnDagNode::transformationMatrix(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  return headless::localMatrix(node);
}

bool MFnDagNode::isIntermediateObject(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  return node != nullptr && headless::readNumber(node, "intermediateObject", 0) != 0;
}

MStatus MFnDagNode::setIntermediateObject(bool isIntermediate) {
  MStatus status;
  Node* node = headless::attachedNode(*this, &status);
  if (node == nullptr) return status;
  headless::writeNumbers(node, "intermediateObject", {isIntermediate ? 1.0 : 0.0});
  return MStatus::kSuccess;
}

// ---- MFnData, MFnStringData
QAX_DG_FN_CONSTRUCTORS(MFnData, MFn::kData)

QAX_DG_FN_CONSTRUCTORS(MFnStringData, MFn::kStringData)

MString MFnStringData::string(MStatus* ReturnStatus) const {
  headless::StringData* data = dynamic_cast<headless::StringData*>(headless::FnAccess::object(*this));
  setStatus(ReturnStatus, data != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return data != nullptr ? MString(data->text.c_str(), static_cast<int>(data->text.size())) : MString();
}

MStatus MFnStringData::set(const MString& newString) {
  headless::StringData* data = dynamic_cast<headless::StringData*>(headless::FnAccess::object(*this));
  if (data == nullptr) return MStatus::kFailure;
  data->text.assign(newString.asChar(), newString.length());
  return MStatus::kSuccess;
}

MObject MFnStringData::create(const MString& str, MStatus* ReturnStatus) {
  headless::StringData* data = new headless::StringData;
  data->text.assign(str.asChar(), str.length());
  MObject object = ObjectAccess::make(data);
  headless::FnAccess::attach(*this, object);
  setStatus(ReturnStatus, MStatus::kSuccess);
  return object;
}

MObject MFnStringData::create(MStatus* ReturnStatus) { return create(MString(), ReturnStatus); }
