#include "optimise/duplicates.h"

#include <cstdlib>
#include <cstring>

#include "log/log.h"
#include "model/allocation.h"
#include "output/vertex_hash.h"

// Removing duplicates pairwise takes, for each entry i in turn, every later entry equal to it, fills
// its slot with the array's last entry and compares that entry again. The result is reproduced here
// without comparing pairs:
// - once entry i has had its turn, no entry equal to it is left behind it, so the entry reached at
//   position i is always the first of its value group still present, and each group has exactly one
//   turn, in which all its other members go;
// - during that turn the members are removed in ascending order of their current positions, and each
//   hole is filled from the tail, where members of the same group are dropped on the way;
// - only the tail moves, so the members that are not at the tail keep their positions during a turn.
// So a turn takes as many positions off the tail as the group has other members: those among them are
// dropped, and the other entries there, from the back, fill the holes the members below leave, from the
// front. One hash pass links every group into a ring, each turn sorts its members' positions (usually
// already in order) and walks the tail it takes off once, which makes exactly the moves the pairwise loop
// makes. The corners follow in one walk over the polygons at the end.

namespace {

int32_t storedCorners(const Polygon& polygon)
{
    if (polygon.numVerts < 0)
        return 0;
    return polygon.numVerts > MAX_POLYGON_CORNERS ? MAX_POLYGON_CORNERS : polygon.numVerts;
}

int32_t* indexArray(Polygon& polygon, PolygonIndexArray which)
{
    switch (which) {
    case VERT_INDICES:
        return polygon.vertIndices;
    case COLOR_INDICES:
        return polygon.colorIndices;
    case UV_INDICES:
        return polygon.uvIndices;
    case NORMAL_INDICES:
        return polygon.normalIndices;
    }
    return polygon.vertIndices;
}

// Small runs sort faster by insertion; beyond this, a radix sort keeps every turn linear.
enum { INSERTION_SORT_LIMIT = 32, MAX_MERGED_RUNS = 8 };

void reverse(int32_t* values, int32_t count)
{
    for (int32_t i = 0, j = count - 1; i < j; ++i, --j) {
        int32_t swap = values[i];
        values[i] = values[j];
        values[j] = swap;
    }
}

// Sorts count distinct positions ascending by merging their natural runs, when there are at most
// MAX_MERGED_RUNS of them: a group's positions come in the order of its entries, which is their order of
// position until entries move, and moved ones come in reverse order. Returns false, leaving the positions
// unsorted, when there are more runs. buffer has room for count values.
bool mergeRuns(int32_t* positions, int32_t count, int32_t* buffer)
{
    int32_t ends[MAX_MERGED_RUNS];
    int32_t runs = 0;
    for (int32_t start = 0; start < count;) {
        if (runs == MAX_MERGED_RUNS)
            return false;
        int32_t end = start + 1;
        if (end < count && positions[end] < positions[start]) {
            while (end < count && positions[end] < positions[end - 1])
                ++end;
            reverse(positions + start, end - start);
        } else {
            while (end < count && positions[end] > positions[end - 1])
                ++end;
        }
        ends[runs++] = end;
        start = end;
    }
    // The sorted prefix grows by one run at a time.
    for (int32_t r = 1; r < runs; ++r) {
        int32_t middle = ends[r - 1], end = ends[r];
        memcpy(buffer, positions, sizeof(int32_t) * middle);
        int32_t a = 0, b = middle, out = 0;
        while (a < middle && b < end)
            positions[out++] = buffer[a] < positions[b] ? buffer[a++] : positions[b++];
        while (a < middle)
            positions[out++] = buffer[a++];
    }
    return true;
}

// Sorts count distinct non-negative positions below limit ascending; buffer has room for count values.
void sortPositions(int32_t* positions, int32_t count, int32_t limit, int32_t* buffer)
{
    if (mergeRuns(positions, count, buffer))
        return;
    if (count <= INSERTION_SORT_LIMIT) {
        for (int32_t i = 1; i < count; ++i) {
            int32_t value = positions[i];
            int32_t j = i;
            for (; j > 0 && positions[j - 1] > value; --j)
                positions[j] = positions[j - 1];
            positions[j] = value;
        }
        return;
    }
    // Least significant byte first, only as many bytes as the largest position has.
    int32_t* from = positions;
    int32_t* to = buffer;
    for (uint32_t shift = 0; shift < 32 && (uint32_t(limit - 1) >> shift) != 0; shift += 8) {
        int32_t counts[257] = {};
        for (int32_t i = 0; i < count; ++i)
            ++counts[((uint32_t(from[i]) >> shift) & 0xFF) + 1];
        for (int32_t d = 0; d < 256; ++d)
            counts[d + 1] += counts[d];
        for (int32_t i = 0; i < count; ++i)
            to[counts[(uint32_t(from[i]) >> shift) & 0xFF]++] = from[i];
        int32_t* swap = from;
        from = to;
        to = swap;
    }
    if (from != positions)
        memcpy(positions, from, sizeof(int32_t) * count);
}

// Scratch of one removal: a block of 3 * count entries and, once the groups are linked, the hash table's
// block of at least 2 * count. Fresh memory costs a page fault per page touched, about as much as the hash
// pass itself on large arrays, so the table's block is reused, and the block is taken UNFILLED: every entry
// is written before it is read, and the two buffers of the turns are touched only as far as the largest
// group needs.
struct Scratch {
    int32_t* block;
    int32_t* next;       // per entry: the next member of its value group, in a ring (itself when alone)
    int32_t* positions;  // positions of one group's members during its turn
    int32_t* sortBuffer;
    ExactHashTable table;
    int32_t* positionOf; // per original entry: its position, or for a removed one its survivor's (table block)
    int32_t* entryAt;    // per current position: the original entry held there (table block)
};

const char* const SCRATCH_LABEL = "duplicates->scratch";

bool allocateScratch(Scratch& scratch, int32_t count)
{
    size_t n = size_t(count);
    scratch.block = static_cast<int32_t*>(allocateTracked(SCRATCH_LABEL, 3 * n, sizeof(int32_t), UNFILLED));
    if (!scratch.block)
        return false;
    scratch.next = scratch.block;
    scratch.positions = scratch.next + n;
    scratch.sortBuffer = scratch.positions + n;
    return true;
}

// Values of WIDTH floats; a width known when compiling keeps the copies and comparisons inline.
template <int32_t WIDTH>
bool sameValue(const float* a, const float* b)
{
    for (int32_t c = 0; c < WIDTH; ++c)
        if (a[c] != b[c])
            return false;
    return true;
}

template <int32_t WIDTH>
void copyValue(float* to, const float* from)
{
    for (int32_t c = 0; c < WIDTH; ++c)
        to[c] = from[c];
}

// The hash pass: links every entry into the ring of the entries of equal value (a NaN stays alone); then
// every entry is at its own position. The table keeps the latest member of each value, after which the
// next one is linked, so the rings run in ascending order of entries.
template <int32_t WIDTH>
bool linkGroups(const float* values, int32_t count, Scratch& scratch)
{
    ExactHashTable table;
    if (!createHashTable(table, "duplicates->slots", uint32_t(count)))
        return false;
    int32_t* next = scratch.next;
    for (int32_t id = 0; id < count; ++id) {
        const float* value = values + size_t(id) * WIDTH;
        if (containsNaN(value, WIDTH)) {
            next[id] = id;
            continue;
        }
        int32_t* slot = findSlot(table, hashFloats(value, WIDTH), [&](int32_t stored) {
            return sameValue<WIDTH>(values + size_t(stored) * WIDTH, value);
        });
        int32_t latest = *slot;
        if (latest < 0) {
            next[id] = id;
        } else {
            next[id] = next[latest];
            next[latest] = id;
        }
        *slot = id;
    }
    scratch.table = table;
    scratch.positionOf = table.slots;
    scratch.entryAt = table.slots + count;
    for (int32_t id = 0; id < count; ++id) {
        scratch.positionOf[id] = id;
        scratch.entryAt[id] = id;
    }
    return true;
}

// Removes every other member of the group of the entry at position i; returns how many went.
template <int32_t WIDTH>
int32_t takeTurn(Scratch& scratch, float* values, int32_t i, int32_t& count)
{
    int32_t survivor = scratch.entryAt[i];
    if (scratch.next[survivor] == survivor)
        return 0;
    int32_t numOthers = 0;
    bool ascending = true;
    for (int32_t m = scratch.next[survivor], previous = -1; m != survivor; m = scratch.next[m]) {
        int32_t position = scratch.positionOf[m];
        ascending &= position > previous;
        previous = position;
        scratch.positions[numOthers++] = position;
    }
    if (!ascending)
        sortPositions(scratch.positions, numOthers, count, scratch.sortBuffer);

    // The turn takes the last numOthers positions off the array: the members there are dropped, and the
    // other entries there fill the holes the members below leave, the last entry the first hole.
    int32_t* entryAt = scratch.entryAt;
    int32_t* positionOf = scratch.positionOf;
    const int32_t* positions = scratch.positions;
    int32_t kept = count - numOthers;
    int32_t member = numOthers - 1; // the highest member position the tail has not passed
    int32_t hole = 0;
    for (int32_t p = count - 1; p >= kept; --p) {
        // Corners that used a member follow the survivor.
        if (member >= 0 && positions[member] == p) {
            positionOf[entryAt[p]] = i;
            --member;
            continue;
        }
        int32_t at = positions[hole++];
        positionOf[entryAt[at]] = i;
        int32_t moved = entryAt[p];
        copyValue<WIDTH>(values + size_t(at) * WIDTH, values + size_t(p) * WIDTH);
        entryAt[at] = moved;
        positionOf[moved] = at;
    }
    count = kept;
    return numOthers;
}

template <int32_t WIDTH>
int32_t removeDuplicates(Mesh& mesh, float*& values, int32_t& count, PolygonIndexArray which, const char* label)
{
    int32_t original = count > 0 && values ? count : 0;
    int32_t removed = 0;
    if (original > 0) {
        Scratch scratch;
        if (!allocateScratch(scratch, original))
            return 0;
        if (!linkGroups<WIDTH>(values, original, scratch)) {
            releaseArray(scratch.block);
            return 0;
        }
        int32_t remaining = original;
        for (int32_t i = 0; i < remaining; ++i)
            removed += takeTurn<WIDTH>(scratch, values, i, remaining);

        // Every entry left names its own position and every removed one its survivor's.
        if (removed > 0) {
            for (int32_t j = 0; j < mesh.numPolygons; ++j) {
                Polygon& polygon = mesh.polygons[j];
                int32_t* indices = indexArray(polygon, which);
                for (int32_t k = 0; k < storedCorners(polygon); ++k) {
                    // Unchanged indices are not written back, so that polygons no removal touched stay clean
                    // in the cache and cost no write to memory.
                    if (indices[k] >= 0 && indices[k] < original && scratch.positionOf[indices[k]] != indices[k])
                        indices[k] = scratch.positionOf[indices[k]];
                }
            }
        }
        releaseHashTable(scratch.table);
        releaseArray(scratch.block);
        count = remaining;
    }
    if (values) {
        void* resized = reallocateTracked(label, values, size_t(count > 0 ? count : 0) * WIDTH, sizeof(float));
        // A refused shrink leaves the larger block, still registered and valid.
        if (resized)
            values = static_cast<float*>(resized);
    }
    return removed;
}

} // namespace

int32_t removeDuplicateVerts(Mesh& mesh)
{
    return removeDuplicates<3>(mesh, mesh.verts, mesh.numVerts, VERT_INDICES, "mesh->verts");
}

int32_t removeDuplicateColors(Mesh& mesh)
{
    return removeDuplicates<3>(mesh, mesh.colors, mesh.numColors, COLOR_INDICES, "mesh->colors");
}

int32_t removeDuplicateUVs(Mesh& mesh)
{
    return removeDuplicates<2>(mesh, mesh.UVs, mesh.numUVs, UV_INDICES, "mesh->UVs");
}

int32_t removeDuplicateNormals(Mesh& mesh)
{
    return removeDuplicates<3>(mesh, mesh.normals, mesh.numNormals, NORMAL_INDICES, "mesh->normals");
}

void remapPolygonIndices(Mesh& mesh, PolygonIndexArray which, int32_t from, int32_t to)
{
    for (int32_t j = 0; j < mesh.numPolygons; ++j) {
        Polygon& polygon = mesh.polygons[j];
        int32_t* indices = indexArray(polygon, which);
        for (int32_t k = 0; k < storedCorners(polygon); ++k)
            if (indices[k] == from)
                indices[k] = to;
    }
}
