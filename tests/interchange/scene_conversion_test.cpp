// The library's scene data built into the host: meshes, materials, and whole scenes with their nodes, cameras and
// lights.
#include "scene_readers/interchange/material_conversion.h"
#include "scene_readers/interchange/mesh_conversion.h"
#include "scene_readers/interchange/scene_builder.h"

#include "library_scenes.h"

#include <assimp/GltfMaterial.h>
#include <assimp/camera.h>
#include <assimp/light.h>
#include <assimp/material.h>
#include <assimp/scene.h>

#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnSet.h>
#include <maya/MMatrix.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace interchange;
using namespace interchangetest;

struct Converted {
    bool ok = false;
    headless::MeshData data;
    MeshTally tally;
    std::vector<std::string> warnings;
    std::string problem;
};

Converted convert(const MeshDescription& described, double scale = 1.0)
{
    std::unique_ptr<aiMesh> mesh(makeMesh(described));
    Converted result;
    result.ok = convertMesh(*mesh, described.name, scale, result.data, result.tally, result.warnings, result.problem);
    return result;
}

TEST(MeshConversion, EqualPositionsWeldAndKeepTheirCornerValues)
{
    // Two triangles sharing an edge, every corner its own file vertex (as OBJ and glTF readers give them),
    // with different texture coordinates on the shared corners.
    const Converted c = convert({"split",
                                 {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, -0.0f}, {1, 1, 0}, {0, 1, 0}},
                                 {{0, 1, 2}, {3, 4, 5}},
                                 {{0, 0}, {1, 0}, {1, 1}, {0.5f, 0.5f}, {0.9f, 0.9f}, {0, 1}}, {}, {}});
    ASSERT_TRUE(c.ok) << c.problem;
    ASSERT_EQ(c.data.points.size(), 4u); // -0.0 welds with 0.0
    EXPECT_EQ(c.data.faces[0], (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(c.data.faces[1], (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(c.data.faceUVs[1], (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(c.data.uvs.size(), 6u);
    EXPECT_TRUE(c.data.normals.empty());
    EXPECT_TRUE(c.data.faceNormals.empty());
}

// What the host cannot hold: faces that are points or lines, out of range, without area or of too many corners,
// and values that are not finite (a position fails the mesh; other kinds of value are dropped, with a warning).
TEST(MeshConversion, WhatTheHostCannotHold)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const std::vector<std::array<float, 3>> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}};
    const std::vector<std::array<float, 3>> convex7 = {{0, 0, 0}, {2, 0, 0}, {3, 1, 0}, {3, 2, 0}, {2, 3, 0}, {0, 3, 0}, {-1, 1, 0}};
    struct Case {
        const char* name;
        std::vector<std::array<float, 3>> positions; // empty: polygonMesh's coloured quad, spoilt as below
        std::vector<std::vector<unsigned>> faces;
        size_t facesKept; // 0: the conversion fails
        const char* message; // part of the problem, or of the one warning
        std::vector<long long> tally; // degenerate, points and lines, out of range, triangulated
        int spoilt = -1; // value replaced: 0 a position, 1 a texture coordinate, 2 a normal, 3 a colour
        float value = 0;
        double scale = 1.0;
    };
    const std::vector<long long> none = {0, 0, 0, 0};
    const Case cases[] = {
        {"point and line", square, {{0}, {0, 1}, {0, 1, 2}}, 1, "", {0, 2, 0, 0}},
        {"index past the vertices", square, {{0, 1, 9}, {0, 1, 2}}, 1, "", {0, 0, 1, 0}},
        // Vertex 4 is where vertex 0 is: a repeat of the corner before it disappears.
        {"repeated corner", square, {{0, 4, 1, 2}}, 1, "", none},
        {"all corners on one point", square, {{0, 4, 0}}, 0,
         "mesh all corners on one point has no faces of three or more corners", {1, 0, 0, 0}},
        // The outline visits vertex 0 twice, apart (a spike out to vertex 1 and back): cut into three
        // triangles, of which only the one with area is kept.
        {"outline touching itself", square, {{0, 1, 4, 2, 3}}, 1, "", {2, 0, 0, 0}},
        {"points only", square, {}, 0, "mesh points only has no faces", none},
        // Six corners are the most the host's capture takes whole; a seventh cuts the face into triangles.
        {"six and seven corners", convex7, {{0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5, 6}}, 1 + 5, "", {0, 0, 0, 1}},
        {"NaN position", {}, {}, 0, "not a finite number (vertex 1)", none, 0, nan},
        {"infinite position", {}, {}, 0, "not a finite number", none, 0, -inf},
        {"position overflowing when scaled", {}, {}, 0, "not a finite number", none, 0, 3e38f, 10.0},
        {"NaN texture coordinate", {}, {}, 1, "texture coordinates that are not finite", none, 1, nan},
        {"infinite normal", {}, {}, 1, "normals that are not finite", none, 2, inf},
        {"NaN colour", {}, {}, 1, "vertex colours that are not finite", none, 3, nan},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeshDescription described = polygonMesh(c.name, 4);
        described.colours.assign(4, {1, 0, 0, 1});
        if (c.spoilt < 0) {
            described = {c.name, c.positions, c.faces, {}, {}, {}};
        } else {
            float* const values[] = {&described.positions[1][0], &described.uvs[2][1], &described.normals[3][2],
                                     &described.colours[0][0]};
            *values[c.spoilt] = c.value;
        }
        const Converted result = convert(described, c.scale);
        const MeshTally& t = result.tally;
        EXPECT_EQ((std::vector<long long>{t.degenerateFaces, t.pointsAndLines, t.outOfRangeFaces, t.facesTriangulated}),
                  c.tally);
        if (c.facesKept == 0) {
            EXPECT_FALSE(result.ok);
            EXPECT_NE(result.problem.find(c.message), std::string::npos) << result.problem;
            EXPECT_TRUE(result.data.points.empty());
            continue;
        }
        ASSERT_TRUE(result.ok) << result.problem;
        EXPECT_EQ(result.data.faces.size(), c.facesKept);
        EXPECT_TRUE(headless::validateMesh(result.data).empty());
        if (c.spoilt > 0) {
            ASSERT_EQ(result.warnings.size(), 1u);
            EXPECT_NE(result.warnings[0].find(c.message), std::string::npos) << result.warnings[0];
            EXPECT_EQ(result.data.uvs.empty(), c.spoilt == 1);
            EXPECT_EQ(result.data.normals.empty(), c.spoilt == 2);
            EXPECT_EQ(result.data.colors.empty(), c.spoilt == 3);
        }
    }
}

// A property as the library's readers add one (texts by a call of their own).
template <typename T>
void add(aiMaterial& m, const T& value, const char* key, unsigned type, unsigned index)
{
    m.AddProperty(&value, 1, key, type, index);
}

void add(aiMaterial& m, const aiString& value, const char* key, unsigned type, unsigned index)
{
    m.AddProperty(&value, key, type, index);
}

// A material as the OBJ reader makes one from an MTL entry.
std::unique_ptr<aiMaterial> mtlMaterial(const char* name, int illum, float ks, float ns, float d, const char* mapKd)
{
    std::unique_ptr<aiMaterial> m(interchangetest::makeMaterial(name));
    add(*m, int(illum == 2 ? aiShadingMode_Phong : aiShadingMode_Gouraud), AI_MATKEY_SHADING_MODEL);
    add(*m, aiColor3D(0.1f, 0.2f, 0.3f), AI_MATKEY_COLOR_AMBIENT);
    add(*m, aiColor3D(0.8f, 0.4f, 0.2f), AI_MATKEY_COLOR_DIFFUSE);
    add(*m, aiColor3D(ks, ks, ks), AI_MATKEY_COLOR_SPECULAR);
    add(*m, aiColor3D(0.0f, 0.5f, 0.0f), AI_MATKEY_COLOR_EMISSIVE);
    add(*m, ns, AI_MATKEY_SHININESS);
    add(*m, d, AI_MATKEY_OPACITY);
    if (mapKd != nullptr)
        add(*m, aiString(mapKd), AI_MATKEY_TEXTURE_DIFFUSE(0));
    return m;
}

TEST(MaterialConversion, ClosestShaderAndColours)
{
    struct Case {
        const char* name;
        std::unique_ptr<aiMaterial> material;
        ShaderKind kind;
        bool specular;
        float transparency; // < 0: none
        double cosinePower, eccentricity;
        const char* texture;
    };
    std::vector<Case> cases;
    cases.push_back({"phong with highlight", mtlMaterial("shiny", 2, 0.5f, 30.0f, 1.0f, "tex/brick.png"),
                     ShaderKind::Phong, true, -1.0f, 30.0, 0.0, "tex/brick.png"});
    cases.push_back({"black specular is a lambert", mtlMaterial("matte", 2, 0.0f, 30.0f, 1.0f, nullptr),
                     ShaderKind::Lambert, false, -1.0f, 0.0, 0.0, ""});
    cases.push_back({"half transparent", mtlMaterial("glass", 1, 0.0f, 0.0f, 0.25f, nullptr), ShaderKind::Lambert,
                     false, 0.75f, 0.0, 0.0, ""});
    cases.push_back({"tiny exponent raised to 2", mtlMaterial("dull", 2, 1.0f, 0.5f, 1.0f, nullptr),
                     ShaderKind::Phong, true, -1.0f, 2.0, 0.0, ""});
    {
        std::unique_ptr<aiMaterial> blinn = mtlMaterial("metal", 2, 0.9f, 98.0f, 1.0f, nullptr);
        blinn->RemoveProperty(AI_MATKEY_SHADING_MODEL);
        add(*blinn, int(aiShadingMode_Blinn), AI_MATKEY_SHADING_MODEL);
        cases.push_back({"blinn shading", std::move(blinn), ShaderKind::Blinn, true, -1.0f, 0.0, std::sqrt(2.0 / 100.0), ""});
    }
    {
        // glTF metallic-roughness: base colour and its texture, alpha ignored in opaque mode.
        std::unique_ptr<aiMaterial> pbr(interchangetest::makeMaterial("gold"));
        add(*pbr, aiColor4D(1.0f, 0.8f, 0.2f, 0.5f), AI_MATKEY_BASE_COLOR);
        add(*pbr, 0.5f, AI_MATKEY_OPACITY);
        add(*pbr, aiString("OPAQUE"), AI_MATKEY_GLTF_ALPHAMODE);
        add(*pbr, aiString("textures/Gold.png"), AI_MATKEY_TEXTURE(aiTextureType_BASE_COLOR, 0));
        cases.push_back({"glTF opaque", std::move(pbr), ShaderKind::Lambert, false, -1.0f, 0.0, 0.0, "textures/Gold.png"});
    }
    {
        std::unique_ptr<aiMaterial> blend(interchangetest::makeMaterial("ghost"));
        add(*blend, 0.4f, AI_MATKEY_OPACITY);
        add(*blend, aiString("BLEND"), AI_MATKEY_GLTF_ALPHAMODE);
        cases.push_back({"glTF blend", std::move(blend), ShaderKind::Lambert, false, 0.6f, 0.0, 0.0, ""});
    }
    {
        // Strengths scale the specular and emitted colours.
        std::unique_ptr<aiMaterial> strong(interchangetest::makeMaterial("strong"));
        add(*strong, aiColor3D(0.2f, 0.2f, 0.2f), AI_MATKEY_COLOR_SPECULAR);
        add(*strong, 2.0f, AI_MATKEY_SHININESS_STRENGTH);
        add(*strong, aiColor3D(0.5f, 0.25f, 0.0f), AI_MATKEY_COLOR_EMISSIVE);
        add(*strong, 4.0f, AI_MATKEY_EMISSIVE_INTENSITY);
        cases.push_back({"strengths", std::move(strong), ShaderKind::Phong, true, -1.0f, 0.0, 0.0, ""});
    }
    for (const Case& c : cases) {
        const ShaderDescription d = describeMaterial(*c.material);
        EXPECT_EQ(int(d.kind), int(c.kind)) << c.name;
        EXPECT_EQ(d.specular.present, c.specular) << c.name;
        EXPECT_EQ(d.transparency.present, c.transparency >= 0.0f) << c.name;
        if (c.transparency >= 0.0f) {
            EXPECT_NEAR(d.transparency.rgb[0], c.transparency, 1e-6) << c.name;
        }
        EXPECT_NEAR(d.cosinePower, c.cosinePower, 1e-9) << c.name;
        EXPECT_NEAR(d.eccentricity, c.eccentricity, 1e-6) << c.name;
        EXPECT_EQ(d.texture, c.texture) << c.name;
        EXPECT_FALSE(d.libraryDefault) << c.name;
    }
    // The MTL colours arrive as they are.
    const ShaderDescription shiny = describeMaterial(*cases[0].material);
    EXPECT_EQ(shiny.name, "shiny");
    EXPECT_FLOAT_EQ(shiny.diffuse.rgb[1], 0.4f);
    EXPECT_FLOAT_EQ(shiny.ambient.rgb[2], 0.3f);
    EXPECT_FLOAT_EQ(shiny.incandescence.rgb[1], 0.5f);
    EXPECT_FLOAT_EQ(shiny.specular.rgb[0], 0.5f);
    const ShaderDescription gold = describeMaterial(*cases[5].material);
    EXPECT_TRUE(gold.diffuse.present);
    EXPECT_FLOAT_EQ(gold.diffuse.rgb[1], 0.8f);
    const ShaderDescription strong = describeMaterial(*cases[7].material);
    EXPECT_FLOAT_EQ(strong.specular.rgb[0], 0.4f);
    EXPECT_FLOAT_EQ(strong.incandescence.rgb[0], 2.0f);
    EXPECT_FLOAT_EQ(strong.incandescence.rgb[1], 1.0f);
}

TEST(MaterialConversion, TextureFileNames)
{
    aiScene scene;
    scene.mNumTextures = 2;
    scene.mTextures = new aiTexture*[2];
    scene.mTextures[0] = new aiTexture();
    std::strcpy(scene.mTextures[0]->achFormatHint, "png");
    scene.mTextures[1] = new aiTexture();
    scene.mTextures[1]->mFilename = aiString("packed/Wood.jpg");
    struct Case {
        const char* texture;
        const char* directory;
        const char* expected;
        bool note;
    };
    const Case cases[] = {
        {"", "/scenes", "", false},
        {"tex/brick.png", "/scenes", "/scenes/tex/brick.png", false},
        {"tex\\brick.png", "/scenes/", "/scenes/tex/brick.png", false},
        {"./brick.png", "/scenes", "/scenes/brick.png", false},
        {"/abs/brick.png", "/scenes", "/abs/brick.png", false},
        {"C:\\maps\\brick.png", "/scenes", "C:\\maps\\brick.png", false},
        {"brick.png", "", "brick.png", false},
        {"*0", "/scenes", "embedded0.png", true},
        {"*1", "/scenes", "Wood.jpg", true},
        {"*7", "/scenes", "embedded7", true},
    };
    for (const Case& c : cases) {
        std::string note;
        EXPECT_EQ(textureFileName(c.texture, c.directory, scene, note), c.expected) << c.texture;
        EXPECT_EQ(!note.empty(), c.note) << c.texture << ": " << note;
    }
}

std::string parentOf(const std::string& node)
{
    MFnDagNode dag(headless::findNode(node));
    const MObject parent = dag.parent(0);
    return parent.hasFn(MFn::kTransform) ? MFnDependencyNode(parent).name().asChar() : "<world>";
}

bool isMember(const std::string& set, const MDagPath& path)
{
    return MFnSet(headless::findNode(set)).isMember(path);
}

// Scenes of the library built into the host: what the report counts and warns of, and where each node lands.
TEST(InterchangeSceneBuilder, LibraryScenesInTheHost)
{
    struct Case {
        const char* name;
        std::unique_ptr<aiScene> scene;
        bool colladaRoot;
        const char* failure;    // part of the message when the build fails, else ""
        std::vector<int> counts; // transforms, meshes, instances, shaders, cameras, lights; -1: not checked
        std::vector<std::string> warnings;                         // parts, in order
        std::vector<std::pair<std::string, std::string>> parents; // node and its parent; "" for no such node
        double worldX = 0;      // of every mesh shape in parents: the file's own coordinates, moved only by a root
    };
    const std::vector<MeshDescription> square = {polygonMesh("square", 4)};
    const NodeDescription child{"child", aiMatrix4x4(), {0}, {}};
    auto scene = [](const NodeDescription& root, const std::vector<MeshDescription>& meshes) {
        return makeScene(root, meshes, {makeMaterial("m")});
    };
    std::vector<Case> cases;
    // The root becomes a transform only when it carries something the file means.
    cases.push_back({"plain container", scene({"file.obj", aiMatrix4x4(), {}, {child}}, square), false, "",
                     {1, 1}, {}, {{"child", "<world>"}, {"childShape", "child"}}});
    cases.push_back({"root with a mesh", scene({"file.ply", aiMatrix4x4(), {0}, {}}, square), false, "", {1, 1}, {},
                     {{"file_ply", "<world>"}, {"file_plyShape", "file_ply"}}});
    cases.push_back({"root that moves its children", scene({"ROOT", placement(1, 0, 0), {}, {child}}, square),
                     false, "", {2, 1}, {}, {{"child", "ROOT"}, {"childShape", "child"}}, 1.0});
    cases.push_back({"COLLADA unit scale on the root", scene({"scene", placement(0, 0, 0, 0, 0.01f), {}, {child}}, square),
                     true, "", {1, 1}, {}, {{"child", "<world>"}, {"childShape", "child"}}});
    // A skipped mesh leaves its node without a shape.
    MeshDescription nanMesh = polygonMesh("broken", 4);
    nanMesh.positions[0][1] = NAN;
    MeshDescription lines;
    lines.name = "wire";
    lines.positions = {{0, 0, 0}, {1, 0, 0}};
    lines.faces = {{0, 1}};
    const NodeDescription two{"root", aiMatrix4x4(), {}, {{"first", aiMatrix4x4(), {0}, {}}, {"second", aiMatrix4x4(), {1}, {}}}};
    cases.push_back({"one good mesh, one broken", scene(two, {polygonMesh("good", 3), nanMesh}), false, "", {-1, 1},
                     {"mesh \"broken\" has a vertex position that is not a finite number (vertex 0); skipped"},
                     {{"firstShape", "first"}, {"secondShape", ""}}});
    cases.push_back({"only broken meshes", scene(two, {nanMesh, nanMesh}), false,
                     "2 skipped; the first: mesh \"broken\" has a vertex position", {}, {"broken", "broken"},
                     {{"firstShape", ""}, {"secondShape", ""}}});
    cases.push_back({"only lines", scene(two, {lines, lines}), false, "no mesh with faces", {}, {"", "", ""},
                     {{"firstShape", ""}}});
    // Cameras and lights on the transform of the node named like them; a light on the node of a mesh gets a
    // transform of its own, a camera on no node is skipped.
    std::unique_ptr<aiScene> lit = scene({"root", aiMatrix4x4(), {}, {{"model", aiMatrix4x4(), {0}, {}},
                                                                     {"eye", placement(0, 0, 10), {}, {}},
                                                                     {"sun", placement(0, 0, 0, 45), {}, {}}}}, square);
    lit->mNumCameras = 2;
    lit->mCameras = new aiCamera*[2]{new aiCamera(), new aiCamera()};
    lit->mCameras[0]->mName = aiString("eye");
    lit->mCameras[0]->mLookAt = aiVector3D(0, 0, -1);
    lit->mCameras[1]->mName = aiString("nowhere");
    lit->mNumLights = 2;
    lit->mLights = new aiLight*[2]{new aiLight(), new aiLight()};
    lit->mLights[0]->mName = aiString("sun");
    lit->mLights[0]->mType = aiLightSource_DIRECTIONAL;
    lit->mLights[0]->mDirection = aiVector3D(0, 0, -1);
    lit->mLights[0]->mColorDiffuse = aiColor3D(1, 1, 1);
    lit->mLights[1]->mName = aiString("model");
    lit->mLights[1]->mType = aiLightSource_POINT;
    cases.push_back({"cameras and lights", std::move(lit), false, "", {-1, 1, -1, -1, 1, 2},
                     {"camera nowhere is on no node of the scene; skipped"},
                     {{"eyeShape", "eye"}, {"sunShape", "sun"}, {"modelShape1", "model_frame"}, {"model_frame", "model"}}});
    // Built without recursion on our side: a chain of 3,000 nodes with a mesh at the bottom.
    std::unique_ptr<aiScene> deep = scene({"unused", aiMatrix4x4(), {}, {}}, {polygonMesh("tip", 3)});
    aiNode* parent = deep->mRootNode;
    for (int i = 0; i < 3000; ++i) {
        aiNode* level = new aiNode("level");
        parent->addChildren(1, &level);
        parent = level;
    }
    parent->mMeshes = new unsigned[1]{0};
    parent->mNumMeshes = 1;
    cases.push_back({"deep hierarchy", std::move(deep), false, "", {3000, 1}, {}, {{"level2999Shape", "level2999"}}});

    // Mesh 0 under two nodes, meshes 1 and 2 sharing one material, mesh 3 with the library's default material
    // and mesh 4 naming a material the file does not have.
    std::vector<MeshDescription> meshes;
    for (unsigned i = 0; i < 5; ++i) {
        meshes.push_back(polygonMesh("m" + std::to_string(i), 3 + i % 4));
        meshes.back().material = i == 0 ? 0 : i <= 2 ? 1 : i == 3 ? 2 : 7;
    }
    const NodeDescription shared{"root", aiMatrix4x4(), {}, {{"a", aiMatrix4x4(), {0, 1}, {}},
                                                           {"b", placement(3, 0, 0), {0, 2}, {}},
                                                           {"c", aiMatrix4x4(), {3, 4, 9}, {}}}};
    // Last, so that its sets can be looked at after the loop.
    cases.push_back({"shared meshes and materials",
                     makeScene(shared, meshes, {makeMaterial("red"), makeMaterial("blue"), makeMaterial(AI_DEFAULT_MATERIAL_NAME)}),
                     false, "", {-1, 5, 1, 2}, {"node c names mesh 9, which the file does not have; skipped"},
                     {{"DefaultMaterial", ""}}});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildSettings settings;
        settings.rootMatrixIsUnitScale = c.colladaRoot;
        headless::newScene();
        InterchangeReport report;
        report.ok = buildScene(*c.scene, settings, report);
        EXPECT_EQ(report.ok, !*c.failure) << report.message;
        EXPECT_NE(report.message.find(c.failure), std::string::npos) << report.message;
        const int counted[] = {report.transforms, report.meshes, report.instances, report.shaders, report.cameras,
                               report.lights};
        for (size_t i = 0; i < c.counts.size(); ++i)
            if (c.counts[i] >= 0) {
                EXPECT_EQ(counted[i], c.counts[i]) << "count " << i;
            }
        ASSERT_EQ(report.warnings.size(), c.warnings.size());
        for (size_t i = 0; i < c.warnings.size(); ++i)
            EXPECT_NE(report.warnings[i].find(c.warnings[i]), std::string::npos) << report.warnings[i];
        for (const auto& [node, parentName] : c.parents) {
            const MObject found = headless::findNode(node);
            ASSERT_EQ(found.isNull(), parentName.empty()) << node;
            if (found.isNull())
                continue;
            EXPECT_EQ(parentOf(node), parentName) << node;
            if (found.hasFn(MFn::kMesh)) {
                const MMatrix world = headless::pathTo(found).inclusiveMatrix();
                EXPECT_NEAR(world(0, 0), 1.0, 1e-12) << node;
                EXPECT_NEAR(world(3, 0), c.worldX, 1e-6) << node;
            }
        }
    }
    // The last row's mesh 0: one shape under both of its nodes, the shapes in their materials' sets (the library's default and
    // a missing material in the host's default one).
    const MObject aShape = headless::findNode("aShape");
    EXPECT_TRUE(isMember("redSG", headless::pathTo(aShape, 0)));
    EXPECT_TRUE(isMember("redSG", headless::pathTo(aShape, 1)));
    EXPECT_TRUE(isMember("blueSG", headless::pathTo("aShape1")));
    EXPECT_TRUE(isMember("blueSG", headless::pathTo("bShape")));
    EXPECT_TRUE(isMember("initialShadingGroup", headless::pathTo("cShape")));
    EXPECT_TRUE(isMember("initialShadingGroup", headless::pathTo("cShape1")));
}

} // namespace
