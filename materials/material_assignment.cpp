#include "materials/material_assignment.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MFnSet.h>
#include <maya/MGlobal.h>
#include <maya/MItDependencyGraph.h>
#include <maya/MObjectArray.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include "log/log.h"
#include "model/fixed_text.h"

const char* const unknownMaterialName = "unknownMaterial";

enum { SHADER_NAME_SIZE = 260 };

int32_t getMaterialIndexForPath(const MDagPath& path, const Model& model)
{
    char shaderName[SHADER_NAME_SIZE];
    getShaderNameForPath(path, shaderName, SHADER_NAME_SIZE);

    // Records hold names cut to 31 characters; cut the looked-up name the same way or a long name
    // could never match and the object would quietly take material 0.
    char recordName[NAME_SIZE];
    if (!copyFixedText(recordName, sizeof(recordName), shaderName))
        logPrint(0, "Warning: Material name '%s' is longer than %d characters, looked up as '%s'\n", shaderName,
                 NAME_SIZE - 1, recordName);

    for (int32_t i = 0; i < model.numMaterials && model.materials; ++i)
        if (equalIgnoringCase(model.materials[i].name, recordName))
            return i;
    logPrint(0, "Error: Material '%s' not found\n", shaderName);
    return 0;
}

int getShaderNameForPath(const MDagPath& path, char* name, int capacity)
{
    MObject shader = MObject::kNullObj;
    findShaderForPath(path, MFn::kBlinn, shader);
    if (shader.isNull())
        findShaderForPath(path, MFn::kLambert, shader);
    if (shader.isNull()) {
        logPrint(0, "Warning: Path did not contain a lambert or blinn shader\n");
        copyFixedText(name, (size_t)capacity, unknownMaterialName);
        return 0;
    }

    MStatus status;
    MFnDependencyNode node;
    MString shaderName;
    status = node.setObject(shader);
    if (status)
        shaderName = node.name(&status);
    if (status) {
        copyFixedText(name, (size_t)capacity, shaderName.asChar());
        logPrint(0, "Found material: '%s'\n", name);
    } else {
        logPrint(0, "Warning: Could not get name from shader.\n");
        copyFixedText(name, (size_t)capacity, unknownMaterialName);
    }
    return 1;
}

void findShaderForPath(const MDagPath& path, MFn::Type type, MObject& shader)
{
    // A failed shape lookup is only warned about: the search goes on with the path as given.
    MDagPath shapePath = getShapePath(path);

    MSelectionList list;
    list.add(shapePath, MObject::kNullObj, false);
    MObjectArray sets;
    if (!MGlobal::getAssociatedSets(list, sets))
        logPrint(3, "Warning: getAssociatedSets failed\n");

    MObject shadingGroup = MObject::kNullObj;
    for (unsigned i = 0; i < sets.length(); ++i) {
        MStatus status;
        MFnSet set(sets[i], &status);
        if (status && set.restriction() == MFnSet::kRenderableOnly) {
            shadingGroup = sets[i];
            break;
        }
    }
    // No shading group: nothing to walk from, the same outcome as an iterator that cannot be set up.
    if (shadingGroup.isNull()) {
        logPrint(3, "Warning: Dependency Graph init failed\n");
        return;
    }

    MStatus status;
    MItDependencyGraph upstream(shadingGroup, type, MItDependencyGraph::kUpstream, MItDependencyGraph::kDepthFirst,
                                MItDependencyGraph::kNodeLevel, &status);
    if (!status) {
        logPrint(3, "Warning: Dependency Graph init failed\n");
        return;
    }
    upstream.disablePruningOnFilter();
    for (; !upstream.isDone(); upstream.next()) {
        MObject node = upstream.thisNode();
        if (!node.isNull()) {
            shader = node;
            return;
        }
    }
}

MDagPath getShapePath(MDagPath path)
{
    MDagPath shapePath(path);
    if (shapePath.extendToShape())
        return shapePath;
    logPrint(0, "Warning: No Shape node was found\n");
    return path;
}
