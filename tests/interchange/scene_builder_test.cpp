#include "scene_readers/interchange/scene_builder.h"

#include "library_scenes.h"

#include <assimp/camera.h>
#include <assimp/light.h>
#include <assimp/scene.h>

#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFnSet.h>
#include <maya/MMatrix.h>

#include <gtest/gtest.h>

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
using interchangetest::rotationMatrixZ;
using interchangetest::scalingMatrix;
using interchangetest::translationMatrix;

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

InterchangeReport build(const aiScene& scene, BuildSettings settings = {})
{
    headless::newScene();
    InterchangeReport report;
    report.ok = buildScene(scene, settings, report);
    return report;
}

TEST(InterchangeSceneBuilder, RootNodeOnlyWhenItCarriesSomething)
{
    struct Case {
        const char* name;
        NodeDescription root;
        bool colladaRoot;
        const char* parentOfChild;
        int transforms;
    };
    const NodeDescription child{"child", aiMatrix4x4(), {0}, {}};
    const Case cases[] = {
        {"plain container", {"file.obj", aiMatrix4x4(), {}, {child}}, false, "<world>", 1},
        {"root with a mesh", {"file.ply", aiMatrix4x4(), {0}, {}}, false, nullptr, 1},
        {"root that moves its children", {"ROOT", translationMatrix(1, 0, 0), {}, {child}}, false, "ROOT", 2},
        {"COLLADA unit scale on the root", {"scene", scalingMatrix(0.01f, 0.01f, 0.01f), {}, {child}}, true,
         "<world>", 1},
    };
    for (const Case& c : cases) {
        std::unique_ptr<aiScene> scene = makeScene(c.root, {polygonMesh("square", 4)}, {makeMaterial("m")});
        BuildSettings settings;
        settings.rootMatrixIsUnitScale = c.colladaRoot;
        const InterchangeReport report = build(*scene, settings);
        ASSERT_TRUE(report.ok) << c.name << ": " << report.message;
        EXPECT_EQ(report.transforms, c.transforms) << c.name;
        EXPECT_EQ(report.meshes, 1) << c.name;
        if (c.parentOfChild != nullptr) {
            EXPECT_EQ(parentOf("child"), c.parentOfChild) << c.name;
        } else {
            EXPECT_EQ(parentOf("file_ply"), "<world>") << c.name;
        }
        // The mesh shape lies at the file's own coordinates whatever the root held.
        const MObject shape = headless::findNode(c.parentOfChild != nullptr ? "childShape" : "file_plyShape");
        ASSERT_FALSE(shape.isNull()) << c.name;
        const MMatrix world = headless::pathTo(shape).inclusiveMatrix();
        EXPECT_NEAR(world(0, 0), 1.0, 1e-12) << c.name;
        EXPECT_NEAR(world(3, 0), c.root.matrix.a4, 1e-6) << c.name;
    }
}

TEST(InterchangeSceneBuilder, SharedMeshesAndMaterials)
{
    // Mesh 0 under two nodes, meshes 1 and 2 sharing one material, mesh 3 with the library's default material
    // and mesh 4 naming a material the file does not have.
    const NodeDescription root{"root", aiMatrix4x4(), {}, {
        {"a", aiMatrix4x4(), {0, 1}, {}},
        {"b", translationMatrix(3, 0, 0), {0, 2}, {}},
        {"c", aiMatrix4x4(), {3, 4, 9}, {}},
    }};
    std::vector<MeshDescription> meshes;
    for (unsigned i = 0; i < 5; ++i) {
        meshes.push_back(polygonMesh("m" + std::to_string(i), 3 + i % 4));
        meshes.back().material = i == 0 ? 0 : i <= 2 ? 1 : i == 3 ? 2 : 7;
    }
    std::unique_ptr<aiScene> scene =
        makeScene(root, meshes, {makeMaterial("red"), makeMaterial("blue"), makeMaterial(AI_DEFAULT_MATERIAL_NAME)});
    const InterchangeReport report = build(*scene);
    ASSERT_TRUE(report.ok) << report.message;
    EXPECT_EQ(report.meshes, 5);
    EXPECT_EQ(report.instances, 1);
    EXPECT_EQ(report.shaders, 2);
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_EQ(report.warnings[0], "node c names mesh 9, which the file does not have; skipped");

    const MObject shared = headless::findNode("aShape");
    const MDagPath first = headless::pathTo(shared, 0), second = headless::pathTo(shared, 1);
    ASSERT_TRUE(first.isValid());
    ASSERT_TRUE(second.isValid());
    EXPECT_TRUE(isMember("redSG", first));
    EXPECT_TRUE(isMember("redSG", second));
    EXPECT_TRUE(isMember("blueSG", headless::pathTo("aShape1")));
    EXPECT_TRUE(isMember("blueSG", headless::pathTo("bShape")));
    EXPECT_TRUE(isMember("initialShadingGroup", headless::pathTo("cShape")));
    EXPECT_TRUE(isMember("initialShadingGroup", headless::pathTo("cShape1")));
    EXPECT_TRUE(headless::findNode("DefaultMaterial").isNull());
}

TEST(InterchangeSceneBuilder, ObjectsThatCannotBeConverted)
{
    struct Case {
        const char* name;
        std::vector<MeshDescription> meshes;
        bool ok;
        const char* messagePart;
        size_t warnings;
        const char* firstWarning; // nullptr: not checked
    };
    MeshDescription nanMesh = polygonMesh("broken", 4);
    nanMesh.positions[0][1] = NAN;
    MeshDescription lines;
    lines.name = "wire";
    lines.positions = {{0, 0, 0}, {1, 0, 0}};
    lines.faces = {{0, 1}};
    const Case cases[] = {
        {"one good, one broken", {polygonMesh("good", 3), nanMesh}, true, "", 1,
         "mesh \"broken\" has a vertex position that is not a finite number (vertex 0); skipped"},
        {"only broken", {nanMesh, nanMesh}, false, "2 skipped; the first: mesh \"broken\" has a vertex position", 2,
         nullptr},
        {"only lines", {lines, lines}, false, "no mesh with faces", 3, nullptr},
    };
    for (const Case& c : cases) {
        const NodeDescription root{"root", aiMatrix4x4(), {}, {{"first", aiMatrix4x4(), {0}, {}}, {"second", aiMatrix4x4(), {1}, {}}}};
        std::unique_ptr<aiScene> scene = makeScene(root, c.meshes, {makeMaterial("m")});
        const InterchangeReport report = build(*scene);
        EXPECT_EQ(report.ok, c.ok) << c.name;
        EXPECT_NE(report.message.find(c.messagePart), std::string::npos) << c.name << ": " << report.message;
        ASSERT_EQ(report.warnings.size(), c.warnings) << c.name;
        if (c.firstWarning != nullptr) {
            EXPECT_NE(report.warnings[0].find(c.firstWarning), std::string::npos) << c.name << ": " << report.warnings[0];
        }
        // A skipped mesh leaves its node without a shape.
        EXPECT_EQ(headless::findNode("firstShape").isNull(), !c.ok) << c.name;
        EXPECT_TRUE(headless::findNode("secondShape").isNull()) << c.name;
    }
}

TEST(InterchangeSceneBuilder, CamerasAndLightsOnTheirNodes)
{
    const NodeDescription root{"root", aiMatrix4x4(), {}, {
        {"model", aiMatrix4x4(), {0}, {}},
        {"eye", translationMatrix(0, 0, 10), {}, {}},
        {"sun", rotationMatrixZ(45), {}, {}},
    }};
    std::unique_ptr<aiScene> scene = makeScene(root, {polygonMesh("square", 4)}, {makeMaterial("m")});
    scene->mNumCameras = 2;
    scene->mCameras = new aiCamera*[2];
    scene->mCameras[0] = new aiCamera();
    scene->mCameras[0]->mName = aiString("eye");
    scene->mCameras[0]->mLookAt = aiVector3D(0, 0, -1);
    scene->mCameras[1] = new aiCamera();
    scene->mCameras[1]->mName = aiString("nowhere");
    scene->mNumLights = 2;
    scene->mLights = new aiLight*[2];
    scene->mLights[0] = new aiLight();
    scene->mLights[0]->mName = aiString("sun");
    scene->mLights[0]->mType = aiLightSource_DIRECTIONAL;
    scene->mLights[0]->mDirection = aiVector3D(0, 0, -1);
    scene->mLights[0]->mColorDiffuse = aiColor3D(1, 1, 1);
    // A light on the node that holds the mesh gets a transform of its own.
    scene->mLights[1] = new aiLight();
    scene->mLights[1]->mName = aiString("model");
    scene->mLights[1]->mType = aiLightSource_POINT;
    const InterchangeReport report = build(*scene);
    ASSERT_TRUE(report.ok) << report.message;
    EXPECT_EQ(report.cameras, 1);
    EXPECT_EQ(report.lights, 2);
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_EQ(report.warnings[0], "camera nowhere is on no node of the scene; skipped");
    EXPECT_EQ(parentOf("eyeShape"), "eye");
    EXPECT_EQ(parentOf("sunShape"), "sun");
    EXPECT_EQ(parentOf("modelShape1"), "model_frame");
    EXPECT_EQ(parentOf("model_frame"), "model");
}

TEST(InterchangeSceneBuilder, DeepHierarchy)
{
    // Built without recursion on our side: a chain of 3,000 nodes with a mesh at the bottom.
    aiNode* root = new aiNode("root");
    aiNode* parent = root;
    for (int i = 0; i < 3000; ++i) {
        aiNode* child = new aiNode("level");
        parent->addChildren(1, &child);
        parent = child;
    }
    parent->mNumMeshes = 1;
    parent->mMeshes = new unsigned[1]{0};
    std::unique_ptr<aiScene> scene = makeScene({"unused", aiMatrix4x4(), {}, {}}, {polygonMesh("tip", 3)}, {makeMaterial("m")});
    delete scene->mRootNode;
    scene->mRootNode = root;
    const InterchangeReport report = build(*scene);
    ASSERT_TRUE(report.ok) << report.message;
    EXPECT_EQ(report.transforms, 3000);
    EXPECT_EQ(parentOf("level2999Shape"), "level2999");
}

} // namespace
