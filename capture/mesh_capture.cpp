#include "capture/mesh_capture.h"

#include <cstring>

#include <maya/MColor.h>
#include <maya/MColorArray.h>
#include <maya/MFloatArray.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFloatVector.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItMeshVertex.h>
#include <maya/MObject.h>
#include <maya/MTypes.h>
#include <maya/MString.h>

#include "log/log.h"
#include "materials/material_assignment.h"
#include "model/allocation.h"
#include "model/fixed_text.h"
#include "plugin/settings.h"

namespace {

// How host coordinates (x, y, z) become stored ones: the two conversions are inverse quarter turns
// about the X axis.
enum AxisConversion { NO_CONVERSION, Z_UP_TO_Y_UP, Y_UP_TO_Z_UP };

void convertAxis(AxisConversion conversion, float x, float y, float z, float* out)
{
    switch (conversion) {
    case Z_UP_TO_Y_UP:
        out[0] = x;
        out[1] = z;
        out[2] = -y;
        break;
    case Y_UP_TO_Z_UP:
        out[0] = x;
        out[1] = -z;
        out[2] = y;
        break;
    case NO_CONVERSION:
        out[0] = x;
        out[1] = y;
        out[2] = z;
        break;
    }
}

int refuse(const char* message)
{
    logPrint(0, "%s", message);
    popLogIndent();
    return 0;
}

// A refused allocation has already been logged with its label; the arrays taken so far stay with the
// record and go with the model.
int refuseAllocation()
{
    popLogIndent();
    return 0;
}

} // namespace

void getShapeName(MDagPath path, char* buffer, int maxLength, MStatus* status)
{
    path.extendToShape();
    MFnDagNode node(path, status);
    copyFixedText(buffer, (size_t)maxLength, node.name().asChar());
}

void getObjectName(MDagPath path, char* buffer, int maxLength, MStatus* status)
{
    MFnDagNode node(path, status);
    copyFixedText(buffer, (size_t)maxLength, node.name().asChar());
    char* shape = strstr(buffer, "Shape");
    if (shape) {
        char rest[260];
        copyFixedText(rest, sizeof(rest), shape + 5);
        memmove(shape, rest, strlen(rest) + 1);
    }
}

int loadMesh(const MDagPath& path, Mesh& mesh, const Model& model, int32_t upAxis)
{
    logPrint(0, "Loading mesh.\n");
    pushLogIndent();

    MStatus status;
    getShapeName(path, mesh.shapeName, NAME_SIZE, &status);
    getObjectName(path, mesh.name, NAME_SIZE, &status);
    if (mesh.name[0] == '\0')
        return refuse("Error: Couldnt get mesh name.\n");
    logPrint(0, "loadMesh: Surface: '%s'\n", mesh.name);
    logPrint(0, "loadMesh: Allocating memory for the polyset\n");

    MFnMesh fnMesh(path, &status);
    if (!status)
        return refuse("Error: Failure in MFnMesh initialization.\n");
    MItMeshPolygon polygonIterator(path, MObject::kNullObj, &status);
    if (!status)
        return refuse("Error: Failure in MItMeshPolygon initialization.\n");
    // Only a check that the mesh's vertices can be walked; nothing is read from it.
    MItMeshVertex vertexIterator(path, MObject::kNullObj, &status);
    if (!status)
        return refuse("Error: Failure in MItMeshVertex initialization.\n");

    int vertexCount = fnMesh.numVertices();
    logPrint(0, "loadMesh: Finished initializing iterators, allocing memory for %d verts\n", vertexCount);

    bool sceneYUp = MGlobal::isYAxisUp();
    if (!sceneYUp && !MGlobal::isZAxisUp())
        logPrint(0, "Warning: Unknown up axis detected.  Defaulting to z-up\n");

    mesh.materialIndex = getMaterialIndexForPath(path, model);

    MColorArray colors;
    fnMesh.getFaceVertexColors(colors);
    mesh.numColors = (int32_t)colors.length();
    mesh.colors = allocateArray<float>("mesh->colors", (size_t)mesh.numColors * 3);
    if (!mesh.colors)
        return refuseAllocation();
    for (int32_t i = 0; i < mesh.numColors; ++i) {
        const MColor& color = colors[(unsigned)i];
        mesh.colors[i * 3 + 0] = color[0];
        mesh.colors[i * 3 + 1] = color[1];
        mesh.colors[i * 3 + 2] = color[2];
    }

    AxisConversion conversion = NO_CONVERSION;
    if (upAxis == 0 && !sceneYUp)
        conversion = Z_UP_TO_Y_UP;
    else if (upAxis == 1 && sceneYUp)
        conversion = Y_UP_TO_Z_UP;

    mesh.numVerts = vertexCount > 0 ? vertexCount : 0;
    mesh.verts = allocateArray<float>("mesh->verts", (size_t)mesh.numVerts * 3);
    if (!mesh.verts)
        return refuseAllocation();
    MFloatPointArray points;
    fnMesh.getPoints(points, MSpace::kObject);
    if (conversion == Z_UP_TO_Y_UP)
        logPrint(0, "Converting from zUp to yUp\n");
    else if (conversion == Y_UP_TO_Z_UP)
        logPrint(0, "Converting from yUp to zUp\n");
    else
        logPrint(0, "No axis conversion\n");
    // The host's arrays are expected to match its counts; a shorter one leaves the rest zero.
    for (int32_t i = 0; i < mesh.numVerts && (unsigned)i < points.length(); ++i) {
        const MFloatPoint& point = points[(unsigned)i];
        convertAxis(conversion, point.x * exportScale, point.y * exportScale, point.z * exportScale,
                    &mesh.verts[i * 3]);
    }

    int uvCount = fnMesh.numUVs();
    mesh.numUVs = uvCount > 0 ? uvCount : 0;
    mesh.UVs = allocateArray<float>("mesh->UVs", (size_t)mesh.numUVs * 2);
    if (!mesh.UVs)
        return refuseAllocation();
    MFloatArray us, vs;
    fnMesh.getUVs(us, vs);
    for (int32_t i = 0; i < mesh.numUVs && (unsigned)i < us.length() && (unsigned)i < vs.length(); ++i) {
        mesh.UVs[i * 2 + 0] = us[(unsigned)i];
        mesh.UVs[i * 2 + 1] = vs[(unsigned)i];
    }

    int normalCount = fnMesh.numNormals();
    mesh.numNormals = normalCount > 0 ? normalCount : 0;
    mesh.normals = allocateArray<float>("mesh->normals", (size_t)mesh.numNormals * 3);
    if (!mesh.normals)
        return refuseAllocation();
    MFloatVectorArray normals;
    fnMesh.getNormals(normals, MSpace::kObject);
    for (int32_t i = 0; i < mesh.numNormals && (unsigned)i < normals.length(); ++i) {
        const MFloatVector& normal = normals[(unsigned)i];
        convertAxis(conversion, normal.x, normal.y, normal.z, &mesh.normals[i * 3]);
    }

    int polygonCount = fnMesh.numPolygons();
    mesh.numPolygons = polygonCount > 0 ? polygonCount : 0;
    // Every byte 0xFF: every index of every Polygon starts as -1 ("none"). Each record is set so as it is
    // filled, while it is in the cache, rather than all of them in one pass beforehand.
    mesh.polygons = allocateArray<Polygon>("mesh->polygons", (size_t)mesh.numPolygons, UNFILLED);
    if (!mesh.polygons)
        return refuseAllocation();
    logPrint(0, "loadMesh: Generating polygons...\n");
    bool truncated = false;
    int32_t k = 0;
    for (; !polygonIterator.isDone() && k < mesh.numPolygons; polygonIterator.next(), ++k) {
        Polygon& polygon = mesh.polygons[k];
        memset(&polygon, 0xFF, sizeof polygon);
        int corners = polygonIterator.polygonVertexCount();
        if (corners > MAX_POLYGON_CORNERS) {
            truncated = true;
            corners = MAX_POLYGON_CORNERS;
        }
        polygon.numVerts = corners > 0 ? corners : 0;
        int faceIndex = polygonIterator.index();
        for (int j = 0; j < polygon.numVerts; ++j) {
            int vertex = polygonIterator.vertexIndex(j);
            if (vertex < 0 || vertex >= mesh.numVerts) {
                logPrint(0, "Error: Global vertex out of range %d\n", vertex);
                continue;
            }
            polygon.vertIndices[j] = vertex;
            int colorIndex = polygon.colorIndices[j];
            fnMesh.getFaceVertexColorIndex(faceIndex, j, colorIndex);
            polygon.colorIndices[j] = colorIndex;
            int uvIndex = -1;
            if (mesh.numUVs > 0 && polygonIterator.getUVIndex(j, uvIndex))
                polygon.uvIndices[j] = uvIndex;
            if (mesh.numNormals > 0)
                polygon.normalIndices[j] = polygonIterator.normalIndex(j);
        }
    }
    if (k < mesh.numPolygons)
        memset(mesh.polygons + k, 0xFF, sizeof(Polygon) * size_t(mesh.numPolygons - k));
    if (truncated)
        logPrint(0,
                 "Warning: Polygons with more than %i vertices were detected.  Only the first %i vert(s) will "
                 "be exported\n",
                 MAX_POLYGON_CORNERS, MAX_POLYGON_CORNERS);

    popLogIndent();
    logPrint(0, "Successful\n");
    return 1;
}
