#pragma once
// Reads the statements of a Maya ASCII text into a SceneDocument: createNode, setAttr, addAttr,
// select, connectAttr, parent, currentUnit, requires and file; other commands are counted and skipped.

#include "scene_readers/maya_ascii/scene_document.h"

#include <string_view>

namespace mayaascii {

// Fills `document` from `text`. Throws ReadError (with the line) on malformed input. The scene's own
// default nodes (lambert1, initialShadingGroup, ...) are entered as the file first refers to them.
void loadDocument(std::string_view text, SceneDocument& document);

// The node a name or DAG path ("pCube1", ":lambert1", "|grp|pCube1|pCubeShape1") names, or -1 when
// none or several do.
int findDocumentNode(const SceneDocument& document, const std::string& nameOrPath);

} // namespace mayaascii
