#include "capture/lattice_capture.h"

#include <maya/MFnDagNode.h>
#include <maya/MFnLattice.h>
#include <maya/MFnLatticeDeformer.h>
#include <maya/MFnMesh.h>
#include <maya/MObject.h>
#include <maya/MObjectArray.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include "log/log.h"
#include "model/allocation.h"
#include "model/fixed_text.h"
#include "plugin/settings.h"

namespace {

const float kBoundsStart = 100000.0f;

// Records the captured meshes deformed by the lattice deformer that the lattice's output feeds.
void findAttachedMeshes(const MDagPath& path, Lattice& lattice, const Model& model)
{
    MFnDagNode dagNode(path);
    MString latticeName = dagNode.name();
    MStatus status;
    MPlug output = dagNode.findPlug("latticeOutput", &status);
    MPlugArray destinations;
    if (status)
        output.connectedTo(destinations, false, true);
    MObject deformerNode;
    if (destinations.length() > 0)
        deformerNode = destinations[0].node();
    if (deformerNode.isNull() || !deformerNode.hasFn(MFn::kFFD)) {
        logPrint(0, "Warning: Could not find connected geometry for lattice '%s' \n", latticeName.asChar());
        return;
    }

    MFnLatticeDeformer deformer(deformerNode);
    MObjectArray geometry;
    deformer.getAffectedGeometry(geometry);
    for (unsigned i = 0; i < geometry.length(); ++i) {
        if (!geometry[i].hasFn(MFn::kMesh)) {
            logPrint(0, "Warning: Geometry attached to lattice '%s' is not a mesh.\n", latticeName.asChar());
            continue;
        }
        MFnMesh mesh(geometry[i]);
        MString meshName = mesh.name();
        logPrint(0, "Connected mesh '%s'\n", meshName.asChar());
        if (lattice.numAttached >= MAX_LATTICE_ATTACHED) {
            logPrint(0, "Warning: Too many attached geometries.\n");
            continue;
        }
        int32_t index = findMeshByShapeName(model, meshName.asChar());
        lattice.attached[lattice.numAttached] = index;
        if (index < 0)
            logPrint(0, "Warning: Could not find geometry '%s' attached to the lattice.\n", meshName.asChar());
        ++lattice.numAttached;
    }
}

} // namespace

bool loadLattice(const MDagPath& path, Lattice& lattice, Model& model, int32_t /*upAxis*/)
{
    logPrint(0, "Loading Lattice...\n");
    pushLogIndent();

    MStatus status;
    MFnLattice fnLattice(path, &status);
    if (!status) {
        logPrint(0, "Error: Failure in MFnLattice initialization.\n");
        popLogIndent();
        return false;
    }
    unsigned s = 0, t = 0, u = 0;
    fnLattice.getDivisions(s, t, u);
    lattice.sDivisions = s;
    lattice.tDivisions = t;
    lattice.uDivisions = u;

    findAttachedMeshes(path, lattice, model);

    logPrint(0, "Lattice: Num lattice points %i %i %i\n", static_cast<int>(s), static_cast<int>(t),
             static_cast<int>(u));
    size_t numPoints = static_cast<size_t>(s) * t * u;
    lattice.latticePoints = allocateArray<float>("lattice->latticePoints", numPoints * 3);
    if (!lattice.latticePoints) {
        // The allocator has logged why; a lattice without its points is not captured.
        popLogIndent();
        return false;
    }
    for (unsigned a = 0; a < s; ++a) {
        for (unsigned b = 0; b < t; ++b) {
            for (unsigned c = 0; c < u; ++c) {
                const MPoint& point = fnLattice.point(a, b, c);
                float* stored = lattice.latticePoints + ((static_cast<size_t>(a) * t + b) * u + c) * 3;
                stored[0] = static_cast<float>(point[0] * exportScale);
                stored[1] = static_cast<float>(point[1] * exportScale);
                stored[2] = static_cast<float>(point[2] * exportScale);
            }
        }
    }
    computeBounds(lattice.latticePoints, static_cast<int32_t>(numPoints), lattice.mins, lattice.maxs);

    popLogIndent();
    logPrint(0, "Successful.\n");
    return true;
}

int32_t findMeshByShapeName(const Model& model, const char* name)
{
    if (model.numFrames < 1 || !model.frames || !model.frames[0].meshes)
        return -1;
    const Frame& frame = model.frames[0];
    for (int32_t i = 0; i < frame.numMeshes; ++i)
        if (equalIgnoringCase(frame.meshes[i].shapeName, name))
            return i;
    return -1;
}

void computeBounds(const float* points, int32_t count, float mins[3], float maxs[3])
{
    for (int k = 0; k < 3; ++k) {
        mins[k] = kBoundsStart;
        maxs[k] = -kBoundsStart;
    }
    for (int32_t i = 0; i < count; ++i) {
        for (int k = 0; k < 3; ++k) {
            float value = points[i * 3 + k];
            if (value < mins[k])
                mins[k] = value;
            if (value > maxs[k])
                maxs[k] = value;
        }
    }
    logPrint(0, "Mins: %f %f %f\n", mins[0], mins[1], mins[2]);
    logPrint(0, "Maxs: %f %f %f\n", maxs[0], maxs[1], maxs[2]);
}
