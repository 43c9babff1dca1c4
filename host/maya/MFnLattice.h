#ifndef _MFnLattice
#define _MFnLattice
// Function set for lattice shapes: the divisions and the points, which live in the lattice's local space.

#include <maya/MFnDagNode.h>

class MPoint;

class OPENMAYAANIM_EXPORT MFnLattice : public MFnDagNode {
 public:
  MFnLattice();
  MFnLattice(MObject& object, MStatus* ret = NULL);
  MFnLattice(const MObject& object, MStatus* ret = NULL);
  MFnLattice(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnLattice();
  virtual MFn::Type type() const;

  MStatus getDivisions(unsigned& s, unsigned& t, unsigned& u);
  MPoint& point(unsigned s, unsigned t, unsigned u, MStatus* ReturnStatus = NULL);

 private:
  MFnLattice& operator=(const MFnLattice&);
  MFnLattice* operator&() const;
  MFnLattice* operator&();
};

#endif
