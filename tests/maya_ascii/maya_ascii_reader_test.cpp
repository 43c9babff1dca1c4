#include "scene_readers/maya_ascii/maya_ascii_reader.h"

#include <headless/scene.h>

#include <maya/MColorArray.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnLattice.h>
#include <maya/MFnLatticeDeformer.h>
#include <maya/MFnMesh.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MFnSpotLight.h>
#include <maya/MFnTransform.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MObjectArray.h>
#include <maya/MPoint.h>
#include <maya/MTransformationMatrix.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace mayaascii;

namespace {

const char* const kHeader = "//Maya ASCII 2018 scene\nrequires maya \"2018\";\ncurrentUnit -l centimeter -a degree -t film;\n";

LoadReport load(const std::string& body)
{
    return loadMayaAsciiText(kHeader + body, "test.ma");
}

MObject node(const std::string& name)
{
    MObject object = headless::findNode(name);
    EXPECT_FALSE(object.isNull()) << name;
    return object;
}

// Each program of this folder ends with an empty scene, so no node outlives it.
class EmptySceneAtExit : public ::testing::Environment {
public:
    void TearDown() override { headless::emptyScene(); }
};
const ::testing::Environment* const emptySceneAtExit = ::testing::AddGlobalTestEnvironment(new EmptySceneAtExit);

} // namespace

// What no export checks: the current colour set with its uncoloured corners, normals locked in the file and a
// marked (1e+20) corner the host computes, on one quad facing +Z.
TEST(MayaAsciiReader, KeepsTheCurrentColourSetAndLockedNormals)
{
    LoadReport report = load("createNode transform -n \"quad\";\n"
                             "createNode mesh -n \"quadShape\" -p \"quad\";\n"
                             "\tsetAttr -s 4 \".vt[0:3]\" 0 0 0  1 0 0  1 1 0  0 1 0;\n"
                             "\tsetAttr -s 4 \".ed[0:3]\" 0 1 0  1 2 0  2 3 0  3 0 0;\n"
                             "\tsetAttr -s 4 \".n[0:3]\" -type \"float3\" 0 1 0  1e+20 1e+20 1e+20  0.6 0.8 0  0 1 0;\n"
                             "\tsetAttr \".ccls\" -type \"string\" \"paint\";\n"
                             "\tsetAttr -s 2 \".clst\";\n"
                             "\tsetAttr \".clst[0].clsn\" -type \"string\" \"other\";\n"
                             "\tsetAttr -s 1 \".clst[0].clsp[0]\" 0.5 0.5 0.5 1;\n"
                             "\tsetAttr \".clst[1].clsn\" -type \"string\" \"paint\";\n"
                             "\tsetAttr \".clst[1].rprt\" 3;\n"
                             "\tsetAttr -s 2 \".clst[1].clsp[0:1]\" 1 0 0  0 0 1;\n"
                             "\tsetAttr -s 1 -ch 4 \".fc[0]\" -type \"polyFaces\"\n"
                             "\t\tf 4 0 1 2 3\n\t\tmc 0 4 0 0 0 0\n\t\tmc 1 4 0 -1 1 -1;\n");
    ASSERT_TRUE(report.ok) << report.message;
    MObject shape = node("quadShape");
    MFnMesh mesh(shape);
    MColorArray colors;
    mesh.getFaceVertexColors(colors);
    MFloatVectorArray normals;
    mesh.getNormals(normals);
    ASSERT_EQ(colors.length(), 4u);
    ASSERT_EQ(mesh.numPolygons(), 1);
    MItMeshPolygon face(shape);
    const MColor expectedColors[] = {{1, 0, 0, 1}, {-1, -1, -1, -1}, {0, 0, 1, 1}, {-1, -1, -1, -1}};
    const float expectedNormals[4][3] = {{0, 1, 0}, {0, 0, 1}, {0.6f, 0.8f, 0}, {0, 1, 0}};
    for (unsigned c = 0; c < 4; ++c) {
        EXPECT_EQ(colors[c], expectedColors[c]) << c;
        const MFloatVector n = normals[unsigned(face.normalIndex(int(c)))];
        EXPECT_NEAR(n.x, expectedNormals[c][0], 1e-6) << c;
        EXPECT_NEAR(n.y, expectedNormals[c][1], 1e-6) << c;
        EXPECT_NEAR(n.z, expectedNormals[c][2], 1e-6) << c;
    }
}

// The document loader converts values to centimetres and degrees (its own tests); here the host receives them in
// its own units, transforms keep their rotate order, pivots and single children, and a second currentUnit applies
// from where it stands.
TEST(MayaAsciiReader, TransformsAndSpotLightsReachTheHostInItsUnits)
{
    LoadReport report = loadMayaAsciiText("currentUnit -l meter -a radian;\n"
                                          "createNode transform -n \"t\";\n"
                                          "\tsetAttr \".v\" no;\n"
                                          "\tsetAttr \".r\" -type \"double3\" 0 1.5707963267948966 0 ;\n"
                                          "\tsetAttr \".ro\" 5;\n"
                                          "\tsetAttr \".s\" -type \"double3\" 2 2 2 ;\n"
                                          "\tsetAttr \".rp\" -type \"double3\" 1 0 0 ;\n"
                                          "\tsetAttr \".sp\" -type \"double3\" 0 1 0 ;\n"
                                          "\tsetAttr \".sz\" 3;\n"
                                          "createNode spotLight -n \"lampShape\" -p \"t\";\n"
                                          "\tsetAttr \".ca\" 0.5;\n\tsetAttr \".pa\" 0.1;\n"
                                          "currentUnit -l millimeter -a degree;\n"
                                          "createNode transform -n \"u\";\n"
                                          "\tsetAttr \".tx\" 25;\n"
                                          "\tsetAttr \".ry\" 30;\n",
                                          "units.ma");
    ASSERT_TRUE(report.ok) << report.message;
    MFnTransform t(node("t"));
    double rotation[3], scale[3];
    MTransformationMatrix::RotationOrder order;
    t.getRotation(rotation, order);
    EXPECT_NEAR(rotation[1], M_PI / 2, 1e-12);
    EXPECT_EQ(t.rotationOrder(), MTransformationMatrix::kZYX);
    EXPECT_EQ(t.rotatePivot(MSpace::kTransform).x, 100.0);
    EXPECT_EQ(t.scalePivot(MSpace::kTransform).y, 100.0);
    t.getScale(scale);
    EXPECT_EQ(scale[0], 2.0);
    EXPECT_EQ(scale[2], 3.0);  // one child of the compound, set on its own
    double visible = 1;
    ASSERT_TRUE(headless::getAttr(node("t"), "visibility", visible));
    EXPECT_EQ(visible, 0.0);
    // A spot light's cone and penumbra are angles too.
    MFnSpotLight lamp(node("lampShape"));
    EXPECT_NEAR(lamp.coneAngle(), 0.5, 1e-12);
    EXPECT_NEAR(lamp.penumbraAngle(), 0.1, 1e-12);
    std::vector<double> translate;
    ASSERT_TRUE(headless::getAttr(node("u"), "translate", translate));
    EXPECT_NEAR(translate[0], 2.5, 1e-12);
    MFnTransform u(node("u"));
    u.getRotation(rotation, order);
    EXPECT_NEAR(rotation[1], M_PI / 6, 1e-12);
}

TEST(MayaAsciiReader, ReportsHistoryOnlyShapesAndSkipsUnknownNodes)
{
    LoadReport report = load("requires -nodeType \"fancyNode\" \"fancyPlugin\" \"1.0\";\n"
                             "createNode transform -n \"p\";\n"
                             "createNode mesh -n \"pShape\" -p \"p\";\n"
                             "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
                             "createNode polyCube -n \"polyCube1\";\n\tsetAttr \".w\" 5;\n"
                             "createNode polySmoothFace -n \"polySmoothFace1\";\n"
                             "createNode fancyNode -n \"fancy1\";\n\tsetAttr \".glow\" 3;\n"
                             "createNode fancyNode -n \"fancy2\";\n"
                             "createNode script -n \"uiConfigurationScriptNode\";\n"
                             "createNode transform -n \"q\";\n\tsetAttr \".notAnAttribute\" 1;\n"
                             "\taddAttr -ci true -sn \"wgt\" -ln \"weight\" -min 0 -at \"double\";\n"
                             "\taddAttr -ci true -sn \"lbl\" -ln \"label\" -dt \"string\";\n"
                             "\tsetAttr \".wgt\" 2.5;\n\tsetAttr \".lbl\" -type \"string\" \"tag\";\n"
                             "connectAttr \"polyCube1.out\" \"polySmoothFace1.ip\";\n"
                             "connectAttr \"polySmoothFace1.out\" \"pShape.i\";\n"
                             "connectAttr \"fancy1.out\" \"fancy2.in\";\n"
                             "connectAttr \"pShape.iog\" \":initialShadingGroup.dsm\" -na;\n"
                             "playbackOptions -min 1 -max 24;\n");
    ASSERT_TRUE(report.ok) << report.message;
    EXPECT_EQ(report.historyOnlyShapes, (std::vector<std::string>{"pShape"}));
    EXPECT_TRUE(headless::findNode("pShape").isNull());
    EXPECT_FALSE(headless::findNode("p").isNull());
    EXPECT_EQ(report.skippedNodeTypes.at("fancyNode"), 2);
    EXPECT_EQ(report.skippedNodeTypes.at("polyCube"), 1);
    // Nothing of a chain that passes through a node the host does not evaluate is exported.
    const char* const warnings[] = {
        "pShape (mesh) skipped: its construction history passes through polySmoothFace, which the headless host "
        "does not evaluate",
        "skipped 1 shape(s) whose construction history the headless host does not evaluate, by node type: "
        "polySmoothFace (1) - pShape; delete their history in the host, or export from the host",
        "fancyNode (2)",
        "transform.notAnAttribute",
        "playbackOptions (1)",
        "the file requires plug-ins (fancyPlugin)",
    };
    for (const char* part : warnings)
        EXPECT_TRUE(std::any_of(report.warnings.begin(), report.warnings.end(),
                                [&](const std::string& warning) { return warning.find(part) != std::string::npos; }))
            << part;
    EXPECT_EQ(report.unevaluatedHistoryTypes, (std::map<std::string, int>{{"polySmoothFace", 1}}));
    EXPECT_EQ(report.meshes, 0);
    // Dynamic attributes are added, so their values reach the node.
    double weight = 0;
    std::string label;
    EXPECT_TRUE(headless::getAttr(node("q"), "weight", weight));
    EXPECT_EQ(weight, 2.5);
    EXPECT_TRUE(headless::getAttr(node("q"), "lbl", label));
    EXPECT_EQ(label, "tag");
    EXPECT_EQ(report.skippedAttributes, 1);
}

TEST(MayaAsciiReader, DeformedMeshesAndLatticesKeepTheirOrder)
{
    // The deformed shape and its original, the same triangle.
    const std::string triangle = "\tsetAttr -s 3 \".vt[0:2]\" 0 0 0  1 0 0  0 0 -1;\n"
                                 "\tsetAttr -s 3 \".ed[0:2]\" 0 1 0  1 2 0  2 0 0;\n"
                                 "\tsetAttr -s 1 \".fc[0]\" -type \"polyFaces\" f 3 0 1 2;\n";
    LoadReport report = load(
        "createNode transform -n \"ball\";\ncreateNode mesh -n \"ballShape\" -p \"ball\";\n" + triangle +
        "createNode mesh -n \"ballShapeOrig\" -p \"ball\";\n\tsetAttr \".io\" yes;\n" + triangle +
        "createNode transform -n \"ffd1Lattice\";\n"
        "createNode lattice -n \"ffd1LatticeShape\" -p \"ffd1Lattice\";\n"
        "\tsetAttr \".cc\" -type \"lattice\" 2 3 2 12 0 0 0  1 0 0  2 0 0  3 0 0  4 0 0  5 0 0"
        "  6 0 0  7 0 0  8 0 0  9 0 0  10 0 0  11 0 0 ;\n"
        "createNode tweak -n \"tweak1\";\n"
        "createNode ffd -n \"ffd1\";\n"
        "connectAttr \"ffd1LatticeShape.lo\" \"ffd1.dlp\";\n"
        "connectAttr \"ballShapeOrig.w\" \"tweak1.ip[0].ig\";\n"
        "connectAttr \"tweak1.og[0]\" \"ffd1.ip[0].ig\";\n"
        "connectAttr \"ffd1.og[0]\" \"ballShape.i\";\n");
    ASSERT_TRUE(report.ok) << report.message;
    EXPECT_EQ(report.meshes, 2);
    EXPECT_EQ(report.ffds, 1);
    MFnMesh mesh(node("ballShape"));
    EXPECT_EQ(mesh.numPolygons(), 1);
    // The file lists s fastest, then t, then u: point (s, t, u) is number (u * 3 + t) * 2 + s.
    MFnLattice lattice(node("ffd1LatticeShape"));
    struct Case {
        unsigned s, t, u;
        double x;
    };
    const Case cases[] = {{0, 0, 0, 0}, {1, 0, 0, 1}, {0, 1, 0, 2}, {1, 2, 0, 5}, {0, 0, 1, 6}, {1, 2, 1, 11}};
    for (const Case& c : cases)
        EXPECT_EQ(lattice.point(c.s, c.t, c.u).x, c.x) << c.s << c.t << c.u;
    MFnLatticeDeformer ffd(node("ffd1"));
    MObjectArray affected;
    ffd.getAffectedGeometry(affected);
    ASSERT_EQ(affected.length(), 1u);
    EXPECT_TRUE(affected[0] == node("ballShape"));
}

// Curves keep their control points, a curve on a surface (of two dimensions) lies in z = 0, and a surface's points
// come V fastest, also after the trim data some files add.
TEST(MayaAsciiReader, CurvesAndSurfacesKeepTheirControlPoints)
{
    std::string patch = "3 3 0 0 no 6 0 0 0 1 1 1 6 0 0 0 1 1 1 16";
    for (int i = 0; i < 16; ++i)
        patch += " " + std::to_string(i / 4) + " " + std::to_string(i % 4) + " 0";
    LoadReport report = load("createNode transform -n \"c\";\n"
                             "createNode nurbsCurve -n \"curveShape\" -p \"c\";\n"
                             "\tsetAttr \".cc\" -type \"nurbsCurve\" 3 1 0 no 3 6 0 0 0 1 1 1 4 0 0 0 1 2 0 3 2 0 4 0 0;\n"
                             "createNode nurbsCurve -n \"flatShape\" -p \"c\";\n"
                             "\tsetAttr \".cc\" -type \"nurbsCurve\" 1 1 0 no 2 2 0 1 2 5 6 7 8;\n"
                             "createNode nurbsSurface -n \"patchShape\" -p \"c\";\n"
                             "\tsetAttr \".cc\" -type \"nurbsSurface\" " + patch + ";\n"
                             "createNode nurbsSurface -n \"trimmedShape\" -p \"c\";\n"
                             "\tsetAttr \".cc\" -type \"nurbsSurface\" 1 1 0 0 no 2 0 1 2 0 1 \"TRIM\" 7 7 7 4 "
                             "0 0 0 0 1 0 1 0 0 1 1 0;\n");
    ASSERT_TRUE(report.ok) << report.message;
    MFnNurbsCurve curve(node("curveShape"));
    EXPECT_EQ(curve.degree(), 3);
    EXPECT_EQ(curve.numSpans(), 1);
    ASSERT_EQ(curve.numCVs(), 4);
    MPoint point;
    curve.getCV(1, point);
    EXPECT_EQ(point, MPoint(1, 2, 0));
    MFnNurbsCurve flat(node("flatShape"));
    ASSERT_EQ(flat.numCVs(), 2);
    flat.getCV(1, point);
    EXPECT_EQ(point, MPoint(7, 8, 0));
    MFnNurbsSurface patchSurface(node("patchShape"));
    EXPECT_EQ(patchSurface.numCVsInU(), 4);
    EXPECT_EQ(patchSurface.numCVsInV(), 4);
    patchSurface.getCV(1, 2, point);
    EXPECT_EQ(point, MPoint(1, 2, 0));
    MFnNurbsSurface trimmed(node("trimmedShape"));
    ASSERT_EQ(trimmed.numCVsInU(), 2);
    ASSERT_EQ(trimmed.numCVsInV(), 2);
    trimmed.getCV(1, 0, point);
    EXPECT_EQ(point, MPoint(1, 0, 0));
}

// Every refusal, from the statements through the document and the geometry values to the host's meshes, names
// the file and the line.
TEST(MayaAsciiReader, RejectsMalformedInputNamingFileAndLine)
{
    const std::string mesh = "createNode transform -n \"m\";\ncreateNode mesh -n \"mShape\" -p \"m\";\n";
    // Three points and the three edges between them (lines 6 and 7).
    const std::string triangle = mesh + "setAttr -s 3 \".vt[0:2]\" 0 0 0 1 0 0 0 1 0;\nsetAttr -s 3 \".ed[0:2]\" 0 1 0 1 2 0 2 0 0;\n";
    const std::string faces = "createNode mesh;\nsetAttr \".fc[0]\" -type \"polyFaces\" ";
    const std::string curve = "createNode nurbsCurve;\nsetAttr \".cc\" -type \"nurbsCurve\" ";
    // A setAttr of many values streams them, with no flags allowed among them.
    std::string many = "createNode transform;\nsetAttr \".w\"";
    for (int i = 0; i < 300; ++i)
        many += " " + std::to_string(i);
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"createNode transform -n \"a\"", "test.ma:4: expected ';' to end the createNode statement begun on line 4, found end of file"},
        {"\"stray\";", "test.ma:4: expected a command name, found \"stray\""},
        {"createNode transform;\nsetAttr \".b\" -type \"string\" ( \"a\" \"b\" );",
         "test.ma:5: expected '+' or ')' in a joined string, found \"b\""},
        {"createNode transform;\nsetAttr \".b\" -type \"string\" ( 12 );", "test.ma:5: expected a string inside '( ... )', found '12'"},
        {"createNode transform;\nsetAttr \".b\" 1 ) ;", "test.ma:5: expected a value, found ')'"},
        {many + " -k on;", "test.ma:5: expected a value, found '-k' (a setAttr of many values takes no flags or joined strings among them)"},
        {"setAttr \".t\" 1;", "test.ma:4: expected createNode or select before setAttr (no current node)"},
        {"createNode mesh -p \"nowhere\";", "test.ma:4: expected a parent (-p) naming a node created earlier, found \"nowhere\""},
        {"createNode -n \"x\";", "test.ma:4: expected a node type after createNode"},
        {"createNode mesh -q;", "test.ma:4: expected a createNode flag (-n, -p, -s or -ss), found '-q'"},
        {"createNode transform;\nsetAttr t 1;", "test.ma:5: expected a quoted attribute name (\".attr\"), found 't'"},
        {"createNode transform;\nsetAttr \".t\" -type \"double3\" 1 2;",
         "test.ma:5: expected groups of 3 numbers for -type \"double3\", found 2"},
        {"createNode mesh;\nsetAttr \".vt[0:3]\" 1 2 3 4 5;", "test.ma:5: expected a multiple of 4 values for \".vt[0:3]\", found 5"},
        {"createNode mesh;\nsetAttr \".fc[0:1]\" -type \"polyFaces\" f 3 0 1 2;", "test.ma:5: expected 2 faces for \".fc[0:1]\", found 1"},
        {"currentUnit -l parsec;", "test.ma:4: expected a linear unit (mm, cm, m, km, in, ft, yd or mi), found \"parsec\""},
        {"createNode transform;\nsetAttr \".x\" -type \"stringArray\" 3 \"a\" \"b\";",
         "test.ma:5: expected 3 strings after the count, found 2"},
        {"connectAttr \"a\" \"b\";", "test.ma:4: expected a plug of the form node.attribute, found \"a\""},
        {"createNode transform;\nsetAttr -s \".t\";", "test.ma:5: expected a count, found \".t\""},
        {faces + "f 2000000000 0 1 2;", "test.ma:5: expected an edge count no larger than the 3 values that follow, found 2000000000 (in a \"polyFaces\" value)"},
        {faces + "mu 0 3 0 1 2;", "test.ma:5: expected 'f' to start a face, found 'mu' (in a \"polyFaces\" value)"},
        {faces + "f 3 0 1 2 mu 0 4 0 1 2 3;", "test.ma:5: expected 3 UV indices (one per corner of the face), found 4 (in a \"polyFaces\" value)"},
        {faces + "f 3 0 1 2 q 1;", "test.ma:5: expected a polyFaces keyword (f, h, mu, mc or fc), found 'q' (in a \"polyFaces\" value)"},
        {faces + "f 2 0 1;", "test.ma:5: expected a face of at least 3 edges, found 2 (in a \"polyFaces\" value)"},
        {faces + "f 3 0 x 2;", "test.ma:5: expected an edge index, found 'x' (in a \"polyFaces\" value)"},
        {curve + "3 1 0 no 3 6 0 0 0 1 1 1 3 0 0 0 1 1 1 2 2 2;", "test.ma:5: expected 4 control points (spans + degree), found 3 (in a \"nurbsCurve\" value)"},
        {curve + "3 1 0 no 3 5 0 0 1 1 1 4 0 0 0 1 1 1 2 2 2 3 3 3;", "test.ma:5: expected 6 knots for degree 3 and 1 spans, found 5 (in a \"nurbsCurve\" value)"},
        {curve + "3 1 0 no 3 6 0 0 0 1 1 1 4000000000 0 0 0;", "test.ma:5: expected a control point count no larger than the 3 values that follow, found 4000000000 (in a \"nurbsCurve\" value)"},
        {curve + "9 1 0 no 3;", "test.ma:5: expected a degree from 1 to 7, found 9 (in a \"nurbsCurve\" value)"},
        {"createNode nurbsSurface;\nsetAttr \".cc\" -type \"nurbsSurface\" 1 1 0 0 no 2 0 1 2 0 1 5 0 0 0 0 1 0 1 0 0 1 1 0;",
         "test.ma:5: expected 4 control points (2 x 2), found 5 (in a \"nurbsSurface\" value)"},
        {"createNode lattice;\nsetAttr \".cc\" -type \"lattice\" 2 2 2 9 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0;",
         "test.ma:5: expected 2 x 2 x 2 points, found a count of 9 (in a \"lattice\" value)"},
        {"createNode lattice;\nsetAttr \".cc\" -type \"lattice\" 2 2 2 2000000000 0 0 0;",
         "test.ma:5: expected a point count no larger than the 3 values that follow, found 2000000000 (in a \"lattice\" value)"},
        {"createNode transform;\nsetAttr \".t\" -type \"double3\" 1 x 3;", "test.ma:5: expected a number, found 'x'"},
        {"createNode transform;\nsetAttr \".b\" -type \"string\" \"open;\n",
         "test.ma:5: expected '\"' to close the string begun here, found end of file"},
        {mesh + "setAttr \".vt[0:2]\" 0 0 0 1 0 0;\n", "test.ma:6: expected 3 numbers for each of the 3 elements of .vt on mShape (mesh), found 6 numbers"},
        {triangle + "setAttr -s 1 \".fc[0]\" -type \"polyFaces\" f 3 0 1 7;\n",
         "test.ma:8: mShape (mesh): face 0 uses edge 7, but the mesh has 3 edges (.ed)"},
        {triangle + "setAttr -s 1 \".fc[0]\" -type \"polyFaces\" f 3 0 -2 2;\n",
         "test.ma:8: mShape (mesh): the edges of face 0 do not form a loop"},
        {mesh + "setAttr -s 3 \".vt[0:2]\" 0 0 0 1 0 0 0 1 0;\nsetAttr -s 3 \".ed[0:2]\" 0 1 0 1 5 0 2 0 0;\n",
         "test.ma:7: mShape (mesh): edge 1 joins vertex 5, but the mesh has 3 vertices (.vt)"},
        {mesh + "setAttr \".vt[0:1]\" 0 0 0 1 0 0;\nsetAttr \".vt[3:4]\" 0 0 0 1 0 0;\n",
         "test.ma:6: expected values for every element of .vt on mShape (mesh) from 0 to 4, element 2 is missing"},
        {mesh + "setAttr -s 4 \".vt[0:3]\" 0 0 0 1 0 0 1 1 0 0 1 0;\n"
                "setAttr -s 8 \".ed[0:7]\" 0 1 0 1 2 0 2 3 0 3 0 0 0 2 0 2 1 0 1 0 0 0 0 0;\n"
                "setAttr -s 1 \".fc[0]\" -type \"polyFaces\" f 4 0 1 2 3 h 3 4 5 6;\n",
         "test.ma:8: mShape (mesh): face 0 has a hole; faces with holes are not supported"},
        {triangle + "setAttr -s 1 \".fc[0]\" -type \"polyFaces\" f 3 0 1 2 mu 0 3 0 1 9;\n",
         "test.ma:8: mShape (mesh): a face corner uses UV 0, but .uvst[0].uvsp holds 0"},
        {"createNode transform -n \"c\";\ncreateNode nurbsCurve -n \"cs\" -p \"c\";\n"
         "setAttr \".cc\" -type \"nurbsCurve\" 3 1 0 no 3 6 0 0 0 1 1 1 4 0 0 0 1 1 1 2 2 2;\n",
         "test.ma:6: expected a control point count no larger than the 9 values that follow, found 4 (in a \"nurbsCurve\" value)"},
        // Numbers far beyond any integer type, where the reader once converted them with undefined behaviour.
        {mesh + "setAttr -s 3 \".vt[0:2]\" 0 0 0 1 0 0 0 1 0;\nsetAttr -s 3 \".ed[0:2]\" 0 1 0 1 1e118 0 2 0 0;\n",
         "test.ma:7: mShape (mesh): edge 1 joins vertex 1e+118, but the mesh has 3 vertices (.vt)"},
        {mesh + "setAttr -s 3 \".vt[0:2]\" 0 0 0 1 0 0 0 1 0;\nsetAttr -s 3 \".ed[0:2]\" 0 1 0 1 1.5 0 2 0 0;\n",
         "test.ma:7: mShape (mesh): edge 1 joins vertex 1.5, but the mesh has 3 vertices (.vt)"},
        {triangle + "setAttr -s 1 \".fc[0]\" -type \"polyFaces\" f 3 0 1 2;\n"
                    "setAttr \".ccls\" -type \"string\" \"paint\";\nsetAttr \".clst[0].clsn\" -type \"string\" \"paint\";\n"
                    "setAttr \".clst[0].rprt\" 1e300;\n",
         "test.ma:11: expected a whole number from -2147483648 to 2147483647 in .clst[0].rprt on mShape (mesh), found 1e+300"},
        {"createNode transform -n \"l\";\ncreateNode lattice -n \"lShape\" -p \"l\";\nsetAttr \".sd\" -1e300;\n",
         "test.ma:6: expected a whole number from -2147483648 to 2147483647 in .sd on lShape (lattice), found -1e+300"},
        {"currentUnit -a gradian;", "test.ma:4: expected an angle unit (degree or radian), found \"gradian\""},
        {"FOR4 binary", "test.ma:1: expected a Maya ASCII scene, found a Maya binary one (save it as .ma)"},
    };
    for (const Case& c : cases) {
        const std::string text = c.text.compare(0, 4, "FOR4") == 0 ? c.text : kHeader + c.text;
        LoadReport report = loadMayaAsciiText(text, "test.ma");
        EXPECT_FALSE(report.ok) << c.text;
        EXPECT_EQ(report.message, c.message) << c.text;
        // Nothing of a failed load stays in the scene.
        EXPECT_TRUE(headless::findNode("m").isNull()) << c.text;
    }
    LoadReport missing = loadMayaAsciiFile("/nonexistent/scene.ma");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.message, "/nonexistent/scene.ma: cannot open the file (No such file or directory)");
}
