#include "output/triangulate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace {

// Twice the signed area of the polygon given by x, y pairs.
double polygonArea(const std::vector<double>& xy)
{
    double area = 0.0;
    size_t n = xy.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        size_t j = (i + 1) % n;
        area += xy[2 * i] * xy[2 * j + 1] - xy[2 * j] * xy[2 * i + 1];
    }
    return area;
}

// Places plane coordinates (x, y) in space as x * u + y * v.
struct Plane {
    const char* name;
    double u[3];
    double v[3];
};

const Plane kPlanes[] = {
    {"xy plane", {1, 0, 0}, {0, 1, 0}},
    {"tilted", {1, 0, 0.3}, {0, 0.6, 0.8}},
    {"facing x", {0, 1, 0}, {0, 0, 1}},
    {"facing -y", {1, 0, 0}, {0, 0, 1}},
};

std::vector<float> place(const std::vector<double>& xy, const Plane& plane)
{
    std::vector<float> points;
    for (size_t i = 0; i < xy.size(); i += 2)
        for (int c = 0; c < 3; ++c)
            points.push_back(float(xy[i] * plane.u[c] + xy[i + 1] * plane.v[c]));
    return points;
}

std::vector<int32_t> fan(int32_t count)
{
    std::vector<int32_t> triangles;
    for (int32_t i = 1; i + 1 < count; ++i)
        triangles.insert(triangles.end(), {0, i, i + 1});
    return triangles;
}

std::vector<int32_t> triangulate(const std::vector<float>& points)
{
    int32_t count = int32_t(points.size() / 3);
    std::vector<int32_t> triangles(3 * size_t(count > 2 ? count - 2 : 0) + 1, -7);
    int32_t written = triangulateFace(points.data(), count, triangles.data());
    EXPECT_EQ(written, count > 2 ? count - 2 : 0);
    EXPECT_EQ(triangles.back(), -7) << "wrote past its triangles";
    triangles.resize(3 * size_t(written > 0 ? written : 0));
    return triangles;
}

// A comb: a long bar with teeth pointing up, teeth times; strongly concave.
std::vector<double> comb(int32_t teeth)
{
    std::vector<double> xy = {0, 0, 2.0 * teeth, 0};
    for (int32_t t = teeth - 1; t >= 0; --t)
        xy.insert(xy.end(), {2.0 * t + 2, 3, 2.0 * t + 1.5, 1, 2.0 * t + 0.5, 1});
    xy.insert(xy.end(), {0, 3});
    return xy;
}

std::vector<double> reversed(const std::vector<double>& xy)
{
    std::vector<double> out;
    for (size_t i = xy.size(); i >= 2; i -= 2)
        out.insert(out.end(), {xy[i - 2], xy[i - 1]});
    return out;
}

} // namespace

// Faces with area, in several planes and both windings: every triangle keeps the face's winding and together
// they cover it exactly (so none can lie outside: cutting off an ear that holds a corner turns a later triangle
// the other way); convex faces give the fan.
TEST(TriangulateFace, TrianglesStayInsideAndKeepTheWinding)
{
    const std::vector<double> dart = {0, 0, 2, 1, 4, 0, 2, 3};
    const std::vector<double> pentagon = {10, 0, 14, 0, 14, 4, 12, 1, 10, 4};
    struct Case {
        const char* name;
        std::vector<double> xy;
        bool convex;
        std::vector<int32_t> expected; // empty: only the geometric checks
    } cases[] = {
        {"triangle", {0, 0, 1, 0, 0, 1}, true, {0, 1, 2}},
        {"hexagon", {0, 0, 2, 0, 3, 1, 2, 2, 0, 2, -1, 1}, true, {}},
        {"dart", dart, false, {3, 0, 1, 1, 2, 3}},
        {"dart wound the other way", reversed(dart), false, {}},
        {"concave pentagon", pentagon, false, {}},
        {"concave hexagon (L shape)", {0, 0, 4, 0, 4, 1, 1, 1, 1, 4, 0, 4}, false, {}},
        {"comb of 10 teeth (33 corners)", comb(10), false, {}},
        {"comb of 20 teeth (63 corners)", reversed(comb(20)), false, {}},
    };
    for (const Case& c : cases) {
        for (const Plane& plane : kPlanes) {
            SCOPED_TRACE(std::string(c.name) + ", " + plane.name);
            std::vector<int32_t> triangles = triangulate(place(c.xy, plane));
            int32_t count = int32_t(c.xy.size() / 2);
            if (c.convex) {
                EXPECT_EQ(triangles, fan(count));
            }
            if (!c.expected.empty()) {
                EXPECT_EQ(triangles, c.expected);
            }

            double faceArea = polygonArea(c.xy);
            double covered = 0.0;
            std::set<int32_t> used;
            for (size_t t = 0; t < triangles.size(); t += 3) {
                std::vector<double> triangle;
                for (size_t k = 0; k < 3; ++k) {
                    int32_t corner = triangles[t + k];
                    ASSERT_GE(corner, 0);
                    ASSERT_LT(corner, count);
                    used.insert(corner);
                    triangle.insert(triangle.end(), {c.xy[2 * corner], c.xy[2 * corner + 1]});
                }
                double area = polygonArea(triangle);
                EXPECT_GT(area * faceArea, 0.0) << "triangle " << t / 3 << " turns the other way";
                covered += area;
            }
            EXPECT_NEAR(covered, faceArea, 1e-9 * std::fabs(faceArea));
            EXPECT_EQ(int32_t(used.size()), count);
        }
    }
}

// Faces without area fall back to the fan; fewer than three corners give no triangle and write nothing.
TEST(TriangulateFace, FacesWithoutAreaFallBackToTheFan)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        std::vector<float> points;
    } cases[] = {
        {"collinear", {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3}},
        {"all in one point", {1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3}},
        {"a NaN corner", {0, 0, 0, 4, 0, 0, 2, 1, 0, nan, 4, 0, 0, 4, 0}},
        {"an infinite corner", {0, 0, 0, 4, 0, 0, 2, 1, 0, 4, inf, 0, 0, 4, 0}},
        {"a spike going back on itself", {0, 0, 0, 2, 0, 0, 1, 0, 0, 3, 0, 0}},
        {"two corners give nothing", {0, 0, 0, 1, 0, 0}},
        {"no corners", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(triangulate(c.points), fan(int32_t(c.points.size() / 3)));
    }
}
