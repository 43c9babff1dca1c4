#include "scene_readers/interchange/transform_decomposition.h"

#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MMatrix.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using interchange::composeMatrix;
using interchange::decomposeMatrix;
using interchange::TransformParts;

const double kPi = 3.14159265358979323846;

// Row-vector matrices: p' = p * M.
struct Matrix {
    double m[4][4];
};

Matrix identity()
{
    Matrix r{};
    for (int i = 0; i < 4; ++i)
        r.m[i][i] = 1.0;
    return r;
}

Matrix multiply(const Matrix& a, const Matrix& b)
{
    Matrix r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                r.m[i][j] += a.m[i][k] * b.m[k][j];
    return r;
}

Matrix scaling(double x, double y, double z)
{
    Matrix r = identity();
    r.m[0][0] = x;
    r.m[1][1] = y;
    r.m[2][2] = z;
    return r;
}

// Rotation of angle degrees about a unit axis, in row form.
Matrix rotation(double ax, double ay, double az, double degrees)
{
    const double a = degrees * kPi / 180.0, c = std::cos(a), s = std::sin(a), t = 1 - c;
    Matrix r = identity();
    // Column form of Rodrigues' formula, transposed.
    const double col[3][3] = {
        {t * ax * ax + c, t * ax * ay - s * az, t * ax * az + s * ay},
        {t * ax * ay + s * az, t * ay * ay + c, t * ay * az - s * ax},
        {t * ax * az - s * ay, t * ay * az + s * ax, t * az * az + c},
    };
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[i][j] = col[j][i];
    return r;
}

Matrix translation(double x, double y, double z)
{
    Matrix r = identity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

Matrix shearing(double xy, double xz, double yz)
{
    Matrix r = identity();
    r.m[1][0] = xy;
    r.m[2][0] = xz;
    r.m[2][1] = yz;
    return r;
}

struct Case {
    const char* name;
    Matrix matrix;
};

std::vector<Case> cases()
{
    const double s = std::sqrt(1.0 / 3.0);
    return {
        {"identity", identity()},
        {"translation", translation(1, -2, 3.5)},
        {"rotation about x", rotation(1, 0, 0, 30)},
        {"rotation about y", rotation(0, 1, 0, -120)},
        {"rotation about z", rotation(0, 0, 1, 170)},
        {"oblique rotation", rotation(s, s, s, 77)},
        {"gimbal lock +90 y", multiply(rotation(1, 0, 0, 20), rotation(0, 1, 0, 90))},
        {"gimbal lock -90 y", multiply(rotation(0, 0, 1, 35), rotation(0, 1, 0, -90))},
        {"non-uniform scale, rotation, translation",
         multiply(multiply(scaling(2, 0.5, 3), rotation(s, -s, s, 40)), translation(4, 5, 6))},
        {"mirror in x", multiply(scaling(-1, 1, 1), rotation(0, 1, 0, 25))},
        {"mirror in z", scaling(1, 1, -2)},
        {"shear", multiply(multiply(scaling(1.5, 2, 0.5), shearing(0.3, -0.2, 0.7)), rotation(0, 0, 1, 60))},
        {"zero scale in y", multiply(scaling(1, 0, 2), rotation(1, 0, 0, 45))},
    };
}

TEST(TransformDecomposition, PartsComposeBackToTheMatrixHereAndInTheHost)
{
    for (const Case& c : cases()) {
        TransformParts parts;
        ASSERT_TRUE(decomposeMatrix(c.matrix.m, parts)) << c.name;
        double back[4][4];
        composeMatrix(parts, back);
        // The parts set on a host transform give back the matrix the file gave, too.
        headless::newScene();
        const MObject node = headless::createTransform("node");
        ASSERT_TRUE(headless::setAttr(node, "translate", std::vector<double>(parts.translate, parts.translate + 3)));
        ASSERT_TRUE(headless::setAttr(node, "rotate", std::vector<double>(parts.rotateDegrees, parts.rotateDegrees + 3)));
        ASSERT_TRUE(headless::setAttr(node, "scale", std::vector<double>(parts.scale, parts.scale + 3)));
        ASSERT_TRUE(headless::setAttr(node, "shear", std::vector<double>(parts.shear, parts.shear + 3)));
        const MMatrix host = headless::pathTo(node).inclusiveMatrix();
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 3; ++j) {
                EXPECT_NEAR(back[i][j], c.matrix.m[i][j], 1e-9) << c.name << " [" << i << "][" << j << "]";
                EXPECT_NEAR(host(i, j), c.matrix.m[i][j], 1e-9) << c.name << " host [" << i << "][" << j << "]";
            }
    }
}

TEST(TransformDecomposition, SimpleMatricesGiveTheirOwnParts)
{
    struct Expectation {
        const char* name;
        Matrix matrix;
        TransformParts parts;
    };
    TransformParts rotated;
    rotated.rotateDegrees[1] = 30;
    TransformParts scaled;
    scaled.scale[0] = 2;
    scaled.scale[1] = 3;
    scaled.scale[2] = 4;
    scaled.translate[0] = 7;
    TransformParts mirrored;
    mirrored.scale[2] = -1;
    const Expectation expectations[] = {
        {"rotate y 30", rotation(0, 1, 0, 30), rotated},
        {"scale then translate", multiply(scaling(2, 3, 4), translation(7, 0, 0)), scaled},
        {"mirror in z", scaling(1, 1, -1), mirrored},
    };
    for (const Expectation& e : expectations) {
        TransformParts parts;
        ASSERT_TRUE(decomposeMatrix(e.matrix.m, parts)) << e.name;
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(parts.translate[i], e.parts.translate[i], 1e-9) << e.name;
            EXPECT_NEAR(parts.rotateDegrees[i], e.parts.rotateDegrees[i], 1e-9) << e.name;
            EXPECT_NEAR(parts.scale[i], e.parts.scale[i], 1e-9) << e.name;
            EXPECT_NEAR(parts.shear[i], 0.0, 1e-12) << e.name;
        }
    }
}

TEST(TransformDecomposition, NonFiniteMatricesAreRefused)
{
    const double values[] = {NAN, INFINITY, -INFINITY};
    for (double bad : values)
        for (int cell = 0; cell < 12; ++cell) {
            Matrix m = identity();
            m.m[cell / 3][cell % 3] = bad;
            TransformParts parts;
            parts.scale[0] = 5;
            EXPECT_FALSE(decomposeMatrix(m.m, parts)) << cell;
            EXPECT_EQ(parts.scale[0], 1.0);
            EXPECT_EQ(parts.translate[0], 0.0);
        }
}

} // namespace
