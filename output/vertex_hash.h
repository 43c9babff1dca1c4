#pragma once
// Exact-value hashing for welding and duplicate removal: a flat open-addressing table of element ids,
// power-of-two sized, keyed on the exact bits of the values the ids stand for.
//
// Two floats are the same key exactly when they compare equal: 0.0 and -0.0 hash alike (the sign bit
// of a zero is dropped), values that differ in the last bit hash apart, and a value containing a NaN
// equals nothing, so callers never insert or look up such a value.

#include <cassert>
#include <cstdint>
#include <cstring>

#include "log/log.h"
#include "model/allocation.h"

// Bits of a float with -0.0 folded onto +0.0, so that equal floats give equal bits.
inline uint32_t exactFloatBits(float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    return bits == 0x80000000u ? 0u : bits;
}

// True when any of the count floats is a NaN (such a value matches nothing, not even itself).
inline bool containsNaN(const float* values, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        if (values[i] != values[i])
            return true;
    return false;
}

// Mixes one 32-bit word into a running hash (multiply-rotate, as in MurmurHash3's block step).
inline uint32_t hashWord(uint32_t hash, uint32_t word)
{
    word *= 0xcc9e2d51u;
    word = (word << 15) | (word >> 17);
    word *= 0x1b873593u;
    hash ^= word;
    hash = (hash << 13) | (hash >> 19);
    return hash * 5u + 0xe6546b64u;
}

// Final avalanche, so that the low bits used as the slot index depend on every input bit.
inline uint32_t finishHash(uint32_t hash)
{
    hash ^= hash >> 16;
    hash *= 0x85ebca6bu;
    hash ^= hash >> 13;
    hash *= 0xc2b2ae35u;
    hash ^= hash >> 16;
    return hash;
}

// Hash of count floats by their exact bits.
inline uint32_t hashFloats(const float* values, int32_t count, uint32_t hash = 0)
{
    for (int32_t i = 0; i < count; ++i)
        hash = hashWord(hash, exactFloatBits(values[i]));
    return hash;
}

// A table of element ids; -1 marks a free slot. The keys live with the caller, who compares them.
struct ExactHashTable {
    int32_t* slots;
    uint32_t mask; // slot count - 1
};

// Sizes the table for up to capacity ids (at most half full, so probe runs stay short) and clears it.
// The scratch block is registered under label. Returns false, with the allocation failure logged,
// when memory runs out.
inline bool createHashTable(ExactHashTable& table, const char* label, uint32_t capacity)
{
    table.slots = nullptr;
    table.mask = 0;
    if (capacity > (1u << 30)) {
        logPrint(0, "Error: Allocation of %s is too large.\n", label);
        return false;
    }
    uint32_t size = 16;
    while (size < 2 * uint64_t(capacity))
        size *= 2;
    table.slots = allocateArray<int32_t>(label, size, 0xFF);
    table.mask = size - 1;
    return table.slots != nullptr;
}

inline void releaseHashTable(ExactHashTable& table)
{
    releaseArray(table.slots);
    table.mask = 0;
}

// Returns the slot that holds an id whose key equals the searched one (isEqual(storedId) says so), or
// else the free slot (-1) where that key belongs. The caller may store an id there, as long as the table
// keeps room (ids stored < capacity given at creation), or replace the id by another of the same key.
template <class IsEqual>
int32_t* findSlot(const ExactHashTable& table, uint32_t hash, IsEqual isEqual)
{
    uint32_t slot = finishHash(hash) & table.mask;
    // Collision: triangular probing visits every slot of a power-of-two table.
    for (uint32_t step = 1;; ++step) {
        int32_t stored = table.slots[slot];
        if (stored < 0 || isEqual(stored))
            return table.slots + slot;
        slot = (slot + step) & table.mask;
    }
}

// Returns the id already stored whose key equals the new one (isEqual(storedId) says so), or stores id
// and returns it. The table must have room (ids inserted < capacity given at creation).
template <class IsEqual>
int32_t findOrInsert(ExactHashTable& table, uint32_t hash, int32_t id, IsEqual isEqual)
{
    assert(id >= 0);
    uint32_t slot = finishHash(hash) & table.mask;
    // Collision: triangular probing visits every slot of a power-of-two table.
    for (uint32_t step = 1;; ++step) {
        int32_t stored = table.slots[slot];
        if (stored < 0) {
            table.slots[slot] = id;
            return id;
        }
        if (isEqual(stored))
            return stored;
        slot = (slot + step) & table.mask;
    }
}

// Returns the stored id whose key equals the searched one, or -1 when there is none.
template <class IsEqual>
int32_t findInTable(const ExactHashTable& table, uint32_t hash, IsEqual isEqual)
{
    uint32_t slot = finishHash(hash) & table.mask;
    for (uint32_t step = 1;; ++step) {
        int32_t stored = table.slots[slot];
        if (stored < 0)
            return -1;
        if (isEqual(stored))
            return stored;
        slot = (slot + step) & table.mask;
    }
}
