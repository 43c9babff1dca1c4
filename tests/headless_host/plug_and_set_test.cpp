// Sets: the restriction of a shading engine read without its flag, and associated sets. (A shading group's
// restriction, and upstream walks finding shaders and textures behind other nodes under both host readings: the
// material assignment and capture tests; connections in either direction and values through plugs: the texture,
// lattice and scene-walk capture tests.)
#include <headless/scene.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnSet.h>
#include <maya/MGlobal.h>
#include <maya/MObjectArray.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const headless::MeshData kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

std::string nameOf(const MObject& node) { return MFnDependencyNode(node).name().asChar(); }

TEST(Sets, RestrictionsAndAssociatedSetsInCreationOrderOncePerSet) {
  headless::emptyScene();
  MObject shape = headless::createMesh("shape", headless::createTransform("object"), kTriangle);
  MObject group = headless::createShadingGroup("paintSG", headless::createShader("lambert", "flat"));
  ASSERT_TRUE(headless::assign(group, shape));
  // A shading engine read from a file without its "renderable only" flag is an ordinary set.
  EXPECT_EQ(MFnSet(headless::createNode("shadingEngine", "plainEngine")).restriction(), MFnSet::kNone);

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
