// polyPlatonic: the host's platonic solids. Only its default, an icosahedron with no subdivisions, is made
// here, as MayaAssignment1.ma (Maya 2027) holds it baked (mesh pPlatonicShape1, radius 1): points, faces, hard
// edges and the UVs the node makes when the file sets no createUVs, a spherical map about Y whose seam faces
// take copies of their UVs one to the right. No reference shows the other primitives, the subdivisions, the
// other UV modes or a turned axis; those are refused (or the UVs left out) rather than guessed.
#include "generators.h"
#include "poly_mesh_builder.h"

#include <array>
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
    context.warn(node, ".subdivisions " + std::to_string(static_cast<long long>(std::fmax(-1e18, subdivisions))) +
                           " is below 0, made with 0");
  const std::vector<double> axis = historyNumbers(node, "ax", {0, 1, 0});
  if (axis != std::vector<double>{0, 1, 0})
    return context.fail(node, "a platonic solid on another axis (.ax) is not evaluated by the headless host", 0);
  if (!refuseIfSet(node, context, "primitive", "a primitive other than the default icosahedron")) return false;
  const HistoryAttribute* uvAttribute = findHistoryAttribute(node, "cuv");
  const bool mapped = !uvAttribute;
  if (uvAttribute && historyNumber(node, "cuv", 0) != 0)
    context.warn(node, "createUVs " + std::to_string(static_cast<int>(historyNumber(node, "cuv", 0))) +
                           " lays UVs out in a way the headless host does not know; made without UVs");

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
  std::vector<std::array<int, 3>> faces;
  for (int k = 0; k < 5; ++k) faces.push_back({0, below(k + 1), below(k)});
  for (int k = 0; k < 5; ++k) faces.push_back({below(k), below(k + 1), above(k + 1)});
  for (int k = 0; k < 5; ++k) faces.push_back({below(k), above(k + 1), above(k)});
  for (int k = 0; k < 5; ++k) faces.push_back({above(k), above(k + 1), 11});

  // UVs: one per point, u the longitude about Y from +Z (0.5) round to -Z (1), v the latitude; then a face
  // reaching across the seam (a corner left of u 0.25 and one right of 0.75) takes, for each corner left of
  // the middle, a copy one to the right, made the first time a face needs it.
  std::vector<int> shifted(mesh.points.size(), -1);
  if (mapped)
    for (const Vec3& p : mesh.points) {
      const double length = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
      const double latitude = length > 0 ? std::asin(p.y / length) : 0;  // a solid of radius 0 maps to the middle
      builder.addUV(0.5 + std::atan2(p.x, p.z) / (2 * M_PI), 0.5 + latitude / M_PI);
    }
  for (const std::array<int, 3>& face : faces) {
    if (!mapped) {
      builder.addFace({face[0], face[1], face[2]});
      continue;
    }
    const std::vector<TexCoord>& uvs = mesh.uvSets[0].uvs;
    bool left = false, right = false;
    for (const int v : face) {
      left = left || uvs[size_t(v)].u < 0.25f;
      right = right || uvs[size_t(v)].u > 0.75f;
    }
    std::vector<int> ids(face.begin(), face.end());
    if (left && right)
      for (int& id : ids) {
        const size_t point = size_t(id);
        if (uvs[point].u >= 0.5f) continue;
        if (shifted[point] < 0) shifted[point] = builder.addUV(uvs[point].u + 1.0, uvs[point].v);
        id = shifted[point];
      }
    builder.addFace({face[0], face[1], face[2]}, ids);
  }
  for (PolyEdge& edge : mesh.edges) edge.smooth = false;
  return true;
}

}  // namespace headless
