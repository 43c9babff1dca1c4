#ifndef _MFnLatticeDeformer
#define _MFnLatticeDeformer
// Function set for lattice (ffd) deformer nodes: the lattice that drives them and the geometry they deform.

#include <maya/MFnDependencyNode.h>

class MObjectArray;

class OPENMAYAANIM_EXPORT MFnLatticeDeformer : public MFnDependencyNode {
 public:
  MFnLatticeDeformer();
  MFnLatticeDeformer(MObject& object, MStatus* ReturnStatus = NULL);
  MFnLatticeDeformer(const MObject& object, MStatus* ReturnStatus = NULL);
  virtual ~MFnLatticeDeformer();
  virtual MFn::Type type() const;

  MStatus getDivisions(unsigned& s, unsigned& t, unsigned& u);
  MStatus getAffectedGeometry(MObjectArray& objects);
  MObject deformLattice(MStatus* ReturnStatus = NULL);
  MObject baseLattice(MStatus* ReturnStatus = NULL);

 private:
  MFnLatticeDeformer& operator=(const MFnLatticeDeformer&);
  MFnLatticeDeformer* operator&() const;
  MFnLatticeDeformer* operator&();
};

#endif
