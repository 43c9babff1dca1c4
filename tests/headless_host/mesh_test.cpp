// Mesh fetches: counts and arrays agree, per-face-vertex ids stay in range, colours, UVs and world space.
#include <headless/scene.h>
#include <maya/MColorArray.h>
#include <maya/MDagPath.h>
#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnMesh.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItMeshVertex.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A unit cube: 8 corners, 6 quads, one UV per face corner except the top face, which is unmapped.
headless::MeshData cube() {
  headless::MeshData data;
  data.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
  data.faces = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
  data.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  data.faceUVs = {{0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}, {-1, -1, -1, -1}, {0, 1, 2, 3}};
  return data;
}

MObject buildCube(const headless::MeshData& data) {
  headless::emptyScene();
  MObject transform = headless::createTransform("box");
  headless::setTranslate(transform, 10, 0, 0);
  return headless::createMesh("boxShape", transform, data);
}

// (Normals under hard edges: mesh_normals_test.)
TEST(Mesh, FetchesAgreeWithTheCounts) {
  const headless::MeshData data = cube();
  buildCube(data);
  MDagPath path = headless::pathTo("|box|boxShape");
  MStatus status;
  MFnMesh mesh(path, &status);
  ASSERT_TRUE(status);
  MFloatPointArray points;
  MFloatArray u, v;
  MFloatVectorArray normals;
  MColorArray colors;
  ASSERT_TRUE(mesh.getPoints(points, MSpace::kObject));
  ASSERT_TRUE(mesh.getUVs(u, v));
  ASSERT_TRUE(mesh.getNormals(normals, MSpace::kObject));
  ASSERT_TRUE(mesh.getFaceVertexColors(colors));
  EXPECT_EQ(points.length(), static_cast<unsigned>(mesh.numVertices()));
  EXPECT_EQ(u.length(), static_cast<unsigned>(mesh.numUVs()));
  EXPECT_EQ(v.length(), static_cast<unsigned>(mesh.numUVs()));
  EXPECT_EQ(normals.length(), static_cast<unsigned>(mesh.numNormals()));
  EXPECT_EQ(colors.length(), static_cast<unsigned>(mesh.numFaceVertices()));
  MItMeshPolygon faces(path, MObject::kNullObj, &status);
  ASSERT_TRUE(status);
  MItMeshVertex vertices(path, MObject::kNullObj, &status);
  ASSERT_TRUE(status);
  int faceCount = 0;
  for (; !faces.isDone(); faces.next(), ++faceCount) {
    EXPECT_EQ(faces.index(), faceCount);
    ASSERT_EQ(faces.polygonVertexCount(), static_cast<int>(data.faces[faceCount].size()));
    for (int corner = 0; corner < faces.polygonVertexCount(); ++corner) {
      EXPECT_EQ(faces.vertexIndex(corner), data.faces[faceCount][corner]);
      const int normal = faces.normalIndex(corner);
      EXPECT_TRUE(normal >= 0 && normal < mesh.numNormals());
      int colorIndex = -1;
      EXPECT_TRUE(mesh.getFaceVertexColorIndex(faces.index(), corner, colorIndex));
      ASSERT_TRUE(colorIndex >= 0 && colorIndex < static_cast<int>(colors.length()));
      EXPECT_EQ(colors[colorIndex], MColor(-1, -1, -1, -1));
    }
  }
  EXPECT_EQ(faceCount, mesh.numPolygons());
  int vertexCount = 0;
  for (; !vertices.isDone(); vertices.next()) ++vertexCount;
  EXPECT_EQ(vertexCount, mesh.numVertices());
}

TEST(Mesh, UnmappedCornersFailGetUVIndexAndLeaveTheIndex) {
  buildCube(cube());
  MItMeshPolygon faces(headless::pathTo("|box|boxShape"));
  for (; !faces.isDone(); faces.next()) {
    for (int corner = 0; corner < faces.polygonVertexCount(); ++corner) {
      int uv = 99;
      MStatus status = faces.getUVIndex(corner, uv);
      if (faces.index() == 4) {
        EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
        EXPECT_EQ(uv, 99);
      } else {
        EXPECT_TRUE(status);
        EXPECT_EQ(uv, corner);
      }
    }
    int uv = 99;
    EXPECT_EQ(faces.getUVIndex(7, uv).statusCode(), MStatus::kInvalidParameter);
  }
}

TEST(Mesh, FaceVertexColoursWithUncolouredCorners) {
  headless::MeshData data = cube();
  data.colors = {{1, 0, 0, 1}, {0, 0, 1, 0.5f}};
  data.faceColors = {{0, 0, 1, -1}, {-1, -1, -1, -1}, {1, 1, 1, 1}, {0, 0, 0, 0}, {0, 1, 0, 1}, {-1, 0, -1, 0}};
  buildCube(data);
  MFnMesh mesh(headless::pathTo("|box|boxShape"));
  MColorArray colors;
  ASSERT_TRUE(mesh.getFaceVertexColors(colors));
  ASSERT_EQ(colors.length(), 24u);
  for (int face = 0; face < 6; ++face) {
    for (int corner = 0; corner < 4; ++corner) {
      int index = -1;
      ASSERT_TRUE(mesh.getFaceVertexColorIndex(face, corner, index));
      EXPECT_EQ(index, face * 4 + corner);
      const int id = data.faceColors[face][corner];
      const MColor expected = id < 0 ? MColor(-1, -1, -1, -1)
                                     : MColor(data.colors[id].r, data.colors[id].g, data.colors[id].b, data.colors[id].a);
      EXPECT_EQ(colors[index], expected);
    }
  }
  int index = 0;
  EXPECT_EQ(mesh.getFaceVertexColorIndex(6, 0, index).statusCode(), MStatus::kInvalidParameter);
  EXPECT_EQ(mesh.getFaceVertexColorIndex(0, 4, index).statusCode(), MStatus::kInvalidParameter);
}

TEST(Mesh, WorldSpaceNeedsAPath) {
  MObject shape = buildCube(cube());
  MFloatPointArray points;
  MFnMesh byPath(headless::pathTo("|box|boxShape"));
  ASSERT_TRUE(byPath.getPoints(points, MSpace::kWorld));
  EXPECT_EQ(points[6], MFloatPoint(11, 1, 1));
  MFnMesh byObject(shape);
  EXPECT_EQ(byObject.getPoints(points, MSpace::kWorld).statusCode(), MStatus::kInvalidParameter);
  ASSERT_TRUE(byObject.getPoints(points, MSpace::kObject));
  EXPECT_EQ(points[6], MFloatPoint(1, 1, 1));
}

TEST(Mesh, GivenNormalsAreKept) {
  headless::MeshData data;
  data.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  data.faces = {{0, 1, 2}};
  data.normals = {{0, 0, 1}, {0, 0.6, 0.8}};
  data.faceNormals = {{1, 0, 1}};
  headless::emptyScene();
  headless::createMesh("triShape", headless::createTransform("tri"), data);
  MFnMesh mesh(headless::pathTo("|tri|triShape"));
  MFloatVectorArray normals;
  mesh.getNormals(normals);
  ASSERT_EQ(normals.length(), 2u);
  EXPECT_EQ(normals[1], MFloatVector(0, 0.6f, 0.8f));
  MItMeshPolygon face(headless::pathTo("|tri|triShape"));
  EXPECT_EQ(face.normalIndex(0), 1);
  EXPECT_EQ(face.normalIndex(1), 0);
}

TEST(Mesh, InconsistentDataIsRefused) {
  struct Case {
    headless::MeshData data;
    bool valid;
  };
  headless::MeshData badFace = cube();
  badFace.faces[0] = {0, 3, 9};
  headless::MeshData twoCorners = cube();
  twoCorners.faces[0] = {0, 3};
  headless::MeshData repeated = cube();
  repeated.faces[0] = {0, 3, 3, 1};
  headless::MeshData shortUVs = cube();
  shortUVs.faceUVs.pop_back();
  headless::MeshData badColour = cube();
  badColour.colors = {{1, 1, 1, 1}};
  badColour.faceColors = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 1}};
  const Case cases[] = {{cube(), true},        {badFace, false},  {twoCorners, false},
                        {repeated, false},     {shortUVs, false}, {badColour, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(headless::validateMesh(c.data).empty(), c.valid) << headless::validateMesh(c.data);
    headless::emptyScene();
    EXPECT_EQ(headless::createMesh("shape", headless::createTransform("t"), c.data).isNull(), !c.valid);
  }
}

TEST(Mesh, ADamagedMeshReportsItsVertexIdsAsStored) {
  headless::MeshData data;
  data.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  data.faces = {{0, 1, 2}, {2, 1, 5}, {-3, 0, 2}};
  headless::emptyScene();
  MObject shape = headless::createNode("mesh", "brokenShape", headless::createTransform("broken"));
  EXPECT_FALSE(headless::setMeshGeometry(shape, data));
  ASSERT_TRUE(headless::setDamagedMeshGeometry(shape, data));
  MFnMesh mesh(shape);
  EXPECT_EQ(mesh.numVertices(), 3);
  std::vector<int> ids;
  for (MItMeshPolygon face(headless::pathTo("|broken|brokenShape")); !face.isDone(); face.next()) {
    for (int corner = 0; corner < face.polygonVertexCount(); ++corner) {
      ids.push_back(face.vertexIndex(corner));
      EXPECT_TRUE(face.normalIndex(corner) >= 0 && face.normalIndex(corner) < mesh.numNormals());
    }
  }
  EXPECT_EQ(ids, (std::vector<int>{0, 1, 2, 2, 1, 5, -3, 0, 2}));
}

}  // namespace
