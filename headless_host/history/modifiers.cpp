// The modifier node types the evaluation knows.
#include "modifiers.h"

namespace headless {

Modifier findModifier(const std::string& type) {
  (void)type;
  return nullptr;
}

std::string modifierInputPlug(const std::string& type, const std::string& outputPlug) {
  (void)type;
  if (outputPlug.compare(0, 3, "og[") == 0) return "ip[" + outputPlug.substr(3, outputPlug.size() - 4) + "].ig";
  if (outputPlug == "og") return "ig";
  return "ip";
}

}  // namespace headless
