// Attaching function sets: what fits, the statuses of what does not, the sets' own types, and dead objects.
#include <headless/scene.h>
#include <maya/MColor.h>
#include <maya/MDagPath.h>
#include <maya/MFnBlinnShader.h>
#include <maya/MFnCamera.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnLambertShader.h>
#include <maya/MFnLatticeDeformer.h>
#include <maya/MFnMesh.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MFnPhongShader.h>
#include <maya/MFnReflectShader.h>
#include <maya/MFnSet.h>
#include <maya/MFnStringData.h>
#include <maya/MFnTransform.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItMeshVertex.h>
#include <maya/MPlug.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const headless::MeshData kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

void buildScene() {
  headless::emptyScene();
  headless::createMesh("cubeShape", headless::createTransform("cube"), kTriangle);
  headless::createCamera("camShape", headless::createTransform("cam"));
  headless::createShader("lambert", "flat");
  headless::createShader("blinn", "shiny");
  headless::createShader("phong", "glossy");
  headless::createShader("phongE", "explorer");
  headless::createShadingGroup("paintSG", MObject());
  headless::createNode("layeredShader", "layers");
}

template <class Fn>
std::function<MStatus(const MObject&)> objectAttach() {
  return [](const MObject& object) {
    MStatus status;
    Fn fn(object, &status);
    return status;
  };
}

TEST(FunctionSets, AttachStatusesForObjects) {
  buildScene();
  struct Case {
    const char* node;  // nullptr: the null object
    const char* set;
    std::function<MStatus(const MObject&)> attach;
    MStatus::MStatusCode status;
  };
  const Case cases[] = {
      {"cubeShape", "MFnMesh", objectAttach<MFnMesh>(), MStatus::kSuccess},
      {"camShape", "MFnMesh", objectAttach<MFnMesh>(), MStatus::kInvalidParameter},
      {"cube", "MFnMesh", objectAttach<MFnMesh>(), MStatus::kInvalidParameter},
      {"cube", "MFnTransform", objectAttach<MFnTransform>(), MStatus::kSuccess},
      {"cubeShape", "MFnDagNode", objectAttach<MFnDagNode>(), MStatus::kSuccess},
      {"flat", "MFnDagNode", objectAttach<MFnDagNode>(), MStatus::kInvalidParameter},
      {"flat", "MFnDependencyNode", objectAttach<MFnDependencyNode>(), MStatus::kSuccess},
      {nullptr, "MFnDependencyNode", objectAttach<MFnDependencyNode>(), MStatus::kInvalidParameter},
      {"shiny", "MFnLambertShader", objectAttach<MFnLambertShader>(), MStatus::kSuccess},
      {"shiny", "MFnReflectShader", objectAttach<MFnReflectShader>(), MStatus::kSuccess},
      {"shiny", "MFnPhongShader", objectAttach<MFnPhongShader>(), MStatus::kInvalidParameter},
      {"flat", "MFnReflectShader", objectAttach<MFnReflectShader>(), MStatus::kInvalidParameter},
      {"flat", "MFnBlinnShader", objectAttach<MFnBlinnShader>(), MStatus::kInvalidParameter},
      {"glossy", "MFnPhongShader", objectAttach<MFnPhongShader>(), MStatus::kSuccess},
      // phongE is built on reflect: lambert and reflect sets fit, the phong set does not.
      {"explorer", "MFnLambertShader", objectAttach<MFnLambertShader>(), MStatus::kSuccess},
      {"explorer", "MFnReflectShader", objectAttach<MFnReflectShader>(), MStatus::kSuccess},
      {"explorer", "MFnPhongShader", objectAttach<MFnPhongShader>(), MStatus::kInvalidParameter},
      {"layers", "MFnLambertShader", objectAttach<MFnLambertShader>(), MStatus::kInvalidParameter},
      {"paintSG", "MFnSet", objectAttach<MFnSet>(), MStatus::kSuccess},
      {"cubeShape", "MFnSet", objectAttach<MFnSet>(), MStatus::kInvalidParameter},
      {"paintSG", "MFnLatticeDeformer", objectAttach<MFnLatticeDeformer>(), MStatus::kInvalidParameter},
      {"flat", "MFnStringData", objectAttach<MFnStringData>(), MStatus::kInvalidParameter},
  };
  for (const Case& c : cases) {
    MObject object = c.node != nullptr ? headless::findNode(c.node) : MObject::kNullObj;
    EXPECT_EQ(c.attach(object).statusCode(), c.status) << c.set << " on " << (c.node ? c.node : "null");
  }
  // setObject reports the same and leaves the set without an object on failure.
  MFnMesh mesh;
  EXPECT_EQ(mesh.setObject(headless::findNode("camShape")).statusCode(), MStatus::kInvalidParameter);
  EXPECT_TRUE(mesh.object().isNull());
  EXPECT_TRUE(mesh.setObject(headless::findNode("cubeShape")));
  EXPECT_EQ(mesh.object(), headless::findNode("cubeShape"));
}

TEST(FunctionSets, AttachStatusesForPaths) {
  buildScene();
  struct Case {
    const char* path;
    MStatus::MStatusCode mesh, camera, transform, surface;
  };
  const Case cases[] = {
      {"|cube", MStatus::kSuccess, MStatus::kInvalidParameter, MStatus::kSuccess, MStatus::kInvalidParameter},
      {"|cube|cubeShape", MStatus::kSuccess, MStatus::kInvalidParameter, MStatus::kInvalidParameter,
       MStatus::kInvalidParameter},
      {"|cam", MStatus::kInvalidParameter, MStatus::kSuccess, MStatus::kSuccess, MStatus::kInvalidParameter},
  };
  for (const Case& c : cases) {
    MDagPath path = headless::pathTo(c.path);
    MStatus mesh, camera, transform, surface;
    MFnMesh a(path, &mesh);
    MFnCamera b(path, &camera);
    MFnTransform d(path, &transform);
    MFnNurbsSurface e(path, &surface);
    EXPECT_EQ(mesh.statusCode(), c.mesh) << c.path;
    EXPECT_EQ(camera.statusCode(), c.camera) << c.path;
    EXPECT_EQ(transform.statusCode(), c.transform) << c.path;
    EXPECT_EQ(surface.statusCode(), c.surface) << c.path;
  }
  MStatus status;
  MFnDagNode none(MDagPath(), &status);
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
  MItMeshPolygon faces(headless::pathTo("|cam"), MObject::kNullObj, &status);
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  MItMeshVertex vertices(headless::pathTo("|cube"), MObject::kNullObj, &status);
  EXPECT_TRUE(status);
}

TEST(FunctionSets, TypeOfEachSet) {
  struct Case {
    MFn::Type type;
    MFn::Type expected;
  };
  const Case cases[] = {
      {MFnDependencyNode().type(), static_cast<MFn::Type>(4)}, {MFnLambertShader().type(), static_cast<MFn::Type>(353)},
      {MFnReflectShader().type(), static_cast<MFn::Type>(354)}, {MFnPhongShader().type(), static_cast<MFn::Type>(356)},
      {MFnBlinnShader().type(), static_cast<MFn::Type>(355)},  {MFnMesh().type(), static_cast<MFn::Type>(287)},
      {MFnTransform().type(), static_cast<MFn::Type>(109)},    {MFnCamera().type(), static_cast<MFn::Type>(242)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.type, c.expected);
}

TEST(FunctionSets, GettersWithoutAnObjectFail) {
  MFnDependencyNode node;
  MStatus status;
  EXPECT_EQ(node.name(&status), MString(""));
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  MFnLambertShader shader;
  shader.color(&status);
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  MFnMesh mesh;
  mesh.numVertices(&status);
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
}

TEST(FunctionSets, ObjectsOfAnOldSceneBecomeNull) {
  buildScene();
  MObject flat = headless::findNode("flat");
  MFnDependencyNode fn(flat);
  EXPECT_FALSE(flat.isNull());
  headless::emptyScene();
  EXPECT_TRUE(flat.isNull());
  EXPECT_EQ(flat.apiType(), MFn::kInvalid);
  MStatus status;
  fn.name(&status);
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  EXPECT_EQ(MFnDependencyNode(flat, &status).object(), MObject());
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
}

TEST(FunctionSets, DependencyAndDagNodeQueries) {
  buildScene();
  MFnDependencyNode shiny(headless::findNode("shiny"));
  EXPECT_STREQ(shiny.typeName().asChar(), "blinn");
  EXPECT_STREQ(shiny.name().asChar(), "shiny");
  EXPECT_STREQ(headless::findNode("shiny").apiTypeStr(), "kBlinn");
  MStatus status;
  shiny.findPlug("noSuchAttribute", &status);
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
  shiny.attribute("noSuchAttribute", &status);
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
  EXPECT_FALSE(shiny.attribute("eccentricity", &status).isNull());
  MFnDagNode cube(headless::pathTo("|cube"));
  EXPECT_EQ(cube.childCount(), 1u);
  EXPECT_EQ(cube.child(0), headless::findNode("cubeShape"));
  EXPECT_EQ(cube.parentCount(), 1u);
  EXPECT_EQ(cube.parent(0).apiType(), MFn::kWorld);
  EXPECT_STREQ(cube.fullPathName().asChar(), "|cube");
  EXPECT_FALSE(cube.isIntermediateObject());
  headless::setIntermediate(headless::findNode("cube"), true);
  EXPECT_TRUE(cube.isIntermediateObject());
}

}  // namespace
