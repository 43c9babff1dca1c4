#include "tools/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace qaxtools;

namespace {

std::vector<std::string> words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

} // namespace

TEST(CommandLine, ParsesSubcommandsAndOptions)
{
    struct Case {
        const char* line;
        Subcommand subcommand;
        const char* output;     // export: output path; inspect/to-gltf: qax path
        const char* options;    // export: option string; to-gltf: gltf path
        size_t selected;
        bool zUp;
    };
    const Case cases[] = {
        {"export scenes/cube.ma", Subcommand::Export, "scenes/cube.qax", "vertexColors=0;relProjPath=0;optimize=0;", 0, false},
        {"export cube.ma -o out/c.qax --vertex-colors --optimize", Subcommand::Export, "out/c.qax",
         "vertexColors=1;relProjPath=0;optimize=1;", 0, false},
        {"export cube.ma --options vertexColors=1;relProjPath=1; --up-axis z pCube1 |grp|pSphere1 -s extra",
         Subcommand::Export, "cube.qax", "vertexColors=1;relProjPath=1;", 3, true},
        {"export a.b/scene --rel-proj-path", Subcommand::Export, "a.b/scene.qax", "vertexColors=0;relProjPath=1;optimize=0;", 0, false},
        {"inspect out.qax --json", Subcommand::Inspect, "out.qax", "", 0, false},
        {"to-gltf out.qax", Subcommand::ToGltf, "out.qax", "out.gltf", 0, false},
        {"to-gltf out.qax view.glb", Subcommand::ToGltf, "out.qax", "view.glb", 0, false},
        {"--help", Subcommand::Help, "", "", 0, false},
        {"export --help", Subcommand::Help, "", "", 0, false},
        {"--version", Subcommand::Version, "", "", 0, false},
        // Words with a scene extension are further scenes, the others nodes.
        {"export a.ma -s n1 b.obj pCube1 -j 3 --timeout 2.5", Subcommand::Export, "", "vertexColors=0;relProjPath=0;optimize=0;", 2,
         false},
    };
    for (const Case& c : cases) {
        CommandLine command;
        std::string error;
        ASSERT_TRUE(parseCommandLine(words(c.line), command, error)) << c.line << ": " << error;
        EXPECT_EQ(command.subcommand, c.subcommand) << c.line;
        if (c.subcommand == Subcommand::Help) {
            EXPECT_NE(command.helpText.find("Options:"), std::string::npos) << c.line;
        }
        if (c.subcommand == Subcommand::Export) {
            EXPECT_EQ(command.outputPath, c.output) << c.line;
            EXPECT_EQ(exportOptions(command), c.options) << c.line;
            EXPECT_EQ(command.selection.size(), c.selected) << c.line;
            EXPECT_EQ(command.zUp, c.zUp) << c.line;
            EXPECT_EQ(isBatch(command), command.inputs.size() > 1) << c.line;
        } else if (c.subcommand == Subcommand::Inspect || c.subcommand == Subcommand::ToGltf) {
            EXPECT_EQ(command.qaxPath, c.output) << c.line;
            if (c.subcommand == Subcommand::ToGltf) {
                EXPECT_EQ(command.gltfPath, c.options) << c.line;
            }
        }
    }
}

TEST(CommandLine, RejectsUsageErrors)
{
    struct Case {
        const char* line;
        const char* error;  // a part of the message
    };
    const Case cases[] = {
        {"", "no subcommand given (export, inspect or to-gltf; --help for more)"},
        {"convert x.ma", "unknown subcommand \"convert\" (export, inspect or to-gltf)"},
        {"export", "export needs a scene file"},
        {"export a.ma -o", "--output"},
        {"export a.ma --up-axis x", "--up-axis takes y or z, not \"x\""},
        {"export a.ma --optimize --options optimize=1;", "give either --options or the option flags, not both"},
        {"export a.ma --fast", "--fast"},
        {"export a.ma b.ma -j 0", "--jobs"},
        {"export a.ma b.ma --timeout -1", "--timeout"},
        {"export a.obj --scale 0", "--scale takes a positive number, not \"0\""},
        {"export a.obj --scale -1", "not \"-1\""},
        {"export a.obj --scale 2x", "not \"2x\""},
        {"export a.obj --scale 1e999", "not \"1e999\""},
        {"export a.obj --scale nan", "not \"nan\""},
        {"inspect", "file"},
        {"inspect a.qax b.qax", "b.qax"},
        {"to-gltf a.qax b.gltf c", "c"},
        {"to-gltf a.qax --json", "--json"},
    };
    for (const Case& c : cases) {
        CommandLine command;
        std::string error;
        EXPECT_FALSE(parseCommandLine(words(c.line), command, error)) << c.line;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.line << ": " << error;
    }
}
