#include "output/triangulate.h"

#include <cmath>

#include "model/allocation.h"

namespace {

// Faces up to this many corners are worked on in stack buffers; larger ones borrow a scratch block.
enum { STACK_CORNERS = 32 };

struct Point2 {
    double u;
    double v;
};

// Twice the signed area of triangle (a, b, c): positive when it turns counter-clockwise.
double turn(const Point2& a, const Point2& b, const Point2& c)
{
    return (b.u - a.u) * (c.v - a.v) - (b.v - a.v) * (c.u - a.u);
}

int32_t writeFan(const int32_t* corners, int32_t count, int32_t* triangles)
{
    for (int32_t i = 1; i + 1 < count; ++i) {
        *triangles++ = corners[0];
        *triangles++ = corners[i];
        *triangles++ = corners[i + 1];
    }
    return count - 2;
}

int32_t writePlainFan(int32_t count, int32_t* triangles)
{
    for (int32_t i = 1; i + 1 < count; ++i) {
        *triangles++ = 0;
        *triangles++ = i;
        *triangles++ = i + 1;
    }
    return count - 2;
}

// Projects the face onto the coordinate plane its Newell normal faces most, mirrored where needed so
// that the face runs counter-clockwise there. False when the face has no usable area.
bool projectFace(const float* points, int32_t count, Point2* projected)
{
    double nx = 0.0, ny = 0.0, nz = 0.0;
    for (int32_t i = 0; i < count; ++i) {
        const float* a = points + 3 * i;
        const float* b = points + 3 * ((i + 1) % count);
        nx += (double(a[1]) - b[1]) * (double(a[2]) + b[2]);
        ny += (double(a[2]) - b[2]) * (double(a[0]) + b[0]);
        nz += (double(a[0]) - b[0]) * (double(a[1]) + b[1]);
    }
    if (!std::isfinite(nx) || !std::isfinite(ny) || !std::isfinite(nz))
        return false;
    double ax = std::fabs(nx), ay = std::fabs(ny), az = std::fabs(nz);
    if (ax == 0.0 && ay == 0.0 && az == 0.0)
        return false;
    // Newell's components are the signed areas of the face seen along x, y and z.
    int32_t uAxis, vAxis;
    double facing;
    if (ax >= ay && ax >= az) {
        uAxis = 1, vAxis = 2, facing = nx;
    } else if (ay >= az) {
        uAxis = 2, vAxis = 0, facing = ny;
    } else {
        uAxis = 0, vAxis = 1, facing = nz;
    }
    double mirror = facing < 0.0 ? -1.0 : 1.0;
    for (int32_t i = 0; i < count; ++i) {
        projected[i].u = points[3 * i + uAxis];
        projected[i].v = mirror * points[3 * i + vAxis];
    }
    return true;
}

bool isConvex(const Point2* projected, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        const Point2& a = projected[(i + count - 1) % count];
        const Point2& b = projected[i];
        const Point2& c = projected[(i + 1) % count];
        if (turn(a, b, c) < 0.0)
            return false;
    }
    return true;
}

// Inside or on the border of counter-clockwise triangle (a, b, c).
bool inTriangle(const Point2& a, const Point2& b, const Point2& c, const Point2& p)
{
    return turn(a, b, p) >= 0.0 && turn(b, c, p) >= 0.0 && turn(c, a, p) >= 0.0;
}

// Cuts off ears until a triangle remains. remaining holds the corner numbers still in the face, in
// order; an ear is a convex corner whose triangle holds no reflex corner of what is left.
int32_t clipEars(const Point2* projected, int32_t* remaining, int32_t count, int32_t* triangles)
{
    int32_t written = 0;
    int32_t left = count;
    while (left > 3) {
        int32_t ear = -1;
        for (int32_t t = 0; t < left && ear < 0; ++t) {
            int32_t a = remaining[(t + left - 1) % left], b = remaining[t], c = remaining[(t + 1) % left];
            if (turn(projected[a], projected[b], projected[c]) <= 0.0)
                continue;
            bool empty = true;
            for (int32_t r = 0; r < left && empty; ++r) {
                int32_t other = remaining[r];
                if (other == a || other == b || other == c)
                    continue;
                const Point2& before = projected[remaining[(r + left - 1) % left]];
                const Point2& after = projected[remaining[(r + 1) % left]];
                // Only reflex corners can poke into an ear of a simple polygon.
                if (turn(before, projected[other], after) > 0.0)
                    continue;
                if (inTriangle(projected[a], projected[b], projected[c], projected[other]))
                    empty = false;
            }
            if (empty)
                ear = t;
        }
        if (ear < 0)
            break; // self-touching or degenerate remainder: the fan still gives the right count
        *triangles++ = remaining[(ear + left - 1) % left];
        *triangles++ = remaining[ear];
        *triangles++ = remaining[(ear + 1) % left];
        ++written;
        for (int32_t i = ear; i + 1 < left; ++i)
            remaining[i] = remaining[i + 1];
        --left;
    }
    return written + writeFan(remaining, left, triangles);
}

} // namespace

int32_t triangulateFace(const float* points, int32_t count, int32_t* triangles)
{
    if (count < 3)
        return 0;
    if (count == 3)
        return writePlainFan(count, triangles);

    Point2 stackProjected[STACK_CORNERS];
    int32_t stackRemaining[STACK_CORNERS];
    Point2* projected = stackProjected;
    int32_t* remaining = stackRemaining;
    if (count > STACK_CORNERS) {
        projected = allocateArray<Point2>("face->projected", size_t(count));
        remaining = allocateArray<int32_t>("face->remaining", size_t(count));
        if (!projected || !remaining) {
            releaseArray(projected);
            releaseArray(remaining);
            return writePlainFan(count, triangles);
        }
    }

    int32_t written;
    if (!projectFace(points, count, projected) || isConvex(projected, count)) {
        written = writePlainFan(count, triangles);
    } else {
        for (int32_t i = 0; i < count; ++i)
            remaining[i] = i;
        written = clipEars(projected, remaining, count, triangles);
    }

    if (count > STACK_CORNERS) {
        releaseArray(projected);
        releaseArray(remaining);
    }
    return written;
}
