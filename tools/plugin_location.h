#pragma once
// Where the command-line tool finds the plug-in module when no --plugin names one: beside itself once
// installed (any prefix, the tree moved or not), else the module of the build tree it was built in.

#include <string>

namespace qaxtools {

// The file of the running program, symbolic links resolved (/proc/self/exe); "" when it cannot be read.
std::string runningExecutable();

// The module `relative` to the directory of `executable` when that file exists, otherwise `buildTreeModule`.
// The caller gives the executable's resolved path, the installed module's path relative to its directory
// ("../lib/qaxexport/qaxExport.so") and the build tree's module (may be ""). Returns the path chosen.
std::string pluginModuleFor(const std::string& executable, const std::string& relative,
                            const std::string& buildTreeModule);

// pluginModuleFor the running program with the paths this build compiled in; "" when neither is known.
std::string locatePluginModule();

} // namespace qaxtools
