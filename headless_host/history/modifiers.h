#ifndef HEADLESS_MODIFIERS_H
#define HEADLESS_MODIFIERS_H
// The modifiers and deformers a file chains after a generator, each changing the mesh that flows through it.
// One file per node type.

#include "history_values.h"

#include <string>

namespace headless {

// Applies history node `node` (an index into context.graph.nodes) to mesh, which is the node's input geometry
// `geometry` (k of a deformer's "ip[k]", 0 for other nodes). Returns false with the context's error set when the
// node's values do not fit the mesh (a component the mesh does not have), or with an unsupported type noted
// when something the node depends on is not evaluated.
using Modifier = bool (*)(int node, int geometry, const HistoryContext& context, PolyMesh& mesh);

// The modifier of a node type, or null when the evaluation does not know the type.
Modifier findModifier(const std::string& type);

// The plug of a modifier through which the mesh enters it, for the output plug the mesh leaves by:
// "ip" for polyTweak and the other poly modifiers, "ip[k].ig" for a deformer's "og[k]", "ig" for groupParts.
std::string modifierInputPlug(const std::string& type, const std::string& outputPlug);

bool applyGroupParts(int node, int geometry, const HistoryContext& context, PolyMesh& mesh);
bool applyTweakDeformer(int node, int geometry, const HistoryContext& context, PolyMesh& mesh);
bool applyPolyTweak(int node, int geometry, const HistoryContext& context, PolyMesh& mesh);
bool applyPolyTweakUV(int node, int geometry, const HistoryContext& context, PolyMesh& mesh);
bool applyTransformGeometry(int node, int geometry, const HistoryContext& context, PolyMesh& mesh);
bool applySkinCluster(int node, int geometry, const HistoryContext& context, PolyMesh& mesh);
bool applyBlendShape(int node, int geometry, const HistoryContext& context, PolyMesh& mesh);
bool applyPolyColorPerVertex(int node, int geometry, const HistoryContext& context, PolyMesh& mesh);
bool applyCreateColorSet(int node, int geometry, const HistoryContext& context, PolyMesh& mesh);
bool applyDeleteComponent(int node, int geometry, const HistoryContext& context, PolyMesh& mesh);
bool applyPolySoftEdge(int node, int geometry, const HistoryContext& context, PolyMesh& mesh);

// Shared by the deformers: the envelope (".en", default 1) scaled by the weight the node gives every point
// (1 when it stores none), and the blend of each moved point towards its place before the deformer.
double deformerEnvelope(const HistoryNode& node);
void blendDeformed(const std::vector<Vec3>& before, double envelope, std::vector<Vec3>& points);

// The row-major 4x4 matrix product a * b (row vectors: a applies first), and a point carried by a matrix.
void multiplyMatrices(const double (&a)[16], const double (&b)[16], double (&out)[16]);
Vec3 transformPoint(const double (&m)[16], const Vec3& p);

// Adds the float3 offsets of a node's array attribute `key` (".tk[i]", ".vl[0].vt[i]") to the points, in the
// host's single precision; false with the context's error set for an offset on a vertex the mesh does not have.
bool addPointOffsets(const HistoryNode& node, const std::string& key, const HistoryContext& context, PolyMesh& mesh);

// Adds a mesh node's own tweaks (".pt[i]", float3 offsets) to the points of the mesh flowing through it;
// false with the context's error set for a tweak on a vertex the mesh does not have.
bool applyPointTweaks(const HistoryNode& meshNode, const HistoryContext& context, PolyMesh& mesh);

}  // namespace headless

#endif
