#include "scene_readers/interchange/interchange_reader.h"

#include "scene_readers/interchange/announced_counts.h"
#include "scene_readers/interchange/file_extension.h"
#include "scene_readers/interchange/file_up_axis.h"
#include "scene_readers/interchange/library_import.h"
#include "scene_readers/interchange/scene_builder.h"

#include <assimp/scene.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>

namespace interchange {

namespace {

std::string absoluteDirectoryOf(const std::string& path)
{
    std::string directory;
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved != nullptr) {
        directory = resolved;
        std::free(resolved);
    } else {
        directory = path;
    }
    const size_t slash = directory.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : directory.substr(0, slash);
}

InterchangeReport failure(InterchangeReport report, const std::string& path, const std::string& reason)
{
    headless::newScene();
    report.ok = false;
    report.message = path + ": " + reason;
    report.transforms = report.meshes = report.instances = report.shaders = report.fileTextures = 0;
    report.cameras = report.lights = 0;
    report.faces = 0;
    return report;
}

} // namespace

InterchangeReport loadInterchangeFile(const std::string& path, const InterchangeOptions& options)
{
    InterchangeReport report;
    if (!std::isfinite(options.scale) || options.scale <= 0.0)
        return failure(report, path, "the scale must be a positive number");
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return failure(report, path, "cannot read the file (no such file, or not a regular file)");
    if (info.st_size == 0)
        return failure(report, path, "the file is empty");
    std::string problem;
    if (!checkAnnouncedCounts(path, problem))
        return failure(report, path, problem);

    ImportedFile imported;
    const unsigned long long budget =
        options.memoryBudget != 0 ? options.memoryBudget : defaultMemoryBudget((unsigned long long)(info.st_size));
    if (!importFile(path, budget, imported, problem))
        return failure(report, path, "cannot import: " + problem);
    const aiScene& scene = *imported.scene;

    headless::newScene();
    BuildSettings settings;
    settings.scale = options.scale;
    settings.fileDirectory = absoluteDirectoryOf(path);
    const std::string extension = lowerExtension(path);
    settings.quirks.cameraPositionIsNodeTranslation = extension == "gltf" || extension == "glb";
    settings.quirks.spotAnglesAreHalfAngles = extension == "gltf" || extension == "glb";
    settings.rootMatrixIsUnitScale = extension == "dae";
    settings.materialsAreStandIns = extension == "ply";
    if (!buildScene(scene, settings, report))
        return failure(report, path, report.message);

    std::string warning;
    const FileUpAxis recorded = fileUpAxis(path, scene, warning);
    if (!warning.empty())
        report.warnings.push_back(warning);
    switch (options.upAxis) {
    case UpAxisChoice::Y:
        report.upAxis = headless::UpAxis::Y;
        break;
    case UpAxisChoice::Z:
        report.upAxis = headless::UpAxis::Z;
        break;
    case UpAxisChoice::FromFile:
        report.upAxis = recorded == FileUpAxis::Z ? headless::UpAxis::Z : headless::UpAxis::Y;
        report.upAxisFromFile = recorded != FileUpAxis::NotRecorded;
        break;
    }
    if (options.upAxis != UpAxisChoice::FromFile && recorded != FileUpAxis::NotRecorded &&
        (recorded == FileUpAxis::Z) != (options.upAxis == UpAxisChoice::Z))
        report.warnings.push_back(std::string("the file records ") + (recorded == FileUpAxis::Z ? "Z" : "Y") +
                                  " up; the scene is set " + (options.upAxis == UpAxisChoice::Z ? "Z" : "Y") +
                                  " up as asked");
    headless::setUpAxis(report.upAxis);
    report.ok = true;
    return report;
}

bool isInterchangeFile(const std::string& path)
{
    return lowerExtension(path) != "ma" && libraryReadsExtension(path);
}

} // namespace interchange
