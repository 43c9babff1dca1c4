// polyPlaceholder: replaced by the generator's implementation.
#include "generators.h"

namespace headless {

bool generatePolyPipe(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  (void)mesh;
  return context.fail(node, "polyPipe is not evaluated yet", 0);
}

}  // namespace headless
