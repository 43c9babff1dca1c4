// The scene the host starts with: four default cameras and the default shader.
#include "scene_model.h"

namespace headless {

namespace {

struct DefaultCamera {
  const char* name;
  Vec3 translate;
  Vec3 rotate;  // degrees
  bool orthographic;
  double centerOfInterest;
};

void markDefault(const MObject& node) {
  if (Node* n = nodeFrom(node)) n->isDefault = true;
}

}  // namespace

// The default cameras' transforms are hidden, their shapes visible; lambert1 feeds initialShadingGroup.
void newScene() {
  emptyScene();
  static const DefaultCamera cameras[] = {
      {"persp", {28.0, 21.0, 28.0}, {-27.938352729602379, 45.0, 0.0}, false, 44.82186966202994},
      {"top", {0.0, 100.1, 0.0}, {-90.0, 0.0, 0.0}, true, 100.1},
      {"front", {0.0, 0.0, 100.1}, {0.0, 0.0, 0.0}, true, 100.1},
      {"side", {100.1, 0.0, 0.0}, {0.0, 90.0, 0.0}, true, 100.1},
  };
  for (const DefaultCamera& c : cameras) {
    MObject transform = createTransform(c.name);
    setTranslate(transform, c.translate.x, c.translate.y, c.translate.z);
    setRotate(transform, c.rotate.x, c.rotate.y, c.rotate.z);
    setVisible(transform, false);
    MObject shape = createCamera(std::string(c.name) + "Shape", transform);
    setAttr(shape, "centerOfInterest", c.centerOfInterest);
    if (c.orthographic) {
      setAttr(shape, "orthographic", 1.0);
      setAttr(shape, "orthographicWidth", 30.0);
    }
    setAttr(shape, "renderable", c.orthographic ? 0.0 : 1.0);
    markDefault(transform);
    markDefault(shape);
  }
  MObject lambert = createShader("lambert", "lambert1");
  MObject group = createShadingGroup("initialShadingGroup", lambert);
  markDefault(lambert);
  markDefault(group);
}

}  // namespace headless
