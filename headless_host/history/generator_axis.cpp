// The axis a generator is built along.
#include "generators.h"

namespace headless {

// Placeholder until the polyCube developer fixes the rotation against baked references.
void orientToAxis(const HistoryNode& node, PolyMesh& mesh) {
  (void)node;
  (void)mesh;
}

}  // namespace headless
