#pragma once
// The file translator the plug-in registers as "qaxExport": it only writes. The host creates it
// through `creator` and calls its virtual operations; it keeps no state of its own, the export's
// state lives in the settings and log globals.

#include <maya/MFileObject.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

class qaxTranslator : public MPxFileTranslator {
public:
    qaxTranslator();
    ~qaxTranslator() override;

    // Refuses: writes "qaxTranslator::reader called in error\n" to the console and fails.
    MStatus reader(const MFileObject& file, const MString& options, FileAccessMode mode) override;
    // Runs one export of the file with the option string; save and export write the whole scene,
    // export-active the selection, other modes export nothing (see export_setup.cpp).
    MStatus writer(const MFileObject& file, const MString& options, FileAccessMode mode) override;
    bool haveReadMethod() const override;  // false
    bool haveWriteMethod() const override; // true
    MString defaultExtension() const override; // "qax", no dot
    // Decides on the file name alone: kCouldBeMyFileType for a name longer than ".qax" that ends in
    // ".qax" in any letter case, kNotMyFileType otherwise. The buffer is not looked at.
    MFileKind identifyFile(const MFileObject& file, const char* buffer, short size) const override;

    // A new translator from the general allocator; the host owns it and deletes it.
    static void* creator();
};
