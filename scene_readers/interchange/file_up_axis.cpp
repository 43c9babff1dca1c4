#include "scene_readers/interchange/file_up_axis.h"

#include "scene_readers/interchange/file_extension.h"

#include <assimp/scene.h>

#include <fstream>

namespace interchange {

namespace {

// The document's own <asset> comes before any geometry; nested ones (in nodes) come later.
const size_t kAssetSearchBytes = 1 << 16;

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

FileUpAxis fbxUpAxis(const aiScene& scene, std::string& warning)
{
    int32_t axis = 1, sign = 1;
    if (scene.mMetaData == nullptr || !scene.mMetaData->Get("UpAxis", axis))
        return FileUpAxis::NotRecorded;
    scene.mMetaData->Get("UpAxisSign", sign);
    if (sign < 0 || (axis != 1 && axis != 2)) {
        const char axisName = axis == 0 ? 'X' : axis == 1 ? 'Y' : axis == 2 ? 'Z' : '?';
        warning = std::string("the file's up axis (") + (sign < 0 ? "-" : "+") + axisName +
                  ") is not one the host can use; the scene is taken as Y up";
        return FileUpAxis::NotRecorded;
    }
    return axis == 2 ? FileUpAxis::Z : FileUpAxis::Y;
}

} // namespace

FileUpAxis colladaUpAxis(const std::string& text, std::string& warning)
{
    const size_t asset = text.find("<asset");
    if (asset == std::string::npos)
        return FileUpAxis::NotRecorded;
    const size_t assetEnd = text.find("</asset>", asset);
    const size_t open = text.find("<up_axis>", asset);
    if (open == std::string::npos || (assetEnd != std::string::npos && open > assetEnd))
        return FileUpAxis::NotRecorded;
    const size_t valueStart = open + 9;
    const size_t close = text.find("</up_axis>", valueStart);
    if (close == std::string::npos)
        return FileUpAxis::NotRecorded;
    const std::string value = trimmed(text.substr(valueStart, close - valueStart));
    if (value == "Y_UP")
        return FileUpAxis::Y;
    if (value == "Z_UP")
        return FileUpAxis::Z;
    warning = "the file's up axis (" + value + ") is not one the host can use; the scene is taken as Y up";
    return FileUpAxis::NotRecorded;
}

FileUpAxis fileUpAxis(const std::string& path, const aiScene& scene, std::string& warning)
{
    const std::string extension = lowerExtension(path);
    if (extension == "gltf" || extension == "glb")
        return FileUpAxis::Y;
    if (extension == "fbx")
        return fbxUpAxis(scene, warning);
    if (extension == "dae") {
        std::ifstream file(path, std::ios::binary);
        std::string head(kAssetSearchBytes, '\0');
        file.read(&head[0], std::streamsize(head.size()));
        head.resize(size_t(file.gcount()));
        return colladaUpAxis(head, warning);
    }
    return FileUpAxis::NotRecorded;
}

} // namespace interchange
