// Meshes, cameras, NURBS and lattices: the normals the host computes (shared across soft edges, split at hard ones),
// unmapped corners, what the host makes of attributes (the film back, divisions of hostile values) and the data and
// shapes it refuses. (Given normals kept with their ids, colours per face corner, world space through a path and a
// set refused by a node of another kind: the mesh, NURBS, camera and mesh-refusal capture tests; light kinds, cone
// angles and directions: the light capture tests; the default lattice's points: the model capture's lattice bounds.)
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnCamera.h>
#include <maya/MFnLattice.h>
#include <maya/MFnMesh.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

const double kDegrees = 180.0 / 3.14159265358979323846;

// (Fields of view at 50 mm on the starting film back, world eye points and light directions: the camera and light
// capture tests.)
TEST(Camera, ApertureFromItsAttributeAndUpDirectionUnderATurnedParent) {
  // Moved, turned a quarter turn about Z and scaled by 2, the rig turns the camera's up (0, 1, 0) to (-1, 0, 0).
  headless::emptyScene();
  MObject rig = headless::createTransform("rig");
  headless::setTranslate(rig, 1, 2, 3);
  headless::setRotate(rig, 0, 0, 90);
  headless::setScale(rig, 2, 2, 2);
  MObject shape = headless::createCamera("shotShape", rig);
  MFnCamera camera(headless::pathTo("|rig|shotShape"));
  EXPECT_TRUE(MPoint(camera.upDirection(MSpace::kWorld)).isEquivalent(MPoint(-1, 0, 0), 1e-9));
  headless::setAttr(shape, "fl", 50.0);
  headless::setAttr(shape, "cap", std::vector<double>{0.98, 0.735});  // 24.9 x 18.7 mm
  EXPECT_NEAR(camera.horizontalFieldOfView() * kDegrees, 27.956, 1e-3);
}

// (Bezier and other surfaces the host takes, read back, and world control points under moved parents: the NURBS
// capture tests.)
TEST(Nurbs, ShapesThatAreRefusedAndACurveWithoutControlPoints) {
  struct Case {
    int degree, numU, numV;
    bool created;
  };
  const Case cases[] = {{3, 7, 4, true}, {1, 2, 2, true},
                        {3, 3, 4, false},  // fewer control points than the degree needs
                        {0, 4, 4, false}};
  for (const Case& c : cases) {
    headless::emptyScene();
    headless::NurbsSurfaceData data;
    data.degreeU = data.degreeV = c.degree;
    data.numCVsU = c.numU;
    data.numCVsV = c.numV;
    data.cvs.assign(c.numU * c.numV, {0, 0, 0});
    EXPECT_EQ(headless::createNurbsSurface("surfaceShape", headless::createTransform("t"), data).isNull(), !c.created);
  }
  EXPECT_EQ(MFnNurbsCurve(headless::createNode("nurbsCurve", "bare", headless::findNode("t"))).numCVs(), 0);
}

TEST(Lattice, DivisionsFromAttributesOfALatticeWithoutPoints) {
  const std::pair<std::vector<double>, std::vector<unsigned>> cases[] = {{{3, 4, 5}, {3, 4, 5}},
                                                                          {{1, 4, 5}, {2, 2, 2}},  // fewer than two
                                                                          {{-7, 4, 5}, {2, 2, 2}},
                                                                          {{1e30, 1e30, 2}, {2, 2, 2}},  // too many
                                                                          {{2.9, 2, 2}, {2, 2, 2}}};
  for (const auto& c : cases) {
    headless::emptyScene();
    MObject shape = headless::createNode("lattice", "loose", headless::createTransform("cage"));
    headless::setAttr(shape, "sd", c.first[0]);
    headless::setAttr(shape, "td", c.first[1]);
    headless::setAttr(shape, "ud", c.first[2]);
    unsigned s = 0, t = 0, u = 0;
    ASSERT_TRUE(MFnLattice(shape).getDivisions(s, t, u));
    EXPECT_EQ((std::vector<unsigned>{s, t, u}), c.second) << c.first[0];
  }
  // Points that do not fill the divisions are refused.
  EXPECT_TRUE(headless::createLattice("bad", headless::findNode("cage"), 2, 2, 2,
                                      std::vector<headless::Vec3>(12)).isNull());
}

// A cube of side 2 centred on the origin, faces wound outwards; one UV per corner except on face 4.
headless::MeshData cube() {
  headless::MeshData data;
  data.points = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1}, {-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}};
  data.faces = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
  data.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  data.faceUVs = {{0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}, {-1, -1, -1, -1}, {0, 1, 2, 3}};
  return data;
}

MDagPath buildCube(const headless::MeshData& data) {
  headless::emptyScene();
  headless::createMesh("boxShape", headless::createTransform("box"), data);
  return headless::pathTo("|box|boxShape");
}

MVector faceNormal(const headless::MeshData& data, int face) {
  const std::vector<int>& f = data.faces[face];
  const headless::Vec3 &a = data.points[f[0]], &b = data.points[f[1]], &c = data.points[f[2]];
  return (MVector(b.x - a.x, b.y - a.y, b.z - a.z) ^ MVector(c.x - a.x, c.y - a.y, c.z - a.z)).normal();
}

TEST(Mesh, SoftEdgesShareNormalsAndHardEdgesSplitThem) {
  headless::MeshData data = cube();
  const std::vector<std::pair<int, int>> all = {{0, 1}, {1, 2}, {2, 3}, {0, 3}, {4, 5}, {5, 6},
                                                {6, 7}, {4, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
  struct Case {
    std::vector<std::pair<int, int>> hard;
    int normals;
  };
  const Case cases[] = {
      {{}, 8},                                       // one normal per vertex, numbered as the vertices
      {all, 24},                                     // one per face corner
      {{{4, 5}, {5, 6}, {6, 7}, {4, 7}}, 12},        // the top face (1) splits from its neighbours
  };
  for (const Case& c : cases) {
    data.hardEdges = c.hard;
    MDagPath path = buildCube(data);
    MFnMesh mesh(path);
    EXPECT_EQ(mesh.numNormals(), c.normals);
    MFloatVectorArray normals;
    ASSERT_TRUE(mesh.getNormals(normals, MSpace::kObject));
    ASSERT_EQ(normals.length(), static_cast<unsigned>(c.normals));
    for (MItMeshPolygon face(path); !face.isDone(); face.next()) {
      for (int corner = 0; corner < face.polygonVertexCount(); ++corner) {
        const MFloatVector n = normals[face.normalIndex(corner)];
        const headless::Vec3& p = data.points[face.vertexIndex(corner)];
        if (c.hard.empty()) {
          // Three faces meet at each corner: the shared normal points along the corner's diagonal.
          EXPECT_TRUE(n.isEquivalent(MFloatVector(MVector(p.x, p.y, p.z).normal()), 1e-5f));
          EXPECT_EQ(face.normalIndex(corner), face.vertexIndex(corner));
        } else if (c.hard.size() == all.size() || face.index() == 1) {
          EXPECT_TRUE(n.isEquivalent(MFloatVector(faceNormal(data, face.index())), 1e-5f));
        }
        EXPECT_NEAR(n.length(), 1.0f, 1e-5f);
      }
    }
  }
}

// A mesh this large has its normals computed on a second thread: the first query of any kind must wait for them.
TEST(Mesh, ALargeMeshsNormalsAreThereAtTheFirstQuery) {
  const int side = 256;  // 4 * 256 * 256 corners
  headless::MeshData data;
  for (int z = 0; z <= side; ++z)
    for (int x = 0; x <= side; ++x) data.points.push_back({double(x), 0.0, double(z)});
  for (int z = 0; z < side; ++z)
    for (int x = 0; x < side; ++x) {
      const int v = z * (side + 1) + x;
      data.faces.push_back({v, v + side + 1, v + side + 2, v + 1});
    }
  for (int query = 0; query < 2; ++query) {
    MDagPath path = buildCube(data);
    MFnMesh mesh(path);
    if (query == 1) {
      EXPECT_EQ(mesh.numNormals(), int(data.points.size()));
    }
    MItMeshPolygon face(path);
    for (int n = 0; n < 3 * side; ++n, face.next())
      ASSERT_EQ(face.normalIndex(n % 4), face.vertexIndex(n % 4)) << n;
    MFloatVectorArray normals;
    ASSERT_TRUE(mesh.getNormals(normals, MSpace::kObject));
    ASSERT_EQ(normals.length(), data.points.size());
    EXPECT_TRUE(normals[normals.length() / 2].isEquivalent(MFloatVector(0.0f, 1.0f, 0.0f), 1e-6f));
  }
}

TEST(Mesh, UnmappedCornersFailGetUVIndexAndLeaveTheIndex) {
  for (MItMeshPolygon faces(buildCube(cube())); !faces.isDone(); faces.next()) {
    for (int corner = 0; corner < faces.polygonVertexCount(); ++corner) {
      int uv = 99;
      MStatus status = faces.getUVIndex(corner, uv);
      EXPECT_EQ(status.statusCode(), faces.index() == 4 ? MStatus::kInvalidParameter : MStatus::kSuccess);
      EXPECT_EQ(uv, faces.index() == 4 ? 99 : corner);
    }
    int uv = 99;
    EXPECT_EQ(faces.getUVIndex(7, uv).statusCode(), MStatus::kInvalidParameter);
  }
}

// (A damaged mesh kept as it is, corners outside its vertices: the damaged-corner mesh capture test.)
TEST(Mesh, InconsistentDataIsRefused) {
  headless::MeshData badFace = cube(), twoCorners = cube(), repeated = cube(), shortUVs = cube(), badColour = cube();
  badFace.faces[0] = {0, 3, 9};
  twoCorners.faces[0] = {0, 3};
  repeated.faces[0] = {0, 3, 3, 1};
  shortUVs.faceUVs.pop_back();
  badColour.colors = {{1, 1, 1, 1}};
  badColour.faceColors.assign(6, {0, 0, 0, 0});
  badColour.faceColors[5][3] = 1;
  const std::pair<headless::MeshData, bool> cases[] = {
      {cube(), true}, {badFace, false}, {twoCorners, false}, {repeated, false}, {shortUVs, false}, {badColour, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(headless::validateMesh(c.first).empty(), c.second) << headless::validateMesh(c.first);
    headless::emptyScene();
    EXPECT_EQ(headless::createMesh("shape", headless::createTransform("t"), c.first).isNull(), !c.second);
  }
}

}  // namespace
