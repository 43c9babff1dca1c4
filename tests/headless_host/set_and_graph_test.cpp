// Shading-group lookup through set restrictions and the upstream dependency-graph walk.
#include <headless/scene.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnSet.h>
#include <maya/MGlobal.h>
#include <maya/MItDependencyGraph.h>
#include <maya/MObjectArray.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const headless::MeshData kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

std::string nameOf(const MObject& node) { return MFnDependencyNode(node).name().asChar(); }

// Every node of the upstream walk from root that matches filter.
std::vector<std::string> upstream(MObject root, MFn::Type filter, bool pruning, MStatus* status = nullptr) {
  MItDependencyGraph walk(root, filter, MItDependencyGraph::kUpstream, MItDependencyGraph::kDepthFirst,
                          MItDependencyGraph::kNodeLevel, status);
  if (!pruning) walk.disablePruningOnFilter();
  std::vector<std::string> names;
  for (; !walk.isDone(); walk.next()) names.push_back(nameOf(walk.thisNode()));
  return names;
}

TEST(SetAndGraph, RestrictionOfSets) {
  headless::emptyScene();
  MObject plainEngine = headless::createNode("shadingEngine", "plainEngine");
  MObject faceSet = headless::createNode("objectSet", "faceSet");
  headless::setAttr(faceSet, "fo", 1.0);
  struct Case {
    MObject set;
    MFnSet::Restriction restriction;
  };
  const Case cases[] = {
      {headless::createShadingGroup("madeSG", MObject()), MFnSet::kRenderableOnly},
      // A shading engine read from a file without its "renderable only" flag is an ordinary set.
      {plainEngine, MFnSet::kNone},
      {headless::createNode("objectSet", "plainSet"), MFnSet::kNone},
      {faceSet, MFnSet::kFacetsOnly},
  };
  for (const Case& c : cases) {
    MStatus status;
    MFnSet set(c.set, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(set.restriction(), c.restriction) << nameOf(c.set);
  }
}

// paintSG <- layered <- (inputs[0] blinn "shiny" <- file "wood" <- place2d, inputs[1] lambert "flat"); the
// shape is a member of paintSG.
MObject buildNetwork() {
  headless::emptyScene();
  MObject shape = headless::createMesh("shape", headless::createTransform("object"), kTriangle);
  MObject layered = headless::createShader("layeredShader", "layered");
  MObject shiny = headless::createShader("blinn", "shiny");
  MObject flat = headless::createShader("lambert", "flat");
  MObject wood = headless::createFileTexture("wood", "wood.png");
  MObject place = headless::createNode("place2dTexture", "place");
  EXPECT_TRUE(headless::connect(place, "outUV", wood, "uvCoord"));
  EXPECT_TRUE(headless::connectTexture(wood, shiny));
  EXPECT_TRUE(headless::connect(shiny, "outColor", layered, "inputs[0].color"));
  EXPECT_TRUE(headless::connect(flat, "outColor", layered, "cs[1].c"));
  MObject group = headless::createShadingGroup("paintSG", layered);
  EXPECT_TRUE(headless::assign(group, shape));
  return group;
}

TEST(SetAndGraph, UpstreamWalkFindsShadersBehindOtherNodesWithPruningDisabled) {
  MObject group = buildNetwork();
  struct Case {
    MFn::Type filter;
    bool pruning;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {MFn::kBlinn, false, {"shiny"}},
      {MFn::kLambert, false, {"shiny", "flat"}},
      {MFn::kFileTexture, false, {"wood"}},
      {MFn::kInvalid, false, {"paintSG", "layered", "shiny", "wood", "place", "flat"}},
      // With pruning the walk stops at the layered shader, which is not lambert-compatible.
      {MFn::kBlinn, true, {}},
      {MFn::kLayeredShader, true, {"layered"}},
      {MFn::kMesh, false, {}},
  };
  for (const Case& c : cases) {
    MStatus status;
    EXPECT_EQ(upstream(group, c.filter, c.pruning, &status), c.expected) << c.filter << " pruning " << c.pruning;
    EXPECT_TRUE(status);
  }
}

TEST(SetAndGraph, StatusWhenNothingMatchesAndForANullRoot) {
  MObject group = buildNetwork();
  MStatus status;
  EXPECT_TRUE(upstream(group, MFn::kPhong, false, &status).empty());
  EXPECT_EQ(status.statusCode(), MStatus::kSuccess);
  headless::hostBehaviour().graphIteratorFailsWithoutMatch = true;
  upstream(group, MFn::kPhong, false, &status);
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  headless::resetHostBehaviour();
  MObject none;
  EXPECT_TRUE(upstream(none, MFn::kLambert, false, &status).empty());
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
}

TEST(SetAndGraph, ResetToWalksAgainAndNextAtTheEndIsHarmless) {
  MObject group = buildNetwork();
  MItDependencyGraph walk(group, MFn::kLambert, MItDependencyGraph::kUpstream, MItDependencyGraph::kDepthFirst,
                          MItDependencyGraph::kNodeLevel);
  walk.disablePruningOnFilter();
  int visited = 0;
  for (; !walk.isDone(); walk.next()) ++visited;
  EXPECT_EQ(visited, 2);
  EXPECT_TRUE(walk.next());
  EXPECT_TRUE(walk.thisNode().isNull());
  MObject shiny = headless::findNode("shiny");
  EXPECT_TRUE(walk.resetTo(shiny, MFn::kFileTexture, MItDependencyGraph::kUpstream, MItDependencyGraph::kDepthFirst,
                           MItDependencyGraph::kNodeLevel));
  ASSERT_FALSE(walk.isDone());
  EXPECT_EQ(nameOf(walk.thisNode()), "wood");
}

TEST(SetAndGraph, SetMembers) {
  MObject group = buildNetwork();
  MFnSet set(group);
  MSelectionList members;
  ASSERT_TRUE(set.getMembers(members, false));
  ASSERT_EQ(members.length(), 1u);
  EXPECT_TRUE(set.isMember(headless::pathTo("|object|shape")));
  EXPECT_FALSE(set.isMember(headless::pathTo("|object")));
}

}  // namespace
