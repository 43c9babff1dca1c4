#pragma once
// Baked meshes the host wrote, as references for what construction history must make.

#include "support/test_support.h"
#include "tools/scene_export.h"

#include <headless/history.h>
#include <headless/poly_mesh.h>

#include <map>
#include <string>
#include <vector>

namespace historytest {

// The path of a reference file in tests/history/references.
std::string referencePath(const std::string& file);

// The first mesh node with baked geometry in a Maya ASCII file (or the one named), as the reader decodes it:
// points with tweaks, edges, faces, the current UV set. Fails the calling test (and returns an empty mesh) when
// it holds no such mesh, and throws when the reader refuses it.
headless::PolyMesh loadReferenceMesh(const std::string& path, const std::string& meshName = "");

// Expects actual to be expected: points within `ulps` float steps (or, with nearZero, within 1e-6, as a printed
// -1.2e-08 against an exact 0 is), then edge for edge (ends and smoothing), face for face (signed edges), UV for UV
// and per-corner UV id for id. Reports the first few differences.
void expectSameMesh(const headless::PolyMesh& expected, const headless::PolyMesh& actual, int ulps = 4,
                    bool nearZero = true);

// Evaluates a generator node of `type` with the given plain values ({"sa", {8}}, {"ax", {1, 0, 0}}) feeding a
// mesh shape, as a file with that history would (written by host version hostVersion, 0 unknown).
headless::HistoryResult evaluateGenerator(const std::string& type,
                                          const std::map<std::string, std::vector<double>>& values = {},
                                          int hostVersion = 0);

// Exports a scene text through the command-line tool, as dir's scene.ma to its scene.qax.
qaxtools::ExportOutcome exportSceneText(const std::string& text, const testsupport::TempDir& dir);

}  // namespace historytest
