#include "materials/texture_paths.h"

#include <cstring>

#include <maya/MFn.h>
#include <maya/MFnStringData.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include "log/log.h"
#include "model/fixed_text.h"
#include "plugin/settings.h"

int getTextureFileName(MFnDependencyNode& shader, const char* attribute, char* output, int capacity)
{
    output[0] = '\0';
    MStatus status;
    MPlug plug = shader.findPlug(MString(attribute), &status);
    if (!status)
        return 0;

    MPlugArray sources;
    plug.connectedTo(sources, true, false);
    MObject textureNode;
    MFnDependencyNode texture;
    bool found = false;
    for (unsigned i = 0; i < sources.length() && !found; ++i) {
        textureNode = sources[i].node();
        found = textureNode.apiType() == MFn::kFileTexture && texture.setObject(textureNode);
    }
    if (!found) {
        logPrint(3, "No connected fileTexture plug found for attribute %s\n", attribute);
        return 0;
    }

    MObject fileNameAttribute = texture.attribute(MString("fileTextureName"), &status);
    MPlug fileNamePlug(textureNode, fileNameAttribute);
    MObject fileNameData;
    if (!status || !fileNamePlug.getValue(fileNameData)) {
        logPrint(0, "Error: Could not get value from plug\n");
        return 0;
    }
    MFnStringData fileName(fileNameData);
    copyFixedText(output, (size_t)capacity, fileName.string().asChar());
    makeProjectRelativePath(output, capacity);
    return 1;
}

void makeProjectRelativePath(char* path, int capacity)
{
    // Compared lower-cased and with forward slashes (the project directory is kept that way), so
    // the host's spelling of the same directory still matches.
    char comparable[260];
    copyFixedText(comparable, sizeof(comparable), path);
    toLowerAscii(comparable);
    toForwardSlashes(comparable);

    logPrint(0, "Original path: %s\n", path);
    size_t prefixLength = strlen(projectDirectory);
    if (strncmp(comparable, projectDirectory, prefixLength) == 0) {
        size_t length = strnlen(path, (size_t)capacity - 1);
        if (prefixLength > length)
            prefixLength = length;
        memmove(path, path + prefixLength, length - prefixLength + 1);
    }
    logPrint(0, "Project relative path: %s\n", path);
}
