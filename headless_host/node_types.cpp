// The table of node types the headless host knows, with their compatibility and default attribute values.
#include "node_types.h"

#include <cmath>
#include <map>

namespace headless {

namespace {

const double kPi = 3.14159265358979323846;

using Children = std::vector<std::pair<std::string, std::string>>;

AttributeSpec spec(const std::string& longName, const std::string& shortName, AttributeKind kind,
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
  AttributeSpec s = spec(longName, shortName, AttributeKind::String);
  s.defaultText = value;
  return s;
}

// An array (multi) compound whose children are added separately with child().
AttributeSpec arrayCompound(const std::string& longName, const std::string& shortName,
                            const std::string& parent = std::string()) {
  AttributeSpec s = spec(longName, shortName, AttributeKind::Message, {}, true);
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
  b.add(spec("message", "msg", AttributeKind::Message))
      .add(spec("caching", "cch", AttributeKind::Bool, {0}))
      .add(spec("isHistoricallyInteresting", "ihi", AttributeKind::Int, {2}))
      .add(spec("nodeState", "nds", AttributeKind::Int, {0}))
      .add(spec("binMembership", "bnm", AttributeKind::Message));
}

void addDagAttributes(TypeBuilder& b) {
  b.type.isDag = true;
  b.type.compatible.push_back(MFn::kDagNode);
  b.add(spec("visibility", "v", AttributeKind::Bool, {1}))
      .add(spec("intermediateObject", "io", AttributeKind::Bool, {0}))
      .add(spec("template", "tmp", AttributeKind::Bool, {0}))
      .add(spec("lodVisibility", "lodv", AttributeKind::Bool, {1}))
      .add(spec("overrideEnabled", "ove", AttributeKind::Bool, {0}))
      .add(spec("overrideVisibility", "ovv", AttributeKind::Bool, {1}))
      .add(spec("overrideDisplayType", "ovdt", AttributeKind::Int, {0}))
      .add(spec("overrideColor", "ovc", AttributeKind::Int, {0}))
      .add(spec("useObjectColor", "uoc", AttributeKind::Bool, {0}))
      .add(spec("objectColor", "obcc", AttributeKind::Int, {0}))
      .add(spec("matrix", "m", AttributeKind::Matrix))
      .add(spec("worldMatrix", "wm", AttributeKind::Matrix, {}, true))
      .add(spec("worldInverseMatrix", "wim", AttributeKind::Matrix, {}, true))
      .add(spec("parentMatrix", "pm", AttributeKind::Matrix, {}, true))
      .add(spec("parentInverseMatrix", "pim", AttributeKind::Matrix, {}, true))
      .add(arrayCompound("instObjGroups", "iog"))
      .add(arrayCompound("objectGroups", "og", "instObjGroups"))
      .add(child(text("objectGrpCompList", "gcl"), "objectGroups"))
      .add(child(spec("objectGroupId", "gid", AttributeKind::Int, {0}), "objectGroups"))
      .add(child(spec("objectGrpColor", "gco", AttributeKind::Int, {-1}), "objectGroups"));
}

void addShapeAttributes(TypeBuilder& b) {
  b.type.isShape = true;
  b.type.compatible.push_back(MFn::kShape);
}

// Render flags of geometry shapes.
void addGeometryAttributes(TypeBuilder& b) {
  b.type.compatible.push_back(MFn::kGeometric);
  b.add(spec("castsShadows", "csh", AttributeKind::Bool, {1}))
      .add(spec("receiveShadows", "rcsh", AttributeKind::Bool, {1}))
      .add(spec("motionBlur", "mb", AttributeKind::Bool, {1}))
      .add(spec("primaryVisibility", "vis", AttributeKind::Bool, {1}))
      .add(spec("smoothShading", "smo", AttributeKind::Bool, {1}))
      .add(spec("visibleInReflections", "vir", AttributeKind::Bool, {0}))
      .add(spec("visibleInRefractions", "vif", AttributeKind::Bool, {0}))
      .add(spec("doubleSided", "ds", AttributeKind::Bool, {1}))
      .add(spec("opposite", "op", AttributeKind::Bool, {0}));
}

NodeType transformType(const std::string& name, MFn::Type t, std::vector<MFn::Type> extra = {}) {
  TypeBuilder b(name, t, extra);
  addNodeAttributes(b);
  addDagAttributes(b);
  b.type.isTransform = true;
  b.type.compatible.push_back(MFn::kTransform);
  b.add(spec("translate", "t", AttributeKind::Double3, {0, 0, 0}))
      .add(spec("rotate", "r", AttributeKind::Double3, {0, 0, 0}))
      .add(spec("scale", "s", AttributeKind::Double3, {1, 1, 1}))
      .add(spec("shear", "sh", AttributeKind::Double3, {0, 0, 0}),
           {{"shearXY", "shxy"}, {"shearXZ", "shxz"}, {"shearYZ", "shyz"}})
      .add(spec("rotateOrder", "ro", AttributeKind::Int, {0}))
      .add(spec("rotateAxis", "ra", AttributeKind::Double3, {0, 0, 0}))
      .add(spec("rotatePivot", "rp", AttributeKind::Double3, {0, 0, 0}))
      .add(spec("rotatePivotTranslate", "rpt", AttributeKind::Double3, {0, 0, 0}))
      .add(spec("scalePivot", "sp", AttributeKind::Double3, {0, 0, 0}))
      .add(spec("scalePivotTranslate", "spt", AttributeKind::Double3, {0, 0, 0}))
      .add(spec("inheritsTransform", "it", AttributeKind::Bool, {1}))
      .add(spec("displayHandle", "dh", AttributeKind::Bool, {0}))
      .add(spec("displayRotatePivot", "drp", AttributeKind::Bool, {0}))
      .add(spec("displayScalePivot", "dsp", AttributeKind::Bool, {0}))
      .add(spec("displayLocalAxis", "dla", AttributeKind::Bool, {0}))
      .add(spec("selectHandle", "hdl", AttributeKind::Double3, {0, 0, 0}))
      .add(spec("showManipDefault", "smd", AttributeKind::Int, {0}));
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
  b.add(spec("inMesh", "i", AttributeKind::Message))
      .add(spec("outMesh", "o", AttributeKind::Message))
      .add(spec("worldMesh", "w", AttributeKind::Message, {}, true))
      .add(spec("cachedInMesh", "ci", AttributeKind::Message))
      .add(arrayCompound("uvSet", "uvst"))
      .add(child(text("uvSetName", "uvsn"), "uvSet"))
      .add(text("currentUVSet", "cuvs", "map1"))
      .add(text("currentColorSet", "ccls"))
      .add(spec("displayColors", "dcol", AttributeKind::Bool, {0}))
      .add(spec("displayColorChannel", "dcc", AttributeKind::Message))
      .add(spec("vertexNormalMethod", "vnm", AttributeKind::Int, {3}))
      .add(spec("displaySmoothMesh", "dsm", AttributeKind::Int, {0}));
  return b.type;
}

NodeType nurbsSurfaceType() {
  TypeBuilder b("nurbsSurface", MFn::kNurbsSurface, {MFn::kSurface});
  addNodeAttributes(b);
  addDagAttributes(b);
  addShapeAttributes(b);
  addGeometryAttributes(b);
  b.add(spec("create", "cr", AttributeKind::Message))
      .add(spec("local", "l", AttributeKind::Message))
      .add(spec("worldSpace", "ws", AttributeKind::Message, {}, true))
      .add(spec("divisionsU", "dvu", AttributeKind::Int, {0}))
      .add(spec("divisionsV", "dvv", AttributeKind::Int, {0}))
      .add(spec("curvePrecision", "cpr", AttributeKind::Int, {4}))
      .add(spec("curvePrecisionShaded", "cps", AttributeKind::Int, {1}))
      .add(spec("numberU", "nufa", AttributeKind::Int, {3}))
      .add(spec("numberV", "nvfa", AttributeKind::Int, {3}));
  return b.type;
}

NodeType nurbsCurveType() {
  TypeBuilder b("nurbsCurve", MFn::kNurbsCurve, {MFn::kCurve});
  addNodeAttributes(b);
  addDagAttributes(b);
  addShapeAttributes(b);
  b.type.compatible.push_back(MFn::kGeometric);
  b.add(spec("create", "cr", AttributeKind::Message))
      .add(spec("local", "l", AttributeKind::Message))
      .add(spec("worldSpace", "ws", AttributeKind::Message, {}, true))
      .add(spec("dispCV", "dcv", AttributeKind::Bool, {0}))
      .add(spec("tweak", "tw", AttributeKind::Bool, {0}));
  return b.type;
}

NodeType latticeType() {
  TypeBuilder b("lattice", MFn::kLattice, {});
  addNodeAttributes(b);
  addDagAttributes(b);
  addShapeAttributes(b);
  b.type.compatible.push_back(MFn::kGeometric);
  b.add(spec("sDivisions", "sd", AttributeKind::Int, {2}))
      .add(spec("tDivisions", "td", AttributeKind::Int, {2}))
      .add(spec("uDivisions", "ud", AttributeKind::Int, {2}))
      .add(spec("latticeInput", "li", AttributeKind::Message))
      .add(spec("latticeOutput", "lo", AttributeKind::Message))
      .add(spec("worldLattice", "wl", AttributeKind::Message, {}, true))
      .add(spec("displayControl", "dc", AttributeKind::Bool, {1}));
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
      .add(child(spec("inputGeometry", "ig", AttributeKind::Message), "input"))
      .add(child(spec("groupId", "gi", AttributeKind::Int, {0}), "input"))
      .add(spec("outputGeometry", "og", AttributeKind::Message, {}, true))
      .add(spec("envelope", "en", AttributeKind::Double, {1}));
  return b.type;
}

NodeType ffdType(const std::string& name, MFn::Type t, std::vector<MFn::Type> extra) {
  extra.insert(extra.begin(), {MFn::kGeometryFilt, MFn::kWeightGeometryFilt, MFn::kFFD});
  TypeBuilder b(name, t, extra);
  b.type = deformerType(name, t, extra);
  b.add(spec("deformedLatticePoints", "dlp", AttributeKind::Message))
      .add(spec("deformedLatticeMatrix", "dlm", AttributeKind::Matrix))
      .add(spec("baseLatticeMatrix", "blm", AttributeKind::Matrix))
      .add(spec("local", "lo", AttributeKind::Bool, {0}))
      .add(spec("localInfluenceS", "lis", AttributeKind::Int, {2}))
      .add(spec("localInfluenceT", "lit", AttributeKind::Int, {2}))
      .add(spec("localInfluenceU", "liu", AttributeKind::Int, {2}))
      .add(spec("outsideLattice", "ofl", AttributeKind::Int, {0}))
      .add(spec("freezeGeometry", "fg", AttributeKind::Bool, {0}));
  return b.type;
}

NodeType cameraType() {
  TypeBuilder b("camera", MFn::kCamera, {});
  addNodeAttributes(b);
  addDagAttributes(b);
  addShapeAttributes(b);
  b.add(spec("focalLength", "fl", AttributeKind::Double, {35}))
      .add(spec("centerOfInterest", "coi", AttributeKind::Distance, {5}))
      .add(spec("cameraAperture", "cap", AttributeKind::Double2, {1.41732, 0.94488}),
           {{"horizontalFilmAperture", "hfa"}, {"verticalFilmAperture", "vfa"}})
      .add(spec("filmOffset", "fio", AttributeKind::Double2, {0, 0}),
           {{"horizontalFilmOffset", "hfo"}, {"verticalFilmOffset", "vfo"}})
      .add(spec("filmFit", "ff", AttributeKind::Int, {0}))
      .add(spec("filmFitOffset", "ffo", AttributeKind::Double, {0}))
      .add(spec("overscan", "ovr", AttributeKind::Double, {1}))
      .add(spec("lensSqueezeRatio", "lsr", AttributeKind::Double, {1}))
      .add(spec("nearClipPlane", "ncp", AttributeKind::Distance, {0.1}))
      .add(spec("farClipPlane", "fcp", AttributeKind::Distance, {10000}))
      .add(spec("orthographic", "o", AttributeKind::Bool, {0}))
      .add(spec("orthographicWidth", "ow", AttributeKind::Distance, {10}))
      .add(spec("depthOfField", "dof", AttributeKind::Bool, {0}))
      .add(spec("focusDistance", "fd", AttributeKind::Distance, {5}))
      .add(spec("fStop", "fs", AttributeKind::Double, {5.6}))
      .add(spec("verticalLock", "vl", AttributeKind::Bool, {0}))
      .add(spec("shutterAngle", "sa", AttributeKind::Angle, {144.0 * kPi / 180.0}))
      .add(spec("cameraScale", "cs", AttributeKind::Double, {1}))
      .add(spec("renderable", "rnd", AttributeKind::Bool, {1}))
      .add(text("imageName", "imn"))
      .add(text("depthName", "den"))
      .add(text("maskName", "man"))
      .add(text("homeCommand", "hc"))
      .add(spec("tumblePivot", "tp", AttributeKind::Double3, {0, 0, 0}));
  return b.type;
}

NodeType lightType(const std::string& name, MFn::Type t, std::vector<MFn::Type> extra) {
  TypeBuilder b(name, t, extra);
  addNodeAttributes(b);
  addDagAttributes(b);
  addShapeAttributes(b);
  b.type.compatible.push_back(MFn::kLight);
  b.add(spec("color", "cl", AttributeKind::Float3, {1, 1, 1}), {{"colorR", "cr"}, {"colorG", "cg"}, {"colorB", "cb"}})
      .add(spec("intensity", "in", AttributeKind::Double, {1}))
      .add(spec("lightDirection", "ld", AttributeKind::Float3, {0, 0, 0}),
           {{"lightDirectionX", "ldx"}, {"lightDirectionY", "ldy"}, {"lightDirectionZ", "ldz"}})
      .add(spec("useRayTraceShadows", "urs", AttributeKind::Bool, {0}))
      .add(spec("shadowColor", "sc", AttributeKind::Float3, {0, 0, 0}),
           {{"shadowColorR", "scr"}, {"shadowColorG", "scg"}, {"shadowColorB", "scb"}})
      .add(spec("centerOfIllumination", "col", AttributeKind::Distance, {10}))
      .add(spec("emitDiffuse", "edi", AttributeKind::Bool, {1}))
      .add(spec("emitSpecular", "esp", AttributeKind::Bool, {1}))
      .add(spec("lightAmbient", "lama", AttributeKind::Bool, {0}));
  bool nonAmbient = false, nonExtended = false;
  for (MFn::Type c : extra) {
    nonAmbient = nonAmbient || c == MFn::kNonAmbientLight;
    nonExtended = nonExtended || c == MFn::kNonExtendedLight;
  }
  if (nonAmbient) b.add(spec("decayRate", "de", AttributeKind::Int, {0}));
  if (nonExtended) {
    b.add(spec("useDepthMapShadows", "dms", AttributeKind::Bool, {0}))
        .add(spec("lightRadius", "lr", AttributeKind::Distance, {0}))
        .add(spec("castSoftShadows", "cst", AttributeKind::Bool, {0}));
  }
  if (t == MFn::kAmbientLight) {
    b.add(spec("ambientShade", "as", AttributeKind::Double, {0.45}))
        .add(spec("castSoftShadows", "cst", AttributeKind::Bool, {0}));
  }
  if (t == MFn::kSpotLight) {
    b.add(spec("coneAngle", "ca", AttributeKind::Angle, {40.0 * kPi / 180.0}))
        .add(spec("penumbraAngle", "pa", AttributeKind::Angle, {0}))
        .add(spec("dropoff", "dro", AttributeKind::Double, {0}))
        .add(spec("barnDoors", "bd", AttributeKind::Bool, {0}));
  }
  return b.type;
}

void addColor(TypeBuilder& b, const std::string& longName, const std::string& shortName, double value,
              const Children& children = {}) {
  b.add(spec(longName, shortName, AttributeKind::Float3, {value, value, value}), children);
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
  b.add(spec("diffuse", "dc", AttributeKind::Double, {0.8}))
      .add(spec("translucence", "tc", AttributeKind::Double, {0}))
      .add(spec("translucenceDepth", "trsd", AttributeKind::Double, {0.5}))
      .add(spec("translucenceFocus", "tcf", AttributeKind::Double, {0.5}))
      .add(spec("glowIntensity", "gi", AttributeKind::Double, {0}))
      .add(spec("hideSource", "hs", AttributeKind::Bool, {0}))
      .add(spec("refractiveIndex", "rfi", AttributeKind::Double, {1}))
      .add(spec("refractionLimit", "rdl", AttributeKind::Int, {6}))
      .add(spec("refractions", "rfc", AttributeKind::Bool, {0}))
      .add(spec("lightAbsorbance", "la", AttributeKind::Double, {0}))
      .add(spec("surfaceThickness", "sut", AttributeKind::Double, {0}))
      .add(spec("shadowAttenuation", "fakc", AttributeKind::Double, {0.5}))
      .add(spec("chromaticAberration", "crab", AttributeKind::Bool, {0}))
      .add(spec("matteOpacityMode", "mom", AttributeKind::Int, {2}))
      .add(spec("matteOpacity", "mog", AttributeKind::Double, {1}));
  return b.type;
}

NodeType reflectFamily(const std::string& name, MFn::Type t, std::vector<MFn::Type> extra) {
  extra.insert(extra.begin(), {MFn::kLambert, MFn::kReflect});
  TypeBuilder b(name, t, {});
  b.type = lambertFamily(name, t, extra);
  addColor(b, "specularColor", "sc", 0.5, {{"specularColorR", "sr"}, {"specularColorG", "sg"}, {"specularColorB", "sb"}});
  addColor(b, "reflectedColor", "rc", 0.0, {{"reflectedColorR", "rr"}, {"reflectedColorG", "rg"}, {"reflectedColorB", "rb"}});
  b.add(spec("reflectivity", "rfl", AttributeKind::Double, {0.5}))
      .add(spec("reflectionLimit", "rl", AttributeKind::Int, {1}))
      .add(spec("reflectionSpecularity", "rsp", AttributeKind::Double, {1}));
  if (t == MFn::kBlinn) {
    b.add(spec("eccentricity", "ec", AttributeKind::Double, {0.3}))
        .add(spec("specularRollOff", "sro", AttributeKind::Double, {0.7}));
  } else if (t == MFn::kPhong) {
    b.add(spec("cosinePower", "cp", AttributeKind::Double, {20}));
  } else if (t == MFn::kPhongExplorer) {
    b.add(spec("roughness", "rgh", AttributeKind::Double, {0.5}))
        .add(spec("highlightSize", "hsz", AttributeKind::Double, {0.5}));
    addColor(b, "whiteness", "wn", 0.5);
  } else if (t == MFn::kAnisotropy) {
    b.add(spec("angle", "a", AttributeKind::Double, {0}))
        .add(spec("spreadX", "sx", AttributeKind::Double, {13}))
        .add(spec("spreadY", "sy", AttributeKind::Double, {3}))
        .add(spec("roughness", "rgh", AttributeKind::Double, {0.7}))
        .add(spec("fresnelRefractiveIndex", "fri", AttributeKind::Double, {6}));
  }
  return b.type;
}

NodeType fileType() {
  TypeBuilder b("file", MFn::kFileTexture, {MFn::kTexture2d});
  addNodeAttributes(b);
  b.add(text("fileTextureName", "ftn"))
      .add(text("colorSpace", "cs", "sRGB"))
      .add(spec("filterType", "ft", AttributeKind::Int, {3}))
      .add(spec("alphaIsLuminance", "ail", AttributeKind::Bool, {0}))
      .add(spec("outAlpha", "oa", AttributeKind::Double, {1}));
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
    b.add(spec(a.first, a.second, AttributeKind::Message));
  }
  return b.type;
}

NodeType setType(const std::string& name, MFn::Type t, std::vector<MFn::Type> extra) {
  TypeBuilder b(name, t, extra);
  addNodeAttributes(b);
  b.add(spec("dagSetMembers", "dsm", AttributeKind::Message, {}, true))
      .add(spec("dnSetMembers", "dnsm", AttributeKind::Message, {}, true))
      .add(spec("memberWireframeColor", "mwc", AttributeKind::Int, {-1}))
      .add(text("annotation", "an"))
      .add(spec("isLayer", "il", AttributeKind::Bool, {0}))
      .add(spec("verticesOnlySet", "vo", AttributeKind::Bool, {0}))
      .add(spec("edgesOnlySet", "eo", AttributeKind::Bool, {0}))
      .add(spec("facetsOnlySet", "fo", AttributeKind::Bool, {0}))
      .add(spec("editPointsOnlySet", "ep", AttributeKind::Bool, {0}))
      .add(spec("renderableOnlySet", "ro", AttributeKind::Bool, {0}))
      .add(spec("groupNodes", "gn", AttributeKind::Message, {}, true))
      .add(spec("usedBy", "ub", AttributeKind::Message, {}, true))
      .add(spec("partition", "pa", AttributeKind::Message, {}, true));
  if (t == MFn::kShadingEngine) {
    b.add(spec("surfaceShader", "ss", AttributeKind::Message))
        .add(spec("volumeShader", "vs", AttributeKind::Message))
        .add(spec("displacementShader", "ds", AttributeKind::Message))
        .add(spec("imageShader", "is", AttributeKind::Message));
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
    b.add(child(spec("color", "c", AttributeKind::Float3, {0, 0, 0}), "inputs"));
    b.add(child(spec("transparency", "t", AttributeKind::Float3, {0, 0, 0}), "inputs"));
    b.add(child(spec("glowColor", "g", AttributeKind::Float3, {0, 0, 0}), "inputs"));
    addColor(b, "outColor", "oc", 0.0);
    addColor(b, "outTransparency", "ot", 0.0);
    b.add(spec("compositingFlag", "cf", AttributeKind::Int, {0}));
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
    b.add(spec("groupId", "id", AttributeKind::Int, {0}));
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
