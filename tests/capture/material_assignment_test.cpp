#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>

#include "capture_scenes.h"
#include "materials/material_assignment.h"

using namespace capturetest;

namespace {

class MaterialAssignmentTest : public CaptureTest {};

// A cube shaded by a new shader of the given type and name through its own shading group.
MObject shadedCube(const std::string& shaderType, const std::string& shaderName)
{
    MObject cube = makeMesh("pCube1", "pCubeShape1");
    MObject shader = headless::createShader(shaderType, shaderName);
    headless::assign(headless::createShadingGroup(shaderName + "SG", shader), cube);
    return cube;
}

TEST_F(MaterialAssignmentTest, IndexOfTheShaderOfTheFirstShadingGroup)
{
    struct Case {
        const char* what;
        std::function<MObject()> build; // returns the node whose path is looked up
        std::vector<std::string> table;
        int32_t expected;
        std::vector<std::string> log;
        bool otherReadings = false; // extending a shape's path and a walk that finds nothing fail
    };
    const std::vector<Case> cases = {
        {"no shading group", [] { return makeMesh("pCube1", "pCubeShape1"); }, {"lambert1"}, 0,
         {"Warning: Path did not contain a lambert or blinn shader\n",
          "Error: Material 'unknownMaterial' not found\n"}},
        {"a lambert", [] { return shadedCube("lambert", "myLambert"); }, {"other", "myLambert"}, 1,
         {"Found material: 'myLambert'\n"}},
        {"a blinn behind a lambert is preferred",
         [] {
             MObject cube = makeMesh("pCube1", "pCubeShape1");
             MObject front = headless::createShader("lambert", "frontLambert");
             MObject back = headless::createShader("blinn", "backBlinn");
             headless::connect(back, "outColor", front, "color");
             headless::assign(headless::createShadingGroup("frontSG", front), cube);
             return cube;
         },
         {"frontLambert", "backBlinn"}, 1, {"Found material: 'backBlinn'\n"}},
        {"names compare without case", [] { return shadedCube("blinn", "Blinn1"); }, {"other", "blinn1"}, 1,
         {"Found material: 'Blinn1'\n"}},
        {"per-face assignment: the first shading group the host lists",
         [] {
             MObject cube = makeMesh("pCube1", "pCubeShape1");
             MObject first = headless::createShadingGroup("firstSG", headless::createShader("lambert", "firstLambert"));
             MObject second =
                 headless::createShadingGroup("secondSG", headless::createShader("lambert", "secondLambert"));
             headless::assignFaces(first, cube, {0, 1, 2});
             headless::assignFaces(second, cube, {3, 4, 5});
             return cube;
         },
         {"secondLambert", "firstLambert"}, 1, {"Found material: 'firstLambert'\n"}},
        {"a set that is not renderable-only is passed over",
         [] {
             MObject cube = makeMesh("pCube1", "pCubeShape1");
             headless::assign(headless::createNode("objectSet", "plainSet"), cube);
             headless::assign(headless::createShadingGroup("realSG", headless::createShader("lambert", "realLambert")),
                              cube);
             return cube;
         },
         {"realLambert"}, 0, {"Found material: 'realLambert'\n"}},
        {"a shader type the table never holds", [] { return shadedCube("phongE", "explorer1"); }, {"lambert1"}, 0,
         {"Found material: 'explorer1'\n", "Error: Material 'explorer1' not found\n"}},
        {"an all-zero first record matches nothing", [] { return shadedCube("blinn", "blinn1"); }, {""}, 0,
         {"Found material: 'blinn1'\n", "Error: Material 'blinn1' not found\n"}},
        {"a name of 40 characters finds its cut record", [] { return shadedCube("blinn", longName); },
         {"other", longNameCut}, 1,
         {"Found material: '" + longName + "'\n", "Warning: Material name '" + longName +
                                                      "' is longer than 31 characters, looked up as '" + longNameCut +
                                                      "'\n"}},
        // Hosts may refuse to extend a path that already ends at a shape, and may fail to set up a graph walk that
        // finds nothing: the search goes on with the path as given and simply finds no node.
        {"a lambert under the other host readings", [] { return shadedCube("lambert", "myLambert"); },
         {"other", "myLambert"}, 1,
         {"Warning: No Shape node was found\n", "Warning: No Shape node was found\n", "Found material: 'myLambert'\n"},
         true},
        {"no shading group under the other host readings", [] { return makeMesh("pBare1", "pBareShape1"); },
         {"other", "myLambert"}, 0,
         {"Warning: No Shape node was found\n", "Warning: No Shape node was found\n",
          "Warning: Path did not contain a lambert or blinn shader\n", "Error: Material 'unknownMaterial' not found\n"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        headless::emptyScene();
        headless::hostBehaviour().extendToShapeFailsOnShape = c.otherReadings;
        headless::hostBehaviour().graphIteratorFailsWithoutMatch = c.otherReadings;
        MObject node = c.build();
        MaterialTable table(c.table);
        log.clear();
        EXPECT_EQ(getMaterialIndexForPath(headless::pathTo(node), table.model), c.expected);
        EXPECT_EQ(log.lines(), c.log);
    }
}

} // namespace
