#ifndef _MPlug
#define _MPlug
// A plug: one attribute (or array element) of one node, the end of a connection and the place values are read.

#include <maya/MDGContext.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MString;
class MPlugArray;

namespace headless {
struct PlugData;
struct PlugAccess;
}

class OPENMAYA_EXPORT MPlug {
 public:
  MPlug();
  MPlug(const MPlug& in);
  MPlug(const MObject& node, const MObject& attribute);
  ~MPlug();

  MObject attribute(MStatus* ReturnStatus = NULL) const;
  MObject node(MStatus* ReturnStatus = NULL) const;
  MString name(MStatus* ReturnStatus = NULL) const;
  MString partialName(bool includeNodeName = false, bool includeNonMandatoryIndices = false,
                      bool includeInstancedIndices = false, bool useAlias = false,
                      bool useFullAttributePath = false, bool useLongNames = false,
                      MStatus* ReturnStatus = NULL) const;
  bool isArray(MStatus* ReturnStatus = NULL) const;
  bool isElement(MStatus* ReturnStatus = NULL) const;
  bool isCompound(MStatus* ReturnStatus = NULL) const;
  bool isChild(MStatus* ReturnStatus = NULL) const;
  unsigned logicalIndex(MStatus* ReturnStatus = NULL) const;
  unsigned numElements(MStatus* ReturnStatus = NULL) const;
  unsigned numChildren(MStatus* ReturnStatus = NULL) const;
  MPlug child(unsigned index, MStatus* ReturnStatus = NULL) const;
  MPlug parent(MStatus* ReturnStatus = NULL) const;
  MPlug array(MStatus* ReturnStatus = NULL) const;
  MPlug elementByLogicalIndex(unsigned logicalIndex, MStatus* ReturnStatus = NULL) const;
  MPlug elementByPhysicalIndex(unsigned physicalIndex, MStatus* ReturnStatus = NULL) const;
  bool connectedTo(MPlugArray& array, bool asDst, bool asSrc, MStatus* ReturnStatus = NULL) const;
  bool isConnected(MStatus* ReturnStatus = NULL) const;
  bool isNull(MStatus* ReturnStatus = NULL) const;
  MString info(MStatus* ReturnStatus = NULL) const;

  MStatus getValue(MObject& val, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(double& val, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(float& val, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(int& val, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(short& val, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(bool& val, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(char& val, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(MString& val, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus setValue(double val);
  MStatus setValue(float val);
  MStatus setValue(int val);
  MStatus setValue(short val);
  MStatus setValue(bool val);
  MStatus setValue(char val);
  MStatus setValue(MString& val);
  MStatus setValue(const char* val);

  MPlug& operator=(const MPlug& other);
  MPlug operator[](unsigned physicalIndex) const;
  bool operator!() const;
  bool operator==(const MPlug& other) const;
  bool operator==(const MObject& other) const;
  bool operator!=(const MPlug& other) const;
  bool operator!=(const MObject& other) const;
  operator MObject() const;

 private:
  friend struct headless::PlugAccess;
  headless::PlugData* data_;
};

#endif
