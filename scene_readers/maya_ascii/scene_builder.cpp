#include "scene_readers/maya_ascii/scene_builder.h"

#include "scene_readers/maya_ascii/build_context.h"
#include "scene_readers/maya_ascii/connection_builder.h"
#include "scene_readers/maya_ascii/history_builder.h"
#include "scene_readers/maya_ascii/mesh_builder.h"
#include "scene_readers/maya_ascii/read_error.h"
#include "scene_readers/maya_ascii/shape_builders.h"

#include <headless/scene.h>

#include <maya/MFnDependencyNode.h>

#include <set>
#include <unordered_map>

namespace mayaascii {

namespace {

// Group: a DAG node that is neither a transform nor a shape, kept for the hierarchies below it (an instancer).
enum class Role { Transform, Group, Mesh, Curve, Surface, Lattice, Ffd, Camera, Light, Shader, FileTexture, ShadingGroup, Skip };

Role roleOf(const Node& node, bool feedsShadingGroup)
{
    static const std::unordered_map<std::string, Role> roles = {
        {"transform", Role::Transform}, {"joint", Role::Transform}, {"instancer", Role::Group}, {"mesh", Role::Mesh},
        {"nurbsCurve", Role::Curve}, {"bezierCurve", Role::Curve}, {"nurbsSurface", Role::Surface},
        {"lattice", Role::Lattice}, {"ffd", Role::Ffd}, {"camera", Role::Camera},
        {"ambientLight", Role::Light}, {"directionalLight", Role::Light}, {"pointLight", Role::Light},
        {"spotLight", Role::Light},
        {"lambert", Role::Shader}, {"blinn", Role::Shader}, {"phong", Role::Shader}, {"phongE", Role::Shader},
        {"anisotropic", Role::Shader}, {"file", Role::FileTexture}, {"shadingEngine", Role::ShadingGroup}};
    auto found = roles.find(node.type);
    if (found != roles.end())
        return found->second;
    // Any other node that feeds a shading group's surface shader is a shader under its own type name.
    return feedsShadingGroup ? Role::Shader : Role::Skip;
}

// Compound attributes whose children files also set one by one (".tx", ".cr").
bool compoundChild(const std::string& key, std::string& parent, int& index)
{
    static const std::unordered_map<std::string, std::pair<const char*, int>> children = {
        {"tx", {"t", 0}}, {"ty", {"t", 1}}, {"tz", {"t", 2}}, {"rx", {"r", 0}}, {"ry", {"r", 1}}, {"rz", {"r", 2}},
        {"sx", {"s", 0}}, {"sy", {"s", 1}}, {"sz", {"s", 2}}, {"rpx", {"rp", 0}}, {"rpy", {"rp", 1}},
        {"rpz", {"rp", 2}}, {"spx", {"sp", 0}}, {"spy", {"sp", 1}}, {"spz", {"sp", 2}}, {"cr", {"c", 0}},
        {"cg", {"c", 1}}, {"cb", {"c", 2}}, {"clr", {"cl", 0}}, {"clg", {"cl", 1}}, {"clb", {"cl", 2}},
        {"itr", {"it", 0}}, {"itg", {"it", 1}}, {"itb", {"it", 2}}, {"icr", {"ic", 0}}, {"icg", {"ic", 1}},
        {"icb", {"ic", 2}}, {"sr", {"sc", 0}}, {"sg", {"sc", 1}}, {"sb", {"sc", 2}}, {"hfa", {"cap", 0}},
        {"vfa", {"cap", 1}}};
    auto found = children.find(key);
    if (found == children.end())
        return false;
    parent = found->second.first;
    index = found->second.second;
    return true;
}

bool setOnHost(const MObject& object, const std::string& key, const Value& value)
{
    if (!std::holds_alternative<std::monostate>(value.geometry))
        return false;
    if (!value.dataType.empty() && value.dataType != "string" && value.dataType.find("2") == std::string::npos &&
        value.dataType.find("3") == std::string::npos && value.dataType != "double4" && value.dataType != "matrix")
        return false;  // arrays, component lists and other data values
    if (!value.strings.empty())
        return value.numbers.empty() && value.strings.size() == 1 && headless::setAttr(object, key, value.strings[0]);
    if (value.numbers.empty())
        return false;
    if (value.numbers.size() == 1) {
        if (headless::setAttr(object, key, value.numbers[0]))
            return true;
        std::string parent;
        int index = 0;
        std::vector<double> whole;
        if (compoundChild(key, parent, index) && headless::getAttr(object, parent, whole) && size_t(index) < whole.size()) {
            whole[size_t(index)] = value.numbers[0];
            return headless::setAttr(object, parent, whole);
        }
        return false;
    }
    return headless::setAttr(object, key, value.numbers);
}

class SceneBuilder {
public:
    SceneBuilder(const SceneDocument& document, LoadReport& report) : context_(document, report) {}

    void run()
    {
        const SceneDocument& document = context_.document;
        headless::newScene();
        inputs_ = indexInputs(document);
        findShaders();
        for (size_t i = 0; i < document.nodes.size(); ++i)
            createNode(int(i));
        for (size_t i = 0; i < document.nodes.size(); ++i)
            if (roles_[i] == Role::Ffd)
                createFfd(int(i));
        for (size_t i = 0; i < document.nodes.size(); ++i)
            applyAttributes(int(i));
        for (size_t i = 0; i < document.nodes.size(); ++i)
            addInstances(int(i));
        buildConnections(context_);
        for (size_t i = 0; i < document.nodes.size(); ++i)
            if (roles_[i] == Role::Skip && !document.nodes[i].defaultNode && !usedByHistory_.count(int(i)))
                skipNode(document.nodes[i], document.nodes[i].type);
        summarise();
    }

private:
    void findShaders()
    {
        const SceneDocument& document = context_.document;
        std::vector<bool> feeds(document.nodes.size(), false);
        for (const Connection& c : document.connections)
            if ((c.sourcePlug == "oc" || c.sourcePlug == "outColor") && c.destinationPlug == "ss" &&
                document.nodes[size_t(c.destinationNode)].type == "shadingEngine")
                feeds[size_t(c.sourceNode)] = true;
        for (size_t i = 0; i < document.nodes.size(); ++i)
            roles_.push_back(roleOf(document.nodes[i], feeds[i]));
    }

    void skipNode(const Node& node, const std::string& type)
    {
        (void)node;
        ++context_.report.skippedNodeTypes[type];
    }

    void createNode(int index)
    {
        const SceneDocument& document = context_.document;
        const Node& node = document.nodes[size_t(index)];
        LoadReport& report = context_.report;
        const Role role = roles_[size_t(index)];
        if (role == Role::Skip || role == Role::Ffd) {
            // Skipped nodes are counted at the end: those an evaluated history used were not skipped.
            return;
        }
        // The file's shared nodes are the new scene's own (persp, lambert1, initialShadingGroup, ...).
        if (node.shared || node.defaultNode) {
            MObject existing = headless::findNode(node.parent >= 0 ? parentPath(index) + "|" + node.name : node.name);
            if (!existing.isNull()) {
                context_.hostNodes[size_t(index)] = existing;
                return;
            }
            if (node.defaultNode)
                return;
        }
        MObject parent;
        if (node.parent >= 0) {
            parent = context_.hostNodes[size_t(node.parent)];
            if (parent.isNull()) {
                skipNode(node, node.type + " under a skipped parent");
                return;
            }
        }
        MObject object;
        switch (role) {
        case Role::Mesh: {
            BakedMesh mesh;
            if (hasBakedGeometry(node))
                mesh = bakeMesh(node);
            else if (!meshFromHistory(index, mesh))
                return;
            object = createMeshShape(node.name, parent, std::move(mesh), node.line);
            ++report.meshes;
            break;
        }
        case Role::Curve:
        case Role::Surface:
            if (!hasCachedGeometry(node)) {
                skipHistoryShape(node, {inputType(index, "cr")}, "");
                return;
            }
            object = role == Role::Curve ? createCurveShape(node, parent) : createSurfaceShape(node, parent);
            ++(role == Role::Curve ? report.nurbsCurves : report.nurbsSurfaces);
            break;
        case Role::Lattice:
            object = createLatticeShape(node, parent);
            ++report.lattices;
            break;
        default: {
            const std::string type = node.type == "joint" ? "transform" : node.type;
            object = headless::createNode(type, node.name, parent);
            if (object.isNull())
                throw ReadError(node.line, describeNode(node) + ": the host could not create the node");
            if (role == Role::Group)
                break;
            ++(role == Role::Transform      ? report.transforms
               : role == Role::Camera       ? report.cameras
               : role == Role::Light        ? report.lights
               : role == Role::Shader       ? report.shaders
               : role == Role::FileTexture  ? report.fileTextures
                                            : report.shadingGroups);
            break;
        }
        }
        context_.hostNodes[size_t(index)] = object;
        checkName(node, object);
    }

    // The type of the node feeding plug `plug` of node `index`, or "" when nothing does.
    std::string inputType(int index, const std::string& plug) const
    {
        auto found = inputs_.find(index);
        if (found != inputs_.end())
            for (const Connection* c : found->second)
                if (c->destinationPlug == plug)
                    return context_.document.nodes[size_t(c->sourceNode)].type;
        return std::string();
    }

    // A shape left out because its geometry exists only through history the host does not evaluate here.
    void skipHistoryShape(const Node& node, const std::vector<std::string>& types, const std::string& why)
    {
        LoadReport& report = context_.report;
        report.historyOnlyShapes.push_back(node.name);
        std::string names;
        for (const std::string& type : types) {
            if (type.empty())
                continue;
            ++report.unevaluatedHistoryTypes[type];
            names += (names.empty() ? "" : ", ") + type;
        }
        report.warnings.push_back(describeNode(node) + " skipped: " +
                                  (why.empty() ? "its construction history passes through " +
                                                     (names.empty() ? std::string("nothing") : names) +
                                                     ", which the headless host does not evaluate"
                                               : why));
    }

    // The mesh that the history of mesh node `index` makes; false (the shape skipped with a warning) when
    // there is none to make.
    bool meshFromHistory(int index, BakedMesh& mesh)
    {
        const Node& node = context_.document.nodes[size_t(index)];
        if (inputType(index, "i").empty() && inputType(index, "inMesh").empty()) {
            context_.report.warnings.push_back(describeNode(node) +
                                               " skipped: it holds no geometry and nothing feeds its inMesh");
            return false;
        }
        std::vector<int> used;
        headless::HistoryResult result = evaluateShapeHistory(context_.document, inputs_, index, used);
        if (!result.unsupportedTypes.empty()) {
            skipHistoryShape(node, result.unsupportedTypes, "");
            return false;
        }
        if (!result.evaluated) {
            skipHistoryShape(node, {}, result.error);
            return false;
        }
        for (const std::string& warning : result.warnings)
            context_.report.warnings.push_back(warning);
        usedByHistory_.insert(used.begin(), used.end());
        // Per-face groups by the object group each groupId node identifies on the shape.
        auto found = inputs_.find(index);
        for (const Connection* c : found == inputs_.end() ? std::vector<const Connection*>() : found->second) {
            const std::string& plug = c->destinationPlug;
            int instance = 0, group = -1;
            const std::string suffix = ".gid";
            if (plug.size() <= suffix.size() || plug.compare(plug.size() - suffix.size(), suffix.size(), suffix) != 0 ||
                !parseMemberPlug(plug.substr(0, plug.size() - suffix.size()), instance, group) || group < 0)
                continue;
            auto faces = result.mesh.faceGroups.find(c->sourceNode);
            if (faces != result.mesh.faceGroups.end())
                context_.historyFaceGroups[index][{instance, group}] = faces->second;
        }
        mesh.mesh = std::move(result.mesh);
        return true;
    }

    void checkName(const Node& node, const MObject& object)
    {
        MStatus status;
        MFnDependencyNode fn(object, &status);
        if (status == MS::kSuccess && std::string(fn.name().asChar()) != node.name)
            context_.report.warnings.push_back(describeNode(node) + " was named " + fn.name().asChar() +
                                               " by the host (its name was taken)");
    }

    std::string parentPath(int index) const
    {
        std::string path;
        for (int i = context_.document.nodes[size_t(index)].parent; i >= 0; i = context_.document.nodes[size_t(i)].parent)
            path = "|" + context_.document.nodes[size_t(i)].name + path;
        return path;
    }

    void createFfd(int index)
    {
        MObject deformer = createFfdDeformer(context_, index);
        if (deformer.isNull())
            return;
        context_.hostNodes[size_t(index)] = deformer;
        ++context_.report.ffds;
    }

    // Adds the file's dynamic attributes of the kinds the host keeps; others stay unknown, and their
    // values are then counted with the skipped ones.
    void addDynamicAttributes(const Node& node, const MObject& object)
    {
        static const std::unordered_map<std::string, headless::AttributeKind> kinds = {
            {"bool", headless::AttributeKind::Bool},        {"long", headless::AttributeKind::Int},
            {"short", headless::AttributeKind::Int},        {"byte", headless::AttributeKind::Int},
            {"char", headless::AttributeKind::Int},         {"enum", headless::AttributeKind::Int},
            {"double", headless::AttributeKind::Double},    {"float", headless::AttributeKind::Double},
            {"doubleLinear", headless::AttributeKind::Distance}, {"floatLinear", headless::AttributeKind::Distance},
            {"doubleAngle", headless::AttributeKind::Angle}, {"floatAngle", headless::AttributeKind::Angle},
            {"double2", headless::AttributeKind::Double2},  {"float2", headless::AttributeKind::Double2},
            {"double3", headless::AttributeKind::Double3},  {"float3", headless::AttributeKind::Float3},
            {"matrix", headless::AttributeKind::Matrix},    {"fltMatrix", headless::AttributeKind::Matrix},
            {"message", headless::AttributeKind::Message},  {"string", headless::AttributeKind::String}};
        for (const DynamicAttribute& attribute : node.dynamicAttributes) {
            auto kind = kinds.find(attribute.type);
            if (attribute.isChild || kind == kinds.end() ||
                (attribute.dataType && attribute.type != "string" && attribute.type != "matrix") ||
                headless::hasAttribute(object, attribute.longName))
                continue;
            headless::addAttribute(object, attribute.longName, attribute.shortName, kind->second, attribute.isArray);
        }
    }

    void applyAttributes(int index)
    {
        const Node& node = context_.document.nodes[size_t(index)];
        const MObject& object = context_.hostNodes[size_t(index)];
        if (object.isNull())
            return;
        addDynamicAttributes(node, object);
        // Geometry values were used when the shape was made.
        for (const char* geometry : {"cc", "sd", "td", "ud"})
            if (roles_[size_t(index)] == Role::Curve || roles_[size_t(index)] == Role::Surface ||
                roles_[size_t(index)] == Role::Lattice)
                findAttribute(node, geometry);
        for (const std::string& key : node.attributeOrder) {
            const Attribute& attribute = node.attributes.at(key);
            if (attribute.used || (!attribute.hasPlain && attribute.chunks.empty()))
                continue;
            if (attribute.hasPlain && setOnHost(object, key, attribute.plain))
                continue;
            ++context_.report.skippedAttributes;
            ++context_.skippedAttributeNames[node.type + "." + key];
        }
    }

    void addInstances(int index)
    {
        const Node& node = context_.document.nodes[size_t(index)];
        const MObject& object = context_.hostNodes[size_t(index)];
        for (int parent : node.extraParents) {
            if (object.isNull() || parent < 0 || context_.hostNodes[size_t(parent)].isNull())
                continue;
            if (!headless::addInstance(object, context_.hostNodes[size_t(parent)]))
                throw ReadError(node.line, describeNode(node) + ": the host refused the instance under " +
                                               context_.document.nodes[size_t(parent)].name);
        }
    }

    void summarise()
    {
        LoadReport& report = context_.report;
        if (!report.historyOnlyShapes.empty()) {
            std::string names, types;
            for (const std::string& name : report.historyOnlyShapes)
                names += (names.empty() ? "" : ", ") + name;
            for (const auto& entry : report.unevaluatedHistoryTypes)
                types += (types.empty() ? "" : ", ") + entry.first + " (" + std::to_string(entry.second) + ")";
            report.warnings.push_back("skipped " + std::to_string(report.historyOnlyShapes.size()) +
                                      " shape(s) whose construction history the headless host does not evaluate" +
                                      (types.empty() ? "" : ", by node type: " + types) + " - " + names +
                                      "; delete their history in the host, or export from the host");
        }
        if (!report.skippedNodeTypes.empty()) {
            int nodes = 0;
            std::string types;
            for (const auto& entry : report.skippedNodeTypes) {
                nodes += entry.second;
                types += (types.empty() ? "" : ", ") + entry.first + " (" + std::to_string(entry.second) + ")";
            }
            report.warnings.push_back("skipped " + std::to_string(nodes) + " node(s) of " +
                                      std::to_string(report.skippedNodeTypes.size()) +
                                      " type(s) the export does not use: " + types);
        }
        if (report.skippedAttributes > 0) {
            std::string names;
            int listed = 0;
            for (const auto& entry : context_.skippedAttributeNames)
                if (listed++ < 12)
                    names += (names.empty() ? "" : ", ") + entry.first;
            if (listed > 12)
                names += ", ...";
            report.warnings.push_back("skipped " + std::to_string(report.skippedAttributes) + " value(s) of " +
                                      std::to_string(context_.skippedAttributeNames.size()) +
                                      " attribute(s) the scene does not use: " + names);
        }
    }

    BuildContext context_;
    std::vector<Role> roles_;
    std::set<int> usedByHistory_;  // nodes of an evaluated construction history
    InputIndex inputs_;
};

} // namespace

InputIndex indexInputs(const SceneDocument& document)
{
    InputIndex inputs;
    for (const Connection& c : document.connections)
        inputs[c.destinationNode].push_back(&c);
    return inputs;
}

void buildScene(const SceneDocument& document, LoadReport& report)
{
    SceneBuilder(document, report).run();
}

} // namespace mayaascii
