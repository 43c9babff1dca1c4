#pragma once
// What a Maya ASCII file says, before anything reaches the host: nodes with the values set on them,
// the DAG parents, and the connections, all as written (lengths and angles already in centimetres
// and degrees). The builders read it to fill the headless host's scene.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

namespace mayaascii {

// A "polyFaces" value, flattened: per face its boundary edges (negative = walked backwards, -e-1 is
// edge e), and per corner the indices into each UV set and colour set that the faces mention (-1 for
// a corner of a face that gives none).
struct PolyFacesData {
    std::vector<int32_t> faceStart{0};  // faces + 1 offsets into edges (= corner offsets)
    std::vector<int32_t> edges;
    std::vector<int32_t> facesWithHoles;
    std::map<int32_t, std::vector<int32_t>> uvs;     // UV set index -> per-corner UV index
    std::map<int32_t, std::vector<int32_t>> colors;  // colour set index -> per-corner colour index
    std::vector<int32_t> oldColors;                  // "fc" form: per-corner indices into .clr
    size_t faceCount() const { return faceStart.size() - 1; }
};

struct NurbsCurveData {
    int degree = 0;
    int spans = 0;
    int form = 0;
    bool rational = false;
    int dimension = 3;
    std::vector<double> knots;
    std::vector<double> cvs;  // x y z (w when rational) per CV; 2D curves padded to x y 0
};

struct NurbsSurfaceData {
    int degreeU = 0;
    int degreeV = 0;
    int formU = 0;
    int formV = 0;
    bool rational = false;
    std::vector<double> knotsU;
    std::vector<double> knotsV;
    int64_t numCVsU = 0;
    int64_t numCVsV = 0;
    std::vector<double> cvs;  // x y z (w when rational), V varying fastest
};

struct LatticeData {
    int64_t s = 0, t = 0, u = 0;
    std::vector<double> points;  // x y z, s fastest, then t, then u (the file's order)
};

using GeometryData = std::variant<std::monostate, PolyFacesData, NurbsCurveData, NurbsSurfaceData, LatticeData>;

// One value as written by one setAttr: numbers (bare, tuples, matrices, Int32Array), strings
// (string, stringArray, componentList) or a geometry value.
struct Value {
    std::string dataType;  // "" for bare values, else the -type name
    std::vector<double> numbers;
    std::vector<std::string> strings;
    GeometryData geometry;
    int line = 0;
};

// Values written for elements first..first+count-1 of an array attribute.
struct Chunk {
    int64_t first = 0;
    int64_t count = 0;
    Value value;
};

struct Attribute {
    bool hasPlain = false;
    Value plain;                 // a value set on the attribute itself (".t", ".iog[0].og[2].gcl")
    std::vector<Chunk> chunks;   // element values in file order (".vt[0:7]", ".n[166:331]")
    int64_t announcedSize = -1;  // "-s N": informational only, never used to size anything
    int line = 0;
    mutable bool used = false;   // set by the builders, for the summary of skipped attributes
};

// An attribute added to one node by addAttr: its names and its type as written (-at or -dt).
struct DynamicAttribute {
    std::string longName;
    std::string shortName;
    std::string type;
    bool dataType = false;  // given with -dt (typed data) rather than -at
    bool isArray = false;   // -m
    bool isChild = false;   // -p: a child of a compound dynamic attribute
    int line = 0;
};

struct Node {
    std::string type;
    std::string name;
    int parent = -1;                  // index of the DAG parent, -1 under the world
    std::vector<int> extraParents;    // further DAG parents from "parent -add" (instances)
    bool shared = false;              // "-s": merges with the scene's own default node of that name
    bool defaultNode = false;         // referred to (select :name) but never created by the file
    int line = 0;
    std::unordered_map<std::string, Attribute> attributes;  // by key (see attributeKey)
    std::vector<std::string> attributeOrder;                 // keys in first-set order
    std::vector<DynamicAttribute> dynamicAttributes;         // in addAttr order
};

struct Connection {
    int sourceNode = -1;
    std::string sourcePlug;  // attribute part, e.g. "iog.og[2]"
    int destinationNode = -1;
    std::string destinationPlug;
    bool nextAvailable = false;
    int line = 0;
};

struct SceneDocument {
    std::string fileName;
    std::vector<Node> nodes;
    std::vector<Connection> connections;
    std::unordered_map<std::string, std::vector<int>> nodesByName;  // leaf name (namespace kept) -> nodes
    std::string linearUnit = "centimeter";
    std::string angleUnit = "degree";
    int hostVersion = 0;  // the year of `requires maya "2018"` (0 when the file names none), for compat defaults
    std::set<std::string> requiredPlugins;
    std::vector<std::string> warnings;
    int skippedStatements = 0;
    std::map<std::string, int> skippedCommands;  // command -> count
};

} // namespace mayaascii
