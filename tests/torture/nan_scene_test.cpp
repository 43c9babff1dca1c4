// A scene whose every number is NaN: geometry, transforms, shader, camera and light attributes. The
// export must still write a file the reader accepts, with one object for the one mesh.

#include <limits>

#include <maya/MFnDependencyNode.h>
#include <maya/MPlug.h>

#include "output/free_qax_model.h"
#include "plugin/export_fixture.h"

namespace {

using namespace plugintest;
using TortureTest = ExportTest;

const double nan = std::numeric_limits<double>::quiet_NaN();

headless::MeshData nanCube()
{
    headless::MeshData data;
    data.points.assign(8, {nan, nan, nan});
    data.faces = {{0, 1, 3, 2}, {2, 3, 5, 4}, {4, 5, 7, 6}, {6, 7, 1, 0}, {1, 7, 5, 3}, {6, 0, 2, 4}};
    data.uvs.assign(4, {float(nan), float(nan)});
    data.faceUVs = {{0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}};
    data.normals.assign(2, {nan, nan, nan});
    data.faceNormals = {{0, 1, 0, 1}, {0, 1, 0, 1}, {0, 1, 0, 1}, {0, 1, 0, 1}, {0, 1, 0, 1}, {0, 1, 0, 1}};
    data.colors.assign(3, {float(nan), float(nan), float(nan), float(nan)});
    data.faceColors = {{0, 1, 2, 0}, {0, 1, 2, 0}, {0, 1, 2, 0}, {0, 1, 2, 0}, {0, 1, 2, 0}, {0, 1, 2, -1}};
    return data;
}

// Offers NaN to every attribute of every node; the host keeps it where the attribute holds a real number
// and refuses it for flags and whole numbers. Returns how many took it.
int setEveryAttributeToNaN()
{
    int changed = 0;
    for (const MObject& node : headless::allNodes()) {
        MFnDependencyNode function(node);
        std::vector<std::string> names;
        for (unsigned i = 0; i < function.attributeCount(); ++i)
            names.push_back(function.findPlug(function.attribute(i)).partialName().asChar());
        for (const std::string& name : names)
            changed += headless::setAttr(node, name, nan) ? 1 : 0;
    }
    return changed;
}

void buildNaNScene()
{
    headless::newScene();
    MObject transform = headless::createTransform("nanCube");
    MObject mesh = headless::createMesh("nanCubeShape", transform, nanCube());
    ASSERT_FALSE(mesh.isNull());
    MObject shader = headless::createShader("blinn", "nanBlinn");
    headless::connectTexture(headless::createFileTexture("nanFile", "sourceimages/nan.png"), shader);
    headless::assign(headless::createShadingGroup("nanBlinnSG", shader), mesh);

    MObject lattice = headless::createLattice("nanLatticeShape", headless::createTransform("nanLattice"), 2, 2, 2,
                                              std::vector<headless::Vec3>(8, {nan, nan, nan}));
    ASSERT_FALSE(lattice.isNull());
    headless::createFfd("nanFfd", lattice, {mesh});
    headless::NurbsSurfaceData surface;
    surface.numCVsU = 4;
    surface.numCVsV = 4;
    surface.cvs.assign(16, {nan, nan, nan});
    headless::createNurbsSurface("nanPatchShape", headless::createTransform("nanPatch"), surface);
    headless::NurbsCurveData curve;
    curve.cvs.assign(4, {nan, nan, nan});
    headless::createNurbsCurve("nanCurveShape", headless::createTransform("nanCurve"), curve);
    headless::createCamera("nanCameraShape", headless::createTransform("nanCamera"));
    const headless::LightKind kinds[] = {headless::LightKind::Ambient, headless::LightKind::Directional,
                                         headless::LightKind::Point, headless::LightKind::Spot};
    for (headless::LightKind kind : kinds)
        headless::createLight(kind, "", headless::createTransform(""));
    ASSERT_GT(setEveryAttributeToNaN(), 100);
}

TEST_F(TortureTest, SceneOfNaNsExportsAValidFile)
{
    struct Case {
        const char* options;
        headless::UpAxis up;
    };
    const Case cases[] = {
        {"vertexColors=0;relProjPath=0;optimize=0;", headless::UpAxis::Y},
        {"vertexColors=1;relProjPath=1;optimize=1;", headless::UpAxis::Y},
        {"vertexColors=1;relProjPath=0;optimize=1;", headless::UpAxis::Z},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        buildNaNScene();
        headless::setUpAxis(c.up);
        ExportRun result = runExport("nan.qax", c.options);
        ASSERT_EQ(result.status, MStatus::kSuccess) << result.log;
        EXPECT_EQ(lastLine(result.log), "Successful, all done!\n");
        qaxModel model;
        ASSERT_TRUE(readQax("nan.qax", model));
        // Flags refuse NaN, so the mesh is still visible and not an intermediate object.
        EXPECT_EQ(model.objects.numObjects, 1) << result.log;
        bool blinnFound = false;
        for (int32_t i = 0; i < model.materials.numMaterials; ++i)
            blinnFound |= std::string(model.materials.materials[i].header.name.text,
                                      model.materials.materials[i].header.name.length) == "nanBlinn";
        EXPECT_TRUE(blinnFound);
        freeQAXModel(model);
    }
}

} // namespace
