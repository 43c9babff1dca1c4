#include <gtest/gtest.h>

#include <string>

#include "log/log.h"
#include "support/test_support.h"

TEST(Log, PlaceholderBuilds)
{
    testsupport::LogCapture capture;
    logPrint(0, "hello %d\n", 1);
    EXPECT_EQ(capture.text(), "hello 1\n");
}
