// The API's value and array classes: vector arithmetic, points through matrices, colour defaults, array editing.
#include <maya/MColor.h>
#include <maya/MColorArray.h>
#include <maya/MFloatVector.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MIntArray.h>
#include <maya/MMatrix.h>
#include <maya/MObjectArray.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Values, VectorArithmetic) {
  struct Case {
    MVector a, b;
    double dot;
    MVector cross;
  };
  const Case cases[] = {{{1, 0, 0}, {0, 1, 0}, 0, {0, 0, 1}},
                        {{0, 1, 0}, {0, 0, 1}, 0, {1, 0, 0}},
                        {{1, 2, 3}, {4, 5, 6}, 32, {-3, 6, -3}},
                        {{2, 0, 0}, {3, 0, 0}, 6, {0, 0, 0}}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(c.a * c.b, c.dot);
    EXPECT_EQ(c.a ^ c.b, c.cross);
    EXPECT_NEAR((c.a ^ c.b) * c.a, 0.0, 1e-12);
  }
  EXPECT_DOUBLE_EQ(MVector(3, 4, 0).length(), 5.0);
  EXPECT_TRUE(MVector(3, 4, 0).normal().isEquivalent(MVector(0.6, 0.8, 0)));
  EXPECT_EQ(MVector(MFloatVector(1.5f, 2.5f, 3.5f)), MVector(1.5, 2.5, 3.5));
}

TEST(Values, PointsAndVectorsThroughMatrices) {
  double values[4][4] = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {5, 6, 7, 1}};  // turn about Z, then move
  MMatrix m(values);
  EXPECT_EQ(MPoint(1, 0, 0) * m, MPoint(5, 7, 7));
  // Vectors ignore the translation.
  EXPECT_EQ(MVector(1, 0, 0) * m, MVector(0, 1, 0));
  EXPECT_TRUE((m * m.inverse()).isEquivalent(MMatrix::identity, 1e-12));
  EXPECT_EQ(m.transpose().transpose(), m);
  EXPECT_DOUBLE_EQ(m.det4x4(), 1.0);
  EXPECT_EQ(MPoint(), MPoint(0, 0, 0, 1));
  EXPECT_EQ(MPoint(2, 4, 6, 2).cartesianize(), MPoint(1, 2, 3, 1));
  EXPECT_DOUBLE_EQ(MPoint(1, 1, 1).distanceTo(MPoint(1, 1, 3)), 2.0);
}

TEST(Values, ColourDefaultsAndComponents) {
  MColor colour;
  EXPECT_EQ(colour, MColor(0, 0, 0, 1));
  MColor c(0.1f, 0.2f, 0.3f);
  const float expected[] = {0.1f, 0.2f, 0.3f, 1.0f};
  for (unsigned i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(c[i], expected[i]);
  c[3] = 0.5f;
  EXPECT_FLOAT_EQ(c.a, 0.5f);
}

TEST(Values, ArraysGrowInsertRemoveAndCopy) {
  MIntArray numbers;
  for (int i = 0; i < 100; ++i) numbers.append(i);
  EXPECT_EQ(numbers.length(), 100u);
  EXPECT_TRUE(numbers.insert(-1, 0));
  EXPECT_TRUE(numbers.remove(100));
  EXPECT_EQ(numbers.insert(7, 200).statusCode(), MStatus::kFailure);
  EXPECT_EQ(numbers[0], -1);
  EXPECT_EQ(numbers[99], 98);
  MIntArray copy(numbers);
  numbers.setLength(3);
  EXPECT_EQ(numbers.length(), 3u);
  EXPECT_EQ(copy.length(), 100u);
  MIntArray filled(4, 9);
  EXPECT_EQ(filled[3], 9);
  MFloatVectorArray vectors;
  EXPECT_TRUE(vectors.append(MFloatVector(1, 2, 3)));  // this array reports bool
  EXPECT_FALSE(vectors.remove(4));
  EXPECT_TRUE(vectors.clear());
  MColorArray colours(2, MColor(1, 0, 0));
  EXPECT_EQ(colours[1], MColor(1, 0, 0, 1));
  MObjectArray objects(3);
  EXPECT_TRUE(objects[2].isNull());
}

}  // namespace
