// Plugs and sets: connections in both directions, array elements, values through plugs, set restrictions and
// members, associated sets, and the upstream dependency-graph walk with and without pruning.
#include <headless/scene.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnSet.h>
#include <maya/MFnStringData.h>
#include <maya/MGlobal.h>
#include <maya/MItDependencyGraph.h>
#include <maya/MObjectArray.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const headless::MeshData kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

std::string nameOf(const MObject& node) { return MFnDependencyNode(node).name().asChar(); }

std::vector<std::string> names(const MPlugArray& plugs) {
  std::vector<std::string> result;
  for (unsigned i = 0; i < plugs.length(); ++i) result.push_back(plugs[i].name().asChar());
  return result;
}

// The sources of a plug, or of one element of it when element is not negative.
std::vector<std::string> sources(const MObject& node, const char* plug, int element = -1) {
  MPlugArray plugs;
  MPlug found = MFnDependencyNode(node).findPlug(plug);
  (element < 0 ? found : found.elementByLogicalIndex(element)).connectedTo(plugs, true, false);
  return names(plugs);
}

TEST(Plug, ConnectedToInBothDirectionsAndArraysTakeTheNextFreeElement) {
  headless::emptyScene();
  MObject wood = headless::createFileTexture("wood", "wood.png");
  MObject shiny = headless::createShader("blinn", "shiny");
  MObject flat = headless::createShader("lambert", "flat");
  ASSERT_TRUE(headless::connectTexture(wood, shiny));
  ASSERT_TRUE(headless::connectTexture(wood, flat, "incandescence"));
  ASSERT_TRUE(headless::connect(wood, "outTransparency", flat, "it"));
  struct Case {
    MObject node;
    const char* attribute;
    bool asDestination, asSource, connected;
    std::vector<std::string> plugs;
  };
  const Case cases[] = {
      {shiny, "color", true, false, true, {"wood.oc"}},
      {shiny, "color", false, true, true, {}},
      {wood, "outColor", false, true, true, {"shiny.c", "flat.ic"}},
      {wood, "outColor", true, false, true, {}},
      {wood, "outColor", false, false, true, {}},
      {flat, "transparency", true, false, true, {"wood.ot"}},
      {flat, "color", true, false, false, {}},
      // A connection to the compound is not one to its children.
      {shiny, "colorR", true, false, false, {}},
  };
  for (const Case& c : cases) {
    MPlug plug = MFnDependencyNode(c.node).findPlug(c.attribute);
    MPlugArray plugs;
    plugs.append(plug);  // connectedTo starts from an empty array
    MStatus status;
    EXPECT_EQ(plug.connectedTo(plugs, c.asDestination, c.asSource, &status), c.connected) << c.attribute;
    EXPECT_TRUE(status);
    EXPECT_EQ(names(plugs), c.plugs) << nameOf(c.node) << "." << c.attribute;
  }
  // A destination has one source; an array takes the lowest free element.
  MObject a = headless::createShader("lambert", "a"), b = headless::createShader("lambert", "b");
  MObject group = headless::createShadingGroup("group", a);
  ASSERT_TRUE(headless::connect(b, "outColor", group, "surfaceShader"));
  EXPECT_EQ(sources(group, "surfaceShader"), (std::vector<std::string>{"b.oc"}));
  ASSERT_TRUE(headless::connect(a, "message", group, "dnSetMembers"));
  ASSERT_TRUE(headless::connect(b, "message", group, "dnsm"));
  MPlug members = MFnDependencyNode(group).findPlug("dnSetMembers");
  EXPECT_TRUE(members.isArray());
  EXPECT_EQ(members.numElements(), 2u);
  EXPECT_EQ(members.elementByPhysicalIndex(1).logicalIndex(), 1u);
  ASSERT_TRUE(headless::disconnect(a, "message", group, "dnSetMembers[0]"));
  EXPECT_FALSE(headless::disconnect(a, "message", group, "dnSetMembers[0]"));
  ASSERT_TRUE(headless::connect(flat, "message", group, "dnSetMembers"));
  ASSERT_TRUE(headless::connect(a, "message", group, "dnSetMembers"));
  EXPECT_EQ(sources(group, "dnSetMembers", 0), (std::vector<std::string>{"flat.msg"}));
  EXPECT_EQ(sources(group, "dnSetMembers", 1), (std::vector<std::string>{"b.msg"}));
  EXPECT_EQ(sources(group, "dnSetMembers", 2), (std::vector<std::string>{"a.msg"}));
  EXPECT_FALSE(headless::connect(a, "noSuchPlug", group, "dnSetMembers"));
  EXPECT_FALSE(headless::connect(a, "outColor", group, "noSuchPlug"));
}

TEST(Plug, ValuesOfTheirOwnKindOnly) {
  headless::emptyScene();
  MObject file = headless::createFileTexture("wood", "textures/wood.png");
  MFnDependencyNode camera(headless::createCamera("camShape", headless::createTransform("cam")));
  MPlug path(file, MFnDependencyNode(file).attribute("fileTextureName"));
  MObject data;
  ASSERT_TRUE(path.getValue(data, MDGContext::fsNormal));
  EXPECT_STREQ(MFnStringData(data).string().asChar(), "textures/wood.png");
  headless::setAttr(file, "ftn", "");  // an empty file name is still a string
  ASSERT_TRUE(path.getValue(data));
  EXPECT_STREQ(MFnStringData(data).string().asChar(), "");
  bool flag = false;
  EXPECT_EQ(path.getValue(flag).statusCode(), MStatus::kFailure);
  MPlug visibility = camera.findPlug("v");
  ASSERT_TRUE(visibility.setValue(false));
  flag = true;
  ASSERT_TRUE(visibility.getValue(flag));
  EXPECT_FALSE(flag);
  double aperture = 0;
  EXPECT_EQ(camera.findPlug("cameraAperture").getValue(aperture).statusCode(), MStatus::kFailure);
  EXPECT_TRUE(camera.findPlug("cameraAperture").child(0).getValue(aperture));
  EXPECT_DOUBLE_EQ(aperture, 1.41732);
}

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
      {MFn::kLayeredShader, true, false, MStatus::kSuccess, {"layered"}},
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
  // Past the end next() is harmless; resetTo walks again from another root.
  MItDependencyGraph walk(group, MFn::kLambert, MItDependencyGraph::kUpstream, MItDependencyGraph::kDepthFirst,
                          MItDependencyGraph::kNodeLevel);
  walk.disablePruningOnFilter();
  while (!walk.isDone()) walk.next();
  EXPECT_TRUE(walk.next());
  EXPECT_TRUE(walk.thisNode().isNull());
  MObject shiny = headless::findNode("shiny");
  EXPECT_TRUE(walk.resetTo(shiny, MFn::kFileTexture, MItDependencyGraph::kUpstream,
                           MItDependencyGraph::kDepthFirst, MItDependencyGraph::kNodeLevel));
  ASSERT_FALSE(walk.isDone());
  EXPECT_EQ(nameOf(walk.thisNode()), "wood");
}

TEST(Sets, RestrictionsMembersAndAssociatedSetsInCreationOrderOncePerSet) {
  MObject group = buildNetwork();
  MObject faceSet = headless::createNode("objectSet", "faceSet");
  headless::setAttr(faceSet, "fo", 1.0);
  const std::pair<MObject, MFnSet::Restriction> restrictions[] = {
      {group, MFnSet::kRenderableOnly},
      // A shading engine read from a file without its "renderable only" flag is an ordinary set.
      {headless::createNode("shadingEngine", "plainEngine"), MFnSet::kNone},
      {faceSet, MFnSet::kFacetsOnly}};
  for (const auto& r : restrictions) EXPECT_EQ(MFnSet(r.first).restriction(), r.second) << nameOf(r.first);
  MSelectionList members;
  ASSERT_TRUE(MFnSet(group).getMembers(members, false));
  EXPECT_EQ(members.length(), 1u);
  EXPECT_TRUE(MFnSet(group).isMember(headless::pathTo("|object|shape")));
  EXPECT_FALSE(MFnSet(group).isMember(headless::pathTo("|object")));

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
