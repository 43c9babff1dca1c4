#include <gtest/gtest.h>

#include <string>

#include "log/log.h"
#include "support/test_support.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

// Only level 0 is written; messages append, percent signs inside arguments stay as they are, and a message
// longer than the limit is cut.
TEST(Log, WritesOnlyLevelZeroToFileAndConsole)
{
    testsupport::LogCapture capture;
    CaptureStderr();
    logPrint(2, "level two %d\n", 2);
    logPrint(3, "level three\n");
    logPrint(5, "level five\n");
    logPrint(0, "kept %s %d\n", "text", 7);
    logPrint(0, "node '%s'\n", "odd%dname%s");
    logPrint(0, "%i%%\n", 50);
    logPrint(0, "%s\n", std::string(5000, 'x').c_str());
    std::string expected = "kept text 7\nnode 'odd%dname%s'\n50%\n" + std::string(LOG_MESSAGE_MAX, 'x');
    EXPECT_EQ(GetCapturedStderr(), expected);
    EXPECT_EQ(capture.text(), expected);
}

TEST(Log, IndentPrefixesFirstLineOnlyAndIsBounded)
{
    testsupport::LogCapture capture;
    CaptureStderr();
    logPrint(0, "top\n");
    pushLogIndent();
    logPrint(0, "one\ninner\n");
    pushLogIndent();
    logPrint(0, "two\n");
    popLogIndent();
    popLogIndent();
    popLogIndent(); // empty prefix: unchanged
    logPrint(0, "back\n");
    std::string expected = "top\n  one\ninner\n    two\nback\n";
    EXPECT_EQ(GetCapturedStderr(), expected);
    EXPECT_EQ(capture.text(), expected);

    snprintf(logIndent, LOG_INDENT_SIZE, " ");
    popLogIndent(); // one blank: unchanged
    EXPECT_STREQ(logIndent, " ");

    logIndent[0] = '\0';
    for (int i = 0; i < 10; ++i)
        pushLogIndent();
    EXPECT_EQ(std::string(logIndent), std::string(14, ' ')) << "seven levels at most";
    popLogIndent();
    EXPECT_EQ(std::string(logIndent), std::string(12, ' '));
}

TEST(Log, UnopenableFileStillEchoesToConsole)
{
    testsupport::LogCapture capture;
    for (const char* directory : {"/nonexistent-qax-dir/sub", ""}) {
        snprintf(pluginDirectory, sizeof(pluginDirectory), "%s", directory);
        CaptureStderr();
        logPrint(0, "still shown\n");
        EXPECT_EQ(GetCapturedStderr(), "still shown\n") << directory;
    }
    EXPECT_FALSE(testsupport::fileExists("/nonexistent-qax-dir/sub/qaxExport.log"));
}
