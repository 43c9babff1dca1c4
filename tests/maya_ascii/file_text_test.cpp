// A scene file is mapped where it can be and read otherwise; both must give the same text, and a file that
// cannot be read must say why.
#include "scene_readers/maya_ascii/file_text.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <thread>

#include <sys/stat.h>

using namespace mayaascii;

TEST(FileText, MapsFilesReadsPipesAndNamesFailures)
{
    testsupport::TempDir dir;
    const std::string text = "//Maya ASCII 2018 scene\ncreateNode transform -n \"a\";\n";
    std::ofstream(dir.file("scene.ma"), std::ios::binary) << text;
    std::ofstream(dir.file("empty.ma"), std::ios::binary);
    ASSERT_EQ(mkfifo(dir.file("pipe.ma").c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(dir.file("pipe.ma"), std::ios::binary) << text; });

    struct Case {
        const char* name;
        bool ok;
        std::string text;  // or the message on failure
    } cases[] = {
        {"scene.ma", true, text},
        {"pipe.ma", true, text},
        {"empty.ma", true, ""},
        {"missing.ma", false, "cannot open the file (No such file or directory)"},
        {".", false, "cannot read the file (Is a directory)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FileText file;
        std::string error;
        // No ASSERT: the pipe must be opened, or its writer never finishes.
        const bool opened = file.open(dir.file(c.name), error);
        EXPECT_EQ(opened, c.ok);
        EXPECT_EQ(opened ? std::string(file.text()) : error, c.text);
        file.release();
        EXPECT_TRUE(file.text().empty());
    }
    writer.join();
}
