// Turns its input into an arbitrary headless-host scene and exports it. The input is a program: the first
// byte sets up the scene and the host, the second picks the export's options and mode, then each
// operation byte builds one thing and its parameters follow it; a finished input reads as zeros. The
// things: transforms, meshes of any counts with -1 and out-of-range ids, NaN and infinite values and
// faces of 0 to 300 corners, damaged meshes whose faces name vertices they do not have, shaders, file
// textures, shading groups with whole and per-face members, lattices with ffd deformers, NURBS, cameras,
// lights, hidden and intermediate nodes, instances, selections, stray attribute values. The scene
// builder may refuse inconsistent data; whatever it takes is exported, and the export must keep the
// property of fuzz/export_check.h.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPxFileTranslator.h>

#include <headless/scene.h>

#include "fuzz/export_check.h"

namespace {

// Reads the input front to back; past its end every read gives zero.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool done() const { return position_ >= size_; }

    unsigned byte() { return position_ < size_ ? data_[position_++] : 0; }

    bool flag() { return (byte() & 1) != 0; }

    // A value from 0 to limit - 1 (limit > 0), from one or two bytes.
    unsigned below(unsigned limit)
    {
        unsigned value = byte();
        if (limit > 256)
            value = value << 8 | byte();
        return value % limit;
    }

    // Mostly small counts, now and then a large one.
    unsigned count(unsigned usual, unsigned rare)
    {
        unsigned b = byte();
        return b < 240 ? b % (usual + 1) : below(rare + 1);
    }

    double number()
    {
        static const double specials[] = {0.0,
                                          -0.0,
                                          1.0,
                                          -1.0,
                                          0.5,
                                          std::numeric_limits<double>::quiet_NaN(),
                                          std::numeric_limits<double>::infinity(),
                                          -std::numeric_limits<double>::infinity(),
                                          1e20, // the value a host uses for "no normal here"
                                          1e30,
                                          -1e30,
                                          std::numeric_limits<float>::max(),
                                          std::numeric_limits<double>::max(),
                                          std::numeric_limits<float>::denorm_min(),
                                          std::numeric_limits<double>::min(),
                                          100000.0};
        unsigned b = byte();
        switch (b >> 6) {
        case 0:
            return specials[b % (sizeof(specials) / sizeof(specials[0]))];
        case 1:
            return (int(b & 0x3F) - 32) / 4.0;
        case 2: {
            uint32_t bits = 0;
            for (int i = 0; i < 4; ++i)
                bits = bits << 8 | byte();
            float value;
            memcpy(&value, &bits, sizeof(value));
            return value;
        }
        default: {
            uint64_t bits = 0;
            for (int i = 0; i < 8; ++i)
                bits = bits << 8 | byte();
            double value;
            memcpy(&value, &bits, sizeof(value));
            return value;
        }
        }
    }

    // An id into count entries: mostly valid, sometimes -1, the count itself or beyond.
    int index(int count)
    {
        unsigned b = byte();
        if (b < 0xF0)
            return count > 0 ? int((count > 240 ? (b << 8 | byte()) : b) % unsigned(count)) : 0;
        static const int specials[] = {-1, -2, 0, 1, 65535, 65536, std::numeric_limits<int>::max(),
                                       std::numeric_limits<int>::min()};
        unsigned pick = b - 0xF0;
        if (pick < 8)
            return specials[pick];
        return count + int(pick - 8); // the count itself and just past it
    }

    std::string text()
    {
        static const char alphabet[] = "abcdefgxyzABCXYZ0129_|:. /\\-";
        unsigned b = byte();
        if (b >= 0xF8) {
            // Long texts: names and paths far beyond any fixed field.
            size_t length = 250 + (b - 0xF8) * 150 + byte();
            std::string text(length, 'a');
            for (size_t i = 0; i < length; ++i)
                text[i] = "LongName_0123456789/"[i % 20];
            return text;
        }
        std::string text;
        for (unsigned i = 0, length = b % 12; i < length; ++i)
            text += alphabet[byte() % (sizeof(alphabet) - 1)];
        return text;
    }

    // A name for a new node: usually plain, so that most nodes are made.
    std::string name()
    {
        unsigned b = byte();
        if (b < 0xC0)
            return std::string(1, char('a' + b % 26)) + std::to_string(b);
        if (b < 0xE0)
            return "";
        return text();
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

template <class T>
const T* pick(Input& in, const std::vector<T>& pool)
{
    return pool.empty() ? nullptr : &pool[in.below(unsigned(pool.size()))];
}

struct Scene {
    bool assignNewShapes = false; // new meshes join the first shading group, as the host does
    std::vector<MObject> transforms;
    std::vector<MObject> shapes; // meshes, surfaces, curves, lattices, cameras, lights
    std::vector<MObject> meshes;
    std::vector<MObject> shaders;
    std::vector<MObject> textures;
    std::vector<MObject> sets;
    std::vector<MObject> all;

    void add(std::vector<MObject>& pool, const MObject& node)
    {
        if (node.isNull())
            return;
        pool.push_back(node);
        all.push_back(node);
    }

    // A transform to put a shape under: an existing one (one byte picks it), or a new one under the world.
    MObject parentFor(Input& in)
    {
        unsigned choice = in.byte();
        if (choice < 0xC0 && !transforms.empty())
            return transforms[choice % transforms.size()];
        MObject transform = headless::createTransform(in.name());
        add(transforms, transform);
        return transform;
    }
};

headless::Vec3 vec3(Input& in)
{
    headless::Vec3 v;
    v.x = in.number();
    v.y = in.number();
    v.z = in.number();
    return v;
}

std::vector<double> numbers(Input& in, size_t count)
{
    std::vector<double> values(count);
    for (double& value : values)
        value = in.number();
    return values;
}

// One id list per face: given one by one, or generated (start, step) so that large faces stay cheap.
std::vector<std::vector<int>> faceLists(Input& in, const std::vector<size_t>& corners, int idCount)
{
    std::vector<std::vector<int>> lists(corners.size());
    for (size_t f = 0; f < corners.size(); ++f) {
        std::vector<int>& ids = lists[f];
        unsigned mode = in.byte() % 4;
        if (mode == 0) {
            for (size_t c = 0; c < corners[f]; ++c)
                ids.push_back(in.index(idCount));
        } else {
            int start = in.index(idCount);
            int step = mode == 1 ? 1 : int(in.byte() % 7) - 3;
            for (size_t c = 0; c < corners[f]; ++c)
                ids.push_back(idCount > 0 ? int((int64_t(start) + int64_t(step) * int64_t(c)) % idCount) : int(c));
        }
    }
    return lists;
}

headless::MeshData meshData(Input& in)
{
    headless::MeshData data;
    const int pointCount = int(in.count(24, 2000));
    unsigned pointMode = in.byte() % 4;
    for (int i = 0; i < pointCount; ++i) {
        if (pointMode == 0) {
            data.points.push_back(vec3(in));
        } else {
            // A ring of points with an occasional odd one: cheap in input, real faces to triangulate.
            double angle = 6.283185307179586 * i / std::max(pointCount, 1);
            headless::Vec3 p;
            p.x = std::cos(angle);
            p.y = pointMode == 1 ? 0.0 : double(i % 3);
            p.z = std::sin(angle);
            if (in.byte() >= 0xF0)
                p.y = in.number();
            data.points.push_back(p);
        }
    }

    const unsigned faceCount = in.count(12, 400);
    std::vector<size_t> corners(faceCount);
    for (size_t& n : corners) {
        unsigned b = in.byte();
        n = b < 0xE0 ? 3 + b % 6 : b < 0xF0 ? b % 3 : b < 0xF8 ? 7 + b % 20 : 300 - in.byte() % 40;
    }
    data.faces = faceLists(in, corners, pointCount);

    unsigned parts = in.byte();
    if (parts & 1) {
        const int uvCount = int(in.count(24, 1000));
        for (int i = 0; i < uvCount; ++i) {
            headless::TexCoord uv;
            uv.u = float(in.number());
            uv.v = float(in.number());
            data.uvs.push_back(uv);
        }
        data.faceUVs = faceLists(in, corners, uvCount);
    }
    if (parts & 2) {
        const int normalCount = int(in.count(24, 1000));
        for (int i = 0; i < normalCount; ++i)
            data.normals.push_back(vec3(in));
        data.faceNormals = faceLists(in, corners, normalCount);
    }
    if (parts & 4) {
        const int colorCount = int(in.count(24, 1000));
        for (int i = 0; i < colorCount; ++i) {
            headless::Color4 color;
            color.r = float(in.number());
            color.g = float(in.number());
            color.b = float(in.number());
            color.a = float(in.number());
            data.colors.push_back(color);
        }
        data.faceColors = faceLists(in, corners, colorCount);
    }
    if (parts & 8) {
        for (unsigned i = 0, n = in.byte() % 8; i < n; ++i) {
            int a = in.index(pointCount);
            data.hardEdges.push_back({a, in.index(pointCount)});
        }
    }
    // Now and then a list that does not match the faces at all.
    if (parts & 0x10)
        data.faceUVs.resize(in.byte() % 4);
    return data;
}

const char* const shaderTypes[] = {"lambert", "blinn", "phong", "phongE", "anisotropic", "surfaceShader",
                                   "layeredShader", "rampShader", "useBackground", ""};
const char* const colorAttributes[] = {"color", "ambientColor", "incandescence", "transparency", "specularColor",
                                       "reflectedColor", "normalCamera", "outColor"};
const char* const scalarAttributes[] = {"diffuse", "eccentricity", "specularRollOff", "cosinePower", "reflectivity",
                                        "translucence", "glowIntensity", "roughness", "highlightSize",
                                        "focalLength", "centerOfInterest", "horizontalFilmAperture",
                                        "verticalFilmAperture", "orthographic", "orthographicWidth",
                                        "nearClipPlane", "farClipPlane", "filmFit", "cameraScale", "intensity",
                                        "coneAngle", "penumbraAngle", "dropoff", "decayRate", "visibility",
                                        "intermediateObject", "rotateOrder", "inheritsTransform", "lodVisibility",
                                        "overrideEnabled", "overrideVisibility", "sDivisions", "tDivisions",
                                        "uDivisions", "envelope", "outsideLattice", "local", "nodeState"};
const char* const vectorAttributes[] = {"translate", "rotate", "scale", "shear", "rotatePivot", "scalePivot",
                                        "rotateAxis", "color", "cameraAperture", "filmOffset", "lightDirection"};
const char* const texturePaths[] = {"", "checker.png", "sourceimages/checker.png", "C:\\Proj\\sourceimages\\A.PNG",
                                    "/work/proj/sourceimages/x.tga", "//server/share/t.tif", "../up/t.png"};

template <size_t N>
const char* pickText(Input& in, const char* const (&table)[N])
{
    return table[in.below(unsigned(N))];
}

std::string texturePath(Input& in)
{
    unsigned b = in.byte();
    if (b < 0xC0)
        return pickText(in, texturePaths);
    return in.text();
}

void setSomeAttribute(Input& in, const MObject& node)
{
    switch (in.byte() % 4) {
    case 0:
    case 1: {
        const char* attribute = pickText(in, scalarAttributes);
        headless::setAttr(node, attribute, in.number());
        break;
    }
    case 2: {
        const char* attribute = pickText(in, vectorAttributes);
        size_t width = in.byte() % 3 == 0 ? 2 : 3;
        headless::setAttr(node, attribute, numbers(in, width));
        break;
    }
    default: {
        const char* attribute = in.flag() ? "fileTextureName" : pickText(in, colorAttributes);
        headless::setAttr(node, attribute, texturePath(in));
        break;
    }
    }
}

void buildStep(Input& in, Scene& scene)
{
    switch (in.byte() % 22) {
    case 0: { // transform, possibly under another
        const MObject* parent = in.flag() ? pick(in, scene.transforms) : nullptr;
        std::string name = in.name();
        MObject transform = headless::createTransform(name, parent ? *parent : MObject::kNullObj);
        scene.add(scene.transforms, transform);
        if (in.flag()) {
            headless::Vec3 translate = vec3(in), rotate = vec3(in);
            headless::RotateOrder order = headless::RotateOrder(in.byte() % 6);
            headless::Vec3 scale = vec3(in);
            headless::setTranslate(transform, translate.x, translate.y, translate.z);
            headless::setRotate(transform, rotate.x, rotate.y, rotate.z, order);
            headless::setScale(transform, scale.x, scale.y, scale.z);
        }
        break;
    }
    case 1:
    case 2:
    case 3: { // mesh
        MObject parent = scene.parentFor(in);
        std::string name = in.name();
        headless::MeshData data = meshData(in);
        MObject mesh = headless::createMesh(name, parent, data);
        scene.add(scene.shapes, mesh);
        if (!mesh.isNull()) {
            scene.meshes.push_back(mesh);
            if (scene.assignNewShapes && !scene.sets.empty())
                headless::assign(scene.sets.front(), mesh);
        }
        break;
    }
    case 4: { // new geometry for an existing mesh, possibly damaged (vertex ids outside its points)
        const bool damaged = in.flag();
        if (const MObject* mesh = pick(in, scene.meshes)) {
            headless::MeshData data = meshData(in);
            if (damaged)
                headless::setDamagedMeshGeometry(*mesh, data);
            else
                headless::setMeshGeometry(*mesh, data);
        }
        break;
    }
    case 5: { // shader
        const char* type = pickText(in, shaderTypes);
        MObject shader = headless::createShader(type, in.name());
        scene.add(scene.shaders, shader);
        for (unsigned i = 0, n = in.byte() % 4; i < n; ++i) {
            if (in.flag()) {
                const char* attribute = pickText(in, colorAttributes);
                headless::setAttr(shader, attribute, numbers(in, 3));
            } else {
                const char* attribute = pickText(in, scalarAttributes);
                headless::setAttr(shader, attribute, in.number());
            }
        }
        break;
    }
    case 6: { // file texture on a shader
        std::string name = in.name();
        MObject file = headless::createFileTexture(name, texturePath(in));
        scene.add(scene.textures, file);
        if (const MObject* shader = pick(in, scene.shaders))
            headless::connectTexture(file, *shader, pickText(in, colorAttributes));
        break;
    }
    case 7: { // shading group with whole and per-face members
        const MObject* shader = in.flag() ? pick(in, scene.shaders) : nullptr;
        MObject set = headless::createShadingGroup(in.name(), shader ? *shader : MObject::kNullObj);
        scene.add(scene.sets, set);
        break;
    }
    case 8:
    case 9: {
        const MObject* set = pick(in, scene.sets);
        const MObject* shape = pick(in, scene.shapes);
        if (!set || !shape)
            break;
        unsigned instance = in.byte() % 3;
        if (in.flag()) {
            headless::assign(*set, *shape, instance);
        } else {
            std::vector<int> faces;
            for (unsigned i = 0, n = in.byte() % 6; i < n; ++i)
                faces.push_back(in.index(8));
            headless::assignFaces(*set, *shape, faces, instance);
        }
        break;
    }
    case 10: { // lattice, and an ffd over some shapes
        MObject parent = scene.parentFor(in);
        unsigned s = in.byte() % 6, t = in.byte() % 6, u = in.byte() % 6;
        std::vector<headless::Vec3> points;
        if (in.flag()) {
            size_t n = in.flag() ? size_t(s) * t * u : in.byte() % 40;
            for (size_t i = 0; i < n; ++i)
                points.push_back(vec3(in));
        }
        MObject lattice = headless::createLattice(in.name(), parent, s, t, u, points);
        scene.add(scene.shapes, lattice);
        const bool withFfd = in.flag();
        if (!lattice.isNull() && withFfd) {
            std::vector<MObject> deformed;
            for (unsigned i = 0, n = in.byte() % 14; i < n; ++i)
                if (const MObject* shape = pick(in, scene.meshes))
                    deformed.push_back(*shape);
            scene.add(scene.all, headless::createFfd(in.name(), lattice, deformed));
        }
        break;
    }
    case 11: { // camera
        std::string name = in.name();
        MObject camera = headless::createCamera(name, scene.parentFor(in));
        scene.add(scene.shapes, camera);
        for (unsigned i = 0, n = in.byte() % 4; i < n; ++i) {
            const char* attribute = pickText(in, scalarAttributes);
            headless::setAttr(camera, attribute, in.number());
        }
        break;
    }
    case 12: { // light
        headless::LightKind kind = headless::LightKind(in.byte() % 4);
        std::string name = in.name();
        MObject light = headless::createLight(kind, name, scene.parentFor(in));
        scene.add(scene.shapes, light);
        for (unsigned i = 0, n = in.byte() % 4; i < n; ++i)
            setSomeAttribute(in, light);
        break;
    }
    case 13: { // NURBS surface
        headless::NurbsSurfaceData data;
        data.degreeU = int(in.byte() % 6);
        data.degreeV = int(in.byte() % 6);
        data.numCVsU = int(in.byte() % 12);
        data.numCVsV = int(in.byte() % 12);
        data.bezier = in.byte() < 0xE0;
        size_t n = in.byte() < 0xF0 ? size_t(data.numCVsU) * size_t(data.numCVsV) : in.byte() % 50;
        for (size_t i = 0; i < n; ++i)
            data.cvs.push_back(vec3(in));
        std::string name = in.name();
        scene.add(scene.shapes, headless::createNurbsSurface(name, scene.parentFor(in), data));
        break;
    }
    case 14: { // NURBS curve
        headless::NurbsCurveData data;
        data.degree = int(in.byte() % 6);
        for (unsigned i = 0, n = in.byte() % 20; i < n; ++i)
            data.cvs.push_back(vec3(in));
        std::string name = in.name();
        scene.add(scene.shapes, headless::createNurbsCurve(name, scene.parentFor(in), data));
        break;
    }
    case 15: { // hidden or intermediate
        if (const MObject* node = pick(in, scene.all)) {
            if (in.flag())
                headless::setVisible(*node, in.flag());
            else
                headless::setIntermediate(*node, in.flag());
        }
        break;
    }
    case 16: { // instance or move
        const MObject* node = in.flag() ? pick(in, scene.shapes) : pick(in, scene.transforms);
        const MObject* parent = pick(in, scene.transforms);
        if (!node)
            break;
        if (in.flag() && parent)
            headless::addInstance(*node, *parent);
        else
            headless::reparent(*node, parent && in.flag() ? *parent : MObject::kNullObj);
        break;
    }
    case 17: { // selection
        unsigned b = in.byte();
        if (b < 0x20) {
            headless::clearSelection();
        } else if (b < 0x80) {
            std::vector<MObject> nodes;
            for (unsigned i = 0, n = 1 + b % 5; i < n; ++i)
                if (const MObject* node = pick(in, scene.all))
                    nodes.push_back(*node);
            headless::select(nodes);
        } else {
            std::vector<MDagPath> paths;
            for (unsigned i = 0, n = 1 + b % 4; i < n; ++i) {
                const MObject* node = pick(in, scene.shapes);
                if (node)
                    paths.push_back(headless::pathTo(*node, in.byte() % 3));
            }
            headless::selectPaths(paths);
        }
        break;
    }
    case 18:
    case 19: { // a stray attribute value anywhere
        if (const MObject* node = pick(in, scene.all))
            setSomeAttribute(in, *node);
        break;
    }
    case 20: { // renames, long ones too
        if (const MObject* node = pick(in, scene.all))
            headless::rename(*node, in.text());
        break;
    }
    default: { // the scene's settings
        switch (in.byte() % 3) {
        case 0:
            headless::setUpAxis(headless::UpAxis(in.byte() % 3));
            break;
        case 1:
            headless::setWorkspaceRoot(in.flag() ? "/work/proj/" : in.text());
            break;
        default:
            headless::setCurrentFile(in.text());
            break;
        }
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzcheck::setUpExporter("fuzz_scene_export");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    const unsigned setup = in.byte();
    const unsigned options = in.byte();
    headless::resetHostBehaviour();
    headless::HostBehaviour& behaviour = headless::hostBehaviour();
    behaviour.extendToShapeFailsOnShape = (setup & 0x02) != 0;
    behaviour.extendToShapeFailsWithSeveralShapes = (setup & 0x04) != 0;
    behaviour.splitKeepsEmptyPieces = (setup & 0x08) != 0;
    behaviour.graphIteratorFailsWithoutMatch = (setup & 0x10) != 0;
    Scene scene;
    if (setup & 1) {
        headless::newScene();
        // The new scene's own shader and shading group join the pools.
        scene.add(scene.shaders, headless::findNode("lambert1"));
        scene.add(scene.sets, headless::findNode("initialShadingGroup"));
    } else {
        headless::emptyScene();
    }
    scene.assignNewShapes = (setup & 0x20) != 0;
    for (int step = 0; step < 64 && !in.done(); ++step)
        buildStep(in, scene);

    std::string optionText = "vertexColors=" + std::to_string(options & 1) + ";relProjPath=" +
                             std::to_string((options >> 1) & 1) + ";optimize=" + std::to_string((options >> 2) & 1) +
                             ";";
    static const MPxFileTranslator::FileAccessMode modes[] = {MPxFileTranslator::kExportAccessMode,
                                                              MPxFileTranslator::kExportActiveAccessMode,
                                                              MPxFileTranslator::kSaveAccessMode};
    fuzzcheck::exportAndCheck(optionText, modes[(options >> 3) % 3]);
    headless::resetHostBehaviour();
    return 0;
}
