#ifndef _MItMeshVertex
#define _MItMeshVertex
// Iterates over the vertices of a mesh in index order.

#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MDagPath;
class MPoint;

namespace headless {
struct MeshWalk;
}

class OPENMAYA_EXPORT MItMeshVertex {
 public:
  MItMeshVertex(MObject& polyObject, MStatus* ReturnStatus = NULL);
  MItMeshVertex(const MDagPath& polyObject, MObject& component = MObject::kNullObj,
                MStatus* ReturnStatus = NULL);
  virtual ~MItMeshVertex();

  bool isDone(MStatus* ReturnStatus = NULL);
  MStatus next();
  MStatus reset();
  int count(MStatus* ReturnStatus = NULL);
  int index(MStatus* ReturnStatus = NULL);
  MPoint position(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL);

 private:
  MItMeshVertex(const MItMeshVertex&);
  MItMeshVertex& operator=(const MItMeshVertex&);
  headless::MeshWalk* walk_;
};

#endif
