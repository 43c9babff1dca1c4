// Plugs: connections in both directions, values, string data, and plugs of arrays and compounds.
#include <headless/scene.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnStringData.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> names(const MPlugArray& plugs) {
  std::vector<std::string> result;
  for (unsigned i = 0; i < plugs.length(); ++i) result.push_back(plugs[i].name().asChar());
  return result;
}

TEST(Plug, ConnectedToInBothDirections) {
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
    bool asDestination, asSource;
    bool connected;
    std::vector<std::string> plugs;
  };
  const Case cases[] = {
      {shiny, "color", true, false, true, {"wood.oc"}},
      {shiny, "color", false, true, true, {}},
      {shiny, "color", false, false, true, {}},
      {wood, "outColor", false, true, true, {"shiny.c", "flat.ic"}},
      {wood, "outColor", true, false, true, {}},
      {wood, "outColor", true, true, true, {"shiny.c", "flat.ic"}},
      {flat, "transparency", true, false, true, {"wood.ot"}},
      {flat, "color", true, false, false, {}},
      // A connection to the compound is not one to its children.
      {shiny, "colorR", true, false, false, {}},
  };
  for (const Case& c : cases) {
    MFnDependencyNode fn(c.node);
    MStatus status;
    MPlug plug = fn.findPlug(c.attribute, &status);
    ASSERT_TRUE(status) << c.attribute;
    MPlugArray plugs;
    plugs.append(plug);  // connectedTo starts from an empty array
    EXPECT_EQ(plug.connectedTo(plugs, c.asDestination, c.asSource, &status), c.connected)
        << fn.name().asChar() << "." << c.attribute;
    EXPECT_TRUE(status);
    EXPECT_EQ(names(plugs), c.plugs) << fn.name().asChar() << "." << c.attribute;
  }
  MPlugArray plugs;
  EXPECT_TRUE(MFnDependencyNode(shiny).findPlug("color").connectedTo(plugs, true, false));
  ASSERT_EQ(plugs.length(), 1u);
  EXPECT_EQ(plugs[0].node(), wood);
  EXPECT_EQ(plugs[0].node().apiType(), MFn::kFileTexture);
}

TEST(Plug, ADestinationHasOneSourceAndArraysTakeTheNextFreeElement) {
  headless::emptyScene();
  MObject a = headless::createShader("lambert", "a");
  MObject b = headless::createShader("lambert", "b");
  MObject group = headless::createShadingGroup("group", a);
  ASSERT_TRUE(headless::connect(b, "outColor", group, "surfaceShader"));
  MPlugArray plugs;
  MFnDependencyNode(group).findPlug("surfaceShader").connectedTo(plugs, true, false);
  EXPECT_EQ(names(plugs), (std::vector<std::string>{"b.oc"}));
  ASSERT_TRUE(headless::connect(a, "message", group, "dnSetMembers"));
  ASSERT_TRUE(headless::connect(b, "message", group, "dnsm"));
  MPlug members = MFnDependencyNode(group).findPlug("dnSetMembers");
  EXPECT_TRUE(members.isArray());
  EXPECT_EQ(members.numElements(), 2u);
  EXPECT_EQ(members.elementByPhysicalIndex(1).logicalIndex(), 1u);
  members.elementByLogicalIndex(1).connectedTo(plugs, true, false);
  EXPECT_EQ(names(plugs), (std::vector<std::string>{"b.msg"}));
  // A freed element is the next one taken.
  MObject c = headless::createShader("lambert", "c");
  ASSERT_TRUE(headless::disconnect(a, "message", group, "dnSetMembers[0]"));
  EXPECT_FALSE(headless::disconnect(a, "message", group, "dnSetMembers[0]"));
  ASSERT_TRUE(headless::connect(c, "message", group, "dnSetMembers"));
  MFnDependencyNode(group).findPlug("dnSetMembers").elementByLogicalIndex(0).connectedTo(plugs, true, false);
  EXPECT_EQ(names(plugs), (std::vector<std::string>{"c.msg"}));
  ASSERT_TRUE(headless::connect(a, "message", group, "dnSetMembers"));
  MFnDependencyNode(group).findPlug("dnSetMembers").elementByLogicalIndex(2).connectedTo(plugs, true, false);
  EXPECT_EQ(names(plugs), (std::vector<std::string>{"a.msg"}));
  EXPECT_FALSE(headless::connect(a, "noSuchPlug", group, "dnSetMembers"));
  EXPECT_FALSE(headless::connect(a, "outColor", group, "noSuchPlug"));
}

TEST(Plug, ValuesThroughPlugs) {
  headless::emptyScene();
  MObject file = headless::createFileTexture("wood", "textures/wood.png");
  MObject shape = headless::createCamera("camShape", headless::createTransform("cam"));
  MFnDependencyNode fn(file);
  MObject attribute = fn.attribute("fileTextureName");
  MPlug path(file, attribute);
  MObject data;
  ASSERT_TRUE(path.getValue(data, MDGContext::fsNormal));
  MStatus status;
  MFnStringData text(data, &status);
  ASSERT_TRUE(status);
  EXPECT_STREQ(text.string().asChar(), "textures/wood.png");
  MString asString;
  EXPECT_TRUE(path.getValue(asString));
  EXPECT_STREQ(asString.asChar(), "textures/wood.png");
  // An empty file name is still a string.
  headless::setAttr(file, "ftn", "");
  ASSERT_TRUE(path.getValue(data));
  EXPECT_STREQ(MFnStringData(data).string().asChar(), "");
  bool flag = false;
  EXPECT_EQ(path.getValue(flag).statusCode(), MStatus::kFailure);
  MFnDependencyNode camera(shape);
  MPlug visibility = camera.findPlug("v");
  ASSERT_TRUE(visibility.getValue(flag));
  EXPECT_TRUE(flag);
  ASSERT_TRUE(visibility.setValue(false));
  ASSERT_TRUE(visibility.getValue(flag));
  EXPECT_FALSE(flag);
  double focal = 0;
  EXPECT_TRUE(camera.findPlug("focalLength").getValue(focal));
  EXPECT_DOUBLE_EQ(focal, 35.0);
  double aperture = 0;
  EXPECT_EQ(camera.findPlug("cameraAperture").getValue(aperture).statusCode(), MStatus::kFailure);
  EXPECT_TRUE(camera.findPlug("verticalFilmAperture").getValue(aperture));
  EXPECT_DOUBLE_EQ(aperture, 0.94488);
  EXPECT_TRUE(camera.findPlug("cameraAperture").child(0).getValue(aperture));
  EXPECT_DOUBLE_EQ(aperture, 1.41732);
}

}  // namespace
