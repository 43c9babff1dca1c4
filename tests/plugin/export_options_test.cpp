#include <gtest/gtest.h>

#include <maya/MString.h>

#include <headless/scene.h>

#include <string>

#include "plugin/export_options.h"
#include "plugin/settings.h"

TEST(ExportOptions, ParsesKeysValuesAndIgnoresTheRest)
{
    headless::resetHostBehaviour();
    struct Case {
        const char* options;
        int vertexColors, relProjPath, optimize;
    };
    const Case cases[] = {
        {"", 0, 0, 0},
        {"vertexColors=0;relProjPath=0;optimize=0;", 0, 0, 0},
        {"vertexColors=1;relProjPath=0;optimize=1;", 1, 0, 1},
        {"vertexColors=1;relProjPath=1;optimize=1;", 1, 1, 1},
        {"vertexColors=5;", 1, 0, 0},                     // any non-zero value sets the flag
        {"optimize=-2;", 0, 0, 1},
        {"relProjPath=1", 0, 1, 0},                       // the last pair needs no ";"
        {"VertexColors=1;OPTIMIZE=1;relprojpath=1;", 0, 0, 0}, // keys match case included
        {"optimize=1;optimize=0;", 0, 0, 0},              // the last occurrence wins
        {"optimize=0;optimize=1;", 0, 0, 1},
        {";;vertexColors;=1;relProjPath=;;", 0, 0, 0},   // pieces without a value change nothing
        {"optimize=1=7;", 0, 0, 1},                       // parts beyond the second are not looked at
        {"colors=1;vertex=1;optimize =1; optimize=1;", 0, 0, 0}, // other keys, blanks are part of a key
        {"vertexColors=1;bogus;relProjPath=1;junk=9;", 1, 1, 0},
    };
    for (const Case& c : cases) {
        // Every export starts from cleared flags, whatever the last export left.
        includeVertexColors = 1;
        useProjectRelativePaths = 1;
        optimizeModel = 1;
        parseExportOptions(MString(c.options));
        EXPECT_EQ(includeVertexColors, c.vertexColors) << c.options;
        EXPECT_EQ(useProjectRelativePaths, c.relProjPath) << c.options;
        EXPECT_EQ(optimizeModel, c.optimize) << c.options;
    }
}
