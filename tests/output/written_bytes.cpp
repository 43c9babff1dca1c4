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

std::vector<unsigned char> goldenBytes(const std::string& name)
{
    const std::string file = __FILE__;
    return testsupport::readBytes(file.substr(0, file.find_last_of('/') + 1) + name);
}

} // namespace qaxtest
