#pragma once
// Connections of the file replayed on the host in file order (the order decides "the first associated
// set"): set membership of whole shapes and of faces, shaders into shading groups, textures into
// shaders, and any other connection between nodes that were loaded.

#include "scene_readers/maya_ascii/build_context.h"

namespace mayaascii {

void buildConnections(BuildContext& context);

// "iog", "iog[1]", "iog.og[2]", "iog[1].og[2]" -> instance and object group (-1 for a whole shape); false for
// any other plug.
bool parseMemberPlug(const std::string& plug, int& instance, int& group);

// The face indices of a componentList ("f[4:7]", "f[9]", "f[*]" = all of faceCount); other components
// (edges, vertices) are left out. Throws ReadError on an entry that is not a component.
std::vector<int> facesOfComponents(const std::vector<std::string>& components, int faceCount, int line);

} // namespace mayaascii
