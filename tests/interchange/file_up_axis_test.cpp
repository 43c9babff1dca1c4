#include "scene_readers/interchange/file_up_axis.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using interchange::colladaUpAxis;
using interchange::FileUpAxis;

std::string collada(const std::string& asset, const std::string& rest = "")
{
    return "<?xml version=\"1.0\"?>\n<COLLADA version=\"1.4.1\">\n" + asset + rest + "</COLLADA>\n";
}

TEST(FileUpAxis, ColladaDocumentAsset)
{
    struct Case {
        const char* name;
        std::string text;
        FileUpAxis expected;
        bool warns;
    };
    const Case cases[] = {
        {"z up", collada("<asset><up_axis>Z_UP</up_axis></asset>"), FileUpAxis::Z, false},
        {"y up with blanks", collada("<asset>\n  <up_axis> Y_UP\n</up_axis>\n</asset>"), FileUpAxis::Y, false},
        {"x up", collada("<asset><up_axis>X_UP</up_axis></asset>"), FileUpAxis::NotRecorded, true},
        {"none", collada("<asset><unit meter=\"1\"/></asset>"), FileUpAxis::NotRecorded, false},
        // Only the document's own asset counts, not one of a node further on.
        {"nested asset", collada("<asset></asset>", "<node><asset><up_axis>Z_UP</up_axis></asset></node>"),
         FileUpAxis::NotRecorded, false},
        {"no asset", collada(""), FileUpAxis::NotRecorded, false},
        {"unterminated", collada("<asset><up_axis>Z_UP"), FileUpAxis::NotRecorded, false},
    };
    for (const Case& c : cases) {
        std::string warning;
        EXPECT_EQ(colladaUpAxis(c.text, warning), c.expected) << c.name;
        EXPECT_EQ(!warning.empty(), c.warns) << c.name << ": " << warning;
    }
}

} // namespace
