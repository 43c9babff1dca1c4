#include "scene_readers/interchange/announced_counts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using interchange::checkAnnouncedCountsInText;

std::string plyHeader(const std::string& format, const std::string& vertices, const std::string& faces)
{
    return "ply\nformat " + format + " 1.0\nelement vertex " + vertices +
           "\nproperty float x\nproperty float y\nproperty float z\nelement face " + faces +
           "\nproperty list uchar int vertex_indices\nend_header\n";
}

TEST(AnnouncedCounts, HeadersAgainstTheirBodies)
{
    const std::string asciiBody = "0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n";
    std::string binaryBody(3 * 12 + 1 + 12, '\0');
    struct Case {
        const char* name;
        std::string contents;
        bool ok;
        const char* messagePart;
    };
    const Case cases[] = {
        {"ascii, consistent", plyHeader("ascii", "3", "1") + asciiBody, true, ""},
        {"binary, consistent", plyHeader("binary_little_endian", "3", "1") + binaryBody, true, ""},
        {"ascii, absurd vertex count", plyHeader("ascii", "2000000000", "1") + asciiBody, false,
         "announces 2000000000 vertex elements"},
        {"binary, two vertices too many", plyHeader("binary_little_endian", "5", "1") + binaryBody, false,
         "announces 5 vertex elements"},
        // Four vertices take 48 of the 49 bytes; the face needs at least its count byte, which is left.
        {"binary, exactly full", plyHeader("binary_little_endian", "4", "1") + binaryBody, true, ""},
        {"binary, count past 64 bits", plyHeader("binary_big_endian", "99999999999999999999999", "1"), false,
         "no valid count"},
        {"negative count", plyHeader("ascii", "-5", "1") + asciiBody, false, "no valid count"},
        {"count that is not a number", plyHeader("ascii", "many", "1") + asciiBody, false, "no valid count"},
        {"no end of header", "ply\nformat ascii 1.0\nelement vertex 3\n", false, "without end_header"},
        {"element without properties", "ply\nformat binary_little_endian 1.0\nelement junk 100\nend_header\n" +
                                           std::string(10, 'x'),
         false, "announces 100 junk elements"},
        {"not a PLY file", "v 0 0 0\nf 1 2 3\n", true, ""},
        {"empty", "", true, ""},
        {"PLY-like word only", "plywood\n", true, ""},
    };
    for (const Case& c : cases) {
        std::string problem;
        EXPECT_EQ(checkAnnouncedCountsInText(c.contents, problem), c.ok) << c.name << ": " << problem;
        if (!c.ok) {
            EXPECT_NE(problem.find(c.messagePart), std::string::npos) << c.name << ": " << problem;
        }
    }
}

} // namespace
