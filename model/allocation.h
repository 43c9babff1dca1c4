#pragma once
// Every array of the scene and output models is taken from the general allocator, registered at once
// under a literal label ("mesh->verts"), filled, and released by unregister, free, clear.

#include <cstddef>
#include <cstdint>

enum { ALLOCATION_SLOTS = 4096, ALLOCATION_LABEL_SIZE = 32 };

struct AllocationSlot {
    char label[ALLOCATION_LABEL_SIZE]; // at most 32 characters, not terminated when full
    void* pointer;                     // null: the slot is free
};

struct AllocationRegister {
    AllocationSlot slots[ALLOCATION_SLOTS];
    int32_t count; // blocks registered and not yet released
    bool initialised;
};

extern AllocationRegister allocationRegister;

// Records a block under a label in the first free slot; a full register records nothing.
void trackAllocation(const char* label, void* pointer);
// Forgets a block; an unknown pointer changes nothing.
void untrackAllocation(void* pointer);
// Walks the register at the end of an export; writes nothing.
void reportAllocations();
// Blocks registered and not yet released (0 before the first registration).
int32_t liveAllocations();

// Allocates count elements of elementSize bytes (a count of 0 still gives a block), registers it and
// fills every byte with fillByte, or leaves the bytes as the allocator gives them for UNFILLED (scratch that
// is written before it is read). Returns null, logging the label, when the size overflows or the allocator
// refuses.
enum { UNFILLED = -1 };
void* allocateTracked(const char* label, size_t count, size_t elementSize, int fillByte);
// Resizes a registered block to count elements, keeping its first elements; re-registers it under
// label. Returns null (the old block still registered and valid) when the allocator refuses.
void* reallocateTracked(const char* label, void* block, size_t count, size_t elementSize);
// Unregisters and frees a block; null is skipped.
void releaseTracked(void* block);

template <class T>
T* allocateArray(const char* label, size_t count, int fillByte = 0)
{
    return static_cast<T*>(allocateTracked(label, count, sizeof(T), fillByte));
}

// Releases the array a field points to and clears the field.
template <class T>
void releaseArray(T*& field)
{
    releaseTracked(field);
    field = nullptr;
}
