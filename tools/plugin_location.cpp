#include "tools/plugin_location.h"

#include <unistd.h>

#include <vector>

namespace qaxtools {

std::string runningExecutable()
{
    // The link's target can be longer than any fixed buffer; grow until it fits.
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return "";
        if (static_cast<size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string pluginModuleFor(const std::string& executable, const std::string& relative,
                            const std::string& buildTreeModule)
{
    const size_t slash = executable.find_last_of('/');
    if (relative.empty() || slash == std::string::npos)
        return buildTreeModule;
    const std::string installed = executable.substr(0, slash + 1) + relative;
    return access(installed.c_str(), F_OK) == 0 ? installed : buildTreeModule;
}

std::string locatePluginModule()
{
#ifdef QAX_PLUGIN_MODULE
    const std::string buildTreeModule = QAX_PLUGIN_MODULE;
#else
    const std::string buildTreeModule;
#endif
#ifdef QAX_PLUGIN_FROM_TOOL
    return pluginModuleFor(runningExecutable(), QAX_PLUGIN_FROM_TOOL, buildTreeModule);
#else
    return buildTreeModule;
#endif
}

} // namespace qaxtools
