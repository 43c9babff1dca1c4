#ifndef HEADLESS_GENERATORS_H
#define HEADLESS_GENERATORS_H
// The host's polygon primitives: each generator node type makes its mesh from the values a file sets on it and
// the host's defaults for the rest. One file per generator; each names the baked references its layout was
// checked against.

#include "history_values.h"

#include <string>
#include <vector>

namespace headless {

// Makes the mesh of a generator node; values out of the host's range are clamped with a warning through the
// context. Returns false (with the context's error set) for a value the host refuses.
using Generator = bool (*)(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh);

// The generator of a node type, or null when the type is not a generator the evaluation knows.
Generator findGenerator(const std::string& type);

bool generatePolyCube(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh);
bool generatePolySphere(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh);
bool generatePolyPlane(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh);
bool generatePolyCylinder(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh);
bool generatePolyCone(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh);
bool generatePolyTorus(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh);
bool generatePolyPyramid(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh);
bool generatePolyPipe(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh);
bool generatePolyPrism(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh);
bool generatePolyPlatonic(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh);

// Shared by the generators: a length (or other real value) the file sets, else fallback; false, with the
// context's error naming the attribute and its line, when it is not a finite number.
bool readLength(const HistoryNode& node, const HistoryContext& context, const char* key, double fallback,
                double& length);
// A subdivision or side count likewise, made `minimum` with one warning when below it, as the host clamps.
bool readCount(const HistoryNode& node, const HistoryContext& context, const char* key, double fallback, int minimum,
               int& count);

// Shared by the generators: whether a mesh of this many face corners may be made, checked before anything is
// made (a few bytes of a file must not ask for gigabytes). Past the limit the context's error says so and the
// shape is left out.
bool withinGeneratedSize(const HistoryNode& node, const HistoryContext& context, double corners);

// Shared by the round generators: the unit ring the host builds, point n-1 at angle 0 and each earlier point one
// float rotation of 2*pi/n further, so that rounding grows towards point 0 (baked default cylinders and cones
// match it to the last bit: whiteboxfinal2.ma, Maya 2024; the Missile scene, Maya 2022; n = 6 in the corpus).
void unitRing(int n, std::vector<float>& x, std::vector<float>& z);

class PolyMeshBuilder;
// Shared by the cylinder and the prism: the UV id of top ring point i on their mirrored cap circle, whose n UVs
// start at topCap: topCap + (2n - 2 - i) mod n (the baked default cylinder and prisms agree on it).
int mirroredCapUV(int topCap, int n, int i);
// Their two flat caps, one polygon each: the bottom ring (points 0..n-1) walked from point 0 backwards, the top
// ring (points top..top+n-1) forwards; mapped, the bottom's corners take their points' UV ids and the top's the
// mirrored cap circle.
void addFlatCaps(PolyMeshBuilder& builder, int n, int top, bool mapped, int topCap);

// Shared by the generators: the rotation (row-major, applied to column vectors) that turns a primitive built
// about `from` onto the node's axis (".ax", default 0 1 0); false, with the context's error set, for an axis of
// no direction.
bool axisTurn(const HistoryNode& node, const HistoryContext& context, const double (&from)[3], double (&m)[3][3]);
// Turns every point of a primitive built about +Y onto the node's axis, in the host's single precision.
bool orientToAxis(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh);

}  // namespace headless

#endif
