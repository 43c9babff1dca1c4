// The table of node types the headless host knows, with their compatibility and default attribute values.
#include "node_types.h"

#include <cmath>
#include <map>

namespace headless {

namespace {

const double kPi = 3.14159265358979323846;

using Children = std::vector<std::pair<std::string, std::string>>;

AttributeSpec definition(const std::string& longName, const std::string& shortName, AttributeKind kind,
                   std::vector<double> defaults = {}, bool isArray = false) {
  AttributeSpec s;
  s.longName = longName;
  s.shortName = shortName;
  s.kind = kind;
  s.defaults = std::move(defaults);
  s.isArray = isArray;
  s.angle = kind == AttributeKind::Angle;
  return s;
}

// Marks a compound attribute and its numeric children as angles.
void markAngles(NodeType& type, const std::string& longName) {
  for (AttributeSpec& a : type.attributes) {
    if (a.longName == longName || (a.parent == longName && a.component >= 0)) a.angle = true;
  }
}

AttributeSpec text(const std::string& longName, const std::string& shortName, const std::string& value = "") {
  AttributeSpec s = definition(longName, shortName, AttributeKind::String);
  s.defaultText = value;
  return s;
}

// An array (multi) compound whose children are added separately with child().
AttributeSpec arrayCompound(const std::string& longName, const std::string& shortName,
                            const std::string& parent = std::string()) {
  AttributeSpec s = definition(longName, shortName, AttributeKind::Message, {}, true);
  s.isCompound = true;
  s.parent = parent;
  return s;
}

AttributeSpec child(AttributeSpec s, const std::string& parent) {
  s.parent = parent;
  return s;
}

struct TypeBuilder {
  NodeType type;
  TypeBuilder(const std::string& name, MFn::Type t, std::vector<MFn::Type> compatible) {
    type.name = name;
    type.type = t;
    type.compatible = {MFn::kBase, MFn::kNamedObject, MFn::kDependencyNode};
    for (MFn::Type c : compatible) type.compatible.push_back(c);
    type.compatible.push_back(t);
  }
  TypeBuilder& add(const AttributeSpec& s, const Children& children = {}) {
    addAttributeSpec(type.attributes, s, children);
    return *this;
  }
};

// Attributes every dependency node has.
void addNodeAttributes(TypeBuilder& b) {
  b.add(definition("message", "msg", AttributeKind::Message))
      .add(definition("caching", "cch", AttributeKind::Bool, {0}))
      .add(definition("isHistoricallyInteresting", "ihi", AttributeKind::Int, {2}))
      .add(definition("nodeState", "nds", AttributeKind::Int, {0}))
      .add(definition("binMembership", "bnm", AttributeKind::Message));
}

void addDagAttributes(TypeBuilder& b) {
  b.type.isDag = true;
  b.type.compatible.push_back(MFn::kDagNode);
  b.add(definition("visibility", "v", AttributeKind::Bool, {1}))
      .add(definition("intermediateObject", "io", AttributeKind::Bool, {0}))
      .add(definition("template", "tmp", AttributeKind::Bool, {0}))
      .add(definition("lodVisibility", "lodv", AttributeKind::Bool, {1}))
      .add(definition("overrideEnabled", "ove", AttributeKind::Bool, {0}))
      .add(definition("overrideVisibility", "ovv", AttributeKind::Bool, {1}))
      .add(definition("overrideDisplayType", "ovdt", AttributeKind::Int, {0}))
      .add(definition("overrideColor", "ovc", AttributeKind::Int, {0}))
      .add(definition("useObjectColor", "uoc", AttributeKind::Bool, {0}))
      .add(definition("objectColor", "obcc", AttributeKind::Int, {0}))
      .add(definition("matrix", "m", AttributeKind::Matrix))
      .add(definition("worldMatrix", "wm", AttributeKind::Matrix, {}, true))
      .add(definition("worldInverseMatrix", "wim", AttributeKind::Matrix, {}, true))
      .add(definition("parentMatrix", "pm", AttributeKind::Matrix, {}, true))
      .add(definition("parentInverseMatrix", "pim", AttributeKind::Matrix, {}, true))
      .add(arrayCompound("instObjGroups", "iog"))
      .add(arrayCompound("objectGroups", "og", "instObjGroups"))
      .add(child(text("objectGrpCompList", "gcl"), "objectGroups"))
      .add(child(definition("objectGroupId", "gid", AttributeKind::Int, {0}), "objectGroups"))
      .add(child(definition("objectGrpColor", "gco", AttributeKind::Int, {-1}), "objectGroups"));
}

void addShapeAttributes(TypeBuilder& b) {
  b.type.isShape = true;
  b.type.compatible.push_back(MFn::kShape);
}

// Render flags of geometry shapes.
void addGeometryAttributes(TypeBuilder& b) {
  b.type.compatible.push_back(MFn::kGeometric);
  b.add(definition("castsShadows", "csh", AttributeKind::Bool, {1}))
      .add(definition("receiveShadows", "rcsh", AttributeKind::Bool, {1}))
      .add(definition("motionBlur", "mb", AttributeKind::Bool, {1}))
      .add(definition("primaryVisibility", "vis", AttributeKind::Bool, {1}))
      .add(definition("smoothShading", "smo", AttributeKind::Bool, {1}))
      .add(definition("visibleInReflections", "vir", AttributeKind::Bool, {0}))
      .add(definition("visibleInRefractions", "vif", AttributeKind::Bool, {0}))
      .add(definition("doubleSided", "ds", AttributeKind::Bool, {1}))
      .add(definition("opposite", "op", AttributeKind::Bool, {0}));
}

NodeType transformType(const std::string& name, MFn::Type t, std::vector<MFn::Type> extra = {}) {
  TypeBuilder b(name, t, extra);
  addNodeAttributes(b);
  addDagAttributes(b);
  b.type.isTransform = true;
  b.type.compatible.push_back(MFn::kTransform);
  b.add(definition("translate", "t", AttributeKind::Double3, {0, 0, 0}))
      .add(definition("rotate", "r", AttributeKind::Double3, {0, 0, 0}))
      .add(definition("scale", "s", AttributeKind::Double3, {1, 1, 1}))
      .add(definition("shear", "sh", AttributeKind::Double3, {0, 0, 0}),
           {{"shearXY", "shxy"}, {"shearXZ", "shxz"}, {"shearYZ", "shyz"}})
      .add(definition("rotateOrder", "ro", AttributeKind::Int, {0}))
      .add(definition("rotateAxis", "ra", AttributeKind::Double3, {0, 0, 0}))
      .add(definition("rotatePivot", "rp", AttributeKind::Double3, {0, 0, 0}))
      .add(definition("rotatePivotTranslate", "rpt", AttributeKind::Double3, {0, 0, 0}))
      .add(definition("scalePivot", "sp", AttributeKind::Double3, {0, 0, 0}))
      .add(definition("scalePivotTranslate", "spt", AttributeKind::Double3, {0, 0, 0}))
      .add(definition("inheritsTransform", "it", AttributeKind::Bool, {1}))
      .add(definition("displayHandle", "dh", AttributeKind::Bool, {0}))
      .add(definition("displayRotatePivot", "drp", AttributeKind::Bool, {0}))
      .add(definition("displayScalePivot", "dsp", AttributeKind::Bool, {0}))
      .add(definition("displayLocalAxis", "dla", AttributeKind::Bool, {0}))
      .add(definition("selectHandle", "hdl", AttributeKind::Double3, {0, 0, 0}))
      .add(definition("showManipDefault", "smd", AttributeKind::Int, {0}));
  markAngles(b.type, "rotate");
  markAngles(b.type, "rotateAxis");
  return b.type;
}

NodeType meshType() {
  TypeBuilder b("mesh", MFn::kMesh, {MFn::kSurface});
  addNodeAttributes(b);
  addDagAttributes(b);
  addShapeAttributes(b);
  addGeometryAttributes(b);
  b.add(definition("inMesh", "i", AttributeKind::Message))
      .add(definition("outMesh", "o", AttributeKind::Message))
      .add(definition("worldMesh", "w", AttributeKind::Message, {}, true))
      .add(definition("cachedInMesh", "ci", AttributeKind::Message))
      .add(arrayCompound("uvSet", "uvst"))
      .add(child(text("uvSetName", "uvsn"), "uvSet"))
      .add(text("currentUVSet", "cuvs", "map1"))
      .add(text("currentColorSet", "ccls"))
      .add(definition("displayColors", "dcol", AttributeKind::Bool, {0}))
      .add(definition("displayColorChannel", "dcc", AttributeKind::Message))
      .add(definition("vertexNormalMethod", "vnm", AttributeKind::Int, {3}))
      .add(definition("displaySmoothMesh", "dsm", AttributeKind::Int, {0}));
  return b.type;
}

NodeType nurbsSurfaceType() {
  TypeBuilder b("nurbsSurface", MFn::kNurbsSurface, {MFn::kSurface});
  addNodeAttributes(b);
  addDagAttributes(b);
  addShapeAttributes(b);
  addGeometryAttributes(b);
  b.add(definition("create", "cr", AttributeKind::Message))
      .add(definition("local", "l", AttributeKind::Message))
      .add(definition("worldSpace", "ws", AttributeKind::Message, {}, true))
      .add(definition("divisionsU", "dvu", AttributeKind::Int, {0}))
      .add(definition("divisionsV", "dvv", AttributeKind::Int, {0}))
      .add(definition("curvePrecision", "cpr", AttributeKind::Int, {4}))
      .add(definition("curvePrecisionShaded", "cps", AttributeKind::Int, {1}))
      .add(definition("numberU", "nufa", AttributeKind::Int, {3}))
      .add(definition("numberV", "nvfa", AttributeKind::Int, {3}));
  return b.type;
}

NodeType nurbsCurveType() {
  TypeBuilder b("nurbsCurve", MFn::kNurbsCurve, {MFn::kCurve});
  addNodeAttributes(b);
  addDagAttributes(b);
  addShapeAttributes(b);
  b.type.compatible.push_back(MFn::kGeometric);
  b.add(definition("create", "cr", AttributeKind::Message))
      .add(definition("local", "l", AttributeKind::Message))
      .add(definition("worldSpace", "ws", AttributeKind::Message, {}, true))
      .add(definition("dispCV", "dcv", AttributeKind::Bool, {0}))
      .add(definition("tweak", "tw", AttributeKind::Bool, {0}));
  return b.type;
}

NodeType latticeType() {
  TypeBuilder b("lattice", MFn::kLattice, {});
  addNodeAttributes(b);
  addDagAttributes(b);
  addShapeAttributes(b);
  b.type.compatible.push_back(MFn::kGeometric);
  b.add(definition("sDivisions", "sd", AttributeKind::Int, {2}))
      .add(definition("tDivisions", "td", AttributeKind::Int, {2}))
      .add(definition("uDivisions", "ud", AttributeKind::Int, {2}))
      .add(definition("latticeInput", "li", AttributeKind::Message))
      .add(definition("latticeOutput", "lo", AttributeKind::Message))
      .add(definition("worldLattice", "wl", AttributeKind::Message, {}, true))
      .add(definition("displayControl", "dc", AttributeKind::Bool, {1}));
  return b.type;
}

NodeType baseLatticeType() {
  TypeBuilder b("baseLattice", MFn::kBaseLattice, {});
  addNodeAttributes(b);
  addDagAttributes(b);
  addShapeAttributes(b);
  return b.type;
}

NodeType deformerType(const std::string& name, MFn::Type t, std::vector<MFn::Type> extra) {
  TypeBuilder b(name, t, extra);
  addNodeAttributes(b);
  b.add(arrayCompound("input", "ip"))
      .add(child(definition("inputGeometry", "ig", AttributeKind::Message), "input"))
      .add(child(definition("groupId", "gi", AttributeKind::Int, {0}), "input"))
      .add(definition("outputGeometry", "og", AttributeKind::Message, {}, true))
      .add(definition("envelope", "en", AttributeKind::Double, {1}));
  return b.type;
}

NodeType ffdType(const std::string& name, MFn::Type t, std::vector<MFn::Type> extra) {
  extra.insert(extra.begin(), {MFn::kGeometryFilt, MFn::kWeightGeometryFilt, MFn::kFFD});
  TypeBuilder b(name, t, extra);
  b.type = deformerType(name, t, extra);
  b.add(definition("deformedLatticePoints", "dlp", AttributeKind::Message))
      .add(definition("deformedLatticeMatrix", "dlm", AttributeKind::Matrix))
      .add(definition("baseLatticeMatrix", "blm", AttributeKind::Matrix))
      .add(definition("local", "lo", AttributeKind::Bool, {0}))
      .add(definition("localInfluenceS", "lis", AttributeKind::Int, {2}))
      .add(definition("localInfluenceT", "lit", AttributeKind::Int, {2}))
      .add(definition("localInfluenceU", "liu", AttributeKind::Int, {2}))
      .add(definition("outsideLattice", "ofl", AttributeKind::Int, {0}))
      .add(definition("freezeGeometry", "fg", AttributeKind::Bool, {0}));
  return b.type;
}

NodeType cameraType() {
  TypeBuilder b("camera", MFn::kCamera, {});
  addNodeAttributes(b);
  addDagAttributes(b);
  addShapeAttributes(b);
  b.add(definition("focalLength", "fl", AttributeKind::Double, {35}))
      .add(definition("centerOfInterest", "coi", AttributeKind::Distance, {5}))
      .add(definition("cameraAperture", "cap", AttributeKind::Double2, {1.41732, 0.94488}),
           {{"horizontalFilmAperture", "hfa"}, {"verticalFilmAperture", "vfa"}})
      .add(definition("filmOffset", "fio", AttributeKind::Double2, {0, 0}),
           {{"horizontalFilmOffset", "hfo"}, {"verticalFilmOffset", "vfo"}})
      .add(definition("filmFit", "ff", AttributeKind::Int, {0}))
      .add(definition("filmFitOffset", "ffo", AttributeKind::Double, {0}))
      .add(definition("overscan", "ovr", AttributeKind::Double, {1}))
      .add(definition("lensSqueezeRatio", "lsr", AttributeKind::Double, {1}))
      .add(definition("nearClipPlane", "ncp", AttributeKind::Distance, {0.1}))
      .add(definition("farClipPlane", "fcp", AttributeKind::Distance, {10000}))
      .add(definition("orthographic", "o", AttributeKind::Bool, {0}))
      .add(definition("orthographicWidth", "ow", AttributeKind::Distance, {10}))
      .add(definition("depthOfField", "dof", AttributeKind::Bool, {0}))
      .add(definition("focusDistance", "fd", AttributeKind::Distance, {5}))
      .add(definition("fStop", "fs", AttributeKind::Double, {5.6}))
      .add(definition("verticalLock", "vl", AttributeKind::Bool, {0}))
      .add(definition("shutterAngle", "sa", AttributeKind::Angle, {144.0 * kPi / 180.0}))
      .add(definition("cameraScale", "cs", AttributeKind::Double, {1}))
      .add(definition("renderable", "rnd", AttributeKind::Bool, {1}))
      .add(text("imageName", "imn"))
      .add(text("depthName", "den"))
      .add(text("maskName", "man"))
      .add(text("homeCommand", "hc"))
      .add(definition("tumblePivot", "tp", AttributeKind::Double3, {0, 0, 0}));
  return b.type;
}

NodeType lightType(const std::string& name, MFn::Type t, std::vector<MFn::Type> extra) {
  TypeBuilder b(name, t, extra);
  addNodeAttributes(b);
  addDagAttributes(b);
  addShapeAttributes(b);
  b.type.compatible.push_back(MFn::kLight);
  b.add(definition("color", "cl", AttributeKind::Float3, {1, 1, 1}), {{"colorR", "cr"}, {"colorG", "cg"}, {"colorB", "cb"}})
      .add(definition("intensity", "in", AttributeKind::Double, {1}))
      .add(definition("lightDirection", "ld", AttributeKind::Float3, {0, 0, 0}),
           {{"lightDirectionX", "ldx"}, {"lightDirectionY", "ldy"}, {"lightDirectionZ", "ldz"}})
      .add(definition("useRayTraceShadows", "urs", AttributeKind::Bool, {0}))
      .add(definition("shadowColor", "sc", AttributeKind::Float3, {0, 0, 0}),
           {{"shadowColorR", "scr"}, {"shadowColorG", "scg"}, {"shadowColorB", "scb"}})
      .add(definition("centerOfIllumination", "col", AttributeKind::Distance, {10}))
      .add(definition("emitDiffuse", "edi", AttributeKind::Bool, {1}))
      .add(definition("emitSpecular", "esp", AttributeKind::Bool, {1}))
      .add(definition("lightAmbient", "lama", AttributeKind::Bool, {0}));
  bool nonAmbient = false, nonExtended = false;
  for (MFn::Type c : extra) {
    nonAmbient = nonAmbient || c == MFn::kNonAmbientLight;
    nonExtended = nonExtended || c == MFn::kNonExtendedLight;
  }
  if (nonAmbient) b.add(definition("decayRate", "de", AttributeKind::Int, {0}));
  if (nonExtended) {
    b.add(definition("useDepthMapShadows", "dms", AttributeKind::Bool, {0}))
        .add(definition("lightRadius", "lr", AttributeKind::Distance, {0}))
        .add(definition("castSoftShadows", "cst", AttributeKind::Bool, {0}));
  }
  if (t == MFn::kAmbientLight) {
    b.add(definition("ambientShade", "as", AttributeKind::Double, {0.45}))
        .add(definition("castSoftShadows", "cst", AttributeKind::Bool, {0}));
  }
  if (t == MFn::kSpotLight) {
    b.add(definition("coneAngle", "ca", AttributeKind::Angle, {40.0 * kPi / 180.0}))
        .add(definition("penumbraAngle", "pa", AttributeKind::Angle, {0}))
        .add(definition("dropoff", "dro", AttributeKind::Double, {0}))
        .add(definition("barnDoors", "bd", AttributeKind::Bool, {0}));
  }
  return b.type;
}

void addColor(TypeBuilder& b, const std::string& longName, const std::string& shortName, double value,
              const Children& children = {}) {
  b.add(definition(longName, shortName, AttributeKind::Float3, {value, value, value}), children);
}

NodeType lambertFamily(const std::string& name, MFn::Type t, std::vector<MFn::Type> extra) {
  TypeBuilder b(name, t, extra);
  addNodeAttributes(b);
  addColor(b, "color", "c", 0.5);
  addColor(b, "transparency", "it", 0.0);
  addColor(b, "ambientColor", "ambc", 0.0, {{"ambientColorR", "acr"}, {"ambientColorG", "acg"}, {"ambientColorB", "acb"}});
  addColor(b, "incandescence", "ic", 0.0, {{"incandescenceR", "ir"}, {"incandescenceG", "ig"}, {"incandescenceB", "ib"}});
  addColor(b, "normalCamera", "n", 0.0, {{"normalCameraX", "nx"}, {"normalCameraY", "ny"}, {"normalCameraZ", "nz"}});
  addColor(b, "outColor", "oc", 0.0);
  addColor(b, "outTransparency", "ot", 0.0);
  addColor(b, "outGlowColor", "ogc", 0.0);
  b.add(definition("diffuse", "dc", AttributeKind::Double, {0.8}))
      .add(definition("translucence", "tc", AttributeKind::Double, {0}))
      .add(definition("translucenceDepth", "trsd", AttributeKind::Double, {0.5}))
      .add(definition("translucenceFocus", "tcf", AttributeKind::Double, {0.5}))
      .add(definition("glowIntensity", "gi", AttributeKind::Double, {0}))
      .add(definition("hideSource", "hs", AttributeKind::Bool, {0}))
      .add(definition("refractiveIndex", "rfi", AttributeKind::Double, {1}))
      .add(definition("refractionLimit", "rdl", AttributeKind::Int, {6}))
      .add(definition("refractions", "rfc", AttributeKind::Bool, {0}))
      .add(definition("lightAbsorbance", "la", AttributeKind::Double, {0}))
      .add(definition("surfaceThickness", "sut", AttributeKind::Double, {0}))
      .add(definition("shadowAttenuation", "fakc", AttributeKind::Double, {0.5}))
      .add(definition("chromaticAberration", "crab", AttributeKind::Bool, {0}))
      .add(definition("matteOpacityMode", "mom", AttributeKind::Int, {2}))
      .add(definition("matteOpacity", "mog", AttributeKind::Double, {1}));
  return b.type;
}

NodeType reflectFamily(const std::string& name, MFn::Type t, std::vector<MFn::Type> extra) {
  extra.insert(extra.begin(), {MFn::kLambert, MFn::kReflect});
  TypeBuilder b(name, t, {});
  b.type = lambertFamily(name, t, extra);
  addColor(b, "specularColor", "sc", 0.5, {{"specularColorR", "sr"}, {"specularColorG", "sg"}, {"specularColorB", "sb"}});
  addColor(b, "reflectedColor", "rc", 0.0, {{"reflectedColorR", "rr"}, {"reflectedColorG", "rg"}, {"reflectedColorB", "rb"}});
  b.add(definition("reflectivity", "rfl", AttributeKind::Double, {0.5}))
      .add(definition("reflectionLimit", "rl", AttributeKind::Int, {1}))
      .add(definition("reflectionSpecularity", "rsp", AttributeKind::Double, {1}));
  if (t == MFn::kBlinn) {
    b.add(definition("eccentricity", "ec", AttributeKind::Double, {0.3}))
        .add(definition("specularRollOff", "sro", AttributeKind::Double, {0.7}));
  } else if (t == MFn::kPhong) {
    b.add(definition("cosinePower", "cp", AttributeKind::Double, {20}));
  } else if (t == MFn::kPhongExplorer) {
    b.add(definition("roughness", "rgh", AttributeKind::Double, {0.5}))
        .add(definition("highlightSize", "hsz", AttributeKind::Double, {0.5}));
    addColor(b, "whiteness", "wn", 0.5);
  } else if (t == MFn::kAnisotropy) {
    b.add(definition("angle", "a", AttributeKind::Double, {0}))
        .add(definition("spreadX", "sx", AttributeKind::Double, {13}))
        .add(definition("spreadY", "sy", AttributeKind::Double, {3}))
        .add(definition("roughness", "rgh", AttributeKind::Double, {0.7}))
        .add(definition("fresnelRefractiveIndex", "fri", AttributeKind::Double, {6}));
  }
  return b.type;
}

NodeType fileType() {
  TypeBuilder b("file", MFn::kFileTexture, {MFn::kTexture2d});
  addNodeAttributes(b);
  b.add(text("fileTextureName", "ftn"))
      .add(text("colorSpace", "cs", "sRGB"))
      .add(definition("filterType", "ft", AttributeKind::Int, {3}))
      .add(definition("alphaIsLuminance", "ail", AttributeKind::Bool, {0}))
      .add(definition("outAlpha", "oa", AttributeKind::Double, {1}));
  addColor(b, "outColor", "oc", 0.0);
  addColor(b, "outTransparency", "ot", 0.0);
  addColor(b, "defaultColor", "dc", 0.5);
  addColor(b, "colorGain", "cg", 1.0);
  addColor(b, "colorOffset", "co", 0.0);
  // What a place2dTexture node feeds.
  for (const auto& a : std::vector<std::pair<const char*, const char*>>{
           {"uvCoord", "uv"}, {"uvFilterSize", "fs"}, {"coverage", "c"}, {"translateFrame", "tf"},
           {"rotateFrame", "rf"}, {"mirrorU", "mu"}, {"mirrorV", "mv"}, {"stagger", "s"}, {"wrapU", "wu"},
           {"wrapV", "wv"}, {"repeatUV", "re"}, {"offset", "of"}, {"rotateUV", "ro"}, {"noiseUV", "n"},
           {"vertexUvOne", "vt1"}, {"vertexUvTwo", "vt2"}, {"vertexUvThree", "vt3"}, {"vertexCameraOne", "vc1"}}) {
    b.add(definition(a.first, a.second, AttributeKind::Message));
  }
  return b.type;
}

NodeType setType(const std::string& name, MFn::Type t, std::vector<MFn::Type> extra) {
  TypeBuilder b(name, t, extra);
  addNodeAttributes(b);
  b.add(definition("dagSetMembers", "dsm", AttributeKind::Message, {}, true))
      .add(definition("dnSetMembers", "dnsm", AttributeKind::Message, {}, true))
      .add(definition("memberWireframeColor", "mwc", AttributeKind::Int, {-1}))
      .add(text("annotation", "an"))
      .add(definition("isLayer", "il", AttributeKind::Bool, {0}))
      .add(definition("verticesOnlySet", "vo", AttributeKind::Bool, {0}))
      .add(definition("edgesOnlySet", "eo", AttributeKind::Bool, {0}))
      .add(definition("facetsOnlySet", "fo", AttributeKind::Bool, {0}))
      .add(definition("editPointsOnlySet", "ep", AttributeKind::Bool, {0}))
      .add(definition("renderableOnlySet", "ro", AttributeKind::Bool, {0}))
      .add(definition("groupNodes", "gn", AttributeKind::Message, {}, true))
      .add(definition("usedBy", "ub", AttributeKind::Message, {}, true))
      .add(definition("partition", "pa", AttributeKind::Message, {}, true));
  if (t == MFn::kShadingEngine) {
    b.add(definition("surfaceShader", "ss", AttributeKind::Message))
        .add(definition("volumeShader", "vs", AttributeKind::Message))
        .add(definition("displacementShader", "ds", AttributeKind::Message))
        .add(definition("imageShader", "is", AttributeKind::Message));
  }
  return b.type;
}

std::map<std::string, NodeType> buildTypes() {
  std::map<std::string, NodeType> types;
  auto put = [&types](NodeType type) {
    type.indexNames();
    types[type.name] = std::move(type);
  };
  {
    TypeBuilder b("world", MFn::kWorld, {});
    addNodeAttributes(b);
    addDagAttributes(b);
    put(b.type);
  }
  put(transformType("transform", MFn::kTransform));
  {
    // The host's particle instancer: a DAG node, not a transform, whose children are ordinary hierarchies.
    TypeBuilder b("instancer", MFn::kDagNode, {});
    addNodeAttributes(b);
    addDagAttributes(b);
    put(b.type);
  }
  put(transformType("joint", MFn::kJoint));
  put(meshType());
  put(nurbsSurfaceType());
  put(nurbsCurveType());
  put(latticeType());
  put(baseLatticeType());
  put(ffdType("ffd", MFn::kFFD, {}));
  put(ffdType("jointFfd", MFn::kFfdDualBase, {}));
  put(deformerType("tweak", MFn::kTweak, {MFn::kGeometryFilt}));
  put(cameraType());
  put(lightType("ambientLight", MFn::kAmbientLight, {}));
  put(lightType("directionalLight", MFn::kDirectionalLight, {MFn::kNonAmbientLight, MFn::kNonExtendedLight}));
  put(lightType("pointLight", MFn::kPointLight, {MFn::kNonAmbientLight, MFn::kNonExtendedLight}));
  put(lightType("spotLight", MFn::kSpotLight, {MFn::kNonAmbientLight, MFn::kNonExtendedLight}));
  put(lightType("areaLight", MFn::kAreaLight, {MFn::kNonAmbientLight, MFn::kNonExtendedLight}));
  put(lambertFamily("lambert", MFn::kLambert, {}));
  put(reflectFamily("blinn", MFn::kBlinn, {}));
  put(reflectFamily("phong", MFn::kPhong, {}));
  put(reflectFamily("phongE", MFn::kPhongExplorer, {}));
  put(reflectFamily("anisotropic", MFn::kAnisotropy, {}));
  {
    TypeBuilder b("layeredShader", MFn::kLayeredShader, {});
    addNodeAttributes(b);
    b.add(arrayCompound("inputs", "cs"));
    b.add(child(definition("color", "c", AttributeKind::Float3, {0, 0, 0}), "inputs"));
    b.add(child(definition("transparency", "t", AttributeKind::Float3, {0, 0, 0}), "inputs"));
    b.add(child(definition("glowColor", "g", AttributeKind::Float3, {0, 0, 0}), "inputs"));
    addColor(b, "outColor", "oc", 0.0);
    addColor(b, "outTransparency", "ot", 0.0);
    b.add(definition("compositingFlag", "cf", AttributeKind::Int, {0}));
    put(b.type);
  }
  {
    TypeBuilder b("surfaceShader", MFn::kSurfaceShader, {});
    addNodeAttributes(b);
    addColor(b, "outColor", "oc", 0.0);
    addColor(b, "outTransparency", "ot", 0.0);
    addColor(b, "outGlowColor", "ogc", 0.0);
    addColor(b, "outMatteOpacity", "omo", 1.0);
    put(b.type);
  }
  put(fileType());
  put(setType("objectSet", MFn::kSet, {}));
  put(setType("shadingEngine", MFn::kShadingEngine, {MFn::kSet}));
  {
    TypeBuilder b("groupId", MFn::kGroupId, {});
    addNodeAttributes(b);
    b.add(definition("groupId", "id", AttributeKind::Int, {0}));
    put(b.type);
  }
  return types;
}

const std::map<std::string, NodeType>& allTypes() {
  static const std::map<std::string, NodeType> types = buildTypes();
  return types;
}

NodeType makeUnknown(bool dag) {
  TypeBuilder b(dag ? "unknownDag" : "unknown", dag ? MFn::kDagNode : MFn::kDependencyNode, {});
  addNodeAttributes(b);
  if (dag) addDagAttributes(b);
  b.type.isKnown = false;
  b.type.indexNames();
  return b.type;
}

}  // namespace

bool NodeType::hasFn(MFn::Type t) const {
  for (MFn::Type c : compatible) {
    if (c == t) return true;
  }
  return false;
}

void NodeType::indexNames() {
  byName.clear();
  for (size_t i = 0; i < attributes.size(); ++i) {
    byName[attributes[i].longName].push_back(i);
    if (attributes[i].shortName != attributes[i].longName) byName[attributes[i].shortName].push_back(i);
  }
}

const AttributeSpec* NodeType::find(const std::string& name, const std::string& parentName) const {
  auto it = byName.find(name);
  if (it == byName.end()) return nullptr;
  for (size_t i : it->second) {
    const AttributeSpec& a = attributes[i];
    if (a.parent == parentName) return &a;
    // Children of numeric compounds are also reached by their own name.
    if (parentName.empty() && a.component >= 0) return &a;
  }
  return nullptr;
}

void addAttributeSpec(std::vector<AttributeSpec>& attributes, const AttributeSpec& s,
                      const std::vector<std::pair<std::string, std::string>>& childNames) {
  AttributeSpec parent = s;
  int components = 0;
  if (s.kind == AttributeKind::Double3 || s.kind == AttributeKind::Float3) components = 3;
  if (s.kind == AttributeKind::Double2) components = 2;
  if (components > 0) parent.isCompound = true;
  if (components > 0 && parent.defaults.empty()) parent.defaults.assign(components, 0.0);
  attributes.push_back(parent);
  if (components == 0) return;
  static const char* const xyz[] = {"X", "Y", "Z"};
  static const char* const rgb[] = {"R", "G", "B"};
  const bool colour = s.kind == AttributeKind::Float3 && s.longName.find("ormal") == std::string::npos;
  for (int c = 0; c < components; ++c) {
    AttributeSpec child;
    if (c < static_cast<int>(childNames.size())) {
      child.longName = childNames[c].first;
      child.shortName = childNames[c].second;
    } else {
      const char* suffix = colour ? rgb[c] : xyz[c];
      child.longName = s.longName + suffix;
      std::string lower(1, static_cast<char>(suffix[0] - 'A' + 'a'));
      child.shortName = s.shortName + lower;
    }
    child.kind = AttributeKind::Double;
    child.parent = s.longName;
    child.component = c;
    child.defaults = {parent.defaults[c]};
    attributes.push_back(child);
  }
}

const NodeType* findNodeType(const std::string& typeName) {
  auto it = allTypes().find(typeName);
  return it == allTypes().end() ? nullptr : &it->second;
}

const NodeType* unknownNodeType(bool dag) {
  static const NodeType plain = makeUnknown(false);
  static const NodeType plainDag = makeUnknown(true);
  return dag ? &plainDag : &plain;
}

const NodeType* worldNodeType() { return findNodeType("world"); }

double degreesToRadians(double degrees) { return degrees * kPi / 180.0; }
double radiansToDegrees(double radians) { return radians * 180.0 / kPi; }

}  // namespace headless
