#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tools/plugin_location.h"

namespace fs = std::filesystem;

// An installed tool takes the module beside it; anywhere else (the build tree, a test program) the build's own.
TEST(PluginLocation, installedModuleBesideTheToolElseTheBuildTree)
{
    const fs::path root = fs::temp_directory_path() / ("qax_plugin_location_" + std::to_string(getpid()));
    fs::create_directories(root / "prefix/bin");
    fs::create_directories(root / "prefix/lib/qaxexport");
    std::ofstream(root / "prefix/lib/qaxexport/qaxExport.so") << "module";
    const std::string tool = (root / "prefix/bin/qaxexport").string();
    const std::string installed = (root / "prefix/bin/../lib/qaxexport/qaxExport.so").string();

    struct Case {
        std::string executable, relative, buildTree, expected;
    } cases[] = {
        {tool, "../lib/qaxexport/qaxExport.so", "/build/plugin/qaxExport.so", installed},
        {tool, "../lib/other/qaxExport.so", "/build/plugin/qaxExport.so", "/build/plugin/qaxExport.so"},
        {tool, "", "/build/plugin/qaxExport.so", "/build/plugin/qaxExport.so"},
        {"", "../lib/qaxexport/qaxExport.so", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qaxtools::pluginModuleFor(c.executable, c.relative, c.buildTree), c.expected) << c.relative;
    EXPECT_EQ(fs::path(qaxtools::runningExecutable()).filename(), "install_tests");
    fs::remove_all(root);
}
