#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <headless/scene.h>
#include <maya/MFnDependencyNode.h>

#include "capture_scenes.h"
#include "materials/texture_paths.h"

using namespace capturetest;

namespace {

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
