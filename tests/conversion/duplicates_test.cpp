#include "optimise/duplicates.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "conversion/quadratic_reference.h"
#include "conversion/test_meshes.h"
#include "model/allocation.h"
#include "model/model.h"

using testmeshes::MeshData;
using testmeshes::SceneModel;

// The hashed removal against the pairwise one, on meshes with many exact duplicates, zeros and subnormals
// of both signs, values one bit apart, infinities, NaNs, empty arrays, faces of up to six corners (and damaged
// counts of more) and missing or stray indices: identical arrays (bit for bit, so a NaN stays the same NaN),
// counts, polygon indices and results, in the order the capture driver runs the four.
TEST(Duplicates, MatchesThePairwiseRemovalOnRandomMeshes)
{
    struct Shape {
        const char* name;
        testmeshes::RandomMeshShape shape;
        int32_t meshes;
    } shapes[] = {
        {"small meshes, some faces with a count past the six corners stored", {24, 24, 1, 8, true, true, 6}, 300},
        {"few values, long groups", {400, 60, 3, 6, true, true, 2}, 60},
        {"many values", {300, 80, 3, 6, false, false, 12}, 60},
        {"large groups", {2000, 200, 3, 6, true, true, 3}, 6},
    };
    std::mt19937 random(20240611);
    int32_t removedInAll = 0;
    for (const Shape& s : shapes) {
        SCOPED_TRACE(s.name);
        for (int32_t n = 0; n < s.meshes; ++n) {
            const MeshData data = testmeshes::randomMesh(random, s.shape);
            SceneModel fastScene(0, {data}), slowScene(0, {data});
            Mesh& fast = fastScene.mesh(0);
            Mesh& slow = slowScene.mesh(0);

            int32_t live = liveAllocations();
            int32_t fastRemoved[4] = {removeDuplicateVerts(fast), removeDuplicateColors(fast),
                                      removeDuplicateUVs(fast), removeDuplicateNormals(fast)};
            EXPECT_EQ(liveAllocations(), live) << "mesh " << n << ": scratch released, arrays replaced";
            int32_t slowRemoved[4] = {reference::removeDuplicateVerts(slow), reference::removeDuplicateColors(slow),
                                      reference::removeDuplicateUVs(slow), reference::removeDuplicateNormals(slow)};

            for (int32_t i = 0; i < 4; ++i) {
                EXPECT_EQ(fastRemoved[i], slowRemoved[i]) << "mesh " << n << " array " << i;
                removedInAll += fastRemoved[i];
            }
            EXPECT_EQ(testmeshes::meshDifference(fast, slow), "") << "mesh " << n;
        }
    }
    // The meshes must really have had duplicates to remove.
    EXPECT_GT(removedInAll, 10000);
}
