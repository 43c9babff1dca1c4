#include "tools/qax_summary.h"

#include "tools_fixtures.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace qaxtools;

TEST(QaxSummary, CountsAndDescribesMaterialsAndObjects)
{
    toolstest::ModelFixture fixture;
    fixture.addMaterial("red", 0.8f, 0.1f, 0.1f, "", false);
    fixture.addMaterial("wood", 0.5f, 0.5f, 0.5f, "sourceimages/wood.png", true);
    fixture.addQuad(1, 2.0f, true);
    fixture.addQuad(0, -1.0f, false);
    const qaxModel& model = fixture.finish();

    const QaxTotals totals = computeTotals(model);
    EXPECT_EQ(totals.materials, 2);
    EXPECT_EQ(totals.objects, 2);
    EXPECT_EQ(totals.triangles, 4);
    EXPECT_EQ(totals.vertices, 8);
    EXPECT_EQ(totals.textures, 1);

    const std::string text = formatSummaryText(model, "scene.qax");
    const char* expectedLines[] = {
        "scene.qax: 2 materials, 2 objects, 4 triangles, 8 vertices\n",
        "  0 \"red\" (Standard)\n",
        "      diffuse 0.8 0.1 0.1 1  ambient 0 0 0 0\n",
        "      eccentricity x 128 38.4  reflective yes  translucence 0\n",
        "      texture \"sourceimages/wood.png\"\n",
        "  0 material 1 \"wood\": 2 triangles, 4 vertices, vertex colours yes\n",
        "      bounds (0 2 0) .. (1 2 1)  indices 0..3\n",
        "  1 material 0 \"red\": 2 triangles, 4 vertices, vertex colours no\n",
    };
    for (const char* line : expectedLines)
        EXPECT_NE(text.find(line), std::string::npos) << line << "\nin\n" << text;

    const nlohmann::json json = nlohmann::json::parse(formatSummaryJson(model, "scene.qax"));
    EXPECT_EQ(json["totals"]["triangles"], 4);
    EXPECT_EQ(json["materials"][1]["textures"][0], "sourceimages/wood.png");
    EXPECT_EQ(json["materials"][0]["reflective"], false);
    EXPECT_EQ(json["objects"][0]["material"], 1);
    EXPECT_EQ(json["objects"][1]["bounds"]["min"][1], -1.0);
    EXPECT_EQ(json["objects"][1]["indexRange"][1], 3);
    EXPECT_EQ(json["objects"][0]["vertexColors"], true);
}
