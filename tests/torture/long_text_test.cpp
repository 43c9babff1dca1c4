// Names and paths of a thousand characters: node names, shader names and texture paths. Fixed fields are cut and
// stay terminated. (Settings paths that do not fit are the plug-in tests'.)

#include "output/free_qax_model.h"
#include "plugin/export_fixture.h"

namespace {

using namespace plugintest;
using TortureTest = ExportTest;

std::string longName(size_t length, const std::string& stem)
{
    std::string name = stem;
    while (name.size() < length)
        name += "_" + std::to_string(name.size());
    return name.substr(0, length);
}

std::string text(const qaxString& string)
{
    return std::string(string.text, string.length);
}

// A triangle under a transform, both with names of 1,000 characters, shaded by a blinn of a 1,000-character
// name whose colour comes from a file texture at texturePath.
void buildLongNamedScene(const std::string& texturePath)
{
    headless::newScene();
    MObject transform = headless::createTransform(longName(1000, "longTransform"));
    MObject mesh = headless::createMesh(longName(1000, "longShape"), transform, triangle());
    ASSERT_FALSE(mesh.isNull());
    MObject shader = headless::createShader("blinn", longName(1000, "longBlinn"));
    ASSERT_TRUE(headless::connectTexture(headless::createFileTexture(longName(1000, "longFile"), texturePath), shader));
    ASSERT_TRUE(headless::assign(headless::createShadingGroup(longName(1000, "longGroup"), shader), mesh));
}

TEST_F(TortureTest, LongNamesAndTexturePathsAreCut)
{
    // A path of 1,001 characters whose only separators lie in its first 259: the part kept.
    const std::string path = "C:/" + std::string(990, 'D') + "/Tex.png";
    struct Case {
        const char* options;
        std::string texture; // the texture name written
    };
    const Case cases[] = {
        // The file name after the last separator of the kept part, lower-cased, cut to 64 characters.
        {"vertexColors=0;relProjPath=0;optimize=0;", std::string(64, 'd')},
        // The kept path as it is, cut to 64 characters.
        {"vertexColors=1;relProjPath=1;optimize=1;", "C:/" + std::string(61, 'D')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        buildLongNamedScene(path);
        ExportRun result = runExport("long.qax", c.options);
        ASSERT_EQ(result.status, MStatus::kSuccess) << lastLine(result.log);
        qaxModel model;
        ASSERT_TRUE(readQax("long.qax", model));
        ASSERT_EQ(model.objects.numObjects, 1);
        const qaxMaterial* blinn = nullptr;
        for (int32_t i = 0; i < model.materials.numMaterials; ++i)
            if (text(model.materials.materials[i].header.name).compare(0, 9, "longBlinn") == 0)
                blinn = &model.materials.materials[i];
        ASSERT_NE(blinn, nullptr);
        // Names live in 32-byte fields: 31 characters and the terminator.
        EXPECT_EQ(text(blinn->header.name), longName(1000, "longBlinn").substr(0, 31));
        ASSERT_EQ(blinn->textures.numTextures, 1);
        EXPECT_EQ(text(blinn->textures.textures[0]), c.texture);
        freeQAXModel(model);
    }
}

} // namespace
