// polyPlatonic: the host's platonic solids. Only its default, an icosahedron of radius 1 with no subdivisions,
// is made here: its points, edges and faces as MayaAssignment1.ma (Maya 2027) holds it baked (mesh
// pPlatonicShape1). That reference's UVs are an unwrap whose rule it does not show, and no reference shows the
// other primitives, the subdivisions or a turned axis; those are refused rather than guessed.
#include "generators.h"
#include "poly_mesh_builder.h"

#include <cmath>
#include <string>
#include <vector>

namespace headless {

namespace {

bool refuseIfSet(const HistoryNode& node, const HistoryContext& context, const char* key, const char* what) {
  const HistoryAttribute* attribute = findHistoryAttribute(node, key);
  if (!attribute) return true;
  return context.fail(node, std::string(what) + " (." + key + ") is not evaluated by the headless host",
                      attribute->line);
}

}  // namespace

bool generatePolyPlatonic(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  const double radius = historyNumber(node, "radius", 1);
  if (!std::isfinite(radius)) {
    const HistoryAttribute* attribute = findHistoryAttribute(node, "radius");
    return context.fail(node, "its .radius is not a finite number", attribute ? attribute->line : 0);
  }
  const double subdivisions = historyNumber(node, "subdivisions", 0);
  if (std::isnan(subdivisions)) {
    const HistoryAttribute* attribute = findHistoryAttribute(node, "subdivisions");
    return context.fail(node, "its .subdivisions is not a number", attribute ? attribute->line : 0);
  }
  if (subdivisions >= 1)
    return context.fail(node, "subdivisions (.subdivisions " + std::to_string(static_cast<long long>(
                                  std::fmin(subdivisions, 1e18))) + ") are not evaluated by the headless host", 0);
  if (subdivisions < 0)
    context.warn(node, ".subdivisions " + std::to_string(subdivisions) + " is below 0, made with 0");
  const std::vector<double> axis = historyNumbers(node, "ax", {0, 1, 0});
  if (axis != std::vector<double>{0, 1, 0})
    return context.fail(node, "a platonic solid on another axis (.ax) is not evaluated by the headless host", 0);
  if (!refuseIfSet(node, context, "primitive", "a primitive other than the default icosahedron")) return false;
  const int uvMode = static_cast<int>(historyNumber(node, "cuv", 2));
  if (uvMode != 0)
    context.warn(node, "the platonic solid's UVs are laid out in a way the headless host does not know; made "
                       "without UVs");

  // Poles on Z; the ring below at azimuths 36 + 72k degrees, the ring above at 72k, both 1/sqrt(5) from the
  // equator (the reference agrees to two float steps, the host's own rounding).
  PolyMeshBuilder builder(mesh);
  const double ringZ = 1 / std::sqrt(5.0), ringRadius = 2 / std::sqrt(5.0);
  builder.addPoint(0, 0, -radius);
  for (const double z : {-ringZ, ringZ})
    for (int k = 0; k < 5; ++k) {
      const double azimuth = M_PI / 180 * (72.0 * k + (z < 0 ? 36.0 : 0.0));
      builder.addPoint(radius * ringRadius * std::cos(azimuth), radius * ringRadius * std::sin(azimuth), radius * z);
    }
  builder.addPoint(0, 0, radius);

  // Faces: the fan round the lower pole, the band's two rows, the fan round the upper pole; the edges come in the
  // order the faces first walk them, all hard.
  auto below = [](int k) { return 1 + k % 5; };
  auto above = [](int k) { return 6 + k % 5; };
  for (int k = 0; k < 5; ++k) builder.addFace({0, below(k + 1), below(k)});
  for (int k = 0; k < 5; ++k) builder.addFace({below(k), below(k + 1), above(k + 1)});
  for (int k = 0; k < 5; ++k) builder.addFace({below(k), above(k + 1), above(k)});
  for (int k = 0; k < 5; ++k) builder.addFace({above(k), above(k + 1), 11});
  for (PolyEdge& edge : mesh.edges) edge.smooth = false;
  return true;
}

}  // namespace headless
