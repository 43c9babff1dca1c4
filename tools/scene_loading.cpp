#include "tools/scene_loading.h"

#include "scene_readers/maya_ascii/maya_ascii_reader.h"
#ifdef QAX_HAVE_INTERCHANGE
#include "scene_readers/interchange/interchange_reader.h"
#endif

#include <headless/scene.h>

namespace qaxtools {

namespace {

bool endsWithMayaAscii(const std::string& path)
{
    if (path.size() < 3)
        return false;
    const std::string tail = path.substr(path.size() - 3);
    return tail == ".ma" || tail == ".MA" || tail == ".Ma" || tail == ".mA";
}

} // namespace

bool isSceneFile(const std::string& path)
{
    if (endsWithMayaAscii(path))
        return true;
#ifdef QAX_HAVE_INTERCHANGE
    return interchange::isInterchangeFile(path);
#else
    return false;
#endif
}

SceneLoad loadSceneFile(const CommandLine& command)
{
    SceneLoad load;
    if (endsWithMayaAscii(command.scenePath)) {
        if (command.scale != 1.0) {
            load.message = "--scale applies to interchange files only; a Maya ASCII scene keeps its own units";
            return load;
        }
        const mayaascii::LoadReport report = mayaascii::loadMayaAsciiFile(command.scenePath);
        load.warnings = report.warnings;
        load.ok = report.ok;
        load.message = report.message;
        if (load.ok)
            headless::setUpAxis(command.zUp ? headless::UpAxis::Z : headless::UpAxis::Y);
        return load;
    }
#ifdef QAX_HAVE_INTERCHANGE
    if (interchange::isInterchangeFile(command.scenePath)) {
        interchange::InterchangeOptions options;
        options.scale = command.scale;
        if (command.upAxisGiven)
            options.upAxis = command.zUp ? interchange::UpAxisChoice::Z : interchange::UpAxisChoice::Y;
        const interchange::InterchangeReport report = interchange::loadInterchangeFile(command.scenePath, options);
        load.warnings = report.warnings;
        load.ok = report.ok;
        load.message = report.message;
        return load;
    }
#endif
    load.message = "unknown scene format: " + command.scenePath +
                   " (Maya ASCII .ma, or a format the interchange reader imports: .obj, .gltf, .glb, .fbx, .dae, "
                   ".ply, .stl, ...)";
    return load;
}

} // namespace qaxtools
