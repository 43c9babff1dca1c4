#ifndef HEADLESS_SCENE_H
#define HEADLESS_SCENE_H
// The scene-building API of the headless host: what a scene-file reader or a test uses to fill the one
// in-memory scene that the host API (host/maya/*.h) then shows to a plug-in.
//
// Conventions: lengths in centimetres; angle attributes are set in DEGREES (as MEL's setAttr does in a scene
// whose angle unit is degrees) and kept in radians, which is what the API reports; colours are linear floats.
// Attribute names may be long or short ("translate"/"t", "color"/"c", "visibility"/"v",
// "intermediateObject"/"io", "fileTextureName"/"ftn", ...); plugs of array attributes take an index
// ("instObjGroups[1]", "dagSetMembers[0]", "instObjGroups[0].objectGroups[2]").

#include <maya/MDagPath.h>
#include <maya/MObject.h>

#include <map>
#include <string>
#include <vector>

namespace headless {

// ---------------------------------------------------------------------------------------------------------------
// The scene as a whole.

enum class UpAxis { Y, Z, Neither };

// Drops every node and starts a truly empty scene: the world node only, Y up, no workspace root, no selection,
// no current file. Objects of the old scene become null.
void emptyScene();

// emptyScene() plus what the host creates for a new scene: the cameras persp, top, front and side (camera shapes
// under hidden transforms, the shapes themselves visible) and lambert1 feeding initialShadingGroup.
void newScene();

void setUpAxis(UpAxis axis);
UpAxis upAxis();
// The answer to the command "workspace -q -rd" (the host ends it with '/'); empty = no workspace.
void setWorkspaceRoot(const std::string& directory);
// What MFileIO::currentFile reports.
void setCurrentFile(const std::string& path);

// ---------------------------------------------------------------------------------------------------------------
// The generic layer: nodes by type name, attributes by name, plug-level connections.

// Creates a node of the host node type typeName ("transform", "mesh", "blinn", "file", "shadingEngine", ...)
// with the host's default attribute values. A DAG node goes under parent (a transform), or under the world when
// parent is null. Type names the host does not know become plain dependency nodes (plain DAG nodes when a parent
// is given) that keep their type name and accept any attribute. An empty or taken name gets a unique one
// ("mesh1", ...), as the host does. Returns the null object for a parent that is not a DAG node.
MObject createNode(const std::string& typeName, const std::string& name,
                   const MObject& parent = MObject::kNullObj);

// The node with this name or DAG path ("pCube1", "|pCube1|pCubeShape1", "pCubeShape1"); null when there is none
// or a plain name matches several DAG nodes.
MObject findNode(const std::string& nameOrPath);

// All nodes in creation order (the world node first).
std::vector<MObject> allNodes();

bool hasAttribute(const MObject& node, const std::string& attribute);

// Sets an attribute value; false when the node has no such attribute or the value does not fit its kind
// (numbers fit numeric, boolean and enum attributes; the vector form fits compound numeric attributes with that
// many children, e.g. 3 for "translate" or "color", 2 for "cameraAperture", and 16 for a matrix).
bool setAttr(const MObject& node, const std::string& attribute, double value);
bool setAttr(const MObject& node, const std::string& attribute, const std::vector<double>& values);
bool setAttr(const MObject& node, const std::string& attribute, const std::string& value);
bool setAttr(const MObject& node, const std::string& attribute, const char* value);

// Reads an attribute back (numbers, booleans, enums and one child of a compound); false when there is none.
bool getAttr(const MObject& node, const std::string& attribute, double& value);
bool getAttr(const MObject& node, const std::string& attribute, std::vector<double>& values);
bool getAttr(const MObject& node, const std::string& attribute, std::string& value);

enum class AttributeKind { Bool, Int, Double, Angle, Distance, String, Double2, Double3, Float3, Matrix, Message };
// A dynamic attribute (MEL addAttr); false when the node already has an attribute of either name.
bool addAttribute(const MObject& node, const std::string& longName, const std::string& shortName,
                  AttributeKind kind, bool isArray = false);

// Connects source plug to destination plug, e.g. connect(blinn, "outColor", sg, "surfaceShader"). An array plug
// given without an index is element 0 as a source and the next free element as a destination (MEL's -na).
// A destination takes one connection: an existing one is replaced. False for unknown nodes or attributes.
bool connect(const MObject& source, const std::string& sourcePlug, const MObject& destination,
             const std::string& destinationPlug);
bool disconnect(const MObject& source, const std::string& sourcePlug, const MObject& destination,
                const std::string& destinationPlug);

// Adds newParent as a further parent of a DAG node (instancing): the node then has one path per parent path.
bool addInstance(const MObject& node, const MObject& newParent);
// Moves a DAG node under another parent (null = the world); false for a cycle or a non-DAG node.
bool reparent(const MObject& node, const MObject& newParent);
bool rename(const MObject& node, const std::string& newName);

// The local matrix of a transform or joint with these values by short attribute name ("t", "r", "s", "sh", "ra",
// "jo", "rp", "sp", "rpt", "spt", "ro"; angles in degrees; absent = the default), as the host composes it:
// 16 numbers, row-major, translation in the last row.
std::vector<double> composeTransformMatrix(const std::map<std::string, std::vector<double>>& values);

// The path of one instance of a DAG node (instance 0 = through its first parent, and so on); invalid if none.
MDagPath pathTo(const MObject& node, unsigned instance = 0);
// The path named by a full or partial DAG path or a unique node name.
MDagPath pathTo(const std::string& nameOrPath);

// ---------------------------------------------------------------------------------------------------------------
// The convenience layer.

struct Vec3 {
  double x = 0.0, y = 0.0, z = 0.0;
};
struct TexCoord {
  float u = 0.0f, v = 0.0f;
};
struct Color4 {
  float r = 0.0f, g = 0.0f, b = 0.0f, a = 1.0f;
};

// Rotation orders, numbered as the rotateOrder attribute numbers them.
enum class RotateOrder { XYZ = 0, YZX, ZXY, XZY, YXZ, ZYX };

MObject createTransform(const std::string& name, const MObject& parent = MObject::kNullObj);
bool setTranslate(const MObject& transform, double x, double y, double z);
bool setRotate(const MObject& transform, double xDegrees, double yDegrees, double zDegrees,
               RotateOrder order = RotateOrder::XYZ);
bool setScale(const MObject& transform, double x, double y, double z);
// Rotate and scale pivots (the point rotation and scale happen about), in the transform's local space.
bool setPivots(const MObject& transform, const Vec3& rotatePivot, const Vec3& scalePivot);
bool setVisible(const MObject& node, bool visible);
bool setIntermediate(const MObject& node, bool intermediate);

// Polygon geometry. faces lists the vertex ids of each face in winding order. Optional parts, empty = absent:
// - uvs with faceUVs (one uv id per corner of each face, -1 for an unmapped corner);
// - normals with faceNormals (one normal id per corner); without them the host computes per-face-vertex
//   normals from the geometry: faces meeting at a soft edge share a normal at the vertex, hard edges split it;
// - hardEdges: vertex pairs of the edges that are hard (all others are soft);
// - colors (RGBA) with faceColors (one colour id per corner, -1 for an uncoloured corner).
struct MeshData {
  std::vector<Vec3> points = {};
  std::vector<std::vector<int>> faces = {};
  std::vector<TexCoord> uvs = {};
  std::vector<std::vector<int>> faceUVs = {};
  std::vector<Vec3> normals = {};
  std::vector<std::vector<int>> faceNormals = {};
  std::vector<std::pair<int, int>> hardEdges = {};
  std::vector<Color4> colors = {};
  std::vector<std::vector<int>> faceColors = {};
};

// Checks a MeshData (ids in range, per-corner lists matching the faces, faces of three or more distinct
// corners); returns an empty string when it is consistent, otherwise what is wrong.
std::string validateMesh(const MeshData& data);

// Creates a mesh shape under parentTransform (which must be a transform); null when the data is inconsistent.
MObject createMesh(const std::string& name, const MObject& parentTransform, const MeshData& data);
// Replaces the geometry of an existing mesh shape; false for inconsistent data or a node that is not a mesh.
bool setMeshGeometry(const MObject& mesh, const MeshData& data);
// A damaged mesh, as a corrupt scene file can hold one: the vertex ids of the faces are not checked against the
// points, and ids outside 0..points-1 are kept and reported as they are (MItMeshPolygon::vertexIndex). Everything
// else must be consistent as for setMeshGeometry. Normals are computed as if the missing vertices sat at the
// origin.
bool setDamagedMeshGeometry(const MObject& mesh, const MeshData& data);

// A NURBS surface: numCVsU x numCVsV control points, v varying fastest (all v for u = 0, then u = 1, ...);
// bezier tells whether its knots make every span a Bezier patch.
struct NurbsSurfaceData {
  int degreeU = 3, degreeV = 3;
  int numCVsU = 0, numCVsV = 0;
  std::vector<Vec3> cvs = {};
  bool bezier = true;
};
MObject createNurbsSurface(const std::string& name, const MObject& parentTransform, const NurbsSurfaceData& data);
bool setNurbsSurfaceGeometry(const MObject& surface, const NurbsSurfaceData& data);

struct NurbsCurveData {
  int degree = 3;
  std::vector<Vec3> cvs = {};
};
MObject createNurbsCurve(const std::string& name, const MObject& parentTransform, const NurbsCurveData& data);
bool setNurbsCurveGeometry(const MObject& curve, const NurbsCurveData& data);

// A lattice shape with s x t x u points, indexed (si * t + ti) * u + ui (u fastest, then t, then s), in the
// lattice's local space. Empty points = the undeformed grid spanning -0.5..0.5 on each axis.
MObject createLattice(const std::string& name, const MObject& parentTransform, unsigned s, unsigned t, unsigned u,
                      const std::vector<Vec3>& points = {});
bool setLatticeGeometry(const MObject& lattice, unsigned s, unsigned t, unsigned u, const std::vector<Vec3>& points);
// An ffd deformer driven by the lattice (lattice.latticeOutput -> ffd.deformedLatticePoints) deforming the given
// shapes (ffd.outputGeometry[i] -> shape input), in that order.
MObject createFfd(const std::string& name, const MObject& lattice, const std::vector<MObject>& deformedShapes);

// A camera shape with the host's defaults (focal length 35 mm, centre of interest 5, aperture 1.41732 x 0.94488
// inches, fill film fit, perspective); change them with setAttr ("focalLength", "centerOfInterest",
// "horizontalFilmAperture", "filmFit", "orthographic", "depthOfField", ...).
MObject createCamera(const std::string& name, const MObject& parentTransform);

enum class LightKind { Ambient, Directional, Point, Spot };
// A light shape with the host's defaults (white, intensity 1, no decay; spot: cone 40 degrees, dropoff 0).
MObject createLight(LightKind kind, const std::string& name, const MObject& parentTransform);

// A shading node of the given type ("lambert", "phong", "blinn", "phongE", or any other) with host defaults.
MObject createShader(const std::string& typeName, const std::string& name);
// A file texture node whose fileTextureName is path.
MObject createFileTexture(const std::string& name, const std::string& path);
// Connects file.outColor to shader.<attribute> (default "color").
bool connectTexture(const MObject& file, const MObject& shader, const std::string& attribute = "color");
// A shading group (shadingEngine, renderable-only) fed by shader.outColor -> surfaceShader; shader may be null.
MObject createShadingGroup(const std::string& name, const MObject& shader);
// Makes one instance of a shape a member of a set (shape.instObjGroups[instance] -> set.dagSetMembers).
bool assign(const MObject& set, const MObject& shape, unsigned instance = 0);
// Makes some faces of one instance of a mesh members of a set (through instObjGroups[instance].objectGroups[k]).
bool assignFaces(const MObject& set, const MObject& mesh, const std::vector<int>& faces, unsigned instance = 0);

// The active selection: DAG nodes are selected as paths (by DAG path string or name; a node object selects its
// first instance), other nodes as dependency nodes. select() replaces the selection; false (selection unchanged)
// when a name does not resolve.
bool select(const std::vector<std::string>& namesOrPaths);
void select(const std::vector<MObject>& nodes);
void selectPaths(const std::vector<MDagPath>& paths);
void clearSelection();

// ---------------------------------------------------------------------------------------------------------------
// Host behaviours that no document settles. The defaults are the recommended stand-in choices; tests may switch
// them to pin the alternative. emptyScene()/newScene() do not touch them; resetHostBehaviour() does.

struct HostBehaviour {
  // MDagPath::extendToShape on a path that already ends at a shape: false = success, path unchanged.
  bool extendToShapeFailsOnShape = false;
  // ... on a transform with several shapes below: false = extends to the first of them.
  bool extendToShapeFailsWithSeveralShapes = false;
  // MString::split: false = empty pieces are dropped.
  bool splitKeepsEmptyPieces = false;
  // MItDependencyGraph construction when no node matches the filter: false = success and isDone().
  bool graphIteratorFailsWithoutMatch = false;
};
HostBehaviour& hostBehaviour();
void resetHostBehaviour();

}  // namespace headless

#endif
