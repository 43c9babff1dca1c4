#include "scene_readers/maya_ascii/geometry_values.h"
#include "scene_readers/maya_ascii/lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mayaascii;

namespace {

// The tokens of a value text (no statement around it).
struct Tokens {
    explicit Tokens(const std::string& source) : text(source)
    {
        Lexer lexer(text);
        for (Token t = lexer.next(); t.kind != TokenKind::End; t = lexer.next())
            list.push_back(t);
    }
    // The tokens from the first, as a decoder takes them.
    ValueTokens& values()
    {
        stream = ValueTokens(list.data(), list.data() + list.size());
        return stream;
    }
    std::string text;
    std::vector<Token> list;
    ValueTokens stream{nullptr, nullptr};
};

} // namespace

// polyFaces values are pinned end to end: faces and UVs by the history tests' comparison of baked and evaluated
// meshes, colours by the reader's tests. Lattices are read into the host in the reader's tests, point order included.
TEST(GeometryValues, DecodesCurvesAndSurfaces)
{
    Tokens curveTokens("3 1 0 no 3\n6 0 0 0 1 1 1\n4\n0 0 0\n1 2 0\n3 2 0\n4 0 0");
    NurbsCurveData curve = decodeNurbsCurve(curveTokens.values(), 1);
    EXPECT_EQ(curve.degree, 3);
    EXPECT_EQ(curve.spans, 1);
    EXPECT_EQ(curve.knots.size(), 6u);
    EXPECT_EQ(curve.cvs, (std::vector<double>{0, 0, 0, 1, 2, 0, 3, 2, 0, 4, 0, 0}));

    Tokens flat("1 1 0 no 2 2 0 1 2 5 6 7 8");
    NurbsCurveData onSurface = decodeNurbsCurve(flat.values(), 1);
    EXPECT_EQ(onSurface.cvs, (std::vector<double>{5, 6, 0, 7, 8, 0}));

    std::string patch = "3 3 0 0 no\n6 0 0 0 1 1 1\n6 0 0 0 1 1 1\n\n16\n";
    for (int i = 0; i < 16; ++i)
        patch += std::to_string(i / 4) + " " + std::to_string(i % 4) + " 0\n";
    Tokens surfaceTokens(patch);
    NurbsSurfaceData surface = decodeNurbsSurface(surfaceTokens.values(), 1);
    EXPECT_EQ(surface.numCVsU, 4);
    EXPECT_EQ(surface.numCVsV, 4);
    ASSERT_EQ(surface.cvs.size(), 48u);
    EXPECT_EQ(surface.cvs[3 * 5 + 0], 1.0);  // u = 1, v = 1: V varies fastest
    EXPECT_EQ(surface.cvs[3 * 5 + 1], 1.0);

    std::string trimmed = "1 1 0 0 no 2 0 1 2 0 1 \"TRIM\" 7 7 7 4 0 0 0 0 1 0 1 0 0 1 1 0";
    Tokens trimmedTokens(trimmed);
    NurbsSurfaceData trimmedSurface = decodeNurbsSurface(trimmedTokens.values(), 1);
    EXPECT_EQ(trimmedSurface.cvs.size(), 12u);
}
