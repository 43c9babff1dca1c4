#ifndef _MGlobal
#define _MGlobal
// Static access to the application: the active selection, set membership, commands and the up axis.

#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

class MSelectionList;
class MObjectArray;
class MDagPath;

class OPENMAYA_EXPORT MGlobal {
 public:
  enum MMayaState { kInteractive, kBatch, kLibraryApp };
  enum ListAdjustment { kReplaceList, kXORWithList, kAddToList, kRemoveFromList };

  static MMayaState mayaState(MStatus* ReturnStatus = NULL);
  static MString mayaVersion();
  static MStatus getActiveSelectionList(MSelectionList& dest);
  static MStatus setActiveSelectionList(const MSelectionList& src, ListAdjustment = kReplaceList);
  static MStatus getSelectionListByName(const MString& name, MSelectionList& list);
  static MStatus getAssociatedSets(MSelectionList& list, MObjectArray& setArray);
  static MStatus executeCommand(const MString& command, bool displayEnabled = false, bool undoEnabled = false);
  static MStatus executeCommand(const MString& command, MString& result, bool displayEnabled = false,
                                bool undoEnabled = false);
  static bool isYAxisUp(MStatus* ReturnStatus = NULL);
  static bool isZAxisUp(MStatus* ReturnStatus = NULL);
  static void displayInfo(const MString& theMessage);
  static void displayWarning(const MString& theWarning);
  static void displayError(const MString& theError);

 private:
  MGlobal();
};

#endif
