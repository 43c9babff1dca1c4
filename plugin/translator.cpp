#include "plugin/translator.h"

#include <cstdio>
#include <cstring>

#include "model/fixed_text.h"

static const char* const qaxExtension = "qax";
static const char* const qaxSuffix = ".qax";

qaxTranslator::qaxTranslator() {}

qaxTranslator::~qaxTranslator() {}

void* qaxTranslator::creator()
{
    return new qaxTranslator();
}

MStatus qaxTranslator::reader(const MFileObject&, const MString&, FileAccessMode)
{
    // Console only: an import attempt says nothing about any export, so it stays out of the log.
    fputs("qaxTranslator::reader called in error\n", stderr);
    return MStatus::kFailure;
}

bool qaxTranslator::haveReadMethod() const
{
    return false;
}

bool qaxTranslator::haveWriteMethod() const
{
    return true;
}

MString qaxTranslator::defaultExtension() const
{
    return MString(qaxExtension);
}

MPxFileTranslator::MFileKind qaxTranslator::identifyFile(const MFileObject& file, const char*, short) const
{
    MString name = file.name();
    size_t length = name.length();
    size_t suffixLength = strlen(qaxSuffix);
    // A bare ".qax" has no name in front of the extension.
    if (length <= suffixLength)
        return kNotMyFileType;
    if (!equalIgnoringCase(name.asChar() + (length - suffixLength), qaxSuffix))
        return kNotMyFileType;
    return kCouldBeMyFileType;
}
