#include "optimise/duplicates.h"

#include <cstring>

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
// Hashing finds the groups, each turn sorts its members' positions, and a two-ended walk (holes from
// the front, tail from the back) does exactly the moves the pairwise loop does.

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
enum { INSERTION_SORT_LIMIT = 32 };

// Sorts count non-negative positions below limit ascending; buffer has room for count values.
void sortPositions(int32_t* positions, int32_t count, int32_t limit, int32_t* buffer)
{
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

// Scratch arrays of one removal, each of count entries (start: count + 1).
struct Scratch {
    int32_t* block;
    int32_t* group;     // per entry: lowest original index of its value group
    int32_t* start;     // per group leader: first of its members in members
    int32_t* members;   // entries grouped by leader, ascending within a group
    int32_t* entryAt;   // per current position: the original entry held there
    int32_t* positionOf; // per original entry: its position, or for a removed one its survivor's
    int32_t* positions; // positions of one group's members during its turn
    int32_t* sortBuffer;
};

// Names every entry by the lowest original index that holds an equal value (itself for a NaN).
bool findGroups(const float* values, int32_t count, int32_t width, int32_t* group)
{
    ExactHashTable table;
    if (!createHashTable(table, "duplicates->slots", uint32_t(count)))
        return false;
    for (int32_t id = 0; id < count; ++id) {
        const float* value = values + size_t(id) * width;
        if (containsNaN(value, width)) {
            group[id] = id;
            continue;
        }
        group[id] = findOrInsert(table, hashFloats(value, width), id, [&](int32_t stored) {
            const float* other = values + size_t(stored) * width;
            for (int32_t c = 0; c < width; ++c)
                if (other[c] != value[c])
                    return false;
            return true;
        });
    }
    releaseHashTable(table);
    return true;
}

bool prepareScratch(Scratch& scratch, const float* values, int32_t count, int32_t width)
{
    size_t n = size_t(count);
    scratch.block = allocateArray<int32_t>("duplicates->scratch", 7 * n + 1);
    if (!scratch.block)
        return false;
    scratch.group = scratch.block;
    scratch.start = scratch.group + n;
    scratch.members = scratch.start + n + 1;
    scratch.entryAt = scratch.members + n;
    scratch.positionOf = scratch.entryAt + n;
    scratch.positions = scratch.positionOf + n;
    scratch.sortBuffer = scratch.positions + n;
    if (!findGroups(values, count, width, scratch.group)) {
        releaseArray(scratch.block);
        return false;
    }
    // Counting sort by group leader keeps the members of a group together.
    memset(scratch.start, 0, sizeof(int32_t) * (n + 1));
    for (int32_t id = 0; id < count; ++id)
        ++scratch.start[scratch.group[id] + 1];
    for (int32_t g = 0; g < count; ++g)
        scratch.start[g + 1] += scratch.start[g];
    for (int32_t id = 0; id < count; ++id)
        scratch.members[scratch.start[scratch.group[id]]++] = id;
    for (int32_t g = count; g > 0; --g)
        scratch.start[g] = scratch.start[g - 1];
    scratch.start[0] = 0;
    for (int32_t id = 0; id < count; ++id) {
        scratch.entryAt[id] = id;
        scratch.positionOf[id] = id;
    }
    return true;
}

// Removes every other member of the group of the entry at position i; returns how many went.
int32_t takeTurn(Scratch& scratch, float* values, int32_t width, int32_t i, int32_t& count)
{
    int32_t survivor = scratch.entryAt[i];
    int32_t group = scratch.group[survivor];
    int32_t first = scratch.start[group], end = scratch.start[group + 1];
    if (end - first < 2)
        return 0;
    int32_t numOthers = 0;
    for (int32_t m = first; m < end; ++m)
        if (scratch.members[m] != survivor)
            scratch.positions[numOthers++] = scratch.positionOf[scratch.members[m]];
    sortPositions(scratch.positions, numOthers, count, scratch.sortBuffer);

    size_t bytes = sizeof(float) * width;
    int32_t removed = 0;
    int32_t front = 0, back = numOthers - 1;
    while (front <= back) {
        int32_t hole = scratch.positions[front++];
        for (;;) {
            // The member at hole goes; corners that used it follow the survivor.
            scratch.positionOf[scratch.entryAt[hole]] = i;
            ++removed;
            int32_t last = --count;
            if (last == hole)
                break;
            int32_t moved = scratch.entryAt[last];
            memcpy(values + size_t(hole) * width, values + size_t(last) * width, bytes);
            scratch.entryAt[hole] = moved;
            scratch.positionOf[moved] = hole;
            // A member taken from the tail is the last of the group's remaining positions.
            if (scratch.group[moved] != group)
                break;
            --back;
        }
    }
    return removed;
}

int32_t removeDuplicates(Mesh& mesh, float*& values, int32_t& count, int32_t width, PolygonIndexArray which,
                         const char* label)
{
    int32_t original = count > 0 && values ? count : 0;
    int32_t removed = 0;
    if (original > 0) {
        Scratch scratch;
        if (!prepareScratch(scratch, values, original, width))
            return 0;
        int32_t remaining = original;
        for (int32_t i = 0; i < remaining; ++i)
            removed += takeTurn(scratch, values, width, i, remaining);

        // Survivors get their final positions; removed entries already name their survivor's.
        for (int32_t p = 0; p < remaining; ++p)
            scratch.positionOf[scratch.entryAt[p]] = p;
        if (removed > 0) {
            for (int32_t j = 0; j < mesh.numPolygons; ++j) {
                Polygon& polygon = mesh.polygons[j];
                int32_t* indices = indexArray(polygon, which);
                for (int32_t k = 0; k < storedCorners(polygon); ++k)
                    if (indices[k] >= 0 && indices[k] < original)
                        indices[k] = scratch.positionOf[indices[k]];
            }
        }
        releaseArray(scratch.block);
        count = remaining;
    }
    if (values) {
        void* resized = reallocateTracked(label, values, size_t(count > 0 ? count : 0) * width, sizeof(float));
        // A refused shrink leaves the larger block, still registered and valid.
        if (resized)
            values = static_cast<float*>(resized);
    }
    return removed;
}

} // namespace

int32_t removeDuplicateVerts(Mesh& mesh)
{
    return removeDuplicates(mesh, mesh.verts, mesh.numVerts, 3, VERT_INDICES, "mesh->verts");
}

int32_t removeDuplicateColors(Mesh& mesh)
{
    return removeDuplicates(mesh, mesh.colors, mesh.numColors, 3, COLOR_INDICES, "mesh->colors");
}

int32_t removeDuplicateUVs(Mesh& mesh)
{
    return removeDuplicates(mesh, mesh.UVs, mesh.numUVs, 2, UV_INDICES, "mesh->UVs");
}

int32_t removeDuplicateNormals(Mesh& mesh)
{
    return removeDuplicates(mesh, mesh.normals, mesh.numNormals, 3, NORMAL_INDICES, "mesh->normals");
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
