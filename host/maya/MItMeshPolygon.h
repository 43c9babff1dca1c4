#ifndef _MItMeshPolygon
#define _MItMeshPolygon
// Iterates over the faces of a mesh in index order.

#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MDagPath;
class MString;
class MPoint;
class MIntArray;

namespace headless {
struct MeshWalk;
}

class OPENMAYA_EXPORT MItMeshPolygon {
 public:
  MItMeshPolygon(const MObject& polyObject, MStatus* ReturnStatus = NULL);
  MItMeshPolygon(const MDagPath& polyObject, MObject& component = MObject::kNullObj,
                 MStatus* ReturnStatus = NULL);
  virtual ~MItMeshPolygon();

  bool isDone(MStatus* ReturnStatus = NULL);
  MStatus next();
  MStatus reset();
  int count(MStatus* ReturnStatus = NULL);
  int index(MStatus* ReturnStatus = NULL);
  int polygonVertexCount(MStatus* ReturnStatus = NULL);
  int vertexIndex(int index, MStatus* ReturnStatus = NULL);
  MStatus getVertices(MIntArray& vertices);
  MPoint point(int index, MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL);
  int normalIndex(int localVertexIndex, MStatus* ReturnStatus = NULL) const;
  bool hasUVs(MStatus* ReturnStatus = NULL) const;
  MStatus getUVIndex(int vertex, int& index, const MString* uvSet = NULL);

 private:
  MItMeshPolygon(const MItMeshPolygon&);
  MItMeshPolygon& operator=(const MItMeshPolygon&);
  headless::MeshWalk* walk_;
};

#endif
