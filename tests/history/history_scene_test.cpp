// Scenes whose meshes only their history makes, read and exported end to end: per-face shading through
// groupParts, the shape's own tweaks, components the mesh does not have.

#include "history/reference_mesh.h"
#include "output/free_qax_model.h"
#include "output/reader.h"
#include "support/test_support.h"
#include "tools/qax_summary.h"
#include "tools/scene_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

struct Exported {
    qaxtools::ExportOutcome outcome;
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

std::string replaced(std::string text, const std::string& what, const std::string& with)
{
    text.replace(text.find(what), what.size(), with);
    return text;
}

} // namespace

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
        const Exported exported = exportScene(replaced(cube, "FACES", c.faces));
        EXPECT_EQ(exported.outcome.exitStatus, c.exitStatus) << c.faces << ": " << exported.outcome.message;
        EXPECT_NE(exported.outcome.message.find(c.message), std::string::npos) << exported.outcome.message;
        if (c.exitStatus != 0)
            continue;
        EXPECT_EQ(exported.material, c.material) << c.faces;
        // The shape's own tweak lifts vertex 5 of the unit cube from 0.5 to 2.5.
        EXPECT_FLOAT_EQ(exported.top, 2.5f) << c.faces;
    }
}
