#pragma once
// The up axis an interchange file records, for the formats that record one.

#include <string>

struct aiScene;

namespace interchange {

enum class FileUpAxis { NotRecorded, Y, Z };

// FBX: the scene's "UpAxis" setting (1 = Y, 2 = Z). COLLADA: the <up_axis> of the document's own <asset>
// (Y_UP, Z_UP; read from the file at path, as the library turns it into a root rotation instead of keeping it).
// glTF: always Y. Other formats record none. An axis the host cannot be set to (X up, a downward axis) gives
// NotRecorded with a note in warning.
FileUpAxis fileUpAxis(const std::string& path, const aiScene& scene, std::string& warning);

// The COLLADA part on text: the <up_axis> inside the first <asset> element, if any.
FileUpAxis colladaUpAxis(const std::string& text, std::string& warning);

} // namespace interchange
