// Function sets: what they attach to and the statuses of what they refuse, sets without a live object, and the
// host's starting values read through the shader sets.
#include <headless/scene.h>
#include <maya/MColor.h>
#include <maya/MDagPath.h>
#include <maya/MFnBlinnShader.h>
#include <maya/MFnCamera.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnLatticeDeformer.h>
#include <maya/MFnMesh.h>
#include <maya/MFnLambertShader.h>
#include <maya/MFnPhongShader.h>
#include <maya/MFnReflectShader.h>
#include <maya/MFnSet.h>
#include <maya/MFnStringData.h>
#include <maya/MFnTransform.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItMeshVertex.h>
#include <maya/MPlug.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

void buildScene() {
  headless::emptyScene();
  headless::createMesh("cubeShape", headless::createTransform("cube"), {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}});
  headless::createCamera("camShape", headless::createTransform("cam"));
  headless::createShader("lambert", "flat");
  headless::createShader("blinn", "shiny");
  headless::createShader("phongE", "explorer");
  headless::createShadingGroup("paintSG", MObject());
  headless::createNode("layeredShader", "layers");
}

template <class Fn>
std::function<MStatus(const MObject&)> attach() {
  return [](const MObject& object) {
    MStatus status;
    Fn fn(object, &status);
    return status;
  };
}

TEST(FunctionSets, WhatFitsAnObjectAndTheStatusOfWhatDoesNot) {
  buildScene();
  const MStatus::MStatusCode ok = MStatus::kSuccess, no = MStatus::kInvalidParameter;
  struct Case {
    const char* node;  // nullptr: the null object
    std::function<MStatus(const MObject&)> attach;
    MStatus::MStatusCode status;
  };
  const Case cases[] = {
      // (The sets the capture attaches to each kind of node: the capture tests.)
      {"camShape", attach<MFnMesh>(), no},            {"cube", attach<MFnMesh>(), no},
      {"flat", attach<MFnDagNode>(), no},             {nullptr, attach<MFnDependencyNode>(), no},
      {"shiny", attach<MFnPhongShader>(), no},        {"flat", attach<MFnReflectShader>(), no},
      // phongE is built on reflect: lambert and reflect sets fit, the phong set does not.
      {"explorer", attach<MFnLambertShader>(), ok},   {"explorer", attach<MFnReflectShader>(), ok},
      {"explorer", attach<MFnPhongShader>(), no},     {"layers", attach<MFnLambertShader>(), no},
      {"cubeShape", attach<MFnSet>(), no},            {"paintSG", attach<MFnLatticeDeformer>(), no},
      {"flat", attach<MFnStringData>(), no},
  };
  for (const Case& c : cases) {
    MObject object = c.node != nullptr ? headless::findNode(c.node) : MObject::kNullObj;
    EXPECT_EQ(c.attach(object).statusCode(), c.status) << (c.node ? c.node : "null");
  }
  // setObject reports the same and leaves the set without an object on failure.
  MFnMesh mesh;
  EXPECT_EQ(mesh.setObject(headless::findNode("camShape")).statusCode(), no);
  EXPECT_TRUE(mesh.object().isNull());
  // On paths a transform answers for its shape, a shape not for its transform.
  struct PathCase {
    const char* path;
    MStatus::MStatusCode mesh, camera, transform;
  };
  const PathCase paths[] = {{"|cube", ok, no, ok}, {"|cube|cubeShape", ok, no, no}, {"|cam", no, ok, ok}};
  for (const PathCase& c : paths) {
    MStatus m, cam, t;
    MFnMesh a(headless::pathTo(c.path), &m);
    MFnCamera b(headless::pathTo(c.path), &cam);
    MFnTransform d(headless::pathTo(c.path), &t);
    EXPECT_EQ(m.statusCode(), c.mesh) << c.path;
    EXPECT_EQ(cam.statusCode(), c.camera) << c.path;
    EXPECT_EQ(t.statusCode(), c.transform) << c.path;
  }
  MStatus status;
  MFnDagNode none(MDagPath(), &status);
  EXPECT_EQ(status.statusCode(), no);
  MItMeshPolygon faces(headless::pathTo("|cam"), MObject::kNullObj, &status);
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  MItMeshVertex vertices(headless::pathTo("|cube"), MObject::kNullObj, &status);
  EXPECT_TRUE(status);
  MFnDependencyNode(headless::findNode("shiny")).findPlug("noSuchAttribute", &status);
  EXPECT_EQ(status.statusCode(), no);
}

TEST(FunctionSets, WithoutAnObjectOrWithOneOfAnOldSceneGettersFail) {
  buildScene();
  MObject flat = headless::findNode("flat");
  MFnDependencyNode fn(flat);
  headless::emptyScene();
  EXPECT_TRUE(flat.isNull());
  EXPECT_EQ(flat.apiType(), MFn::kInvalid);
  MStatus status;
  fn.name(&status);
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  EXPECT_EQ(MFnDependencyNode(flat, &status).object(), MObject());
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
  EXPECT_EQ(MFnDependencyNode().name(&status), MString(""));
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  MFnLambertShader().color(&status);
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  MFnMesh().numVertices(&status);
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
}

TEST(FunctionSets, EveryLambertBasedShaderStartsWithTheHostsValues) {
  headless::emptyScene();
  const MColor black(0, 0, 0, 1), grey(0.5f, 0.5f, 0.5f, 1.0f);
  for (const char* type : {"lambert", "blinn", "phong", "phongE"}) {
    MFnLambertShader shader(headless::createShader(type, ""));
    EXPECT_EQ(shader.color(), grey) << type;
    EXPECT_EQ(shader.transparency(), black) << type;
    EXPECT_EQ(shader.ambientColor(), black) << type;
    EXPECT_EQ(shader.incandescence(), black) << type;
    EXPECT_FLOAT_EQ(shader.diffuseCoeff(), 0.8f) << type;
    EXPECT_FLOAT_EQ(shader.translucenceCoeff(), 0.0f) << type;
    EXPECT_FLOAT_EQ(shader.glowIntensity(), 0.0f) << type;
    EXPECT_FLOAT_EQ(shader.refractiveIndex(), 1.0f) << type;
    EXPECT_EQ(shader.refractedRayDepthLimit(), 6) << type;
    EXPECT_FALSE(shader.rtRefractedColor()) << type;
  }
  MFnBlinnShader blinn(headless::createShader("blinn", "b"));
  EXPECT_FLOAT_EQ(blinn.eccentricity(), 0.3f);
  EXPECT_FLOAT_EQ(blinn.specularRollOff(), 0.7f);
  EXPECT_EQ(blinn.specularColor(), grey);
  EXPECT_FLOAT_EQ(blinn.reflectivity(), 0.5f);
  EXPECT_EQ(blinn.reflectedColor(), black);
  EXPECT_EQ(blinn.reflectedRayDepthLimit(), 1);
  EXPECT_FLOAT_EQ(MFnPhongShader(headless::createShader("phong", "p")).cosPower(), 20.0f);
}

}  // namespace
