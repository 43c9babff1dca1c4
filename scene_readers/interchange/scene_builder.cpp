#include "scene_readers/interchange/scene_builder.h"

#include "scene_readers/interchange/material_conversion.h"
#include "scene_readers/interchange/mesh_conversion.h"
#include "scene_readers/interchange/node_names.h"
#include "scene_readers/interchange/transform_decomposition.h"

#include <assimp/scene.h>

#include <maya/MFnDependencyNode.h>
#include <maya/MString.h>

#include <cmath>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace interchange {

namespace {

struct MeshState {
    bool tried = false;
    MObject shape;                       // null when not converted (yet, or at all)
    std::string firstNodeName;
    std::unordered_set<const aiNode*> nodes; // the nodes it is placed under
};

class Builder {
public:
    Builder(const aiScene& scene, const BuildSettings& settings, InterchangeReport& report)
        : scene_(scene), settings_(settings), report_(report), meshes_(scene.mNumMeshes),
          shadingGroups_(scene.mNumMaterials)
    {
        for (const MObject& node : headless::allNodes())
            names_.reserve(MFnDependencyNode(node).name().asChar());
        for (unsigned i = 0; i < scene.mNumCameras; ++i)
            if (scene.mCameras[i] != nullptr)
                placedByName_.insert(scene.mCameras[i]->mName.C_Str());
        for (unsigned i = 0; i < scene.mNumLights; ++i)
            if (scene.mLights[i] != nullptr)
                placedByName_.insert(scene.mLights[i]->mName.C_Str());
    }

    bool run()
    {
        walkNodes();
        placeCamerasAndLights();
        reportTally();
        if (report_.meshes == 0) {
            report_.message = "the file holds no mesh with faces to export";
            if (skippedMeshes_ > 0)
                report_.message += " (" + std::to_string(skippedMeshes_) + " skipped; the first: " + firstSkip_ + ")";
            return false;
        }
        return true;
    }

private:
    const aiScene& scene_;
    const BuildSettings& settings_;
    InterchangeReport& report_;
    NameRegistry names_;
    MeshTally tally_;
    std::vector<MeshState> meshes_;
    std::vector<MObject> shadingGroups_;
    std::set<std::string> placedByName_;                 // names of nodes that cameras and lights sit on
    std::unordered_map<const aiNode*, MObject> transforms_;
    std::unordered_set<const aiNode*> nodesWithShapes_;
    std::set<std::string> textureNotes_;
    int skippedMeshes_ = 0;
    std::string firstSkip_;

    void skipMesh(const std::string& reason)
    {
        report_.warnings.push_back(reason + "; skipped");
        if (skippedMeshes_++ == 0)
            firstSkip_ = reason;
    }

    static bool isIdentity(const aiMatrix4x4& m)
    {
        return m.IsIdentity();
    }

    // The root is the library's container; it becomes a transform only when it carries something of the file.
    bool rootIsTransform(const aiNode& root) const
    {
        if (root.mNumMeshes > 0 || placedByName_.count(root.mName.C_Str()) != 0)
            return true;
        return !settings_.rootMatrixIsUnitScale && !isIdentity(root.mTransformation);
    }

    MObject makeTransform(const aiNode& node, const MObject& parent)
    {
        const MObject transform = headless::createTransform(names_.claim(node.mName.C_Str(), "transform"), parent);
        ++report_.transforms;
        const aiMatrix4x4& m = node.mTransformation;
        const bool ownMatrix = !(&node == scene_.mRootNode && settings_.rootMatrixIsUnitScale);
        if (ownMatrix && !isIdentity(m)) {
            // The library keeps column vectors (translation in the fourth column); the host keeps rows.
            const double rows[4][4] = {
                {m.a1, m.b1, m.c1, m.d1},
                {m.a2, m.b2, m.c2, m.d2},
                {m.a3, m.b3, m.c3, m.d3},
                {m.a4 * settings_.scale, m.b4 * settings_.scale, m.c4 * settings_.scale, m.d4},
            };
            TransformParts parts;
            if (!decomposeMatrix(rows, parts)) {
                report_.warnings.push_back("node " + std::string(node.mName.C_Str()) +
                                           " has a matrix with values that are not finite numbers; left at rest");
            } else {
                headless::setAttr(transform, "translate", std::vector<double>(parts.translate, parts.translate + 3));
                headless::setAttr(transform, "rotate",
                                  std::vector<double>(parts.rotateDegrees, parts.rotateDegrees + 3));
                headless::setAttr(transform, "scale", std::vector<double>(parts.scale, parts.scale + 3));
                if (parts.shear[0] != 0.0 || parts.shear[1] != 0.0 || parts.shear[2] != 0.0)
                    headless::setAttr(transform, "shear", std::vector<double>(parts.shear, parts.shear + 3));
            }
        }
        return transform;
    }

    void walkNodes()
    {
        const aiNode* root = scene_.mRootNode;
        if (root == nullptr)
            return;
        // Iterative, so that a deep hierarchy cannot exhaust the stack.
        std::vector<std::pair<const aiNode*, MObject>> pending;
        if (rootIsTransform(*root)) {
            pending.emplace_back(root, MObject::kNullObj);
        } else {
            for (unsigned i = root->mNumChildren; i-- > 0;)
                if (root->mChildren[i] != nullptr)
                    pending.emplace_back(root->mChildren[i], MObject::kNullObj);
        }
        while (!pending.empty()) {
            const aiNode* node = pending.back().first;
            const MObject parent = pending.back().second;
            pending.pop_back();
            const MObject transform = makeTransform(*node, parent);
            transforms_.emplace(node, transform);
            for (unsigned i = 0; i < node->mNumMeshes; ++i)
                placeMesh(*node, node->mMeshes[i], transform);
            for (unsigned i = node->mNumChildren; i-- > 0;)
                if (node->mChildren[i] != nullptr)
                    pending.emplace_back(node->mChildren[i], transform);
        }
    }

    std::string meshLabel(unsigned index) const
    {
        const aiMesh* mesh = scene_.mMeshes[index];
        const std::string name = mesh != nullptr ? mesh->mName.C_Str() : "";
        return name.empty() ? "#" + std::to_string(index) : "\"" + name + "\"";
    }

    MObject shadingGroupFor(unsigned materialIndex)
    {
        if (materialIndex >= scene_.mNumMaterials || scene_.mMaterials[materialIndex] == nullptr)
            return headless::findNode("initialShadingGroup");
        MObject& group = shadingGroups_[materialIndex];
        if (!group.isNull())
            return group;
        const ShaderDescription description = describeMaterial(*scene_.mMaterials[materialIndex]);
        if (description.libraryDefault || settings_.materialsAreStandIns) {
            group = headless::findNode("initialShadingGroup");
            if (!group.isNull())
                return group;
        }
        std::string note;
        const std::string texture = textureFileName(description.texture, settings_.fileDirectory, scene_, note);
        if (!note.empty() && textureNotes_.insert(note).second)
            report_.warnings.push_back(note);
        const ShaderNodes nodes =
            createShaderNodes(description, texture, "material" + std::to_string(materialIndex), names_);
        ++report_.shaders;
        if (!nodes.fileTexture.isNull())
            ++report_.fileTextures;
        group = nodes.shadingGroup;
        return group;
    }

    void placeMesh(const aiNode& node, unsigned index, const MObject& transform)
    {
        if (index >= scene_.mNumMeshes || scene_.mMeshes[index] == nullptr) {
            report_.warnings.push_back("node " + std::string(node.mName.C_Str()) + " names mesh " +
                                       std::to_string(index) + ", which the file does not have; skipped");
            return;
        }
        MeshState& state = meshes_[index];
        const aiMesh& mesh = *scene_.mMeshes[index];
        if (!state.tried) {
            state.tried = true;
            headless::MeshData data;
            std::string problem;
            if (!convertMesh(mesh, meshLabel(index), settings_.scale, data, tally_, report_.warnings, problem)) {
                skipMesh(problem);
                return;
            }
            // Named after the host transform, so that the plug-in's object name (the shape's name without
            // "Shape") is the transform's unique name.
            const std::string shapeName =
                names_.claim(std::string(MFnDependencyNode(transform).name().asChar()) + "Shape", "meshShape");
            state.shape = headless::createMesh(shapeName, transform, data);
            if (state.shape.isNull()) {
                skipMesh("mesh " + meshLabel(index) + ": the host refused its geometry (" +
                         headless::validateMesh(data) + ")");
                return;
            }
            state.nodes.insert(&node);
            nodesWithShapes_.insert(&node);
            ++report_.meshes;
            report_.faces += (long long)(data.faces.size());
            headless::assign(shadingGroupFor(mesh.mMaterialIndex), state.shape, 0);
            return;
        }
        if (state.shape.isNull() || !state.nodes.insert(&node).second)
            return;
        // A mesh shared by several nodes is one shape with an instance under each.
        if (!headless::addInstance(state.shape, transform)) {
            report_.warnings.push_back("mesh " + meshLabel(index) + " could not be instanced under node " +
                                       std::string(node.mName.C_Str()));
            return;
        }
        nodesWithShapes_.insert(&node);
        ++report_.instances;
        headless::assign(shadingGroupFor(mesh.mMaterialIndex), state.shape, unsigned(state.nodes.size() - 1));
    }

    // The node a camera or light sits on: the first of its name, as the library matches them.
    const aiNode* nodeNamed(const aiString& name) const
    {
        return scene_.mRootNode != nullptr ? scene_.mRootNode->FindNode(name) : nullptr;
    }

    void placeCamerasAndLights()
    {
        placeOnNodes(scene_.mCameras, scene_.mNumCameras, "camera", report_.cameras, buildCamera);
        placeOnNodes(scene_.mLights, scene_.mNumLights, "light", report_.lights, buildLight);
    }

    // Cameras and lights sit on the transform made for the scene node named like them; one on no node is
    // skipped with a warning.
    template <class Item, class Build>
    void placeOnNodes(Item* const* items, unsigned count, const char* kind, int& placed, Build build)
    {
        for (unsigned i = 0; i < count; ++i) {
            const Item* item = items[i];
            if (item == nullptr)
                continue;
            const aiNode* node = nodeNamed(item->mName);
            auto found = node != nullptr ? transforms_.find(node) : transforms_.end();
            if (found == transforms_.end()) {
                report_.warnings.push_back(std::string(kind) + " " + std::string(item->mName.C_Str()) +
                                           " is on no node of the scene; skipped");
                continue;
            }
            const MObject shape =
                build(*item, MFnDependencyNode(found->second).name().asChar(), found->second,
                      nodesWithShapes_.count(node) != 0, settings_.quirks, settings_.scale, names_, report_.warnings);
            if (!shape.isNull()) {
                nodesWithShapes_.insert(node);
                ++placed;
            }
        }
    }

    void reportTally()
    {
        if (tally_.facesTriangulated > 0)
            report_.warnings.push_back(std::to_string(tally_.facesTriangulated) + " faces of more than " +
                                       std::to_string(int(kMaxCapturedCorners)) + " corners were cut into " +
                                       std::to_string(tally_.trianglesFromLargeFaces) + " triangles");
        if (tally_.degenerateFaces > 0)
            report_.warnings.push_back(std::to_string(tally_.degenerateFaces) +
                                       " faces without three distinct corners were dropped");
        if (tally_.pointsAndLines > 0)
            report_.warnings.push_back(std::to_string(tally_.pointsAndLines) +
                                       " point and line primitives were dropped (host meshes hold polygons only)");
        if (tally_.outOfRangeFaces > 0)
            report_.warnings.push_back(std::to_string(tally_.outOfRangeFaces) +
                                       " faces naming a vertex their mesh does not have were dropped");
    }
};

} // namespace

bool buildScene(const aiScene& scene, const BuildSettings& settings, InterchangeReport& report)
{
    Builder builder(scene, settings, report);
    return builder.run();
}

} // namespace interchange
