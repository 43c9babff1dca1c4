#include "scene_readers/maya_ascii/geometry_values.h"

#include "scene_readers/maya_ascii/read_error.h"
#include "scene_readers/maya_ascii/values.h"

#include <limits>

namespace mayaascii {

namespace {

// Reads tokens in order, with the line of the last one read for messages.
class Cursor {
public:
    Cursor(ValueTokens& tokens, int line, const char* type) : tokens_(tokens), line_(line), type_(type) {}

    bool done() const { return tokens_.done(); }
    size_t remaining() const { return tokens_.remaining(); }

    Token take(const char* what)
    {
        if (tokens_.done())
            fail(std::string("expected ") + what + ", found ';'");
        Token token = tokens_.take();
        line_ = token.line;
        return token;
    }

    double number(const char* what)
    {
        const Token token = take(what);
        double value = 0;
        if (token.kind != TokenKind::Word || !parseNumber(token.text, value))
            fail(std::string("expected ") + what + ", found " + describeToken(token));
        return value;
    }

    int64_t integer(const char* what)
    {
        int64_t value = 0;
        if (!tokens_.done() && tokens_.takeInteger(value))
            return value;
        const Token token = take(what);
        if (token.kind != TokenKind::Word || !parseInteger(token.text, value))
            fail(std::string("expected ") + what + ", found " + describeToken(token));
        return value;
    }

    int32_t index(const char* what)
    {
        int64_t value = integer(what);
        if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
            fail(std::string("expected ") + what + " that fits in 32 bits");
        return int32_t(value);
    }

    // A count that the following `perItem` tokens each use, checked against what is left.
    int64_t count(const char* what, size_t perItem)
    {
        int64_t value = integer(what);
        if (value < 0 || uint64_t(value) > remaining() / perItem)
            fail(std::string("expected ") + what + " no larger than the " + std::to_string(remaining()) +
                 " values that follow, found " + std::to_string(value));
        return value;
    }

    [[noreturn]] void fail(const std::string& message) const
    {
        throw ReadError(line_, message + " (in a \"" + type_ + "\" value)");
    }

    void expectEnd(const char* after)
    {
        if (!done()) {
            const Token& next = tokens_.peek();
            line_ = next.line;
            fail(std::string("expected ';' after ") + after + ", found " + describeToken(next));
        }
    }

private:
    ValueTokens& tokens_;
    int line_;
    const char* type_;
};

void readPoints(Cursor& cursor, int64_t count, int written, int stored, std::vector<double>& out)
{
    out.reserve(out.size() + size_t(count) * size_t(stored));
    for (int64_t i = 0; i < count; ++i) {
        for (int c = 0; c < written; ++c)
            out.push_back(cursor.number("a control point coordinate"));
        for (int c = written; c < stored; ++c)
            out.push_back(0.0);
    }
}

void readKnots(Cursor& cursor, std::vector<double>& knots)
{
    int64_t count = cursor.count("a knot count", 1);
    knots.reserve(size_t(count));
    for (int64_t i = 0; i < count; ++i)
        knots.push_back(cursor.number("a knot value"));
}

int smallInteger(Cursor& cursor, const char* what, int64_t low, int64_t high)
{
    int64_t value = cursor.integer(what);
    if (value < low || value > high)
        cursor.fail(std::string("expected ") + what + " from " + std::to_string(low) + " to " + std::to_string(high) +
                    ", found " + std::to_string(value));
    return int(value);
}

bool rationalFlag(Cursor& cursor)
{
    const Token token = cursor.take("yes or no (rational)");
    bool value = false;
    if (token.kind != TokenKind::Word || !parseBoolean(token.text, value))
        cursor.fail("expected yes or no (rational), found " + describeToken(token));
    return value;
}

// Corner indices of one keyword group, stored per corner for every face (-1 where a face gives none).
void appendCornerIndices(Cursor& cursor, std::vector<int32_t>& perCorner, const PolyFacesData& data, const char* what)
{
    const int32_t faceBegin = data.faceStart[data.faceStart.size() - 2];
    const int32_t faceEnd = data.faceStart.back();
    int64_t n = cursor.count("a corner count", 1);
    if (n != faceEnd - faceBegin)
        cursor.fail(std::string("expected ") + std::to_string(faceEnd - faceBegin) + " " + what +
                    " indices (one per corner of the face), found " + std::to_string(n));
    if (perCorner.size() > size_t(faceBegin))
        cursor.fail(std::string("expected one ") + what + " group per face and set, found a second");
    if (perCorner.capacity() < data.edges.capacity())
        perCorner.reserve(data.edges.capacity()); // as many as the faces can have: grown once, not by copying
    perCorner.resize(size_t(faceBegin), -1);
    for (int64_t i = 0; i < n; ++i)
        perCorner.push_back(cursor.index("an index"));
}

// mu and mc: a set index, then the last face's corners in that set.
void appendMappedCorners(Cursor& cursor, std::map<int32_t, std::vector<int32_t>>& sets, PolyFacesData& data,
                         const char* what)
{
    const std::string setIndex = std::string("a ") + what + " set index";
    int32_t set = cursor.index(setIndex.c_str());
    if (set < 0)
        cursor.fail("expected " + setIndex + " of 0 or more");
    if (!data.facesWithHoles.empty() && data.facesWithHoles.back() == int32_t(data.faceCount() - 1)) {
        // A face with holes maps its hole corners too; it is rejected later, so skip its indices.
        int64_t n = cursor.count("a corner count", 1);
        for (int64_t i = 0; i < n; ++i)
            cursor.index("an index");
        return;
    }
    appendCornerIndices(cursor, sets[set], data, what);
}

} // namespace

PolyFacesData decodePolyFaces(ValueTokens& tokens, int line)
{
    Cursor cursor(tokens, line, "polyFaces");
    PolyFacesData data;
    // Every face takes at least five values ("f 3" and its edges): bounds for the arrays, reserved once. Pages
    // beyond what the faces fill are never touched.
    data.edges.reserve(cursor.remaining());
    data.faceStart.reserve(cursor.remaining() / 5 + 1);
    bool haveFace = false;
    while (!cursor.done()) {
        const Token keyword = cursor.take("a polyFaces keyword");
        std::string_view word = keyword.kind == TokenKind::Word ? keyword.text : std::string_view();
        if (word == "f") {
            int64_t n = cursor.count("an edge count", 1);
            if (n < 3)
                cursor.fail("expected a face of at least 3 edges, found " + std::to_string(n));
            if (data.edges.size() + size_t(n) > size_t(std::numeric_limits<int32_t>::max()))
                cursor.fail("expected fewer face corners");
            for (int64_t i = 0; i < n; ++i)
                data.edges.push_back(cursor.index("an edge index"));
            data.faceStart.push_back(int32_t(data.edges.size()));
            haveFace = true;
        } else if (!haveFace) {
            cursor.fail("expected 'f' to start a face, found " + describeToken(keyword));
        } else if (word == "h") {
            int64_t n = cursor.count("an edge count", 1);
            for (int64_t i = 0; i < n; ++i)
                cursor.index("an edge index");
            const int32_t face = int32_t(data.faceCount() - 1);
            if (data.facesWithHoles.empty() || data.facesWithHoles.back() != face)
                data.facesWithHoles.push_back(face);
        } else if (word == "mu") {
            appendMappedCorners(cursor, data.uvs, data, "UV");
        } else if (word == "mc") {
            appendMappedCorners(cursor, data.colors, data, "colour");
        } else if (word == "fc") {
            appendCornerIndices(cursor, data.oldColors, data, "colour");
        } else {
            cursor.fail("expected a polyFaces keyword (f, h, mu, mc or fc), found " + describeToken(keyword));
        }
    }
    const size_t corners = data.edges.size();
    for (auto& entry : data.uvs)
        entry.second.resize(corners, -1);
    for (auto& entry : data.colors)
        entry.second.resize(corners, -1);
    if (!data.oldColors.empty())
        data.oldColors.resize(corners, -1);
    return data;
}

NurbsCurveData decodeNurbsCurve(ValueTokens& tokens, int line)
{
    Cursor cursor(tokens, line, "nurbsCurve");
    NurbsCurveData curve;
    curve.degree = smallInteger(cursor, "a degree", 1, 7);
    curve.spans = smallInteger(cursor, "a span count", 1, std::numeric_limits<int32_t>::max());
    curve.form = smallInteger(cursor, "a form", 0, 2);
    curve.rational = rationalFlag(cursor);
    curve.dimension = smallInteger(cursor, "a dimension", 2, 3);
    readKnots(cursor, curve.knots);
    const int written = curve.dimension + (curve.rational ? 1 : 0);
    int64_t cvCount = cursor.count("a control point count", size_t(written));
    const int64_t expectedKnots = int64_t(curve.spans) + 2 * curve.degree - 1;
    if (int64_t(curve.knots.size()) != expectedKnots)
        cursor.fail("expected " + std::to_string(expectedKnots) + " knots for degree " + std::to_string(curve.degree) +
                    " and " + std::to_string(curve.spans) + " spans, found " + std::to_string(curve.knots.size()));
    if (cvCount != int64_t(curve.spans) + curve.degree)
        cursor.fail("expected " + std::to_string(int64_t(curve.spans) + curve.degree) +
                    " control points (spans + degree), found " + std::to_string(cvCount));
    // Curves on surfaces (dimension 2) keep u v; stored as x y 0 so every curve has three coordinates.
    const int stored = 3 + (curve.rational ? 1 : 0);
    if (curve.dimension == 2 && curve.rational) {
        for (int64_t i = 0; i < cvCount; ++i) {
            double u = cursor.number("a control point coordinate");
            double v = cursor.number("a control point coordinate");
            double w = cursor.number("a control point weight");
            curve.cvs.insert(curve.cvs.end(), {u, v, 0.0, w});
        }
    } else {
        readPoints(cursor, cvCount, written, stored, curve.cvs);
    }
    cursor.expectEnd("the control points");
    return curve;
}

NurbsSurfaceData decodeNurbsSurface(ValueTokens& tokens, int line)
{
    Cursor cursor(tokens, line, "nurbsSurface");
    NurbsSurfaceData surface;
    surface.degreeU = smallInteger(cursor, "a U degree", 1, 7);
    surface.degreeV = smallInteger(cursor, "a V degree", 1, 7);
    surface.formU = smallInteger(cursor, "a U form", 0, 2);
    surface.formV = smallInteger(cursor, "a V form", 0, 2);
    surface.rational = rationalFlag(cursor);
    readKnots(cursor, surface.knotsU);
    readKnots(cursor, surface.knotsV);
    surface.numCVsU = int64_t(surface.knotsU.size()) - surface.degreeU + 1;
    surface.numCVsV = int64_t(surface.knotsV.size()) - surface.degreeV + 1;
    if (surface.numCVsU < surface.degreeU + 1 || surface.numCVsV < surface.degreeV + 1)
        cursor.fail("expected at least degree + 1 control points in each direction (knots - degree + 1), found " +
                    std::to_string(surface.numCVsU) + " x " + std::to_string(surface.numCVsV));
    const int written = 3 + (surface.rational ? 1 : 0);
    if (uint64_t(surface.numCVsU) > cursor.remaining() || uint64_t(surface.numCVsV) > cursor.remaining())
        cursor.fail("expected control points for the knots given, found only " + std::to_string(cursor.remaining()) +
                    " values");
    const int64_t expected = surface.numCVsU * surface.numCVsV;
    // Trimmed surfaces keep further data before the control points; those come last, so the count
    // stands exactly expected * coordinates tokens before the end.
    const uint64_t tail = uint64_t(expected) * uint64_t(written) + 1;
    if (tail > cursor.remaining())
        cursor.fail("expected " + std::to_string(expected) + " control points, found only " +
                    std::to_string(cursor.remaining()) + " values");
    while (cursor.remaining() > tail)
        cursor.take("trim data");
    int64_t count = cursor.integer("a control point count");
    if (count != expected)
        cursor.fail("expected " + std::to_string(expected) + " control points (" + std::to_string(surface.numCVsU) +
                    " x " + std::to_string(surface.numCVsV) + "), found " + std::to_string(count));
    readPoints(cursor, count, written, written, surface.cvs);
    cursor.expectEnd("the control points");
    return surface;
}

LatticeData decodeLattice(ValueTokens& tokens, int line)
{
    Cursor cursor(tokens, line, "lattice");
    LatticeData lattice;
    lattice.s = smallInteger(cursor, "an S division count", 2, std::numeric_limits<int32_t>::max());
    lattice.t = smallInteger(cursor, "a T division count", 2, std::numeric_limits<int32_t>::max());
    lattice.u = smallInteger(cursor, "a U division count", 2, std::numeric_limits<int32_t>::max());
    int64_t count = cursor.count("a point count", 3);
    // Each division is below 2^31, so s * t cannot overflow; u is compared by division.
    const int64_t layer = lattice.s * lattice.t;
    if (layer > count || count % layer != 0 || count / layer != lattice.u)
        cursor.fail("expected " + std::to_string(lattice.s) + " x " + std::to_string(lattice.t) + " x " +
                    std::to_string(lattice.u) + " points, found a count of " + std::to_string(count));
    readPoints(cursor, count, 3, 3, lattice.points);
    cursor.expectEnd("the lattice points");
    return lattice;
}

} // namespace mayaascii
