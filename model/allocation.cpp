#include "model/allocation.h"

#include <cstdlib>
#include <cstring>

#include "log/log.h"

AllocationRegister allocationRegister;

void trackAllocation(const char* label, void* pointer)
{
    if (!allocationRegister.initialised) {
        memset(allocationRegister.slots, 0, sizeof(allocationRegister.slots));
        allocationRegister.count = 0;
        allocationRegister.initialised = true;
    }
    if (allocationRegister.count >= ALLOCATION_SLOTS)
        return;
    for (AllocationSlot& slot : allocationRegister.slots) {
        if (slot.pointer == nullptr) {
            // At most 32 characters; a label that fills the slot keeps no terminator.
            size_t length = strnlen(label, ALLOCATION_LABEL_SIZE);
            memset(slot.label, 0, ALLOCATION_LABEL_SIZE);
            memcpy(slot.label, label, length);
            slot.pointer = pointer;
            ++allocationRegister.count;
            return;
        }
    }
}

void untrackAllocation(void* pointer)
{
    if (!allocationRegister.initialised || pointer == nullptr)
        return;
    for (AllocationSlot& slot : allocationRegister.slots) {
        if (slot.pointer == pointer) {
            slot.pointer = nullptr;
            --allocationRegister.count;
            return;
        }
    }
}

void reportAllocations()
{
    // Kept silent: the walk exists so that a debugging build can list leaked labels here.
    int32_t live = 0;
    for (const AllocationSlot& slot : allocationRegister.slots)
        if (slot.pointer)
            ++live;
    (void)live;
}

int32_t liveAllocations()
{
    return allocationRegister.initialised ? allocationRegister.count : 0;
}

void* allocateTracked(const char* label, size_t count, size_t elementSize, int fillByte)
{
    if (elementSize != 0 && count > SIZE_MAX / elementSize) {
        logPrint(0, "Error: Allocation of %s is too large.\n", label);
        return nullptr;
    }
    size_t bytes = count * elementSize;
    // A zero-sized block is still a distinct, registered block.
    void* block = malloc(bytes ? bytes : 1);
    if (!block) {
        logPrint(0, "Error: Out of memory allocating %s.\n", label);
        return nullptr;
    }
    trackAllocation(label, block);
    memset(block, fillByte, bytes);
    return block;
}

void* reallocateTracked(const char* label, void* block, size_t count, size_t elementSize)
{
    if (elementSize != 0 && count > SIZE_MAX / elementSize) {
        logPrint(0, "Error: Allocation of %s is too large.\n", label);
        return nullptr;
    }
    size_t bytes = count * elementSize;
    untrackAllocation(block);
    void* resized = realloc(block, bytes ? bytes : 1);
    if (!resized) {
        trackAllocation(label, block);
        logPrint(0, "Error: Out of memory allocating %s.\n", label);
        return nullptr;
    }
    trackAllocation(label, resized);
    return resized;
}

void releaseTracked(void* block)
{
    if (!block)
        return;
    untrackAllocation(block);
    free(block);
}
