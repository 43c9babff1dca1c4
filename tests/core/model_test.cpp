#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "model/allocation.h"
#include "model/fixed_text.h"
#include "model/model.h"
#include "support/test_support.h"

static const AllocationSlot* slotOf(const void* pointer)
{
    for (const AllocationSlot& slot : allocationRegister.slots)
        if (slot.pointer == pointer)
            return &slot;
    return nullptr;
}

// Blocks are recorded under their labels (a long label fills its slot without a terminator), forgotten
// when released and refused when their size overflows. The random run below fills the register;
// the duplicate removal's tests check resized blocks, their contents and the block count.
TEST(AllocationRegister, RecordsResizesAndForgetsBlocks)
{
    testsupport::LogCapture capture;
    int32_t before = liveAllocations();
    uint8_t* block = allocateArray<uint8_t>("mesh->polygons", 10, 0xFF);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(block, block + 10), std::vector<uint8_t>(10, 0xFF));
    ASSERT_NE(slotOf(block), nullptr);
    EXPECT_STREQ(slotOf(block)->label, "mesh->polygons");
    float* empty = allocateArray<float>("mesh->UVs", 0);
    ASSERT_NE(empty, nullptr) << "a count of 0 still gives a registered block";
    static char outside[1];
    const char* label = "a label of more than thirty-two characters";
    trackAllocation(label, outside);
    ASSERT_NE(slotOf(outside), nullptr);
    EXPECT_EQ(memcmp(slotOf(outside)->label, label, ALLOCATION_LABEL_SIZE), 0);
    EXPECT_EQ(liveAllocations(), before + 3);

    int unknown = 0;
    untrackAllocation(&unknown); // never registered: no change
    untrackAllocation(nullptr);
    untrackAllocation(outside);
    EXPECT_EQ(allocateTracked("mesh->verts", SIZE_MAX / 2, 12, 0), nullptr);
    EXPECT_NE(capture.text().find("mesh->verts"), std::string::npos);
    EXPECT_EQ(liveAllocations(), before + 2);

    releaseArray(block);
    EXPECT_EQ(block, nullptr);
    releaseArray(empty);
    releaseArray(empty); // null is skipped
    EXPECT_EQ(liveAllocations(), before);
}

// The register keeps indexes so that it need not scan its slots; it must still answer exactly as the
// scans from slot 0 would. A long random run (past the full register, repeated and unknown pointers,
// releases in any order) is checked against those scans done on a copy of the slots.
TEST(AllocationRegister, IndexedSlotsMatchTheScansFromSlotZero)
{
    struct Reference {
        std::vector<void*> slots;
        int32_t count;
        void track(void* pointer)
        {
            if (count >= ALLOCATION_SLOTS)
                return;
            for (void*& slot : slots)
                if (slot == nullptr) {
                    slot = pointer;
                    ++count;
                    return;
                }
        }
        void untrack(void* pointer)
        {
            for (void*& slot : slots)
                if (slot == pointer) {
                    slot = nullptr;
                    --count;
                    return;
                }
        }
    };
    releaseTracked(allocateTracked("test->first", 1, 1, 0)); // makes sure the register is initialised
    Reference reference{{}, liveAllocations()};
    for (const AllocationSlot& slot : allocationRegister.slots)
        reference.slots.push_back(slot.pointer);

    std::vector<char> blocks(3 * ALLOCATION_SLOTS);
    std::vector<void*> live;
    uint32_t random = 12345;
    auto next = [&random](uint32_t limit) {
        random = random * 1664525u + 1013904223u;
        return (random >> 8) % limit;
    };
    const struct {
        int steps;
        uint32_t trackPercent;
    } phases[] = {{6000, 90}, {8000, 50}, {9000, 10}, {3000, 70}};
    for (const auto& phase : phases) {
        for (int step = 0; step < phase.steps; ++step) {
            if (next(100) < phase.trackPercent || live.empty()) {
                // Now and then a pointer that is already registered: both copies must be kept apart.
                void* pointer = !live.empty() && next(20) == 0 ? live[next(uint32_t(live.size()))]
                                                               : &blocks[next(uint32_t(blocks.size()))];
                trackAllocation("test->block", pointer);
                reference.track(pointer);
                live.push_back(pointer);
            } else {
                size_t which = next(uint32_t(live.size()));
                void* pointer = next(10) == 0 ? &blocks[next(uint32_t(blocks.size()))] : live[which];
                untrackAllocation(pointer);
                reference.untrack(pointer);
                if (pointer == live[which]) {
                    live[which] = live.back();
                    live.pop_back();
                }
            }
            ASSERT_EQ(liveAllocations(), reference.count) << "step " << step;
        }
        for (int i = 0; i < ALLOCATION_SLOTS; ++i)
            ASSERT_EQ(allocationRegister.slots[i].pointer, reference.slots[size_t(i)]) << "slot " << i;
    }
    for (void* pointer : live) {
        untrackAllocation(pointer);
        reference.untrack(pointer);
    }
    for (int i = 0; i < ALLOCATION_SLOTS; ++i)
        ASSERT_EQ(allocationRegister.slots[i].pointer, reference.slots[size_t(i)]) << "slot " << i;
}

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

TEST(FixedText, CutsToFitAndComparesIgnoringCase)
{
    char name[NAME_SIZE];
    EXPECT_TRUE(copyFixedText(name, sizeof(name), "pCubeShape1"));
    EXPECT_STREQ(name, "pCubeShape1");
    std::string forty(40, 'n');
    EXPECT_FALSE(copyFixedText(name, sizeof(name), forty.c_str()));
    EXPECT_EQ(std::string(name), std::string(31, 'n'));

    EXPECT_TRUE(equalIgnoringCase("Blinn1", "bLINN1"));
    EXPECT_FALSE(equalIgnoringCase("blinn1", "blinn12"));
    EXPECT_FALSE(equalIgnoringCase("a[", "A{")) << "only letters fold";
    char path[] = "C:/Proj/Tex.PNG";
    toLowerAscii(path);
    EXPECT_STREQ(path, "c:/proj/tex.png");
}
