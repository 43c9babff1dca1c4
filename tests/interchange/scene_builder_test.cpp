#include "scene_readers/interchange/scene_builder.h"

#include "library_scenes.h"

#include <assimp/camera.h>
#include <assimp/light.h>
#include <assimp/scene.h>

#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnSet.h>
#include <maya/MMatrix.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using interchange::BuildSettings;
using interchange::buildScene;
using interchange::InterchangeReport;
using interchangetest::makeMaterial;
using interchangetest::makeScene;
using interchangetest::MeshDescription;
using interchangetest::NodeDescription;
using interchangetest::polygonMesh;
using interchangetest::placement;

std::string nameOf(const MObject& node)
{
    return MFnDependencyNode(node).name().asChar();
}

std::string parentOf(const std::string& node)
{
    MFnDagNode dag(headless::findNode(node));
    const MObject parent = dag.parent(0);
    return parent.hasFn(MFn::kTransform) ? nameOf(parent) : "<world>";
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
