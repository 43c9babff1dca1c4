#include "scene_readers/interchange/transform_decomposition.h"

#include <assimp/scene.h>

#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MMatrix.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using interchange::composeMatrix;
using interchange::decomposeMatrix;
using interchange::TransformParts;

// The library's column-vector matrices (composed right to left), in double so that the round trip is exact to
// 1e-9, handed over in the row form p' = p * M.
using Matrix = aiMatrix4x4t<double>;
using Vector = aiVector3t<double>;

struct Rows {
    double m[4][4];
};

Rows rows(const Matrix& a)
{
    Rows r{};
    for (unsigned i = 0; i < 4; ++i)
        for (unsigned j = 0; j < 4; ++j)
            r.m[i][j] = a[j][i];
    return r;
}

Matrix rotation(double x, double y, double z, double degrees)
{
    Matrix m;
    return Matrix::Rotation(degrees * 3.14159265358979323846 / 180.0, Vector(x, y, z).Normalize(), m);
}

Matrix scaling(double x, double y, double z)
{
    Matrix m;
    return Matrix::Scaling(Vector(x, y, z), m);
}

TEST(TransformDecomposition, PartsComposeBackToTheMatrixHereAndInTheHost)
{
    Matrix moved, sheared;
    Matrix::Translation(Vector(4, 5, 6), moved);
    sheared.a2 = 0.3; // x += 0.3 y, and so on
    sheared.a3 = -0.2;
    sheared.b3 = 0.7;
    const struct {
        const char* name;
        Matrix matrix;
    } cases[] = {
        {"identity", Matrix()},
        {"oblique rotation", rotation(1, 1, 1, 77)},
        {"rotation past 90 degrees", rotation(0, 0, 1, 170)},
        {"gimbal lock +90 y", rotation(0, 1, 0, 90) * rotation(1, 0, 0, 20)},
        {"gimbal lock -90 y", rotation(0, 1, 0, -90) * rotation(0, 0, 1, 35)},
        {"non-uniform scale, rotation, translation", moved * rotation(1, -1, 1, 40) * scaling(2, 0.5, 3)},
        {"mirror in x", rotation(0, 1, 0, 25) * scaling(-1, 1, 1)},
        {"mirror in z", scaling(1, 1, -2)},
        {"shear", rotation(0, 0, 1, 60) * sheared * scaling(1.5, 2, 0.5)},
        {"zero scale in y", rotation(1, 0, 0, 45) * scaling(1, 0, 2)},
    };
    for (const auto& c : cases) {
        const Rows matrix = rows(c.matrix);
        TransformParts parts;
        ASSERT_TRUE(decomposeMatrix(matrix.m, parts)) << c.name;
        double back[4][4];
        composeMatrix(parts, back);
        // The host's own transform, given the parts, is the reference for what they mean.
        headless::newScene();
        const MObject node = headless::createTransform("node");
        ASSERT_TRUE(headless::setAttr(node, "translate", std::vector<double>(parts.translate, parts.translate + 3)));
        ASSERT_TRUE(headless::setAttr(node, "rotate", std::vector<double>(parts.rotateDegrees, parts.rotateDegrees + 3)));
        ASSERT_TRUE(headless::setAttr(node, "scale", std::vector<double>(parts.scale, parts.scale + 3)));
        ASSERT_TRUE(headless::setAttr(node, "shear", std::vector<double>(parts.shear, parts.shear + 3)));
        const MMatrix host = headless::pathTo(node).inclusiveMatrix();
        for (unsigned i = 0; i < 4; ++i)
            for (unsigned j = 0; j < 3; ++j) {
                EXPECT_NEAR(back[i][j], matrix.m[i][j], 1e-9) << c.name << " [" << i << "][" << j << "]";
                EXPECT_NEAR(host(i, j), matrix.m[i][j], 1e-9) << c.name << " host [" << i << "][" << j << "]";
            }
    }
}

TEST(TransformDecomposition, NonFiniteMatricesAreRefused)
{
    for (double bad : {double(NAN), double(INFINITY), -double(INFINITY)})
        for (int cell = 0; cell < 12; ++cell) {
            Rows m = rows(Matrix());
            m.m[cell / 3][cell % 3] = bad;
            TransformParts parts;
            parts.scale[0] = 5;
            EXPECT_FALSE(decomposeMatrix(m.m, parts)) << cell;
            // Refused parts are the identity's, not what was there.
            EXPECT_EQ(parts.scale[0], 1.0);
            EXPECT_EQ(parts.translate[0], 0.0);
        }
}

} // namespace
