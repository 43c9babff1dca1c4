#include "materials/material_capture.h"

#include <cstring>

#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MGlobal.h>
#include <maya/MItDag.h>
#include <maya/MItDependencyGraph.h>
#include <maya/MObject.h>
#include <maya/MObjectArray.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include "log/log.h"
#include "materials/shader_readers.h"
#include "model/allocation.h"

namespace {

// The sets that any shape of the scene belongs to; false (logged) when there are none to walk.
bool getShapeSets(MObjectArray& sets)
{
    MStatus status;
    MItDag shapes(MItDag::kDepthFirst, MFn::kShape, &status);
    if (!status) {
        logPrint(0, "Error: Failure in MItDag setup.\n");
        return false;
    }
    MSelectionList list;
    for (; !shapes.isDone(); shapes.next()) {
        MDagPath path;
        shapes.getPath(path);
        list.add(path, MObject::kNullObj, false);
    }
    MGlobal::getAssociatedSets(list, sets);
    if (sets.length() == 0) {
        logPrint(0, "Warning: All shapes have no associated sets.\n");
        return false;
    }
    return true;
}

// Walks the lambert-family nodes upstream of one set, handing each node a dependency-node function
// set attaches to to visit; visit returns false to stop this set's walk.
template <class Visit>
void walkSetShaders(MObject& set, Visit visit)
{
    MStatus status;
    MItDependencyGraph upstream(set, MFn::kLambert, MItDependencyGraph::kUpstream, MItDependencyGraph::kDepthFirst,
                                MItDependencyGraph::kNodeLevel, &status);
    if (!status)
        return; // nothing of the wanted type upstream of this set
    upstream.disablePruningOnFilter();
    for (; !upstream.isDone(); upstream.next()) {
        MFnDependencyNode shader;
        if (!shader.setObject(upstream.thisNode()))
            continue;
        if (!visit(shader))
            return;
    }
}

} // namespace

int countMayaShaders()
{
    MObjectArray sets;
    if (!getShapeSets(sets))
        return 0;
    int count = 0;
    for (unsigned i = 0; i < sets.length(); ++i)
        walkSetShaders(sets[i], [&count](MFnDependencyNode&) {
            ++count;
            return true;
        });
    return count;
}

int loadMayaShaders(Model& model)
{
    logPrint(0, "Beginning to load materials from maya data.\n");
    pushLogIndent();
    MObjectArray sets;
    if (!getShapeSets(sets)) {
        popLogIndent();
        return 0;
    }
    int32_t loaded = 0;
    for (unsigned i = 0; i < sets.length(); ++i)
        walkSetShaders(sets[i], [&model, &loaded](MFnDependencyNode& shader) {
            // More nodes than were counted: the extra ones are not read.
            if (loaded >= model.numMaterials)
                return false;
            // A node of an unhandled type leaves its record to the next node.
            if (loadShader(shader, model.materials[loaded]))
                ++loaded;
            return true;
        });
    popLogIndent();
    logPrint(0, "Successful.\n");
    return 1;
}

int loadShader(MFnDependencyNode& shader, Material& record)
{
    MString typeName = shader.typeName();
    if (typeName == "blinn") {
        logPrint(0, "Loading blinn shader...\n");
        loadBlinnShader(shader.object(), record);
    } else if (typeName == "phong") {
        logPrint(0, "Loading phong shader...\n");
        loadPhongShader(shader.object(), record);
    } else if (typeName == "reflect") {
        logPrint(0, "Loading reflect shader...\n");
        loadReflectShader(shader.object(), record);
    } else if (typeName == "lambert") {
        logPrint(0, "Loading lambert shader...\n");
        loadLambertShader(shader.object(), record);
    } else {
        logPrint(0, "Skipping Unknown shader type: %i: '%s'.\n", (int)shader.type(), typeName.asChar());
        return 0;
    }
    return 1;
}

int getMayaMaterials(Model& model, int32_t captureMode)
{
    (void)captureMode; // shaders of every shape are captured, also for a selection export
    logPrint(0, "Getting materials from maya data...\n");
    pushLogIndent();

    int count = countMayaShaders();
    if (count < 1)
        count = 1;
    logPrint(0, "%i materials found.\n", count);
    model.numMaterials = count;
    model.materials = allocateArray<Material>("model->materials", (size_t)count);

    if (model.materials && loadMayaShaders(model)) {
        popLogIndent();
        logPrint(0, "Successful.\n");
        return 1;
    }
    logPrint(0, "Could not load any materials.\n");
    releaseArray(model.materials);
    model.numMaterials = 0;
    popLogIndent();
    return 0;
}
