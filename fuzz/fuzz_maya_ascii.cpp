// Fuzzes the Maya ASCII reader with arbitrary text, and exports every scene it accepts. Checked on
// every input, beyond the sanitizers: a refused file gets a "file:line: ..." message; an accepted one
// goes through the whole export, which must keep the property of fuzz/export_check.h. The first
// byte also picks the export's options and mode, so the same scenes are exported every way.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <maya/MPxFileTranslator.h>

#include "fuzz/export_check.h"
#include "fuzz/finding.h"
#include "scene_readers/maya_ascii/maya_ascii_reader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzcheck::setUpExporter("fuzz_maya_ascii");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    mayaascii::LoadReport report = mayaascii::loadMayaAsciiText(text, "fuzz.ma");
    if (!report.ok) {
        if (report.message.compare(0, 8, "fuzz.ma:") != 0)
            fuzzfinding::report("fuzz_maya_ascii", "refused without a \"file:line: ...\" message: " + report.message);
        return 0;
    }

    const unsigned pick = size > 0 ? data[0] : 0;
    std::string options = "vertexColors=" + std::to_string(pick & 1) + ";relProjPath=" +
                          std::to_string((pick >> 1) & 1) + ";optimize=" + std::to_string((pick >> 2) & 1) + ";";
    // Selection exports fail on the empty selection a loaded file leaves; one in eight is enough.
    MPxFileTranslator::FileAccessMode mode = (pick & 0x38) == 0x38 ? MPxFileTranslator::kExportActiveAccessMode
                                                                   : MPxFileTranslator::kExportAccessMode;
    fuzzcheck::exportAndCheck(options, mode);
    return 0;
}
