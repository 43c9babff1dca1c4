#ifndef _MFnMesh
#define _MFnMesh
// Function set for polygon meshes: counts, points, the UV set, per-face-vertex normals and colours.

#include <maya/MFnDagNode.h>
#include <maya/MString.h>

class MFloatPointArray;
class MPointArray;
class MFloatArray;
class MFloatVectorArray;
class MColorArray;
class MIntArray;

class OPENMAYA_EXPORT MFnMesh : public MFnDagNode {
 public:
  MFnMesh();
  MFnMesh(MObject& object, MStatus* ret = NULL);
  MFnMesh(const MObject& object, MStatus* ret = NULL);
  MFnMesh(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnMesh();
  virtual MFn::Type type() const;

  int numVertices(MStatus* ReturnStatus = NULL) const;
  int numEdges(MStatus* ReturnStatus = NULL) const;
  int numPolygons(MStatus* ReturnStatus = NULL) const;
  int numFaceVertices(MStatus* ReturnStatus = NULL) const;
  int polygonVertexCount(int polygonId, MStatus* ReturnStatus = NULL) const;
  MStatus getPolygonVertices(int polygonId, MIntArray& vertexList) const;
  MStatus getPoints(MFloatPointArray& vertexArray, MSpace::Space space = MSpace::kObject) const;
  MStatus getPoints(MPointArray& vertexArray, MSpace::Space space = MSpace::kObject) const;
  int numNormals(MStatus* ReturnStatus = NULL) const;
  MStatus getNormals(MFloatVectorArray& normals, MSpace::Space space = MSpace::kObject) const;
  int numUVs(MStatus* ReturnStatus = NULL) const;
  int numUVs(const MString& uvSet, MStatus* ReturnStatus = NULL) const;
  MStatus getUVs(MFloatArray& uArray, MFloatArray& vArray, const MString* uvSet = NULL) const;
  MStatus getPolygonUVid(int polygonId, int vertexId, int& uvId, const MString* uvSet = NULL) const;
  int numUVSets(MStatus* ReturnStatus = NULL) const;
  MString currentUVSetName(MStatus* ReturnStatus = NULL) const;
  // Non-const in this API version.
  MStatus getFaceVertexColors(MColorArray& colors);
  MStatus getFaceVertexColorIndex(int faceIndex, int localVertexIndex, int& colorIndex);

 private:
  MFnMesh& operator=(const MFnMesh&);
  MFnMesh* operator&() const;
  MFnMesh* operator&();
};

#endif
