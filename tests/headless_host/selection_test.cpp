// Selection lists and their items, the workspace command and the up axis.
// (The walk below selected items: the scene-walk capture tests; associated sets: plug_and_set_test.)
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MItSelectionList.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const headless::MeshData kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

// |a|b|bShape and |c|cShape and a lambert.
void buildScene() {
  headless::emptyScene();
  MObject a = headless::createTransform("a");
  headless::createMesh("bShape", headless::createTransform("b", a), kTriangle);
  headless::createMesh("cShape", headless::createTransform("c"), kTriangle);
  headless::createShader("lambert", "paint");
}

TEST(Selection, ItemsFiltersAndOrder) {
  buildScene();
  EXPECT_FALSE(headless::select({"nothingOfThatName"}));
  headless::select({"a", "c", "paint"});
  MSelectionList selection;
  MGlobal::getActiveSelectionList(selection);
  // The filter lets a transform answer for its shape.
  std::vector<std::string> found;
  for (MItSelectionList item(selection, MFn::kMesh); !item.isDone(); item.next()) {
    MDagPath path;
    item.getDagPath(path);
    found.push_back(path.fullPathName().asChar());
  }
  EXPECT_EQ(found, (std::vector<std::string>{"|c"}));
  // A dependency node item has no DAG path.
  MItSelectionList item(selection, MFn::kLambert);
  ASSERT_FALSE(item.isDone());
  EXPECT_EQ(item.itemType(), MItSelectionList::kDNselectionItem);
  MDagPath path;
  EXPECT_EQ(item.getDagPath(path).statusCode(), MStatus::kFailure);
  EXPECT_FALSE(path.isValid());
  MObject node;
  EXPECT_TRUE(item.getDependNode(node));
  EXPECT_STREQ(MFnDependencyNode(node).name().asChar(), "paint");
  // Adding an item again moves it to the end unless merging.
  MSelectionList list;
  list.add(headless::pathTo("|a"));
  list.add(headless::pathTo("|c"));
  list.add(headless::pathTo("|a"), MObject::kNullObj, true);
  MStringArray names;
  list.getSelectionStrings(names);
  EXPECT_STREQ((names[0] + " " + names[1]).asChar(), "a c");
  list.add(headless::pathTo("|a"));
  list.getSelectionStrings(names);
  ASSERT_EQ(names.length(), 2u);
  EXPECT_STREQ((names[0] + " " + names[1]).asChar(), "c a");
}

TEST(Selection, WorkspaceRootCommand) {
  struct Case {
    const char* root;
    const char* command;
    MStatus::MStatusCode status;
    const char* result;
  };
  const Case cases[] = {
      {"/projects/demo", "workspace -q -rd", MStatus::kSuccess, "/projects/demo/"},
      {"C:/Projects/Demo/", "workspace -q -rd", MStatus::kSuccess, "C:/Projects/Demo/"},
      {"/projects/demo", "workspace  -q   -rd;", MStatus::kSuccess, "/projects/demo/"},
      {"", "workspace -q -rd", MStatus::kSuccess, ""},
      {"C:\\Work\\Proj\\", "workspace -q -rd", MStatus::kSuccess, "C:\\Work\\Proj\\"},
      {"/projects/demo", "workspace -q -fn", MStatus::kFailure, "unchanged"},
      {"/projects/demo", "ls -sl", MStatus::kFailure, "unchanged"},
  };
  for (const Case& c : cases) {
    headless::emptyScene();
    headless::setWorkspaceRoot(c.root);
    MString result("unchanged");
    EXPECT_EQ(MGlobal::executeCommand(c.command, result, false, false).statusCode(), c.status) << c.command;
    EXPECT_STREQ(result.asChar(), c.result);
  }
}

TEST(Selection, UpAxisQueries) {
  const std::pair<headless::UpAxis, const char*> cases[] = {
      {headless::UpAxis::Y, "yes no"}, {headless::UpAxis::Z, "no yes"}, {headless::UpAxis::Neither, "no no"}};
  for (const auto& c : cases) {
    headless::setUpAxis(c.first);
    EXPECT_EQ(std::string(MGlobal::isYAxisUp() ? "yes" : "no") + (MGlobal::isZAxisUp() ? " yes" : " no"), c.second);
  }
  headless::emptyScene();
  EXPECT_TRUE(MGlobal::isYAxisUp());
}

}  // namespace
