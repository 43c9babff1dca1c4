#include "optimise/duplicates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "conversion/quadratic_reference.h"
#include "conversion/test_meshes.h"
#include "model/allocation.h"
#include "model/model.h"

using testmeshes::Corner;
using testmeshes::MeshData;
using testmeshes::SceneModel;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// A mesh whose positions are values, with one single-corner face per position (face i uses position
// i) and two faces holding a missing (-1) and a stray (past the end) position.
MeshData positionsWithFaces(const std::vector<float>& values)
{
    MeshData data;
    data.verts = values;
    int32_t count = int32_t(values.size() / 3);
    for (int32_t i = 0; i < count; ++i)
        data.faces.push_back({Corner{i, -1, -1, -1}});
    data.faces.push_back({Corner{-1, -1, -1, -1}});
    data.faces.push_back({Corner{count + 1, -1, -1, -1}});
    return data;
}

const char* registeredLabel(const void* pointer)
{
    for (const AllocationSlot& slot : allocationRegister.slots)
        if (slot.pointer == pointer)
            return slot.label;
    return nullptr;
}

} // namespace

TEST(Duplicates, RemovesPositionsAsThePairwiseLoopDoes)
{
    const float negativeZero = -0.0f;
    const float nextToOne = std::nextafter(1.0f, 2.0f);
    struct Case {
        const char* name;
        std::vector<float> before;
        std::vector<float> after;
        std::vector<int32_t> faceIndexAfter; // per original position: the index its face holds afterwards
        int32_t removed;
    } cases[] = {
        {"no equal entries keep their order", {1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 1, 2}, 0},
        {"three equal entries leave one", {1, 1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1}, {0, 0, 0}, 2},
        {"a duplicate at the end is dropped", {1, 2, 3, 4, 5, 6, 1, 2, 3}, {1, 2, 3, 4, 5, 6}, {0, 1, 0}, 1},
        {"the last entry fills the hole",
         {1, 2, 3, 4, 5, 6, 1, 2, 3, 7, 8, 9},
         {1, 2, 3, 4, 5, 6, 7, 8, 9},
         {0, 1, 0, 2},
         1},
        {"a moved entry is compared again",
         {1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 1},
         {1, 1, 1, 2, 2, 2},
         {0, 1, 0, 0},
         2},
        {"zero equals negative zero", {0, 0, 0, negativeZero, 0, negativeZero}, {0, 0, 0}, {0, 0}, 1},
        {"one bit apart differs", {1, 0, 0, nextToOne, 0, 0}, {1, 0, 0, nextToOne, 0, 0}, {0, 1}, 0},
        {"a NaN equals nothing", {kNaN, 0, 0, kNaN, 0, 0}, {kNaN, 0, 0, kNaN, 0, 0}, {0, 1}, 0},
        {"an empty array", {}, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SceneModel scene(0, {positionsWithFaces(c.before)});
        Mesh& mesh = scene.mesh(0);
        int32_t live = liveAllocations();
        const float* oldBlock = mesh.verts;

        EXPECT_EQ(removeDuplicateVerts(mesh), c.removed);

        ASSERT_EQ(mesh.numVerts, int32_t(c.after.size() / 3));
        // Compared by bits: a NaN must stay the same NaN.
        EXPECT_TRUE(c.after.empty() || memcmp(mesh.verts, c.after.data(), c.after.size() * sizeof(float)) == 0);
        for (size_t i = 0; i < c.faceIndexAfter.size(); ++i)
            EXPECT_EQ(mesh.polygons[i].vertIndices[0], c.faceIndexAfter[i]) << "face " << i;
        int32_t count = int32_t(c.before.size() / 3);
        EXPECT_EQ(mesh.polygons[count].vertIndices[0], -1);
        EXPECT_EQ(mesh.polygons[count + 1].vertIndices[0], count + 1);
        // Re-allocated to the new count: one block, registered under its label.
        EXPECT_EQ(liveAllocations(), live);
        EXPECT_STREQ(registeredLabel(mesh.verts), "mesh->verts");
        if (mesh.verts != oldBlock) {
            EXPECT_EQ(registeredLabel(oldBlock), nullptr);
        }
    }
}

TEST(Duplicates, EachOperationWorksOnItsOwnArray)
{
    struct Case {
        const char* name;
        int32_t (*remove)(Mesh&);
        const char* label;
    } cases[] = {
        {"positions", removeDuplicateVerts, "mesh->verts"},
        {"colours", removeDuplicateColors, "mesh->colors"},
        {"texture coordinates", removeDuplicateUVs, "mesh->UVs"},
        {"normals", removeDuplicateNormals, "mesh->normals"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Every array holds entries 0 and 2 equal; the face uses entry 2 of each.
        MeshData data;
        data.verts = {1, 2, 3, 4, 5, 6, 1, 2, 3};
        data.colors = {1, 2, 3, 4, 5, 6, 1, 2, 3};
        data.uvs = {1, 2, 3, 4, 1, 2};
        data.normals = {1, 2, 3, 4, 5, 6, 1, 2, 3};
        data.faces = {{Corner{2, 2, 2, 2}, Corner{1, 1, 1, 1}, Corner{0, 0, 0, 0}}};
        SceneModel scene(0, {data});
        Mesh& mesh = scene.mesh(0);

        EXPECT_EQ(c.remove(mesh), 1);

        struct Array {
            const char* label;
            float* values;
            int32_t count;
            const int32_t* indices;
        } arrays[] = {{"mesh->verts", mesh.verts, mesh.numVerts, mesh.polygons[0].vertIndices},
                      {"mesh->colors", mesh.colors, mesh.numColors, mesh.polygons[0].colorIndices},
                      {"mesh->UVs", mesh.UVs, mesh.numUVs, mesh.polygons[0].uvIndices},
                      {"mesh->normals", mesh.normals, mesh.numNormals, mesh.polygons[0].normalIndices}};
        for (const Array& array : arrays) {
            bool mine = strcmp(array.label, c.label) == 0;
            EXPECT_EQ(array.count, mine ? 2 : 3) << array.label;
            EXPECT_EQ(array.indices[0], mine ? 0 : 2) << array.label;
            EXPECT_EQ(array.indices[1], 1) << array.label;
            EXPECT_STREQ(registeredLabel(array.values), array.label);
        }
    }
}

TEST(Duplicates, RemapTouchesOnlyStoredCornersOfTheChosenArray)
{
    MeshData data;
    data.verts = {0, 0, 0, 1, 1, 1, 2, 2, 2};
    data.faces = {{Corner{1, 1, 1, 1}, Corner{2, 1, 1, 1}, Corner{1, 1, 1, 1}}, {Corner{0, 1, 1, 1}}};
    SceneModel scene(0, {data});
    Mesh& mesh = scene.mesh(0);
    mesh.polygons[1].vertIndices[1] = 1; // beyond the face's one stored corner

    remapPolygonIndices(mesh, VERT_INDICES, 1, 7);

    const int32_t expected[][6] = {{7, 2, 7, -1, -1, -1}, {0, 1, -1, -1, -1, -1}};
    for (int32_t j = 0; j < 2; ++j) {
        for (int32_t k = 0; k < 6; ++k) {
            EXPECT_EQ(mesh.polygons[j].vertIndices[k], expected[j][k]) << j << "," << k;
            EXPECT_EQ(mesh.polygons[j].uvIndices[k], k < mesh.polygons[j].numVerts ? 1 : -1) << j << "," << k;
        }
    }
}

// The hashed removal against the pairwise one, on meshes with many exact duplicates, zeros of both
// signs, NaNs, faces of up to six corners and missing or stray indices: identical arrays (bit for
// bit), counts, polygon indices and results, in the order the capture driver runs the four.
TEST(Duplicates, MatchesThePairwiseRemovalOnRandomMeshes)
{
    struct Shape {
        const char* name;
        testmeshes::RandomMeshShape shape;
        int32_t meshes;
    } shapes[] = {
        {"small meshes", {24, 24, 1, 6, true, true, 6}, 300},
        {"few values, long groups", {400, 60, 3, 6, true, true, 2}, 60},
        {"many values", {300, 80, 3, 6, false, false, 12}, 60},
        {"large groups", {2000, 200, 3, 6, true, true, 3}, 6},
    };
    std::mt19937 random(20240611);
    int32_t removedInAll = 0;
    for (const Shape& s : shapes) {
        SCOPED_TRACE(s.name);
        for (int32_t n = 0; n < s.meshes; ++n) {
            SceneModel scene(0, {testmeshes::randomMesh(random, s.shape)});
            Mesh& fast = scene.mesh(0);
            Mesh slow;
            testmeshes::copyMesh(slow, fast);

            int32_t fastRemoved[4] = {removeDuplicateVerts(fast), removeDuplicateColors(fast),
                                      removeDuplicateUVs(fast), removeDuplicateNormals(fast)};
            int32_t slowRemoved[4] = {reference::removeDuplicateVerts(slow), reference::removeDuplicateColors(slow),
                                      reference::removeDuplicateUVs(slow), reference::removeDuplicateNormals(slow)};

            for (int32_t i = 0; i < 4; ++i) {
                EXPECT_EQ(fastRemoved[i], slowRemoved[i]) << "mesh " << n << " array " << i;
                removedInAll += fastRemoved[i];
            }
            EXPECT_EQ(testmeshes::meshDifference(fast, slow), "") << "mesh " << n;
            freeMeshArrays(slow);
        }
    }
    // The meshes must really have had duplicates to remove.
    EXPECT_GT(removedInAll, 10000);
}
