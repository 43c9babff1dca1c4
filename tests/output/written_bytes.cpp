// The test programs' own half of qax_test_models.h (the fuzz seed writer builds the rest without the test support).
#include "output/writer.h"
#include "qax_test_models.h"
#include "support/test_support.h"

namespace qaxtest {

std::vector<unsigned char> writtenBytes(const qaxModel& model)
{
    testsupport::LogCapture capture;
    testsupport::TempDir dir;
    std::string path = dir.file("model.qax");
    if (!writeOutQAXFile(path.c_str(), model))
        return {};
    return testsupport::readBytes(path);
}

} // namespace qaxtest
