#ifndef _MFnDagNode
#define _MFnDagNode
// Function set for DAG nodes: parents, children, paths and the intermediate-object flag. Attached through a DAG
// path it remembers that path, so world-space queries of derived sets compose the transforms along it.

#include <maya/MFnDependencyNode.h>
#include <maya/MObject.h>

class MMatrix;
class MDagPath;
class MDagPathArray;

class OPENMAYA_EXPORT MFnDagNode : public MFnDependencyNode {
 public:
  enum { kNextPos = 0xff };

  MFnDagNode();
  MFnDagNode(MObject& object, MStatus* ret = NULL);
  MFnDagNode(const MObject& object, MStatus* ret = NULL);
  MFnDagNode(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnDagNode();
  virtual MFn::Type type() const;

  unsigned int parentCount(MStatus* ReturnStatus = NULL) const;
  MObject parent(unsigned int i, MStatus* ReturnStatus = NULL) const;
  unsigned int childCount(MStatus* ReturnStatus = NULL) const;
  MObject child(unsigned int i, MStatus* ReturnStatus = NULL) const;
  MObject dagRoot(MStatus* ReturnStatus = NULL);
  bool hasParent(const MObject& node, MStatus* ReturnStatus = NULL) const;
  bool hasChild(const MObject& node, MStatus* ReturnStatus = NULL) const;
  bool isChildOf(const MObject& node, MStatus* ReturnStatus = NULL) const;
  bool isParentOf(const MObject& node, MStatus* ReturnStatus = NULL) const;
  bool isInstanced(bool indirect = true, MStatus* ReturnStatus = NULL) const;
  unsigned int instanceCount(bool total, MStatus* ReturnStatus = NULL) const;
  MStatus getPath(MDagPath& path);
  MStatus getAllPaths(MDagPathArray& paths);
  MString fullPathName(MStatus* ReturnStatus = NULL);
  MString partialPathName(MStatus* ReturnStatus = NULL);
  MMatrix transformationMatrix(MStatus* ReturnStatus = NULL) const;
  bool isIntermediateObject(MStatus* ReturnStatus = NULL) const;
  MStatus setIntermediateObject(bool isIntermediate);
  MDagPath dagPath(MStatus* ReturnStatus = NULL) const;
  virtual MStatus setObject(const MDagPath& path);
  virtual MStatus setObject(MObject& object);
  virtual MStatus setObject(const MObject& object);

 private:
  MFnDagNode& operator=(const MFnDagNode&);
  MFnDagNode* operator&() const;
  MFnDagNode* operator&();
};

#endif
