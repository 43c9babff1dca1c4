#include <gtest/gtest.h>

#include <headless/plugin_host.h>

#include <maya/MString.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "plugin/export_options.h"
#include "plugin/settings.h"

namespace {

std::vector<std::string> matches(const std::string& text, const std::string& pattern)
{
    std::vector<std::string> found;
    const std::regex expression(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), expression); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1]);
    return found;
}

std::string between(const std::string& text, const std::string& from, const std::string& to)
{
    const size_t start = text.find(from);
    const size_t end = text.find(to, start == std::string::npos ? 0 : start);
    return start == std::string::npos ? "" : text.substr(start, end == std::string::npos ? end : end - start);
}

} // namespace

// The host runs the script the translator names with the translator's default string; what the script reads
// and writes must be the keys the translator's parser acts on, in the default string's order.
TEST(OptionsScript, speaksTheTranslatorsOptionString)
{
    std::string error;
    ASSERT_TRUE(headless::loadPlugin(QAX_PLUGIN_MODULE, error)) << error;
    const headless::TranslatorRegistration* registration = headless::findTranslator("qaxExport");
    ASSERT_NE(registration, nullptr);
    const std::string scriptName = registration->optionsScript;
    const std::string defaults = registration->defaultOptions;
    headless::unloadPlugin("qaxExport");

    const std::vector<std::string> defaultKeys = matches(defaults, "([A-Za-z]+)=[0-9]+;");
    ASSERT_EQ(defaultKeys.size(), 3u) << defaults;
    // Each key turns on a flag of its own in the parser, so none is a key the translator ignores.
    uint8_t* const flags[] = {&includeVertexColors, &useProjectRelativePaths, &optimizeModel};
    std::vector<int> flagOfKey;
    for (const std::string& key : defaultKeys) {
        parseExportOptions(MString((key + "=1;").c_str()));
        int on = -1, count = 0;
        for (int i = 0; i < 3; ++i)
            if (*flags[i]) {
                on = i;
                ++count;
            }
        EXPECT_EQ(count, 1) << key;
        for (int earlier : flagOfKey)
            EXPECT_NE(earlier, on) << key;
        flagOfKey.push_back(on);
    }
    parseExportOptions(MString(""));

    std::ifstream file(std::string(QAX_SOURCE_DIR) + "/host_scripts/" + scriptName + ".mel");
    ASSERT_TRUE(file) << scriptName;
    std::stringstream text;
    text << file.rdbuf();
    const std::string script = text.str();
    EXPECT_EQ(matches(script, "global proc int ([A-Za-z]+)\\(string \\$parent, string \\$action, "
                              "string \\$initialSettings, string \\$resultCallback\\)"),
              std::vector<std::string>{scriptName});
    const std::string post = between(script, "$action == \"post\"", "$action == \"query\"");
    const std::string query = between(script, "$action == \"query\"", "return 0;");
    EXPECT_EQ(matches(post, "\\$parts\\[0\\] == \"([A-Za-z]+)\""), defaultKeys);
    EXPECT_EQ(matches(query, "\"([A-Za-z]+)=\" \\+"), defaultKeys);
    EXPECT_NE(query.find("eval($resultCallback"), std::string::npos);
}
