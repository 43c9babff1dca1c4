// The generator node types the evaluation knows.
#include "generators.h"

#include <unordered_map>

namespace headless {

Generator findGenerator(const std::string& type) {
  static const std::unordered_map<std::string, Generator> generators = {
      {"polyCube", generatePolyCube},         {"polySphere", generatePolySphere},
      {"polyPlane", generatePolyPlane},       {"polyCylinder", generatePolyCylinder},
      {"polyCone", generatePolyCone},         {"polyTorus", generatePolyTorus},
      {"polyPyramid", generatePolyPyramid},   {"polyPipe", generatePolyPipe},
      {"polyPrism", generatePolyPrism},       {"polyPlatonic", generatePolyPlatonic}};
  auto found = generators.find(type);
  return found == generators.end() ? nullptr : found->second;
}

}  // namespace headless
