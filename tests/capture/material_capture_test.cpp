#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>

#include "capture_scenes.h"
#include "materials/material_assignment.h"
#include "materials/material_capture.h"
#include "materials/shader_readers.h"
#include "materials/texture_paths.h"

using namespace capturetest;

namespace {

class MaterialCaptureTest : public CaptureTest {
protected:
    void TearDown() override
    {
        releaseArray(model.materials);
        CaptureTest::TearDown();
    }
    Model model = {};
};

void expectColor(const float* color, float r, float g, float b, float a, const char* what)
{
    EXPECT_EQ(std::vector<float>(color, color + 4), (std::vector<float>{r, g, b, a})) << what;
}

// A mesh shaded by a plain lambert (the first material found), then a cube shaded by a blinn with every attribute
// the readers take set away from its default and a file texture on its colour.
TEST_F(MaterialCaptureTest, TexturedBlinnCubeRecordAndLog)
{
    copyFixedText(projectDirectory, sizeof(projectDirectory), "c:/work/proj/");
    MObject lambertShader = headless::createShader("lambert", "otherLambert");
    ASSERT_TRUE(headless::setAttr(lambertShader, "color", std::vector<double>{0.25, 0.5, 0.75}));
    ASSERT_TRUE(headless::setAttr(lambertShader, "ambientColor", std::vector<double>{0.125, 0.25, 0.5}));
    headless::assign(headless::createShadingGroup("otherLambertSG", lambertShader),
                     makeMesh("pOther1", "pOtherShape1"));
    MObject blinnShader = headless::createShader("blinn", "cubeBlinn");
    const std::pair<const char*, std::vector<double>> values[] = {
        {"diffuse", {0.75}}, {"translucence", {0.125}}, {"glowIntensity", {0.25}}, {"refractiveIndex", {1.5}},
        {"refractionLimit", {4}}, {"refractions", {1}}, {"transparency", {0.5, 0.25, 0.125}},
        {"ambientColor", {0.0625, 0.125, 0.1875}}, {"incandescence", {0.25, 0.375, 0.5}}, {"reflectionLimit", {3}},
        {"specularColor", {0.625, 0.75, 0.875}}, {"reflectivity", {0.375}}, {"reflectedColor", {0.125, 0.25, 0.375}},
        {"eccentricity", {0.5}}, {"specularRollOff", {0.625}}};
    for (const auto& [name, value] : values)
        ASSERT_TRUE(headless::setAttr(blinnShader, name, value)) << "the blinn takes " << name;
    MObject file = headless::createFileTexture("brickFile", "C:\\Work\\Proj\\sourceimages\\Brick.tga");
    headless::connectTexture(file, blinnShader, "color");
    headless::assign(headless::createShadingGroup("cubeBlinnSG", blinnShader), makeMesh("pCube1", "pCubeShape1"));
    log.clear();

    ASSERT_EQ(getMayaMaterials(model, 1), 1);
    EXPECT_EQ(log.lines(), (Lines{"Getting materials from maya data...\n", "  2 materials found.\n",
                                  "  Beginning to load materials from maya data.\n", "    Loading lambert shader...\n",
                                  "      diffuse color: 0.250000 0.500000 0.750000 1.000000\n",
                                  "      ambient: 0.125000 0.250000 0.500000 1.000000\n",
                                  "    Loading blinn shader...\n",
                                  "      Original path: C:\\Work\\Proj\\sourceimages\\Brick.tga\n",
                                  "      Project relative path: sourceimages\\Brick.tga\n",
                                  "      ambient: 0.062500 0.125000 0.187500 1.000000\n",
                                  "      specularColor: 0.625000 0.750000 0.875000 1.000000\n", "  Successful.\n",
                                  "Successful.\n"}));
    ASSERT_EQ(model.numMaterials, 2);
    ASSERT_NE(model.materials, nullptr);

    const Material& blinn = model.materials[1];
    EXPECT_STREQ(blinn.name, "cubeBlinn");
    EXPECT_EQ(blinn.type, (int32_t)MFn::kBlinn);
    // Blinn step.
    EXPECT_EQ(blinn.eccentricity, 0.5f);
    EXPECT_EQ(blinn.specularRollOff, 0.625f);
    EXPECT_EQ(blinn.cosPower, 20.0f) << "a blinn keeps the starting cosine power";
    // Reflect step.
    EXPECT_EQ(blinn.reflectedRayDepthLimit, 3);
    expectColor(blinn.specularColor, 0.625f, 0.75f, 0.875f, 1.0f, "specularColor");
    EXPECT_STREQ(blinn.specularColorTexture, "");
    EXPECT_EQ(blinn.reflectivity, 0.375f);
    EXPECT_STREQ(blinn.reflectivityTexture, "");
    expectColor(blinn.reflectedColor, 0.125f, 0.25f, 0.375f, 1.0f, "reflectedColor");
    EXPECT_STREQ(blinn.reflectedColorTexture, "");
    // Lambert step.
    EXPECT_EQ(blinn.refractedRayDepthLimit, 4);
    EXPECT_EQ(blinn.refractiveIndex, 1.5f);
    EXPECT_EQ(blinn.rtRefractedColor, 1);
    EXPECT_EQ(blinn.diffuseCoeff, 0.75f);
    expectColor(blinn.color, 1, 1, 1, 1, "color stands in for the texture");
    EXPECT_STREQ(blinn.colorTexture, "sourceimages\\Brick.tga") << "keeps its own case and separators";
    expectColor(blinn.transparency, 0.5f, 0.25f, 0.125f, 1.0f, "transparency");
    EXPECT_STREQ(blinn.transparencyTexture, "");
    expectColor(blinn.ambientColor, 0.0625f, 0.125f, 0.1875f, 1.0f, "ambientColor");
    EXPECT_STREQ(blinn.ambientColorTexture, "");
    expectColor(blinn.incandescence, 0.25f, 0.375f, 0.5f, 1.0f, "incandescence");
    EXPECT_STREQ(blinn.incandescenceTexture, "");
    EXPECT_EQ(blinn.translucenceCoeff, 0.125f);
    EXPECT_EQ(blinn.glowIntensity, 0.25f);

    const Material& lambert = model.materials[0];
    EXPECT_STREQ(lambert.name, "otherLambert");
    EXPECT_EQ(lambert.type, (int32_t)MFn::kLambert);
    expectColor(lambert.color, 0.25f, 0.5f, 0.75f, 1.0f, "lambert color");
    EXPECT_STREQ(lambert.colorTexture, "");
}

TEST_F(MaterialCaptureTest, TableShapes)
{
    struct Case {
        const char* what;
        std::function<void()> build;
        int result;
        int32_t numMaterials;
        std::vector<std::string> names; // of the records; "" for an all-zero record
        std::vector<std::string> log;
    };
    const std::vector<std::string> noSets = {
        "Getting materials from maya data...\n",
        "  Warning: All shapes have no associated sets.\n",
        "  1 materials found.\n",
        "  Beginning to load materials from maya data.\n",
        "    Warning: All shapes have no associated sets.\n",
        "  Could not load any materials.\n",
    };
    const std::vector<Case> cases = {
        {"an empty scene", [] {}, 0, 0, {}, noSets},
        {"a mesh in no set", [] { makeMesh("pCube1", "pCubeShape1"); }, 0, 0, {}, noSets},
        {"a shading group without a shader",
         [] { headless::assign(headless::createShadingGroup("emptySG", MObject::kNullObj), makeMesh("p", "pShape")); },
         1, 1, {""},
         {"Getting materials from maya data...\n", "  1 materials found.\n",
          "  Beginning to load materials from maya data.\n", "  Successful.\n", "Successful.\n"}},
        {"the same where the host fails a graph walk that finds nothing",
         [] {
             headless::hostBehaviour().graphIteratorFailsWithoutMatch = true;
             headless::assign(headless::createShadingGroup("emptySG", MObject::kNullObj), makeMesh("p", "pShape"));
         },
         1, 1, {""}, {}},
        {"two shading groups on one shader",
         [] {
             MObject shader = headless::createShader("lambert", "shared");
             headless::assign(headless::createShadingGroup("firstSG", shader), makeMesh("a", "aShape"));
             headless::assign(headless::createShadingGroup("secondSG", shader), makeMesh("b", "bShape"));
         },
         1, 2, {"shared", "shared"}, {}},
        // An unhandled shader type is skipped with a line and leaves a trailing zero record; a name of 40
        // characters is stored cut, with a warning.
        {"a skipped shader and a long name",
         [] {
             headless::assign(headless::createShadingGroup("explorerSG", headless::createShader("phongE", "explorer1")),
                              makeMesh("a", "aShape"));
             headless::assign(headless::createShadingGroup("longSG", headless::createShader("lambert", longName)),
                              makeMesh("b", "bShape"));
         },
         1, 2, {longNameCut, ""},
         {"Getting materials from maya data...\n", "  2 materials found.\n",
          "  Beginning to load materials from maya data.\n", "    Skipping Unknown shader type: 4: 'phongE'.\n",
          "    Loading lambert shader...\n", "      diffuse color: 0.500000 0.500000 0.500000 1.000000\n",
          "      ambient: 0.000000 0.000000 0.000000 1.000000\n",
          "      Warning: Shader name '" + longName + "' is longer than 31 characters, stored as '" +
              longNameCut + "'\n",
          "  Successful.\n", "Successful.\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        headless::resetHostBehaviour();
        headless::emptyScene();
        c.build();
        log.clear();
        int32_t before = newAllocations();
        EXPECT_EQ(getMayaMaterials(model, 2), c.result);
        EXPECT_EQ(model.numMaterials, c.numMaterials);
        if (c.result == 0) {
            EXPECT_EQ(model.materials, nullptr);
            EXPECT_EQ(newAllocations(), before) << "the table is released again";
        } else {
            ASSERT_NE(model.materials, nullptr);
            for (int32_t i = 0; i < model.numMaterials; ++i) {
                EXPECT_STREQ(model.materials[i].name, c.names[i].c_str()) << "record " << i;
                static const Material zero = {};
                if (c.names[i].empty()) {
                    EXPECT_EQ(memcmp(&model.materials[i], &zero, sizeof(Material)), 0) << "record " << i;
                }
            }
        }
        if (!c.log.empty()) {
            EXPECT_EQ(log.lines(), c.log);
        }
        EXPECT_STREQ(logIndent, "");
        releaseArray(model.materials);
        model = {};
    }
}

TEST_F(MaterialCaptureTest, CountAndLoadAgreeAndNeverRunPastTheTable)
{
    MObject shader = headless::createShader("blinn", "blinn1");
    headless::assign(headless::createShadingGroup("firstSG", shader), makeMesh("a", "aShape"));
    headless::assign(headless::createShadingGroup("secondSG", headless::createShader("phong", "phong1")),
                     makeMesh("b", "bShape"));
    EXPECT_EQ(countMayaShaders(), 2);

    // A table with room for one: the second shader is not read.
    model.numMaterials = 1;
    model.materials = allocateArray<Material>("model->materials", 1);
    EXPECT_EQ(loadMayaShaders(model), 1);
    EXPECT_STREQ(model.materials[0].name, "blinn1");
    EXPECT_EQ(model.numMaterials, 1);
}

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

class ShaderReadersTest : public CaptureTest {};

TEST_F(ShaderReadersTest, FileTexturesReplaceColours)
{
    struct Case {
        const char* attribute;
        float (Material::*color)[4];
        char (Material::*texture)[PATH_SIZE];
        std::vector<float> expected;
        const char* missingLogLine; // the line no longer logged for this attribute
    };
    const std::vector<Case> cases = {
        {"color", &Material::color, &Material::colorTexture, {1, 1, 1, 1}, "diffuse color"},
        {"transparency", &Material::transparency, &Material::transparencyTexture, {0, 0, 0, 1}, nullptr},
        {"ambientColor", &Material::ambientColor, &Material::ambientColorTexture, {0, 0, 0, 1}, "ambient:"},
        {"incandescence", &Material::incandescence, &Material::incandescenceTexture, {0, 0, 0, 1}, nullptr},
        {"specularColor", &Material::specularColor, &Material::specularColorTexture, {1, 1, 1, 1}, "specularColor:"},
        {"reflectedColor", &Material::reflectedColor, &Material::reflectedColorTexture, {1, 1, 1, 1}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attribute);
        headless::emptyScene();
        MObject shader = headless::createShader("blinn", "blinn1");
        ASSERT_TRUE(headless::setAttr(shader, c.attribute, std::vector<double>{0.3, 0.4, 0.6}));
        ASSERT_TRUE(headless::connectTexture(headless::createFileTexture("file1", "tex/a.tga"), shader, c.attribute));
        Material record = {};
        log.clear();
        loadBlinnShader(shader, record);
        const std::vector<float>& e = c.expected;
        expectColor(record.*c.color, e[0], e[1], e[2], e[3], c.attribute);
        EXPECT_STREQ(record.*c.texture, "tex/a.tga");
        if (c.missingLogLine) {
            for (const std::string& line : log.lines())
                EXPECT_EQ(line.find(c.missingLogLine), std::string::npos) << line;
        }
    }

    // A texture on reflectivity is recorded, and the value read from the node stays.
    headless::emptyScene();
    MObject shader = headless::createShader("phong", "phong1");
    ASSERT_TRUE(headless::setAttr(shader, "reflectivity", 0.25));
    MObject file = headless::createFileTexture("file1", "tex/r.tga");
    ASSERT_TRUE(headless::connect(file, "outAlpha", shader, "reflectivity"));
    Material record = {};
    loadPhongShader(shader, record);
    EXPECT_EQ(record.reflectivity, 0.25f);
    EXPECT_STREQ(record.reflectivityTexture, "tex/r.tga");
}

class TexturePathsTest : public CaptureTest {};

TEST_F(TexturePathsTest, ProjectRelativePaths)
{
    struct Case {
        const char* project;
        const char* path;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"c:/proj/", "C:\\Proj\\textures\\Brick.tga", "textures\\Brick.tga"},
        {"c:/proj/", "D:\\Other\\Brick.tga", "D:\\Other\\Brick.tga"},
        {"c:/proj/", "c:/PROJ/Mixed\\Case/File.TGA", "Mixed\\Case/File.TGA"},
        {"c:/proj/", "C:\\Proj\\", ""},
        {"c:/proj/", "x:/c:/proj/later.tga", "x:/c:/proj/later.tga"},
        {"c:/proj/", "C:\\Pro", "C:\\Pro"},
        {"", "C:\\Proj\\Brick.tga", "C:\\Proj\\Brick.tga"},
        {"/home/me/work/", "/home/me/work/sourceimages/wood.png", "sourceimages/wood.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.project) + " | " + c.path);
        copyFixedText(projectDirectory, sizeof(projectDirectory), c.project);
        char path[260];
        copyFixedText(path, sizeof(path), c.path);
        log.clear();
        makeProjectRelativePath(path, sizeof(path));
        EXPECT_STREQ(path, c.expected);
        EXPECT_EQ(log.lines(), (Lines{std::string("Original path: ") + c.path + "\n",
                                      std::string("Project relative path: ") + c.expected + "\n"}));
    }
}

// (A file texture under the project: the textured blinn cube test.)
TEST_F(TexturePathsTest, FileTextureFeedingAnAttribute)
{
    copyFixedText(projectDirectory, sizeof(projectDirectory), "/proj/");
    MObject shader = headless::createShader("lambert", "lambert2");
    MObject fed = headless::createShader("lambert", "lambert4");
    ASSERT_TRUE(headless::connect(headless::createShader("blinn", "notAFile"), "outColor", fed, "color"));
    const std::string longPath = "/elsewhere/" + std::string(300, 'x') + ".tga";
    const std::string cutPath = longPath.substr(0, 259);
    MObject longOne = headless::createShader("lambert", "lambert5");
    ASSERT_TRUE(headless::connectTexture(headless::createFileTexture("file2", longPath), longOne, "color"));

    struct Case {
        const char* what;
        MObject shader;
        const char* attribute;
        int result;
        std::string expected;
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {"an attribute the node lacks", shader, "noSuchAttribute", 0, "", {}},
        {"nothing connected", shader, "color", 0, "", {}},
        {"fed by a node that is no file texture", fed, "color", 0, "", {}},
        {"a name longer than the field is cut", longOne, "color", 1, cutPath,
         {"Original path: " + cutPath + "\n", "Project relative path: " + cutPath + "\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MFnDependencyNode node(c.shader);
        char output[260];
        copyFixedText(output, sizeof(output), "stale");
        log.clear();
        EXPECT_EQ(getTextureFileName(node, c.attribute, output, sizeof(output)), c.result);
        EXPECT_EQ(std::string(output), c.expected);
        EXPECT_EQ(log.lines(), c.log);
    }
}

} // namespace
