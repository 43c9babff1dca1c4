// Meshes: the normals the host computes (shared across soft edges, split at hard ones), unmapped corners and what
// mesh data is refused. (Given normals kept with their ids, colours per face corner and world space through a path:
// the mesh, NURBS and camera capture tests.)
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnMesh.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MVector.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

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
  std::set<std::pair<int, int>> edges;
  for (const std::vector<int>& face : data.faces) {
    for (size_t i = 0; i < face.size(); ++i) {
      const int a = face[i], b = face[(i + 1) % face.size()];
      edges.insert({std::min(a, b), std::max(a, b)});
    }
  }
  const std::vector<std::pair<int, int>> all(edges.begin(), edges.end());
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
