#include "scene_readers/maya_ascii/attribute_names.h"

#include <unordered_map>
#include <unordered_set>

namespace mayaascii {

std::string shortAttributeName(const std::string& name)
{
    static const std::unordered_map<std::string, std::string> table = {
        {"translate", "t"}, {"translateX", "tx"}, {"translateY", "ty"}, {"translateZ", "tz"},
        {"rotate", "r"}, {"rotateX", "rx"}, {"rotateY", "ry"}, {"rotateZ", "rz"},
        {"scale", "s"}, {"scaleX", "sx"}, {"scaleY", "sy"}, {"scaleZ", "sz"},
        {"shear", "sh"}, {"rotateOrder", "ro"}, {"rotateAxis", "ra"}, {"visibility", "v"},
        {"rotatePivot", "rp"}, {"scalePivot", "sp"}, {"rotatePivotTranslate", "rpt"},
        {"scalePivotTranslate", "spt"}, {"intermediateObject", "io"}, {"instObjGroups", "iog"},
        {"objectGroups", "og"}, {"objectGrpCompList", "gcl"}, {"objectGroupId", "gid"},
        {"vrts", "vt"}, {"edge", "ed"}, {"face", "fc"}, {"pnts", "pt"}, {"normals", "n"},
        {"uvSet", "uvst"}, {"uvSetName", "uvsn"}, {"uvSetPoints", "uvsp"}, {"currentUVSet", "cuvs"},
        {"colorSet", "clst"}, {"colorName", "clsn"}, {"colorSetPoints", "clsp"}, {"representation", "rprt"},
        {"currentColorSet", "ccls"}, {"displayColors", "dcol"}, {"colorPerVertex", "cpvx"}, {"inMesh", "i"},
        {"color", "c"}, {"colorR", "cr"}, {"colorG", "cg"}, {"colorB", "cb"}, {"transparency", "it"},
        {"ambientColor", "ambc"}, {"incandescence", "ic"}, {"diffuse", "dc"}, {"translucence", "tc"},
        {"translucenceFocus", "tcf"}, {"translucenceDepth", "trsd"}, {"glowIntensity", "gi"},
        {"specularColor", "sc"}, {"reflectivity", "rfl"}, {"reflectedColor", "rc"}, {"eccentricity", "ec"},
        {"specularRollOff", "sro"}, {"cosinePower", "cp"}, {"outColor", "oc"}, {"outTransparency", "ot"},
        {"fileTextureName", "ftn"}, {"surfaceShader", "ss"}, {"dagSetMembers", "dsm"}, {"groupNodes", "gn"},
        {"focalLength", "fl"}, {"centerOfInterest", "coi"}, {"cameraAperture", "cap"},
        {"horizontalFilmAperture", "hfa"}, {"verticalFilmAperture", "vfa"}, {"filmFit", "ff"},
        {"orthographic", "o"}, {"orthographicWidth", "ow"}, {"nearClipPlane", "ncp"}, {"farClipPlane", "fcp"},
        {"lensSqueezeRatio", "lsr"}, {"intensity", "in"}, {"decayRate", "de"}, {"coneAngle", "ca"},
        {"penumbraAngle", "pa"}, {"dropoff", "dro"}, {"emitDiffuse", "edi"}, {"emitSpecular", "esp"},
        {"cached", "cc"}, {"sDivisions", "sd"}, {"tDivisions", "td"}, {"uDivisions", "ud"},
        {"latticeOutput", "lo"}, {"deformedLatticePoints", "dlp"}, {"deformedLatticeMatrix", "dlm"},
        {"baseLatticeMatrix", "blm"}, {"input", "ip"}, {"inputGeometry", "ig"}, {"outputGeometry", "og"},
        {"worldSpace", "ws"}, {"worldMesh", "w"}, {"local", "lo"}, {"outMesh", "o"}, {"message", "msg"},
    };
    auto found = table.find(name);
    return found == table.end() ? name : found->second;
}

UnitKind attributeUnitKind(const std::string& nodeType, const std::string& shortName)
{
    static const std::unordered_set<std::string> transformLengths = {
        "t", "tx", "ty", "tz", "rp", "rpx", "rpy", "rpz", "sp", "spx", "spy", "spz",
        "rpt", "rptx", "rpty", "rptz", "spt", "sptx", "spty", "sptz"};
    static const std::unordered_set<std::string> transformAngles = {"r", "rx", "ry", "rz", "ra", "rax", "ray",
                                                                    "raz", "jo", "jox", "joy", "joz"};
    static const std::unordered_set<std::string> shapeTypes = {
        "mesh", "nurbsCurve", "bezierCurve", "nurbsSurface", "lattice", "baseLattice", "camera",
        "ambientLight", "directionalLight", "pointLight", "spotLight", "areaLight", "volumeLight"};
    const bool isShape = shapeTypes.count(nodeType) > 0;
    if (nodeType == "mesh" && (shortName == "vt" || shortName == "pt"))
        return UnitKind::Length;
    if ((nodeType == "nurbsCurve" || nodeType == "bezierCurve" || nodeType == "nurbsSurface" ||
         nodeType == "lattice") && shortName == "cc")
        return UnitKind::Length;
    if (nodeType == "camera" && (shortName == "coi" || shortName == "ow" || shortName == "ncp" || shortName == "fcp"))
        return UnitKind::Length;
    if (nodeType == "spotLight" && (shortName == "ca" || shortName == "pa"))
        return UnitKind::Angle;
    if (!isShape && transformLengths.count(shortName))
        return nodeType == "transform" || nodeType == "joint" ? UnitKind::Length : UnitKind::None;
    if (!isShape && transformAngles.count(shortName))
        return nodeType == "transform" || nodeType == "joint" ? UnitKind::Angle : UnitKind::None;
    return UnitKind::None;
}

double centimetresPerUnit(const std::string& unit)
{
    static const std::unordered_map<std::string, double> table = {
        {"mm", 0.1}, {"millimeter", 0.1}, {"cm", 1.0}, {"centimeter", 1.0}, {"m", 100.0}, {"meter", 100.0},
        {"km", 100000.0}, {"kilometer", 100000.0}, {"in", 2.54}, {"inch", 2.54}, {"ft", 30.48}, {"foot", 30.48},
        {"yd", 91.44}, {"yard", 91.44}, {"mi", 160934.4}, {"mile", 160934.4}};
    auto found = table.find(unit);
    return found == table.end() ? 0.0 : found->second;
}

double degreesPerUnit(const std::string& unit)
{
    static const std::unordered_map<std::string, double> table = {
        {"deg", 1.0}, {"degree", 1.0}, {"rad", 57.295779513082320876798154814105}, {"radian", 57.295779513082320876798154814105},
        {"min", 1.0 / 60.0}, {"sec", 1.0 / 3600.0}};
    auto found = table.find(unit);
    return found == table.end() ? 0.0 : found->second;
}

} // namespace mayaascii
