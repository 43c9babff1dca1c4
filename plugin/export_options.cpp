#include "plugin/export_options.h"

#include <maya/MStringArray.h>

#include "log/log.h"
#include "plugin/settings.h"

namespace {

struct OptionKey {
    const char* key;
    uint8_t* flag;
};

const OptionKey optionKeys[] = {
    {"vertexColors", &includeVertexColors},
    {"relProjPath", &useProjectRelativePaths},
    {"optimize", &optimizeModel},
};

} // namespace

void parseExportOptions(const MString& options)
{
    includeVertexColors = 0;
    optimizeModel = 0;
    useProjectRelativePaths = 0;
    if (options.length() == 0)
        return;

    MStringArray pieces;
    options.split(';', pieces);
    for (unsigned i = 0; i < pieces.length(); ++i) {
        MStringArray parts;
        pieces[i].split('=', parts);
        if (parts.length() < 2)
            continue; // a key without a value changes nothing
        for (const OptionKey& option : optionKeys) {
            if (parts[0] == option.key) {
                *option.flag = parts[1].asInt() != 0 ? 1 : 0;
                break;
            }
        }
    }
}

void logExportOptions()
{
    logPrint(0, "Options:\n");
    logPrint(0, "  includeVertexColors: %i\n", (int)includeVertexColors);
    logPrint(0, "  Use project relative paths: %i\n", (int)useProjectRelativePaths);
    logPrint(0, "  optimizeModel: %i\n", (int)optimizeModel);
}
