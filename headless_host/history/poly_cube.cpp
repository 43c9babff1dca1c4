// polyCube: a ring of rows around X (front, top, back, bottom faces), then the inner points of the +X and -X
// sides, the host's cross-shaped UV layout.
#include "generators.h"
#include "poly_mesh_builder.h"

#include <cmath>

namespace headless {

namespace {

// Values from start, each one step further, summed in single precision as the host does: a 1/12 step
// reaches 4.4703484e-08 where 0 is due (Table.ma, Maya 2023, 3 x 12 x 3: polyCube_sw3_sh12_sd3.ma), a 1/10 step ends at 0.49999997
// (the 10 x 1 x 1 cube of polyCube_sw10.ma).
std::vector<float> steps(float start, float step, int count) {
  std::vector<float> values(size_t(count), 0.0f);
  float value = start;
  for (float& v : values) v = value, value += step;
  return values;
}

struct CubeLayout {
  int sw, sh, sd, rows;
  int ring(int row, int i) const { return (row % rows) * (sw + 1) + i; }
  // Point j rows up (from -Y) and m columns along (from -Z) on the +X (right) or -X side: the ring's own points
  // on the side's border, its inner points after the ring, right side first.
  int sidePoint(bool right, int j, int m) const {
    const int i = right ? sw : 0;
    if (m == sd) return ring(j, i);
    if (m == 0) return ring(2 * sh + sd - j, i);
    if (j == 0) return ring(2 * sh + sd + m, i);
    if (j == sh) return ring(sh + sd - m, i);
    const int inner = (sh - 1) * (sd - 1);
    return rows * (sw + 1) + (right ? 0 : inner) + (j - 1) * (sd - 1) + (m - 1);
  }
  // The UV of a side point: its own row of sd UVs per j after the ring's grid, the ring's UV on the +Z border.
  int sideUV(bool right, int j, int m) const {
    if (m == sd) return j * (sw + 1) + (right ? sw : 0);
    return (rows + 1) * (sw + 1) + (right ? 0 : (sh + 1) * sd) + j * sd + m;
  }
};

int subdivisions(const HistoryNode& node, const HistoryContext& context, const char* key) {
  const double value = historyNumber(node, key, 1);
  if (!(value >= 1)) {
    context.warn(node, std::string(".") + key + " below 1 taken as 1, as the host does");
    return 1;
  }
  return value > 1e6 ? 1000000 : static_cast<int>(value);
}

}  // namespace

bool generatePolyCube(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  const double width = historyNumber(node, "w", 1), height = historyNumber(node, "h", 1),
               depth = historyNumber(node, "d", 1);
  if (!std::isfinite(width) || !std::isfinite(height) || !std::isfinite(depth))
    return context.fail(node, "its width, height and depth must be finite numbers", 0);
  const int sw = subdivisions(node, context, "sw"), sh = subdivisions(node, context, "sh"),
            sd = subdivisions(node, context, "sd");
  if (!withinGeneratedSize(node, context, 8.0 * (double(sw) * sh + double(sh) * sd + double(sw) * sd))) return false;
  // Every baked reference shows the cross (the corpus's cubes are made with .cuv 4); the default 3 is taken to
  // agree on a cube of equal sides, where normalising collectively and keeping the aspect ratio are the same. A cube
  // of unequal sides, where they would differ, and modes 1 and 2 have no baked reference.
  const int uvMode = static_cast<int>(historyNumber(node, "cuv", 3));
  if (uvMode < 0 || uvMode > 4)
    return context.fail(node, "its UV mode .cuv " + std::to_string(uvMode) + " is not one the host has", 0);
  if (uvMode == 1 || uvMode == 2)
    return context.fail(node, "UVs of .cuv " + std::to_string(uvMode) + " are not evaluated: no baked reference fixes them", 0);
  if (uvMode != 0 && (width != height || width != depth))
    return context.fail(node, "UVs of a cube with unequal width, height and depth are not evaluated: no baked reference fixes them", 0);

  const CubeLayout layout{sw, sh, sd, 2 * (sh + sd)};
  const int rows = layout.rows;
  PolyMeshBuilder builder(mesh);
  // Each face of the ring starts at its exact corner and steps along the ring, so the row after a face's last
  // step is the next face's exact start (Table.ma: the 12th step of 1/12 is never used, y = 0.5 is). Across the
  // ring x steps from -w/2 to the end (0.49999997 for ten steps, polyCube_sw10.ma). Other sizes step by w/sw from
  // -w/2: the size-100 3 x 3 x 3 reference (polyCube_w100_s3.ma) matches to one float step, its first inner
  // step being one step off this and every other rule tried.
  const std::vector<float> xs = steps(float(-width / 2), float(width / sw), sw + 1);
  const std::vector<float> frontY = steps(float(-height / 2), float(height / sh), sh);
  const std::vector<float> backY = steps(float(height / 2), -float(height / sh), sh);
  const std::vector<float> topZ = steps(float(depth / 2), -float(depth / sd), sd);
  const std::vector<float> bottomZ = steps(float(-depth / 2), float(depth / sd), sd);
  const float x1 = float(width / 2), y1 = float(height / 2), z1 = float(depth / 2);
  mesh.points.reserve(size_t(rows) * (sw + 1) + 2 * size_t(sh - 1) * (sd - 1));
  for (int r = 0; r < rows; ++r) {
    float y, z;
    if (r < sh) y = frontY[r], z = z1;
    else if (r < sh + sd) y = y1, z = topZ[r - sh];
    else if (r < 2 * sh + sd) y = backY[r - sh - sd], z = -z1;
    else y = -y1, z = bottomZ[r - 2 * sh - sd];
    for (int i = 0; i <= sw; ++i) builder.addPoint(xs[i], y, z);
  }
  // Inner side points row by row from -Y, each row from -Z, the +X side first; they take the front face's y and
  // the bottom face's z (Table.ma: -0.41666666 and -0.16666666, not the back's -0.41666675 or the top's
  // 0.16666666), and x = w/2 as the size-100 reference prints it (50 where the ring's last column has summed to
  // 49.99999619).
  for (const float x : {x1, -x1})
    for (int j = 1; j < sh; ++j)
      for (int m = 1; m < sd; ++m) builder.addPoint(x, frontY[j], bottomZ[m]);

  // Edges: along each ring row, hard on the cube's edges (rows 0, sh, sh+sd, 2sh+sd); then from each row to the
  // next, hard at the ends; then per side the lines of constant y from -Z, then those of constant z row by row,
  // all soft (polyCube_s2.ma, polyCube_sw3_sh3_sd2.ma, polyCube_sw3_sh1_sd3.ma).
  for (int r = 0; r < rows; ++r) {
    const bool hard = r == 0 || r == sh || r == sh + sd || r == 2 * sh + sd;
    for (int i = 0; i < sw; ++i) builder.addEdge(layout.ring(r, i), layout.ring(r, i + 1), !hard);
  }
  for (int r = 0; r < rows; ++r)
    for (int i = 0; i <= sw; ++i) builder.addEdge(layout.ring(r, i), layout.ring(r + 1, i), i != 0 && i != sw);
  for (const bool right : {true, false}) {
    for (int j = 1; j < sh; ++j)
      for (int m = 0; m < sd; ++m) builder.addEdge(layout.sidePoint(right, j, m), layout.sidePoint(right, j, m + 1));
    for (int j = 0; j < sh; ++j)
      for (int m = 1; m < sd; ++m) builder.addEdge(layout.sidePoint(right, j, m), layout.sidePoint(right, j + 1, m));
  }

  // UVs: the ring's grid from (0.375, 0), u in sw steps of 0.25/sw, v summed on through the ring's faces (0.25/sh
  // on front and back, 0.25/sd on top and bottom: 0.62500006 and 1.0000001 after five steps of 0.05,
  // polyCube_sw5_sh1_sd5.ma); then per side sh+1 rows of sd UVs, the front's v, u stepping from 0.875 down (+X)
  // or from 0.125 up (-X).
  if (uvMode != 0) {
    const std::vector<float> us = steps(0.375f, 0.25f / float(sw), sw + 1);
    std::vector<float> vs(size_t(rows) + 1, 0.0f);
    for (int r = 0; r < rows; ++r) {
      const bool alongHeight = r < sh || (r >= sh + sd && r < 2 * sh + sd);
      vs[r + 1] = vs[r] + 0.25f / float(alongHeight ? sh : sd);
    }
    for (int r = 0; r <= rows; ++r)
      for (int i = 0; i <= sw; ++i) builder.addUV(us[i], vs[r]);
    for (const float start : {0.875f, 0.125f}) {
      const std::vector<float> sideU = steps(start, (start > 0.5f ? -0.25f : 0.25f) / float(sd), sd);
      for (int j = 0; j <= sh; ++j)
        for (int m = 0; m < sd; ++m) builder.addUV(sideU[m], vs[j]);
    }
  }

  // Faces: the ring row by row, each from its corner at row r, column i; then each side row by row from -Y,
  // cells from -Z, the +X side's faces starting at the cell's +Z lower corner, the -X side's at its -Z one.
  const bool uvs = uvMode != 0;
  for (int r = 0; r < rows; ++r)
    for (int i = 0; i < sw; ++i) {
      const int g = r * (sw + 1) + i;
      builder.addFace({layout.ring(r, i), layout.ring(r, i + 1), layout.ring(r + 1, i + 1), layout.ring(r + 1, i)},
                      uvs ? std::vector<int>{g, g + 1, g + sw + 2, g + sw + 1} : std::vector<int>());
    }
  for (const bool right : {true, false})
    for (int j = 0; j < sh; ++j)
      for (int m = 0; m < sd; ++m) {
        const int a = right ? m + 1 : m, b = right ? m : m + 1;
        builder.addFace({layout.sidePoint(right, j, a), layout.sidePoint(right, j, b),
                         layout.sidePoint(right, j + 1, b), layout.sidePoint(right, j + 1, a)},
                        uvs ? std::vector<int>{layout.sideUV(right, j, a), layout.sideUV(right, j, b),
                                               layout.sideUV(right, j + 1, b), layout.sideUV(right, j + 1, a)}
                            : std::vector<int>());
      }
  return orientToAxis(node, context, mesh);
}

}  // namespace headless
