// polyPlaceholder: replaced by the generator's implementation.
#include "generators.h"

namespace headless {

bool generatePolyPlatonic(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  (void)mesh;
  return context.fail(node, "polyPlatonic is not evaluated yet", 0);
}

}  // namespace headless
