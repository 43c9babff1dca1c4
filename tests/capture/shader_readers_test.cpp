#include <gtest/gtest.h>

#include <functional>
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
        std::function<const float*(const Material&)> color;
        std::function<const char*(const Material&)> texture;
        std::vector<float> expected;
        const char* missingLogLine; // the line no longer logged for this attribute
    };
    const std::vector<Case> cases = {
        {"color", [](const Material& m) { return m.color; }, [](const Material& m) { return m.colorTexture; },
         {1, 1, 1, 1}, "diffuse color"},
        {"transparency", [](const Material& m) { return m.transparency; },
         [](const Material& m) { return m.transparencyTexture; }, {0, 0, 0, 1}, nullptr},
        {"ambientColor", [](const Material& m) { return m.ambientColor; },
         [](const Material& m) { return m.ambientColorTexture; }, {0, 0, 0, 1}, "ambient:"},
        {"incandescence", [](const Material& m) { return m.incandescence; },
         [](const Material& m) { return m.incandescenceTexture; }, {0, 0, 0, 1}, nullptr},
        {"specularColor", [](const Material& m) { return m.specularColor; },
         [](const Material& m) { return m.specularColorTexture; }, {1, 1, 1, 1}, "specularColor:"},
        {"reflectedColor", [](const Material& m) { return m.reflectedColor; },
         [](const Material& m) { return m.reflectedColorTexture; }, {1, 1, 1, 1}, nullptr},
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
        expectColor(c.color(record), c.expected, c.attribute);
        EXPECT_STREQ(c.texture(record), "tex/a.tga");
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
