#ifndef HEADLESS_SCENE_MODEL_H
#define HEADLESS_SCENE_MODEL_H
// The in-memory scene of the headless host: reference-counted objects behind MObject, nodes with attribute
// values and geometry, the DAG, plug-level connections, the active selection and the scene settings.

#include "node_types.h"

#include <headless/scene.h>
#include <maya/MColor.h>
#include <maya/MDagPath.h>
#include <maya/MFnBase.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPoint.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <deque>
#include <future>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace headless {

// Everything an MObject can stand for. References are counted by handles (MObject, paths, plugs, function
// sets); the scene holds one reference to each of its nodes, so a node outlives a scene reset while handles to
// it remain - as a dead node that is null to the API.
struct Node;

struct Object {
  int references = 0;
  virtual ~Object() = default;
  virtual MFn::Type apiType() const = 0;
  virtual bool hasFn(MFn::Type type) const = 0;
  virtual bool isAlive() const { return true; }
  // The node this object is, or null: asked on every function-set call, where a dynamic_cast costs more.
  virtual Node* asNode() { return nullptr; }
};
inline Node* asNode(Object* object) { return object != nullptr ? object->asNode() : nullptr; }
void retain(Object* object);
void release(Object* object);
const char* apiTypeName(MFn::Type type);

inline void setStatus(MStatus* status, MStatus::MStatusCode code) {
  if (status != nullptr) *status = code;
}

// A stored number as an integer type: NaN gives 0, anything else is truncated toward zero and clamped to the
// type's range (a bare cast of such values is undefined).
template <class T>
T narrow(double value) {
  if (std::isnan(value)) return T(0);
  const double low = static_cast<double>(std::numeric_limits<T>::lowest());
  const double high = static_cast<double>(std::numeric_limits<T>::max());
  if (value <= low) return std::numeric_limits<T>::lowest();
  if (value >= high) return std::numeric_limits<T>::max();
  return static_cast<T>(value);
}

// A counted reference for the host's own containers.
template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(T* object) : object_(object) { retain(object_); }
  Ref(const Ref& other) : object_(other.object_) { retain(object_); }
  Ref& operator=(const Ref& other) {
    retain(other.object_);
    release(object_);
    object_ = other.object_;
    return *this;
  }
  ~Ref() { release(object_); }
  T* get() const { return object_; }
  T* operator->() const { return object_; }
  bool operator==(const Ref& other) const { return object_ == other.object_; }

 private:
  T* object_ = nullptr;
};

struct ObjectAccess {
  static Object* get(const MObject& handle) { return handle.object_; }
  static MObject make(Object* object);
};

// The value object of a string attribute.
struct StringData : Object {
  std::string text;
  MFn::Type apiType() const override { return MFn::kStringData; }
  bool hasFn(MFn::Type type) const override;
};

// An attribute of a node, as MFnDependencyNode::attribute returns it.
struct AttributeObject : Object {
  AttributeSpec definition;
  MFn::Type apiType() const override;
  bool hasFn(MFn::Type type) const override;
};

// The object handed to initializePlugin / uninitializePlugin.
struct PluginObject : Object {
  std::string name;
  std::string directory;
  MFn::Type apiType() const override { return MFn::kPlugin; }
  bool hasFn(MFn::Type type) const override { return type == MFn::kBase || type == MFn::kPlugin; }
};

// A stored attribute value: numbers (one per component) or text.
struct Value {
  std::vector<double> numbers;
  std::string text;
};

// A mesh point as the host keeps it: single precision, a third of an MPoint's size.
struct StoredPoint {
  float x = 0, y = 0, z = 0;
  MPoint point() const { return MPoint(x, y, z); }
};

struct MeshGeometry {
  std::vector<StoredPoint> points;
  std::vector<int> faceStart;     // first face-vertex of each face; faceStart[numFaces] = number of face-vertices
  std::vector<int> faceVertices;  // vertex id per face-vertex
  std::vector<float> u, v;
  std::vector<int> faceVertexUV;      // per face-vertex, -1 unmapped (empty = no UVs)
  std::vector<float> normals;         // x y z per normal, in single precision as the host keeps them
  std::vector<int> faceVertexNormal;  // per face-vertex
  std::vector<Color4> colors;
  std::vector<int> faceVertexColor;  // per face-vertex, -1 uncoloured (empty = no colours)
  mutable int numEdges = -1;  // distinct vertex pairs of the faces' sides: counted on first request
  // Set while a second thread computes the host's own normals and their ids: whatever reads those two
  // arrays waits first, and so does the destructor.
  mutable std::shared_future<void> pendingNormals;

  MeshGeometry() = default;
  MeshGeometry(const MeshGeometry&) = delete;
  MeshGeometry& operator=(const MeshGeometry&) = delete;
  ~MeshGeometry() {
    if (pendingNormals.valid()) pendingNormals.wait();
  }
  void waitForNormals() const {
    if (!pendingNormals.valid()) return;
    std::shared_future<void> pending = std::move(pendingNormals);
    pending.get();  // rethrows what stopped the computation (no memory for it)
  }

  int numFaces() const { return faceStart.empty() ? 0 : static_cast<int>(faceStart.size()) - 1; }
  int faceSize(int face) const { return faceStart[face + 1] - faceStart[face]; }
};

struct NurbsSurfaceGeometry {
  int degreeU = 3, degreeV = 3, numU = 0, numV = 0;
  std::vector<MPoint> cvs;  // v fastest
  bool bezier = true;
};

struct NurbsCurveGeometry {
  int degree = 3;
  std::vector<MPoint> cvs;
};

struct LatticeGeometry {
  unsigned s = 2, t = 2, u = 2;
  std::vector<MPoint> points;  // (si * t + ti) * u + ui
};

struct Node;

// One plug-level connection. The scene owns it; both nodes list it.
struct Connection {
  Node* source;
  std::string sourcePlug;
  Node* destination;
  std::string destinationPlug;
};

// The element indices in use on one array plug of a node, and the lowest one free.
struct ArrayIndices {
  std::set<int> used;
  int lowestFree = 0;
};

struct Node : Object {
  Node* asNode() override { return this; }
  std::uint64_t id = 0;
  std::string name;
  std::string typeName;
  const NodeType* type = nullptr;
  bool alive = true;
  bool isDefault = false;  // created by the host for every scene (default cameras, lambert1, ...)
  std::vector<Node*> parents;   // DAG parents in instance order; the world for a top-level node
  std::vector<Node*> children;  // DAG children in order
  std::map<std::string, Value> values;  // by canonical plug path
  std::deque<AttributeSpec> dynamicAttributes;  // a deque keeps their addresses stable
  bool ownsAttribute(const AttributeSpec* definition) const;
  std::unique_ptr<MeshGeometry> mesh;
  std::unique_ptr<NurbsSurfaceGeometry> surface;
  std::unique_ptr<NurbsCurveGeometry> curve;
  std::unique_ptr<LatticeGeometry> lattice;
  // Connections, each list in creation order. Set memberships (into dagSetMembers) are kept apart from the other
  // inputs, so that walking a shading group's inputs does not pass every member.
  std::vector<Connection*> inputs;
  std::vector<Connection*> memberInputs;
  std::vector<Connection*> outputs;
  std::unordered_map<std::string, Connection*> inputByPlug;
  std::unordered_map<std::string, ArrayIndices> arrayIndices;  // by array plug path, for both directions

  MFn::Type apiType() const override { return alive ? type->type : MFn::kInvalid; }
  bool hasFn(MFn::Type t) const override { return alive && type->hasFn(t); }
  bool isAlive() const override { return alive; }
  bool isDag() const { return type->isDag; }
  bool isShape() const { return type->isShape; }
  bool isTransform() const { return type->isTransform; }
  const AttributeSpec* findAttribute(const std::string& name, const std::string& parent = std::string()) const;
};

// One step of a DAG path: a node and the path above it. Paths share their links, so copying a path or extending
// it by a node costs the same however deep it is.
struct PathLink {
  Ref<Node> node;
  std::shared_ptr<PathLink> parent;
  size_t depth = 0;  // nodes from the top-level one down to this one
  ~PathLink();       // unwinds a long chain without recursing
};

// A path below the world: the nodes from the top-level one down to the end. valid=false for an empty MDagPath;
// a valid path with no nodes is the world's own path.
class PathData {
 public:
  bool valid = false;

  size_t size() const { return tail_ ? tail_->depth : 0; }
  bool empty() const { return !tail_; }
  Node* back() const { return tail_ ? tail_->node.get() : nullptr; }
  const PathLink* tail() const { return tail_.get(); }
  void push(Node* node);
  void pop();
  std::vector<Node*> nodes() const;  // from the top-level node down
  bool sameAs(const PathData& other) const;

 private:
  std::shared_ptr<PathLink> tail_;
};

struct PathAccess {
  static PathData* get(const MDagPath& path) { return path.data_; }
  static PathData& data(MDagPath& path);  // creates the data of an empty path
};

// The node a path ends at (the world for its own path); null for an invalid path or one of an old scene. Nodes
// die only all together (a new scene), so a path whose end lives is alive.
Node* endNode(const PathData* path);
bool pathIsAlive(const PathData* path);
MDagPath makePath(const std::vector<Node*>& nodes);
// The first path to a DAG node: through the first parent at every level. Empty for the world.
std::vector<Node*> firstPath(Node* node);
// How many paths lead to a DAG node (1 for the world), saturating at the largest count.
std::uint64_t pathCount(Node* node);
// The path of one instance, numbered as allPaths numbers them; false when there is no such instance.
bool pathOfInstance(Node* node, std::uint64_t instance, std::vector<Node*>& path);
// The instance number of a path (its position in allPaths).
std::uint64_t instanceOf(const PathData& path);
// Every path to a DAG node, in instance order (parents in order, recursively); the world has one empty path.
std::vector<std::vector<Node*>> allPaths(Node* node);
// The first shape directly below a transform, in child order, or null.
Node* firstShapeChild(const Node* transform);
std::string fullPathName(const PathData& path);

struct PlugData {
  Ref<Node> node;
  std::string path;  // canonical: long names, indices where the attribute is an array
};

struct PlugAccess {
  static PlugData* get(const MPlug& plug) { return plug.data_; }
  static MPlug make(Node* node, const std::string& path);
};

// Function sets: what they are attached to.
struct FnAccess {
  static Object* object(const MFnBase& fn) { return fn.object_; }
  static PathData* path(const MFnBase& fn) { return fn.path_; }
  // Attaches after checking compatibility with fn.type(): kInvalidParameter and nothing attached otherwise.
  static MStatus attach(MFnBase& fn, const MObject& object);
  // Attaches through a path; a transform's path reaches the first shape below it when the transform itself does
  // not fit the set.
  static MStatus attach(MFnBase& fn, const MDagPath& path);
  static void detach(MFnBase& fn);
};

// The attached node of a function set, or null with *status = kFailure (no object or a dead one).
Node* attachedNode(const MFnBase& fn, MStatus* status);
// The attached path, or null (the set was attached to an object, not a path).
const PathData* attachedPath(const MFnBase& fn);
// The matrix for a space: the identity, or in world space the attached path's; false (and the identity) for
// world space without a path.
bool spaceMatrix(const MFnBase& fn, MSpace::Space space, MMatrix& matrix);

// Attribute values of the attached node as the function sets read and write them: with nothing attached,
// *status = kFailure and 0 or the default colour. A colour is three numbers and reads with alpha 1.
double attachedNumber(const MFnBase& fn, const char* name, MStatus* status);
MColor attachedColour(const MFnBase& fn, const char* name, MStatus* status);
MStatus writeAttached(MFnBase& fn, const char* name, const std::vector<double>& values);



struct SelectionItem {
  bool isDag = false;
  MDagPath path;
  MObject node;
};

// A selection list: its items in order, with an index by item so that finding one already listed costs the same
// however long the list is. Code that edits items directly calls reindex() afterwards.
struct SelectionData {
  std::vector<SelectionItem> items;
  std::unordered_multimap<std::size_t, std::size_t> index;  // item hash -> position

  // Adds an item; one already listed stays where it is when merging, otherwise moves to the end.
  void add(const SelectionItem& item, bool merge);
  // The position of an item on the list, or items.size().
  std::size_t find(const SelectionItem& item) const;
  void reindex();
  void clear();
};

struct SelectionAccess {
  static SelectionData& data(MSelectionList& list);
  static const SelectionData* data(const MSelectionList& list) { return list.data_; }
};

struct Scene {
  std::vector<Node*> nodes;  // creation order, the world first; each holds one reference from the scene
  std::unordered_map<std::string, std::vector<Node*>> byName;  // live nodes by name, in creation order
  Node* world = nullptr;
  std::unordered_map<const Connection*, std::unique_ptr<Connection>> connections;
  SelectionData selection;
  UpAxis upAxis = UpAxis::Y;
  std::string workspaceRoot;
  std::string currentFile;
  std::uint64_t nextId = 1;
  HostBehaviour behaviour;
};

// The one scene; created with its world node on first use.
Scene& scene();
void clearScene();
Node* newNode(const NodeType* type, const std::string& typeName, const std::string& requestedName);
Node* nodeFrom(const MObject& handle);  // a live node or null
Node* findNodeByName(const std::string& nameOrPath);
// Live nodes of that name, in creation order.
const std::vector<Node*>& nodesNamed(const std::string& name);
void renameNode(Node* node, const std::string& newName);

// A plug path split into attributes: "instObjGroups[0].objectGroups[2]" -> two segments.
struct PlugSegment {
  const AttributeSpec* definition = nullptr;
  int index = -1;  // -1 when no index was given
};
// Resolves a plug text on a node (long or short names, optional indices). Unknown node types gain the missing
// attributes as dynamic ones (kind Message) when create is true. False for a name the node does not have.
bool resolvePlug(Node* node, const std::string& text, std::vector<PlugSegment>& segments, bool create);
std::string canonicalPlug(const std::vector<PlugSegment>& segments);
// The definition of the last segment of a canonical path.
const AttributeSpec* plugSpec(const Node* node, const std::string& canonicalPath);

// Attribute values: the stored value or the type's default. The name is a canonical path or any long/short
// attribute name; numeric children read one component of their parent.
bool readNumbers(const Node* node, const std::string& attribute, std::vector<double>& numbers);
double readNumber(const Node* node, const std::string& attribute, double fallback = 0.0);
bool readText(const Node* node, const std::string& attribute, std::string& text);
bool writeNumbers(Node* node, const std::string& attribute, const std::vector<double>& numbers);
bool writeText(Node* node, const std::string& attribute, const std::string& text);

// Connections.
bool connectPlugs(Node* source, const std::string& sourceText, Node* destination, const std::string& destinationText);
// The source plug feeding a destination plug, if any.
const Connection* incomingConnection(const Node* node, const std::string& canonicalPath);
int nextFreeIndex(const Node* node, const std::string& arrayPath);
void removeConnection(const Connection* connection);
// The element indices in use on an array plug (connected or holding a value).
std::vector<int> usedIndices(const Node* node, const std::string& arrayPath);

// Transforms: the local matrix of a node (identity for anything but a transform) and the matrices of a path.
MMatrix localMatrix(const Node* node);
MMatrix inclusiveMatrix(const PathData& path);
MMatrix exclusiveMatrix(const PathData& path);

}  // namespace headless

// The constructors every function set of the API has, and its type(): attaching reports its status. DAG sets
// also attach through a path.
#define QAX_DG_FN_CONSTRUCTORS(Class, FnType)                                                       \
  Class::Class() {}                                                                                 \
  Class::Class(MObject& object, MStatus* ReturnStatus) {                                            \
    headless::setStatus(ReturnStatus, headless::FnAccess::attach(*this, object).statusCode());      \
  }                                                                                                 \
  Class::Class(const MObject& object, MStatus* ReturnStatus) {                                      \
    headless::setStatus(ReturnStatus, headless::FnAccess::attach(*this, object).statusCode());      \
  }                                                                                                 \
  Class::~Class() {}                                                                                \
  MFn::Type Class::type() const { return FnType; }

#define QAX_DAG_FN_CONSTRUCTORS(Class, FnType)                                                      \
  QAX_DG_FN_CONSTRUCTORS(Class, FnType)                                                             \
  Class::Class(const MDagPath& object, MStatus* ReturnStatus) {                                     \
    headless::setStatus(ReturnStatus, headless::FnAccess::attach(*this, object).statusCode());      \
  }

#endif
