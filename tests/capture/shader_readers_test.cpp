#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <headless/scene.h>
#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>

#include "capture_scenes.h"
#include "materials/shader_readers.h"
#include "materials/texture_paths.h"

using namespace capturetest;

namespace {

class ShaderReadersTest : public CaptureTest {};

void expectColor(const float* color, std::vector<float> expected, const std::string& what)
{
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(color[k], expected[k]) << what << " component " << k;
}

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
        expectColor(record.*c.color, c.expected, c.attribute);
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
    ASSERT_TRUE(headless::connect(headless::createFileTexture("file1", "tex/r.tga"), "outAlpha", shader, "reflectivity"));
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
        EXPECT_EQ(log.lines(), lines({std::string("Original path: ") + c.path + "\n",
                                      std::string("Project relative path: ") + c.expected + "\n"}));
    }
}

TEST_F(TexturePathsTest, FileTextureFeedingAnAttribute)
{
    copyFixedText(projectDirectory, sizeof(projectDirectory), "/proj/");
    MObject shader = headless::createShader("lambert", "lambert2");
    MObject textured = headless::createShader("lambert", "lambert3");
    ASSERT_TRUE(headless::connectTexture(headless::createFileTexture("file1", "/Proj/images/A.tga"), textured, "color"));
    MObject fed = headless::createShader("lambert", "lambert4");
    ASSERT_TRUE(headless::connect(headless::createShader("blinn", "notAFile"), "outColor", fed, "color"));
    const std::string longPath = "/elsewhere/" + std::string(300, 'x') + ".tga";
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
        {"a file texture", textured, "color", 1, "images/A.tga",
         {"Original path: /Proj/images/A.tga\n", "Project relative path: images/A.tga\n"}},
        {"fed by a node that is no file texture", fed, "color", 0, "", {}},
        {"a name longer than the field is cut", longOne, "color", 1, longPath.substr(0, 259),
         {"Original path: " + longPath.substr(0, 259) + "\n", "Project relative path: " + longPath.substr(0, 259) + "\n"}},
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
