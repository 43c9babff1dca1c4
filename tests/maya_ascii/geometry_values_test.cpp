#include "scene_readers/maya_ascii/geometry_values.h"
#include "scene_readers/maya_ascii/lexer.h"
#include "scene_readers/maya_ascii/read_error.h"

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

template <typename Decode>
std::string failure(Decode decode, const std::string& text)
{
    Tokens tokens(text);
    try {
        decode(tokens.values(), 1);
    } catch (const ReadError& error) {
        return error.what();
    }
    return "no error";
}

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

TEST(GeometryValues, RejectsCountsTheDataDoesNotHold)
{
    struct Case {
        int kind;  // 0 polyFaces, 1 nurbsCurve, 2 nurbsSurface, 3 lattice
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {0, "f 2000000000 0 1 2", "expected an edge count no larger than the 3 values that follow, found 2000000000 (in a \"polyFaces\" value)"},
        {0, "mu 0 3 0 1 2", "expected 'f' to start a face, found 'mu' (in a \"polyFaces\" value)"},
        {0, "f 3 0 1 2 mu 0 4 0 1 2 3", "expected 3 UV indices (one per corner of the face), found 4 (in a \"polyFaces\" value)"},
        {0, "f 3 0 1 2 q 1", "expected a polyFaces keyword (f, h, mu, mc or fc), found 'q' (in a \"polyFaces\" value)"},
        {0, "f 2 0 1", "expected a face of at least 3 edges, found 2 (in a \"polyFaces\" value)"},
        {0, "f 3 0 x 2", "expected an edge index, found 'x' (in a \"polyFaces\" value)"},
        {1, "3 1 0 no 3 6 0 0 0 1 1 1 3 0 0 0 1 1 1 2 2 2", "expected 4 control points (spans + degree), found 3 (in a \"nurbsCurve\" value)"},
        {1, "3 1 0 no 3 5 0 0 1 1 1 4 0 0 0 1 1 1 2 2 2 3 3 3", "expected 6 knots for degree 3 and 1 spans, found 5 (in a \"nurbsCurve\" value)"},
        {1, "3 1 0 no 3 6 0 0 0 1 1 1 4000000000 0 0 0", "expected a control point count no larger than the 3 values that follow, found 4000000000 (in a \"nurbsCurve\" value)"},
        {1, "9 1 0 no 3", "expected a degree from 1 to 7, found 9 (in a \"nurbsCurve\" value)"},
        {2, "1 1 0 0 no 2 0 1 2 0 1 5 0 0 0 0 1 0 1 0 0 1 1 0", "expected 4 control points (2 x 2), found 5 (in a \"nurbsSurface\" value)"},
        {3, "2 2 2 9 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0", "expected 2 x 2 x 2 points, found a count of 9 (in a \"lattice\" value)"},
        {3, "2 2 2 2000000000 0 0 0", "expected a point count no larger than the 3 values that follow, found 2000000000 (in a \"lattice\" value)"},
    };
    for (const Case& c : cases) {
        std::string message;
        switch (c.kind) {
        case 0: message = failure(decodePolyFaces, c.text); break;
        case 1: message = failure(decodeNurbsCurve, c.text); break;
        case 2: message = failure(decodeNurbsSurface, c.text); break;
        default: message = failure(decodeLattice, c.text); break;
        }
        EXPECT_EQ(message, c.expected) << c.text;
    }
}
