#include <dlfcn.h>

#include "export_fixture.h"

namespace {

const char* const modulePath = QAX_PLUGIN_MODULE;

void expectQaxRegistration(const headless::TranslatorRegistration* registration, const std::string& plugin)
{
    ASSERT_NE(registration, nullptr);
    EXPECT_EQ(registration->name, "qaxExport");
    EXPECT_EQ(registration->pixmap, "none");
    EXPECT_NE(registration->creator, nullptr);
    EXPECT_EQ(registration->optionsScript, "qaxExportOptions");
    EXPECT_EQ(registration->defaultOptions, "vertexColors=0;relProjPath=0;optimize=0;");
    EXPECT_FALSE(registration->requiresFullMel);
    EXPECT_EQ(registration->plugin, plugin);
}

} // namespace

TEST(PluginModule, ExportsOnlyTheEntryPointsAndTheApiVersion)
{
    void* module = dlopen(modulePath, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    EXPECT_NE(dlsym(module, "initializePlugin"), nullptr);
    EXPECT_NE(dlsym(module, "uninitializePlugin"), nullptr);
    const char* version = static_cast<const char*>(dlsym(module, "MApiVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_STREQ(version, "500");
    // Everything else stays inside the module, so it cannot clash with another plug-in's names.
    const char* internals[] = {"pluginDirectory", "logIndent", "outputPath", "_Z11exportModeli",
                               "_Z8logPrintiPKcz", "_ZN13qaxTranslator7creatorEv"};
    for (const char* name : internals)
        EXPECT_EQ(dlsym(module, name), nullptr) << name;
    EXPECT_EQ(dlclose(module), 0);
}

// The tools export through the module the host loads (their tests); here the host's load and unload of it.
TEST(PluginModule, HostLoadsItRegistersTheTranslatorAndUnloads)
{
    testsupport::TempDir pluginDir;
    std::string copy = pluginDir.file("qaxExport.so");
    std::filesystem::copy_file(modulePath, copy);

    std::string error;
    MStatus initializeStatus;
    ASSERT_TRUE(headless::loadPlugin(copy, error, &initializeStatus)) << error;
    EXPECT_EQ(initializeStatus, MStatus::kSuccess);
    EXPECT_TRUE(headless::isPluginLoaded("qaxExport"));
    EXPECT_EQ(headless::pluginApiVersion("qaxExport"), "500");
    expectQaxRegistration(headless::findTranslator("qaxExport"), "qaxExport");

    EXPECT_EQ(headless::unloadPlugin("qaxExport"), MStatus::kSuccess);
    EXPECT_FALSE(headless::isPluginLoaded("qaxExport"));
    EXPECT_EQ(headless::findTranslator("qaxExport"), nullptr);
}

TEST(PluginEntryPoints, RegisterAndDeregisterWithTheHostsStatus)
{
    testsupport::TempDir pluginDir;
    MObject plugin = headless::makePluginObject("qaxExportEntryTest", pluginDir.path());
    EXPECT_EQ(initializePlugin(plugin), MStatus::kSuccess);
    EXPECT_STREQ(pluginDirectory, pluginDir.path().c_str());
    expectQaxRegistration(headless::findTranslator("qaxExport"), "qaxExportEntryTest");
    // The host refuses a second translator of the same name; its status comes back unchanged.
    MStatus again = initializePlugin(plugin);
    EXPECT_TRUE(again.error());
    EXPECT_NE(headless::findTranslator("qaxExport"), nullptr);

    EXPECT_EQ(uninitializePlugin(plugin), MStatus::kSuccess);
    EXPECT_EQ(headless::findTranslator("qaxExport"), nullptr);
    EXPECT_TRUE(uninitializePlugin(plugin).error()) << "nothing left to deregister";
    EXPECT_EQ(testsupport::readFile(pluginDir.file("qaxExport.log")), "") << "registration logs nothing";
    pluginDirectory[0] = '\0';
}

TEST(PluginEntryPoints, PluginDirectoryThatDoesNotFitKeepsTheLogOnTheConsole)
{
    for (size_t length : {259, 260, 400}) {
        std::string directory = "/" + std::string(length - 1, 'd');
        MObject plugin = headless::makePluginObject("qaxExportLongPath", directory);
        testing::internal::CaptureStderr();
        EXPECT_EQ(initializePlugin(plugin), MStatus::kSuccess);
        std::string console = testing::internal::GetCapturedStderr();
        if (length <= 259) {
            EXPECT_EQ(std::string(pluginDirectory), directory);
            EXPECT_EQ(console, "");
        } else {
            EXPECT_STREQ(pluginDirectory, "") << "a cut directory would put the log elsewhere";
            EXPECT_EQ(console, "Warning: Plug-in directory is too long (" + std::to_string(length) +
                                   " characters, at most 259), the export log goes to the console only: " +
                                   directory + "\n");
        }
        EXPECT_EQ(uninitializePlugin(plugin), MStatus::kSuccess);
        pluginDirectory[0] = '\0';
    }
}
