#include "scene_readers/interchange/node_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using interchange::hostNodeName;
using interchange::NameRegistry;

TEST(NodeNames, FileNamesBecomeHostNames)
{
    struct Case {
        const char* fileName;
        const char* expected;
    };
    const Case cases[] = {
        {"pCube1", "pCube1"},
        {"Cube.001", "Cube_001"},
        {"left wheel", "left_wheel"},
        {"ns:part|child", "ns_part_child"},
        {"3dsRoot", "_3dsRoot"},
        {"", "fallback"},
        {"\xc3\xa9t\xc3\xa9", "__t__"}, // two-byte characters: one underscore per byte
        {"_under", "_under"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hostNodeName(c.fileName, "fallback"), c.expected) << c.fileName;
}

TEST(NodeNames, RegistryMakesRepeatedNamesUnique)
{
    struct Case {
        std::vector<std::string> reserved;
        std::vector<std::string> wanted;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{}, {"wheel", "wheel", "wheel"}, {"wheel", "wheel1", "wheel2"}},
        {{"persp", "lambert1"}, {"persp", "lambert1"}, {"persp1", "lambert11"}},
        // A number another node already holds is skipped.
        {{"wheel1"}, {"wheel", "wheel"}, {"wheel", "wheel2"}},
        {{}, {"a.b", "a_b", ""}, {"a_b", "a_b1", "node"}},
        {{}, {"", ""}, {"node", "node1"}},
    };
    for (const Case& c : cases) {
        NameRegistry names;
        for (const std::string& name : c.reserved)
            names.reserve(name);
        std::vector<std::string> got;
        for (const std::string& wanted : c.wanted)
            got.push_back(names.claim(wanted, "node"));
        EXPECT_EQ(got, c.expected);
        for (const std::string& name : got)
            EXPECT_TRUE(names.isTaken(name)) << name;
    }
}

} // namespace
