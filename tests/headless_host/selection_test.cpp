// The active selection, walks below selected items, associated sets, the workspace command and the up axis.
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MItDag.h>
#include <maya/MItSelectionList.h>
#include <maya/MObjectArray.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const headless::MeshData kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

// |a|b|bShape and |c|cShape, a lambert and a shading group.
void buildScene() {
  headless::emptyScene();
  MObject a = headless::createTransform("a");
  headless::createMesh("bShape", headless::createTransform("b", a), kTriangle);
  headless::createMesh("cShape", headless::createTransform("c"), kTriangle);
  headless::createShadingGroup("groupSG", headless::createShader("lambert", "paint"));
}

// The walk the exporter makes for "export selection": each selected item's sub-tree, depth first.
std::vector<std::string> selectionWalk() {
  std::vector<std::string> visited;
  MSelectionList selection;
  EXPECT_TRUE(MGlobal::getActiveSelectionList(selection));
  MItDag walk(MItDag::kDepthFirst);
  for (MItSelectionList item(selection, MFn::kInvalid); !item.isDone(); item.next()) {
    MDagPath selected;
    item.getDagPath(selected);
    walk.reset(selected.node(), MItDag::kDepthFirst, MFn::kInvalid);
    for (; !walk.isDone(); walk.next()) {
      MDagPath path;
      walk.getPath(path);
      visited.push_back(path.fullPathName().asChar());
    }
  }
  return visited;
}

TEST(Selection, ANodeBelowTwoSelectedItemsIsVisitedOncePerItem) {
  struct Case {
    std::vector<std::string> selected;
    std::vector<std::string> visited;
  };
  const Case cases[] = {
      {{"a"}, {"|a", "|a|b", "|a|b|bShape"}},
      {{"a", "b"}, {"|a", "|a|b", "|a|b|bShape", "|a|b", "|a|b|bShape"}},
      {{"cShape", "|a|b"}, {"|c|cShape", "|a|b", "|a|b|bShape"}},
      // A dependency node has no DAG path: its sub-walk is empty.
      {{"paint", "c"}, {"|c", "|c|cShape"}},
      {{}, {}},
  };
  buildScene();
  for (const Case& c : cases) {
    ASSERT_TRUE(headless::select(c.selected));
    EXPECT_EQ(selectionWalk(), c.visited);
  }
  EXPECT_FALSE(headless::select({"nothingOfThatName"}));
}

TEST(Selection, ADependencyNodeItemHasNoDagPath) {
  buildScene();
  headless::select({headless::findNode("paint")});
  MSelectionList selection;
  MGlobal::getActiveSelectionList(selection);
  MItSelectionList item(selection);
  ASSERT_FALSE(item.isDone());
  EXPECT_EQ(item.itemType(), MItSelectionList::kDNselectionItem);
  MDagPath path;
  EXPECT_EQ(item.getDagPath(path).statusCode(), MStatus::kFailure);
  EXPECT_FALSE(path.isValid());
  MObject node;
  EXPECT_TRUE(item.getDependNode(node));
  EXPECT_STREQ(MFnDependencyNode(node).name().asChar(), "paint");
}

TEST(Selection, AddingAnItemAgainMovesItUnlessMerging) {
  buildScene();
  MSelectionList list;
  list.add(headless::pathTo("|a"));
  list.add(headless::pathTo("|c"));
  list.add(headless::pathTo("|a"), MObject::kNullObj, true);
  MStringArray names;
  list.getSelectionStrings(names);
  ASSERT_EQ(names.length(), 2u);
  EXPECT_STREQ(names[0].asChar(), "a");
  list.add(headless::pathTo("|a"));
  list.getSelectionStrings(names);
  ASSERT_EQ(names.length(), 2u);
  EXPECT_STREQ(names[0].asChar(), "c");
  EXPECT_STREQ(names[1].asChar(), "a");
}

TEST(Selection, IteratorFilterLetsATransformAnswerForItsShape) {
  buildScene();
  headless::select({"a", "c", "paint"});
  MSelectionList selection;
  MGlobal::getActiveSelectionList(selection);
  std::vector<std::string> found;
  for (MItSelectionList item(selection, MFn::kMesh); !item.isDone(); item.next()) {
    MDagPath path;
    item.getDagPath(path);
    found.push_back(path.fullPathName().asChar());
  }
  EXPECT_EQ(found, (std::vector<std::string>{"|c"}));
}

std::vector<std::string> setNames(const char* shapePath) {
  MSelectionList list;
  list.add(headless::pathTo(shapePath), MObject::kNullObj, false);
  MObjectArray sets;
  EXPECT_TRUE(MGlobal::getAssociatedSets(list, sets));
  std::vector<std::string> names;
  for (unsigned i = 0; i < sets.length(); ++i) names.push_back(MFnDependencyNode(sets[i]).name().asChar());
  return names;
}

TEST(Selection, AssociatedSetsInCreationOrderOncePerSet) {
  buildScene();
  MObject b = headless::findNode("bShape"), c = headless::findNode("cShape");
  MObject sg = headless::findNode("groupSG");
  MObject other = headless::createNode("objectSet", "deformerSet");
  MObject faces = headless::createShadingGroup("facesSG", headless::createShader("blinn", "shiny"));
  ASSERT_TRUE(headless::assign(other, b));
  ASSERT_TRUE(headless::assign(sg, b));
  ASSERT_TRUE(headless::assign(sg, c));
  ASSERT_TRUE(headless::assignFaces(faces, c, {0}));
  ASSERT_TRUE(headless::assignFaces(faces, c, {0}));
  ASSERT_TRUE(headless::addInstance(c, headless::findNode("a")));
  ASSERT_TRUE(headless::assign(other, c, 1));
  struct Case {
    const char* path;
    std::vector<std::string> sets;
  };
  const Case cases[] = {
      {"|a|b|bShape", {"groupSG", "deformerSet"}},
      {"|c|cShape", {"groupSG", "facesSG"}},
      {"|a|cShape", {"deformerSet"}},
      {"|a", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(setNames(c.path), c.sets) << c.path;
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
  struct Case {
    headless::UpAxis axis;
    bool y, z;
  };
  const Case cases[] = {{headless::UpAxis::Y, true, false},
                        {headless::UpAxis::Z, false, true},
                        {headless::UpAxis::Neither, false, false}};
  for (const Case& c : cases) {
    headless::setUpAxis(c.axis);
    EXPECT_EQ(MGlobal::isYAxisUp(), c.y);
    EXPECT_EQ(MGlobal::isZAxisUp(), c.z);
  }
  headless::emptyScene();
  EXPECT_TRUE(MGlobal::isYAxisUp());
}

}  // namespace
