#include <gtest/gtest.h>

#include "model/allocation.h"
#include "model/model.h"
#include "support/test_support.h"

// Builds a model the way the capture does: every array registered, kinds with no records still allocated.
static Model makeModel(int32_t meshes, int32_t lattices, int32_t patches, int32_t curves)
{
    Model model = {};
    model.numMaterials = 2;
    model.materials = allocateArray<Material>("model->materials", 2);
    model.numFrames = 1;
    model.frames = allocateArray<Frame>("model->frames", 1);
    Frame& frame = model.frames[0];
    frame.numMeshes = meshes;
    frame.meshes = allocateArray<Mesh>("frame->meshes", meshes);
    for (Mesh* mesh = frame.meshes; mesh != frame.meshes + meshes; ++mesh) {
        mesh->verts = allocateArray<float>("mesh->verts", 9);
        mesh->UVs = allocateArray<float>("mesh->UVs", 0);
        mesh->normals = allocateArray<float>("mesh->normals", 3);
        mesh->colors = allocateArray<float>("mesh->colors", 0);
        mesh->polygons = allocateArray<Polygon>("mesh->polygons", 1, 0xFF);
    }
    frame.numLattices = lattices;
    frame.lattices = allocateArray<Lattice>("frame->lattices", lattices);
    for (int32_t i = 0; i < lattices; ++i)
        frame.lattices[i].latticePoints = allocateArray<float>("lattice->latticePoints", 24);
    frame.numNURBS = patches;
    frame.NURBS = allocateArray<Nurb>("frame->NURBS", patches);
    for (int32_t i = 0; i < patches; ++i)
        frame.NURBS[i].controlPoints = allocateArray<float>("nurb->controlPoints", 48);
    frame.numNURBSCurves = curves;
    frame.NURBSCurves = allocateArray<Curve>("frame->NURBSCurves", curves);
    for (int32_t i = 0; i < curves; ++i)
        frame.NURBSCurves[i].controlPoints = allocateArray<float>("curve->controlPoints", 12);
    frame.cameras = allocateArray<Camera>("frame->cameras", 0);
    frame.lights = allocateArray<Light>("frame->lights", 0);
    return model;
}

TEST(FreeModel, ReleasesEveryRegisteredArray)
{
    testsupport::LogCapture capture;
    const int32_t before = liveAllocations();
    struct Case {
        int32_t meshes, lattices, patches, curves;
    } cases[] = {{0, 0, 0, 0}, {1, 0, 0, 0}, {3, 2, 4, 1}};
    for (const Case& c : cases) {
        Model model = makeModel(c.meshes, c.lattices, c.patches, c.curves);
        EXPECT_EQ(liveAllocations(), before + 8 + 5 * c.meshes + c.lattices + c.patches + c.curves);
        freeModel(model);
        EXPECT_EQ(liveAllocations(), before);
        EXPECT_EQ(model.materials, nullptr);
        EXPECT_EQ(model.frames, nullptr);
        EXPECT_EQ(model.numMaterials, 0);
        EXPECT_EQ(model.numFrames, 0);
    }
    EXPECT_EQ(capture.text(), "");
}

TEST(FreeModel, WithoutFramesReleasesMaterialsAndSaysSo)
{
    testsupport::LogCapture capture;
    const int32_t before = liveAllocations();
    Model model = {};
    model.numMaterials = 1;
    model.materials = allocateArray<Material>("model->materials", 1);
    freeModel(model);
    EXPECT_EQ(liveAllocations(), before);
    EXPECT_EQ(model.materials, nullptr);
    EXPECT_EQ(capture.text(), "No frames found.\n");
}
