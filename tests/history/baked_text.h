#pragma once
// Maya ASCII text for a mesh, as the host writes a mesh whose history was deleted: the same scene once with
// a generator and once baked, for comparisons and benchmarks.

#include <headless/poly_mesh.h>

#include <map>
#include <string>

namespace historytest {

// A scene with one transform "shape" holding mesh "shapeShape", fed by a generator node of `type` with the
// given attribute values, assigned to initialShadingGroup.
std::string generatorScene(const std::string& type, const std::map<std::string, double>& attributes);

// The same scene with the mesh baked: .vt, .ed, .fc (with the current UV set's ids) and the UV set written
// out with nine significant digits, which give every float back exactly.
std::string bakedScene(const headless::PolyMesh& mesh);

}  // namespace historytest
