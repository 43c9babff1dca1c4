#include <gtest/gtest.h>

#include "model/allocation.h"
#include "model/model.h"
#include "support/test_support.h"

// Models with frames are released by the capture tests, which count every block before and after.
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
