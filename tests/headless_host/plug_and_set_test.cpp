// Sets and the dependency graph: set restrictions, associated sets, and the upstream walk with and without
// pruning. (Connections in either direction and values through plugs: the texture, lattice and scene-walk capture
// tests.)
#include <headless/scene.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnSet.h>
#include <maya/MGlobal.h>
#include <maya/MItDependencyGraph.h>
#include <maya/MObjectArray.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const headless::MeshData kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

std::string nameOf(const MObject& node) { return MFnDependencyNode(node).name().asChar(); }

// object|shape is in paintSG; paintSG <- layered <- (inputs[0] blinn "shiny" <- file "wood" <- place2d,
// inputs[1] lambert "flat").
MObject buildNetwork() {
  headless::emptyScene();
  headless::resetHostBehaviour();
  MObject shape = headless::createMesh("shape", headless::createTransform("object"), kTriangle);
  MObject layered = headless::createShader("layeredShader", "layered");
  MObject shiny = headless::createShader("blinn", "shiny");
  MObject wood = headless::createFileTexture("wood", "wood.png");
  EXPECT_TRUE(headless::connect(headless::createNode("place2dTexture", "place"), "outUV", wood, "uvCoord"));
  EXPECT_TRUE(headless::connectTexture(wood, shiny));
  EXPECT_TRUE(headless::connect(shiny, "outColor", layered, "inputs[0].color"));
  EXPECT_TRUE(headless::connect(headless::createShader("lambert", "flat"), "outColor", layered, "cs[1].c"));
  MObject group = headless::createShadingGroup("paintSG", layered);
  EXPECT_TRUE(headless::assign(group, shape));
  return group;
}

std::vector<std::string> upstream(MObject root, MFn::Type filter, bool pruning, MStatus* status) {
  MItDependencyGraph walk(root, filter, MItDependencyGraph::kUpstream, MItDependencyGraph::kDepthFirst,
                          MItDependencyGraph::kNodeLevel, status);
  if (!pruning) walk.disablePruningOnFilter();
  std::vector<std::string> found;
  for (; !walk.isDone(); walk.next()) found.push_back(nameOf(walk.thisNode()));
  return found;
}

TEST(Sets, UpstreamWalkFindsShadersBehindOtherNodesOnlyWithPruningDisabled) {
  MObject group = buildNetwork();
  struct Case {
    MFn::Type filter;
    bool pruning, failsWithoutMatch;
    MStatus::MStatusCode status;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {MFn::kLambert, false, false, MStatus::kSuccess, {"shiny", "flat"}},
      {MFn::kFileTexture, false, false, MStatus::kSuccess, {"wood"}},
      {MFn::kInvalid, false, false, MStatus::kSuccess, {"paintSG", "layered", "shiny", "wood", "place", "flat"}},
      // With pruning the walk stops at the layered shader, which is not lambert-compatible.
      {MFn::kBlinn, true, false, MStatus::kSuccess, {}},
      {MFn::kPhong, false, false, MStatus::kSuccess, {}},
      {MFn::kPhong, false, true, MStatus::kFailure, {}},
  };
  for (const Case& c : cases) {
    headless::hostBehaviour().graphIteratorFailsWithoutMatch = c.failsWithoutMatch;
    MStatus status;
    EXPECT_EQ(upstream(group, c.filter, c.pruning, &status), c.expected) << c.filter << " pruning " << c.pruning;
    EXPECT_EQ(status.statusCode(), c.status) << c.filter;
  }
  headless::resetHostBehaviour();
  MStatus status;
  EXPECT_TRUE(upstream(MObject(), MFn::kLambert, false, &status).empty());
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
}

TEST(Sets, RestrictionsAndAssociatedSetsInCreationOrderOncePerSet) {
  MObject group = buildNetwork();
  EXPECT_EQ(MFnSet(group).restriction(), MFnSet::kRenderableOnly);
  // A shading engine read from a file without its "renderable only" flag is an ordinary set.
  EXPECT_EQ(MFnSet(headless::createNode("shadingEngine", "plainEngine")).restriction(), MFnSet::kNone);

  MObject shape = headless::findNode("shape");
  MObject other = headless::createMesh("otherShape", headless::createTransform("other"), kTriangle);
  MObject deformer = headless::createNode("objectSet", "deformerSet");
  MObject faces = headless::createShadingGroup("facesSG", headless::createShader("blinn", "glossy"));
  ASSERT_TRUE(headless::assign(deformer, other));
  ASSERT_TRUE(headless::assign(group, other));
  ASSERT_TRUE(headless::assignFaces(faces, shape, {0}));
  ASSERT_TRUE(headless::assignFaces(faces, shape, {0}));
  ASSERT_TRUE(headless::addInstance(shape, headless::findNode("other")));
  ASSERT_TRUE(headless::assign(deformer, shape, 1));
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"|other|otherShape", {"paintSG", "deformerSet"}},
      {"|object|shape", {"paintSG", "facesSG"}},
      {"|other|shape", {"deformerSet"}},
      {"|other", {}}};
  for (const auto& c : cases) {
    MSelectionList list;
    list.add(headless::pathTo(c.first), MObject::kNullObj, false);
    MObjectArray sets;
    EXPECT_TRUE(MGlobal::getAssociatedSets(list, sets));
    std::vector<std::string> found;
    for (unsigned i = 0; i < sets.length(); ++i) found.push_back(nameOf(sets[i]));
    EXPECT_EQ(found, c.second) << c.first;
  }
}

}  // namespace
