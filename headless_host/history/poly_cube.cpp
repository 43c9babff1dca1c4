// polyPlaceholder: replaced by the generator's implementation.
#include "generators.h"

namespace headless {

bool generatePolyCube(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  (void)mesh;
  return context.fail(node, "polyCube is not evaluated yet", node.line);
}

}  // namespace headless
