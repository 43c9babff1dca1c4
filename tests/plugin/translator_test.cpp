#include <gtest/gtest.h>

#include <maya/MFileObject.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MString.h>

#include <memory>
#include <string>

#include "plugin/translator.h"
#include "support/test_support.h"

// A writer only, of .qax files, which it knows by their name alone.
TEST(Translator, WritesQaxFilesAndIdentifiesThemByNameAlone)
{
    // The host owns what the creator returns and deletes it through the base class.
    std::unique_ptr<MPxFileTranslator> translator(static_cast<MPxFileTranslator*>(qaxTranslator::creator()));
    EXPECT_FALSE(translator->haveReadMethod());
    EXPECT_TRUE(translator->haveWriteMethod());
    EXPECT_EQ(std::string(translator->defaultExtension().asChar()), "qax");
    struct Case {
        const char* fullName;
        MPxFileTranslator::MFileKind kind;
    };
    const Case cases[] = {
        {"/scenes/model.qax", MPxFileTranslator::kCouldBeMyFileType},
        {"/scenes/MODEL.QAX", MPxFileTranslator::kCouldBeMyFileType},
        {"/scenes/archive.qax.qax", MPxFileTranslator::kCouldBeMyFileType},
        {"/scenes/.qax", MPxFileTranslator::kNotMyFileType}, // the name is only the extension
        {"/scenes/qax", MPxFileTranslator::kNotMyFileType},
        {"/scenes/model.qaxx", MPxFileTranslator::kNotMyFileType},
        {"/scenes/model.qax.bak", MPxFileTranslator::kNotMyFileType},
        {"/scenes/modelqax", MPxFileTranslator::kNotMyFileType},
        {"/files.qax/model.ma", MPxFileTranslator::kNotMyFileType}, // the directory is not looked at
    };
    // The first bytes of a file would say "QAX1"; the rule never reads them.
    const char contents[] = "QAX1";
    for (const Case& c : cases) {
        MFileObject file;
        file.setFullName(MString(c.fullName));
        EXPECT_EQ(translator->identifyFile(file, contents, short(sizeof(contents) - 1)), c.kind) << c.fullName;
        EXPECT_EQ(translator->identifyFile(file, nullptr, 0), c.kind) << c.fullName;
    }
}

TEST(Translator, ReaderRefusesOnTheConsoleOnly)
{
    testsupport::LogCapture capture;
    std::unique_ptr<MPxFileTranslator> translator(static_cast<MPxFileTranslator*>(qaxTranslator::creator()));
    const MPxFileTranslator::FileAccessMode modes[] = {MPxFileTranslator::kOpenAccessMode,
                                                       MPxFileTranslator::kImportAccessMode};
    testsupport::TempDir scenes;
    testsupport::writeFile(scenes.file("model.qax"), "QAX1");
    MFileObject file;
    file.setFullName(MString(scenes.file("model.qax").c_str()));
    for (MPxFileTranslator::FileAccessMode mode : modes) {
        testing::internal::CaptureStderr();
        MStatus status = translator->reader(file, MString("vertexColors=1;"), mode);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "qaxTranslator::reader called in error\n");
        EXPECT_EQ(status, MStatus::kFailure);
        EXPECT_EQ(capture.text(), "") << "nothing reaches the log file";
        EXPECT_EQ(testsupport::readFile(scenes.file("model.qax")), "QAX1");
    }
}
