// polyColorPerVertex: paints the colour set ".cn" (made when the mesh lacks it) with the colours the file stores
// per vertex (".vclr[v].vrgb", ".vclr[v].vxal") and per face-vertex (".vclr[v].vfcl[f].frgb", ".vfal"); a
// face-vertex colour wins over its vertex's. Each coloured corner gets a colour of its own, in corner order.
#include "modifiers.h"

#include <cstdlib>

namespace headless {

namespace {

struct Paint {
  bool hasRgb = false, hasAlpha = false;
  float rgb[3] = {0, 0, 0};
  float alpha = 1;
};

// The paint of vertex v, and of vertex v on face f ("vclr[v].vfcl[f]").
Paint paintAt(const HistoryNode& node, const std::string& prefix, const char* rgbKey, const char* alphaKey) {
  Paint paint;
  const std::vector<double> rgb = historyNumbers(node, prefix + "." + rgbKey, {});
  if (rgb.size() >= 3) {
    paint.hasRgb = true;
    for (int i = 0; i < 3; ++i) paint.rgb[i] = float(rgb[size_t(i)]);
  }
  if (findHistoryAttribute(node, prefix + "." + alphaKey) != nullptr) {
    paint.hasAlpha = true;
    paint.alpha = float(historyNumber(node, prefix + "." + alphaKey, 1));
  }
  return paint;
}

}  // namespace

bool applyPolyColorPerVertex(int node, int geometry, const HistoryContext& context, PolyMesh& mesh) {
  (void)geometry;
  const HistoryNode& paint = context.graph.nodes[size_t(node)];
  const std::vector<std::string> names = historyStrings(paint, "cn");
  const std::string name = names.empty() ? "colorSet1" : names[0];
  int setIndex = -1;
  for (size_t i = 0; i < mesh.colorSets.size(); ++i)
    if (mesh.colorSets[i].name == name) setIndex = int(i);
  if (setIndex < 0) {
    PolyColorSet set;
    set.name = name;
    set.components = 4;
    mesh.colorSets.push_back(set);
    setIndex = int(mesh.colorSets.size()) - 1;
  }
  mesh.currentColorSet = setIndex;
  PolyColorSet& set = mesh.colorSets[size_t(setIndex)];
  if (set.cornerColors.empty()) set.cornerColors.assign(size_t(mesh.numCorners()), -1);

  for (const std::int64_t v : historyElementIndices(paint, "vclr")) {
    if (v < 0 || v >= std::int64_t(mesh.points.size())) {
      const HistoryAttribute* any = findHistoryAttribute(paint, "vclr[" + std::to_string(v) + "].vxal");
      return context.fail(paint, "it colours vertex " + std::to_string(v) + ", but the mesh has " +
                                     std::to_string(mesh.points.size()) + " vertices",
                          any != nullptr ? any->line : paint.line);
    }
  }
  // Colours by vertex, then by face-vertex, looked up once per corner.
  std::map<std::int64_t, Paint> vertexPaint;
  std::map<std::pair<std::int64_t, std::int64_t>, Paint> cornerPaint;
  for (const std::int64_t v : historyElementIndices(paint, "vclr")) {
    const std::string prefix = "vclr[" + std::to_string(v) + "]";
    vertexPaint[v] = paintAt(paint, prefix, "vrgb", "vxal");
    for (const std::int64_t f : historyElementIndices(paint, prefix + ".vfcl"))
      cornerPaint[{v, f}] = paintAt(paint, prefix + ".vfcl[" + std::to_string(f) + "]", "frgb", "vfal");
  }
  for (int face = 0; face < mesh.numFaces(); ++face) {
    for (int corner = mesh.faceStart[size_t(face)]; corner < mesh.faceStart[size_t(face) + 1]; ++corner) {
      const int vertex = mesh.cornerVertex(corner);
      auto byVertex = vertexPaint.find(vertex);
      auto byCorner = cornerPaint.find({vertex, face});
      const Paint* chosen = nullptr;
      if (byCorner != cornerPaint.end() && byCorner->second.hasRgb) chosen = &byCorner->second;
      else if (byVertex != vertexPaint.end() && byVertex->second.hasRgb) chosen = &byVertex->second;
      if (chosen == nullptr) continue;
      Color4 color{chosen->rgb[0], chosen->rgb[1], chosen->rgb[2], 1.0f};
      if (byCorner != cornerPaint.end() && byCorner->second.hasAlpha) color.a = byCorner->second.alpha;
      else if (byVertex != vertexPaint.end() && byVertex->second.hasAlpha) color.a = byVertex->second.alpha;
      set.cornerColors[size_t(corner)] = int(set.colors.size());
      set.colors.push_back(color);
    }
  }
  return true;
}

}  // namespace headless
