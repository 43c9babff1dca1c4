#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <headless/scene.h>
#include <maya/MFn.h>

#include "capture_scenes.h"
#include "materials/shader_readers.h"

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

} // namespace
