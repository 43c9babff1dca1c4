// Normals the host computes for a mesh without stored ones: shared across soft edges, split at hard edges.
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnMesh.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MVector.h>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// A cube of side 2 centred on the origin, faces wound outwards.
headless::MeshData centredCube() {
  headless::MeshData data;
  data.points = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1}, {-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}};
  data.faces = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
  return data;
}

std::vector<std::pair<int, int>> cubeEdges(const headless::MeshData& data) {
  std::set<std::pair<int, int>> edges;
  for (const std::vector<int>& face : data.faces) {
    for (size_t i = 0; i < face.size(); ++i) {
      int a = face[i], b = face[(i + 1) % face.size()];
      edges.insert({std::min(a, b), std::max(a, b)});
    }
  }
  return std::vector<std::pair<int, int>>(edges.begin(), edges.end());
}

MVector faceNormal(const headless::MeshData& data, int face) {
  const std::vector<int>& f = data.faces[face];
  const headless::Vec3 &a = data.points[f[0]], &b = data.points[f[1]], &c = data.points[f[2]];
  MVector ab(b.x - a.x, b.y - a.y, b.z - a.z), ac(c.x - a.x, c.y - a.y, c.z - a.z);
  return (ab ^ ac).normal();
}

TEST(MeshNormals, SoftEdgesShareAndHardEdgesSplit) {
  headless::MeshData data = centredCube();
  const std::vector<std::pair<int, int>> all = cubeEdges(data);
  // The four edges around the top face (z = 1): vertices 4..7.
  const std::vector<std::pair<int, int>> topRing = {{4, 5}, {5, 6}, {6, 7}, {4, 7}};
  struct Case {
    std::vector<std::pair<int, int>> hard;
    int normals;
  };
  const Case cases[] = {
      {{}, 8},        // one normal per vertex
      {all, 24},      // one per face corner
      {topRing, 12},  // the top face splits from its four neighbours at its four vertices
  };
  for (const Case& c : cases) {
    data.hardEdges = c.hard;
    headless::emptyScene();
    headless::createMesh("cubeShape", headless::createTransform("cube"), data);
    MDagPath path = headless::pathTo("|cube|cubeShape");
    MFnMesh mesh(path);
    EXPECT_EQ(mesh.numNormals(), c.normals);
    MFloatVectorArray normals;
    mesh.getNormals(normals);
    for (MItMeshPolygon face(path); !face.isDone(); face.next()) {
      const MVector own = faceNormal(data, face.index());
      for (int corner = 0; corner < face.polygonVertexCount(); ++corner) {
        const MFloatVector n = normals[face.normalIndex(corner)];
        const headless::Vec3& p = data.points[face.vertexIndex(corner)];
        const bool allSoft = c.hard.empty();
        const bool allHard = c.hard.size() == all.size();
        if (allSoft) {
          // Three faces meet at each corner: the shared normal points along the corner's diagonal.
          EXPECT_TRUE(n.isEquivalent(MFloatVector(MVector(p.x, p.y, p.z).normal()), 1e-5f));
        } else if (allHard || face.index() == 1) {
          EXPECT_TRUE(n.isEquivalent(MFloatVector(own), 1e-5f));
        }
        EXPECT_NEAR(n.length(), 1.0f, 1e-5f);
      }
    }
  }
}

TEST(MeshNormals, NormalIdsFollowTheVertexIdsWhenAllEdgesAreSoft) {
  headless::emptyScene();
  headless::createMesh("cubeShape", headless::createTransform("cube"), centredCube());
  for (MItMeshPolygon face(headless::pathTo("|cube|cubeShape")); !face.isDone(); face.next()) {
    for (int corner = 0; corner < face.polygonVertexCount(); ++corner) {
      EXPECT_EQ(face.normalIndex(corner), face.vertexIndex(corner));
    }
  }
}

}  // namespace
