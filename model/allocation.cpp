#include "model/allocation.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "log/log.h"

AllocationRegister allocationRegister;

// Two indexes over the slots keep registering and releasing from scanning all 4096 slots each time, which
// with hundreds of thousands of arrays (a scene of many meshes, the full register ignoring the rest)
// dominated an export: a bit per slot marks the free ones, so the first free slot is the first set bit,
// and an open-addressing hash table finds the slots of a pointer. They answer exactly as the scans would.
namespace {

enum { FREE_WORDS = ALLOCATION_SLOTS / 64, HASH_SIZE = 2 * ALLOCATION_SLOTS, NO_SLOT = -1 };

uint64_t freeSlots[FREE_WORDS];   // bit i of word w: slot 64w + i is free
int16_t slotsByPointer[HASH_SIZE]; // slot indices; NO_SLOT marks an empty entry

size_t hashOf(const void* pointer)
{
    uint64_t bits = uint64_t(uintptr_t(pointer));
    bits ^= bits >> 33;
    bits *= 0xff51afd7ed558ccdULL; // mixes the low bits, which allocator alignment leaves at zero
    bits ^= bits >> 33;
    return size_t(bits) & (HASH_SIZE - 1);
}

// Arrays of a large mesh on transparent huge pages where the system offers them on request: first touches
// then fault once per 2 MB instead of once per 4 KB, most of an export's system time otherwise.
void adviseHugePages(void* block, size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const size_t hugePage = size_t(2) << 20;
    if (bytes < hugePage)
        return;
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t begin = (uintptr_t(block) + page - 1) & ~(page - 1);
    const uintptr_t end = (uintptr_t(block) + bytes) & ~(page - 1);
    if (end > begin)
        (void)madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE); // advice only
#else
    (void)block;
    (void)bytes;
#endif
}

void resetIndexes()
{
    for (uint64_t& word : freeSlots)
        word = ~uint64_t(0);
    for (int16_t& entry : slotsByPointer)
        entry = NO_SLOT;
}

int firstFreeSlot()
{
    for (int word = 0; word < FREE_WORDS; ++word)
        if (freeSlots[word])
            return word * 64 + __builtin_ctzll(freeSlots[word]);
    return NO_SLOT;
}

void markSlot(int slot, bool free)
{
    uint64_t bit = uint64_t(1) << (slot % 64);
    if (free)
        freeSlots[slot / 64] |= bit;
    else
        freeSlots[slot / 64] &= ~bit;
}

void indexSlot(int slot)
{
    size_t entry = hashOf(allocationRegister.slots[slot].pointer);
    while (slotsByPointer[entry] != NO_SLOT)
        entry = (entry + 1) & (HASH_SIZE - 1); // linear probing; the table is never more than half full
    slotsByPointer[entry] = int16_t(slot);
}

// The hash entry of the lowest slot holding pointer, or NO_SLOT.
int findEntry(const void* pointer)
{
    int found = NO_SLOT;
    for (size_t entry = hashOf(pointer); slotsByPointer[entry] != NO_SLOT; entry = (entry + 1) & (HASH_SIZE - 1)) {
        int slot = slotsByPointer[entry];
        if (allocationRegister.slots[slot].pointer == pointer && (found == NO_SLOT || slot < slotsByPointer[found]))
            found = int(entry);
    }
    return found;
}

// Removes an entry and moves later entries of its probe run back, so that no lookup stops early.
void removeEntry(size_t entry)
{
    slotsByPointer[entry] = NO_SLOT;
    for (size_t next = (entry + 1) & (HASH_SIZE - 1); slotsByPointer[next] != NO_SLOT;
         next = (next + 1) & (HASH_SIZE - 1)) {
        int slot = slotsByPointer[next];
        size_t home = hashOf(allocationRegister.slots[slot].pointer);
        // The entry may fill the hole unless its home lies cyclically after the hole, up to where it sits.
        bool movable = next > entry ? (home <= entry || home > next) : (home <= entry && home > next);
        if (movable) {
            slotsByPointer[entry] = int16_t(slot);
            slotsByPointer[next] = NO_SLOT;
            entry = next;
        }
    }
}

} // namespace

void trackAllocation(const char* label, void* pointer)
{
    if (!allocationRegister.initialised) {
        memset(allocationRegister.slots, 0, sizeof(allocationRegister.slots));
        allocationRegister.count = 0;
        allocationRegister.initialised = true;
        resetIndexes();
    }
    if (allocationRegister.count >= ALLOCATION_SLOTS)
        return;
    int index = firstFreeSlot();
    if (index == NO_SLOT)
        return;
    AllocationSlot& slot = allocationRegister.slots[index];
    // At most 32 characters; a label that fills the slot keeps no terminator.
    size_t length = strnlen(label, ALLOCATION_LABEL_SIZE);
    memset(slot.label, 0, ALLOCATION_LABEL_SIZE);
    memcpy(slot.label, label, length);
    slot.pointer = pointer;
    ++allocationRegister.count;
    if (pointer) {
        markSlot(index, false);
        indexSlot(index);
    }
}

void untrackAllocation(void* pointer)
{
    if (!allocationRegister.initialised || pointer == nullptr)
        return;
    int entry = findEntry(pointer);
    if (entry == NO_SLOT)
        return;
    int index = slotsByPointer[entry];
    allocationRegister.slots[index].pointer = nullptr;
    --allocationRegister.count;
    removeEntry(size_t(entry));
    markSlot(index, true);
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
    // A zero-sized block is still a distinct, registered block. Zeroed blocks come from calloc, which skips
    // the clearing for the fresh pages large arrays get.
    void* block = fillByte == 0 ? calloc(bytes ? bytes : 1, 1) : malloc(bytes ? bytes : 1);
    if (!block) {
        logPrint(0, "Error: Out of memory allocating %s.\n", label);
        return nullptr;
    }
    trackAllocation(label, block);
    adviseHugePages(block, bytes);
    if (fillByte != 0 && fillByte != UNFILLED)
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
    adviseHugePages(resized, bytes);
    return resized;
}

void releaseTracked(void* block)
{
    if (!block)
        return;
    untrackAllocation(block);
    free(block);
}
