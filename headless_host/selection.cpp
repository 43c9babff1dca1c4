// Selection lists, their iterator, and the application-wide queries of MGlobal.
#include "scene_model.h"

#include <maya/MGlobal.h>
#include <maya/MItSelectionList.h>
#include <maya/MObjectArray.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <algorithm>
#include <cstdio>

using headless::Node;
using headless::SelectionAccess;
using headless::SelectionData;
using headless::SelectionItem;
using headless::setStatus;

namespace headless {

SelectionData& SelectionAccess::data(MSelectionList& list) {
  if (list.data_ == nullptr) list.data_ = new SelectionData;
  return *list.data_;
}

namespace {

const std::vector<SelectionItem>& itemsOf(const MSelectionList& list) {
  static const std::vector<SelectionItem> none;
  const SelectionData* data = SelectionAccess::data(list);
  return data != nullptr ? data->items : none;
}

bool sameItem(const SelectionItem& a, const SelectionItem& b) {
  if (a.isDag != b.isDag) return false;
  return a.isDag ? a.path == b.path : a.node == b.node;
}

Node* itemNode(const SelectionItem& item) {
  return item.isDag ? endNode(PathAccess::get(item.path)) : nodeFrom(item.node);
}

// A hash of what the item names: the nodes of a path, or the node.
std::size_t itemHash(const SelectionItem& item) {
  std::size_t hash = item.isDag ? 0x9e3779b97f4a7c15ull : 0x7f4a7c159e3779b9ull;
  auto mix = [&hash](const void* p) {
    hash ^= std::hash<const void*>()(p) + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
  };
  if (!item.isDag) {
    mix(ObjectAccess::get(item.node));
    return hash;
  }
  const PathData* path = PathAccess::get(item.path);
  for (const PathLink* link = path != nullptr ? path->tail() : nullptr; link != nullptr; link = link->parent.get()) {
    mix(link->node.get());
  }
  return hash;
}

void addItem(MSelectionList& list, const SelectionItem& item, bool merge) { SelectionAccess::data(list).add(item, merge); }

}  // namespace

std::size_t SelectionData::find(const SelectionItem& item) const {
  auto range = index.equal_range(itemHash(item));
  for (auto it = range.first; it != range.second; ++it) {
    if (sameItem(items[it->second], item)) return it->second;
  }
  return items.size();
}

// Without merging, an item already on the list moves to its end (the host's page words it so).
void SelectionData::add(const SelectionItem& item, bool merge) {
  const std::size_t found = find(item);
  if (found < items.size()) {
    if (merge) return;
    items.erase(items.begin() + static_cast<long>(found));
    items.push_back(item);
    reindex();
    return;
  }
  items.push_back(item);
  index.emplace(itemHash(item), items.size() - 1);
}

void SelectionData::reindex() {
  index.clear();
  for (std::size_t i = 0; i < items.size(); ++i) index.emplace(itemHash(items[i]), i);
}

void SelectionData::clear() {
  items.clear();
  index.clear();
}

}  // namespace headless

// ---- MSelectionList
MSelectionList::MSelectionList() : data_(nullptr) {}
MSelectionList::MSelectionList(const MSelectionList& src)
    : data_(src.data_ != nullptr ? new SelectionData(*src.data_) : nullptr) {}
MSelectionList::~MSelectionList() { delete data_; }

MSelectionList& MSelectionList::operator=(const MSelectionList& other) {
  if (this != &other) {
    SelectionData* copy = other.data_ != nullptr ? new SelectionData(*other.data_) : nullptr;
    delete data_;
    data_ = copy;
  }
  return *this;
}

MStatus MSelectionList::clear() {
  if (data_ != nullptr) data_->clear();
  return MStatus::kSuccess;
}

bool MSelectionList::isEmpty(MStatus* ReturnStatus) const { return length(ReturnStatus) == 0; }

unsigned int MSelectionList::length(MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return static_cast<unsigned>(headless::itemsOf(*this).size());
}

MStatus MSelectionList::getDependNode(unsigned index, MObject& depNode) const {
  const std::vector<SelectionItem>& items = headless::itemsOf(*this);
  if (index >= items.size()) return MStatus::kInvalidParameter;
  Node* node = headless::itemNode(items[index]);
  if (node == nullptr) return MStatus::kFailure;
  depNode = headless::ObjectAccess::make(node);
  return MStatus::kSuccess;
}

// A dependency-node item has no DAG path: kFailure, and the path is left as it was.
MStatus MSelectionList::getDagPath(unsigned index, MDagPath& dagPath, MObject& component) const {
  const std::vector<SelectionItem>& items = headless::itemsOf(*this);
  if (index >= items.size()) return MStatus::kInvalidParameter;
  if (!items[index].isDag) return MStatus::kFailure;
  dagPath = items[index].path;
  if (&component != &MObject::kNullObj) component = MObject();
  return MStatus::kSuccess;
}

// A DAG node given as an object is selected as its first instance.
MStatus MSelectionList::add(const MObject& object, const bool mergeWithExisting) {
  Node* node = headless::nodeFrom(object);
  if (node == nullptr) return MStatus::kInvalidParameter;
  SelectionItem item;
  if (node->isDag() && node != headless::scene().world) {
    item.isDag = true;
    item.path = headless::makePath(headless::firstPath(node));
  } else {
    item.node = object;
  }
  headless::addItem(*this, item, mergeWithExisting);
  return MStatus::kSuccess;
}

MStatus MSelectionList::add(const MDagPath& object, const MObject&, const bool mergeWithExisting) {
  if (!object.isValid()) return MStatus::kInvalidParameter;
  SelectionItem item;
  item.isDag = true;
  item.path = object;
  headless::addItem(*this, item, mergeWithExisting);
  return MStatus::kSuccess;
}

// A node name or DAG path (no wildcards).
MStatus MSelectionList::add(const MString& matchString) {
  std::string text = matchString.asChar();
  if (text.find('|') != std::string::npos) {
    MDagPath path = headless::pathTo(text);
    return path.isValid() ? add(path) : MStatus::kInvalidParameter;
  }
  Node* node = headless::findNodeByName(text);
  if (node == nullptr) return MStatus::kInvalidParameter;
  return add(headless::ObjectAccess::make(node));
}

MStatus MSelectionList::remove(unsigned int index) {
  if (data_ == nullptr || index >= data_->items.size()) return MStatus::kInvalidParameter;
  data_->items.erase(data_->items.begin() + static_cast<long>(index));
  data_->reindex();
  return MStatus::kSuccess;
}

bool MSelectionList::hasItem(const MObject& item, MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  Node* node = headless::nodeFrom(item);
  for (const SelectionItem& entry : headless::itemsOf(*this)) {
    if (node != nullptr && headless::itemNode(entry) == node) return true;
  }
  return false;
}

bool MSelectionList::hasItem(const MDagPath& item, const MObject&, MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  if (data_ == nullptr) return false;
  SelectionItem wanted;
  wanted.isDag = true;
  wanted.path = item;
  return data_->find(wanted) < data_->items.size();
}

MStatus MSelectionList::getSelectionStrings(MStringArray& array) const {
  array.clear();
  for (const SelectionItem& entry : headless::itemsOf(*this)) {
    Node* node = headless::itemNode(entry);
    if (node == nullptr) continue;
    array.append(entry.isDag ? entry.path.partialPathName() : MString(node->name.c_str()));
  }
  return MStatus::kSuccess;
}

// ---- MItSelectionList
MItSelectionList::MItSelectionList(const MSelectionList& list, MFn::Type filter, MStatus* ReturnStatus)
    : list_(list), filter_(filter), position_(0) {
  position_ = matchingIndex(0);
  setStatus(ReturnStatus, MStatus::kSuccess);
}

MItSelectionList::~MItSelectionList() {}

// The first item at or after from that passes the filter; a DAG item's transform answers for its shape.
unsigned MItSelectionList::matchingIndex(unsigned from) const {
  const std::vector<SelectionItem>& items = headless::itemsOf(list_);
  unsigned i = from;
  for (; i < items.size(); ++i) {
    if (filter_ == MFn::kInvalid) break;
    const SelectionItem& item = items[i];
    if (item.isDag ? item.path.hasFn(filter_) : item.node.hasFn(filter_)) break;
  }
  return i;
}

bool MItSelectionList::isDone(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return position_ >= headless::itemsOf(list_).size();
}

MStatus MItSelectionList::next() {
  if (position_ < headless::itemsOf(list_).size()) position_ = matchingIndex(position_ + 1);
  return MStatus::kSuccess;
}

MStatus MItSelectionList::reset() {
  position_ = matchingIndex(0);
  return MStatus::kSuccess;
}

MStatus MItSelectionList::getDependNode(MObject& depNode) {
  if (position_ >= headless::itemsOf(list_).size()) return MStatus::kFailure;
  return list_.getDependNode(position_, depNode);
}

MStatus MItSelectionList::getDagPath(MDagPath& dagPath, MObject& component) {
  if (position_ >= headless::itemsOf(list_).size()) return MStatus::kFailure;
  return list_.getDagPath(position_, dagPath, component);
}

MStatus MItSelectionList::getDagPath(MDagPath& dagPath) { return getDagPath(dagPath, MObject::kNullObj); }

MStatus MItSelectionList::getStrings(MStringArray& array) {
  array.clear();
  const std::vector<SelectionItem>& items = headless::itemsOf(list_);
  if (position_ >= items.size()) return MStatus::kFailure;
  Node* node = headless::itemNode(items[position_]);
  if (node == nullptr) return MStatus::kFailure;
  array.append(items[position_].isDag ? items[position_].path.partialPathName() : MString(node->name.c_str()));
  return MStatus::kSuccess;
}

MItSelectionList::selItemType MItSelectionList::itemType(MStatus* ReturnStatus) {
  const std::vector<SelectionItem>& items = headless::itemsOf(list_);
  if (position_ >= items.size()) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return kUnknownItem;
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  return items[position_].isDag ? kDagSelectionItem : kDNselectionItem;
}

MStatus MItSelectionList::setFilter(MFn::Type filter) {
  filter_ = filter;
  position_ = matchingIndex(0);
  return MStatus::kSuccess;
}

bool MItSelectionList::hasComponents(MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return false;
}

// ---- MGlobal
MGlobal::MMayaState MGlobal::mayaState(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return kLibraryApp;
}

MString MGlobal::mayaVersion() { return MString("5.0"); }

MStatus MGlobal::getActiveSelectionList(MSelectionList& dest) {
  SelectionAccess::data(dest) = headless::scene().selection;
  return MStatus::kSuccess;
}

MStatus MGlobal::setActiveSelectionList(const MSelectionList& src, ListAdjustment adjustment) {
  SelectionData& active = headless::scene().selection;
  const std::vector<SelectionItem>& items = headless::itemsOf(src);
  if (adjustment == kReplaceList) active.clear();
  for (const SelectionItem& item : items) {
    const size_t found = active.find(item);
    const bool present = found < active.items.size();
    if ((adjustment == kRemoveFromList || adjustment == kXORWithList) && present) {
      active.items.erase(active.items.begin() + static_cast<long>(found));
      active.reindex();
    } else if (adjustment != kRemoveFromList && !present) {
      active.add(item, true);
    }
  }
  return MStatus::kSuccess;
}

MStatus MGlobal::getSelectionListByName(const MString& name, MSelectionList& list) {
  list.clear();
  return list.add(name);
}

// Every set that an item of the list belongs to - by a whole-instance connection
// (instObjGroups[i] -> dagSetMembers) or a per-face one (instObjGroups[i].objectGroups[k] -> dagSetMembers), or
// for a dependency node message -> dnSetMembers - each set once, in the order the sets were created. The host
// documents neither order nor uniqueness; this is the recommended stand-in choice.
MStatus MGlobal::getAssociatedSets(MSelectionList& list, MObjectArray& setArray) {
  setArray.clear();
  std::vector<Node*> found;
  for (const SelectionItem& item : headless::itemsOf(list)) {
    Node* node = headless::itemNode(item);
    if (node == nullptr) continue;
    const unsigned instance = item.isDag ? item.path.instanceNumber() : 0u;
    const std::string whole = "instObjGroups[" + std::to_string(instance) + "]";
    for (const headless::Connection* c : node->outputs) {
      if (!c->destination->hasFn(MFn::kSet)) continue;
      const bool dagMember =
          (c->sourcePlug == whole || c->sourcePlug.compare(0, whole.size() + 1, whole + ".") == 0) &&
          c->destinationPlug.compare(0, 14, "dagSetMembers[") == 0;
      const bool nodeMember = c->sourcePlug == "message" && c->destinationPlug.compare(0, 12, "dnSetMembers") == 0;
      if (!dagMember && !nodeMember) continue;
      if (std::find(found.begin(), found.end(), c->destination) == found.end()) found.push_back(c->destination);
    }
  }
  std::sort(found.begin(), found.end(), [](const Node* a, const Node* b) { return a->id < b->id; });
  for (Node* s : found) setArray.append(headless::ObjectAccess::make(s));
  return MStatus::kSuccess;
}

MStatus MGlobal::executeCommand(const MString& command, bool, bool) {
  MString ignored;
  return executeCommand(command, ignored);
}

// The one command the stand-in knows is the workspace root query; its answer ends with a separator ('/' is added
// unless the root already ends in '/' or '\\'). Anything else fails as an unknown MEL command does.
MStatus MGlobal::executeCommand(const MString& command, MString& result, bool, bool) {
  std::string text = command.asChar();
  std::string words;
  bool blank = true;
  for (char c : text) {
    const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ';';
    if (space) {
      blank = true;
      continue;
    }
    if (blank && !words.empty()) words += ' ';
    words += c;
    blank = false;
  }
  if (words == "workspace -q -rd" || words == "workspace -q -rootDirectory" || words == "workspace -query -rd" ||
      words == "workspace -query -rootDirectory") {
    std::string root = headless::scene().workspaceRoot;
    if (!root.empty() && root.back() != '/' && root.back() != '\\') root += '/';
    result = MString(root.c_str());
    return MStatus::kSuccess;
  }
  return MStatus::kFailure;
}

bool MGlobal::isYAxisUp(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return headless::scene().upAxis == headless::UpAxis::Y;
}

bool MGlobal::isZAxisUp(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return headless::scene().upAxis == headless::UpAxis::Z;
}

void MGlobal::displayInfo(const MString& theMessage) { std::fprintf(stderr, "%s\n", theMessage.asChar()); }
void MGlobal::displayWarning(const MString& theWarning) {
  std::fprintf(stderr, "Warning: %s\n", theWarning.asChar());
}
void MGlobal::displayError(const MString& theError) { std::fprintf(stderr, "Error: %s\n", theError.asChar()); }
