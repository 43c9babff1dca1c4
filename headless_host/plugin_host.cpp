// What the host does with plug-in modules: loading them, the plug-in function set and its registry of file
// translators, the translator base class, file objects, and exports through a translator.
#include "scene_model.h"

#include <headless/plugin_host.h>
#include <maya/MFileIO.h>
#include <maya/MFileObject.h>
#include <maya/MFnPlugin.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MString.h>

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

using headless::setStatus;

namespace headless {

namespace {

struct PluginRecord : PluginObject {
  std::string vendor;
  std::string version;
  std::string requiredApiVersion;
};

struct LoadedModule {
  std::string name;
  std::string path;
  std::string apiVersion;
  void* handle = nullptr;
  MObject object;
};

struct Registry {
  std::vector<LoadedModule> modules;
  std::vector<TranslatorRegistration> translators;
};

Registry& registry() {
  static Registry* theRegistry = new Registry;  // outlives static destruction: modules may still be loaded
  return *theRegistry;
}

typedef MStatus (*EntryPoint)(MObject);

PluginRecord* pluginOf(const MFnBase& fn) { return dynamic_cast<PluginRecord*>(FnAccess::object(fn)); }

void dropRegistrations(const std::string& plugin) {
  std::vector<TranslatorRegistration>& all = registry().translators;
  all.erase(std::remove_if(all.begin(), all.end(),
                           [&](const TranslatorRegistration& r) { return r.plugin == plugin; }),
            all.end());
}

std::string baseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = file.find('.');
  return dot == std::string::npos ? file : file.substr(0, dot);
}

std::string directoryOf(const std::string& path) {
  char resolved[PATH_MAX];
  std::string full = realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
  size_t slash = full.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : full.substr(0, slash);
}

std::string text(const char* value) { return value != nullptr ? value : ""; }

}  // namespace

MObject makePluginObject(const std::string& pluginName, const std::string& directory) {
  PluginRecord* record = new PluginRecord;
  record->name = pluginName;
  record->directory = directory;
  return ObjectAccess::make(record);
}

bool loadPlugin(const std::string& modulePath, std::string& error, MStatus* initializeStatus) {
  setStatus(initializeStatus, MStatus::kFailure);
  const std::string name = baseName(modulePath);
  if (isPluginLoaded(name)) {
    error = "plug-in \"" + name + "\" is already loaded";
    return false;
  }
  void* handle = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    error = "cannot load " + modulePath + ": " + (reason != nullptr ? reason : "unknown reason");
    return false;
  }
  EntryPoint initialize = reinterpret_cast<EntryPoint>(dlsym(handle, "initializePlugin"));
  EntryPoint uninitialize = reinterpret_cast<EntryPoint>(dlsym(handle, "uninitializePlugin"));
  if (initialize == nullptr || uninitialize == nullptr) {
    error = modulePath + " has no initializePlugin or uninitializePlugin";
    dlclose(handle);
    return false;
  }
  const char* version = static_cast<const char*>(dlsym(handle, "MApiVersion"));
  LoadedModule module;
  module.name = name;
  module.path = modulePath;
  module.apiVersion = text(version);
  module.handle = handle;
  module.object = makePluginObject(name, directoryOf(modulePath));
  MStatus status = initialize(module.object);
  setStatus(initializeStatus, status.statusCode());
  if (!status) {
    // A plug-in whose initialisation fails is unloaded again.
    dropRegistrations(name);
    dlclose(handle);
    error = "initializePlugin of " + modulePath + " failed";
    return false;
  }
  registry().modules.push_back(module);
  return true;
}

MStatus unloadPlugin(const std::string& pluginName) {
  std::vector<LoadedModule>& modules = registry().modules;
  for (size_t i = 0; i < modules.size(); ++i) {
    if (modules[i].name != pluginName) continue;
    LoadedModule module = modules[i];
    modules.erase(modules.begin() + static_cast<long>(i));
    EntryPoint uninitialize = reinterpret_cast<EntryPoint>(dlsym(module.handle, "uninitializePlugin"));
    MStatus status = uninitialize(module.object);
    // The module's code goes away: nothing of it may stay registered.
    dropRegistrations(pluginName);
    dlclose(module.handle);
    return status;
  }
  return MStatus::kFailure;
}

bool isPluginLoaded(const std::string& pluginName) {
  for (const LoadedModule& m : registry().modules) {
    if (m.name == pluginName) return true;
  }
  return false;
}

std::string pluginApiVersion(const std::string& pluginName) {
  for (const LoadedModule& m : registry().modules) {
    if (m.name == pluginName) return m.apiVersion;
  }
  return std::string();
}

std::vector<std::string> loadedPlugins() {
  std::vector<std::string> names;
  for (const LoadedModule& m : registry().modules) names.push_back(m.name);
  return names;
}

const TranslatorRegistration* findTranslator(const std::string& name) {
  for (const TranslatorRegistration& r : registry().translators) {
    if (r.name == name) return &r;
  }
  return nullptr;
}

std::vector<std::string> translatorNames() {
  std::vector<std::string> names;
  for (const TranslatorRegistration& r : registry().translators) names.push_back(r.name);
  return names;
}

MStatus exportFile(const std::string& translatorName, const std::string& filePath, const std::string& options,
                   MPxFileTranslator::FileAccessMode mode) {
  const TranslatorRegistration* registration = findTranslator(translatorName);
  if (registration == nullptr || registration->creator == nullptr) return MStatus::kFailure;
  MPxFileTranslator* translator = static_cast<MPxFileTranslator*>(registration->creator());
  if (translator == nullptr) return MStatus::kFailure;
  MStatus status = MStatus::kFailure;
  if (translator->haveWriteMethod()) {
    MFileObject file;
    file.setFullName(MString(filePath.c_str()));
    status = translator->writer(file, MString(options.c_str()), mode);
  }
  delete translator;
  return status;
}

}  // namespace headless

// ---- MFnPlugin
MFnPlugin::MFnPlugin() {}

MFnPlugin::MFnPlugin(MObject& object, const char* vendor, const char* version, const char* requiredApiVersion,
                     MStatus* ReturnStatus) {
  MStatus status = headless::FnAccess::attach(*this, object);
  headless::PluginRecord* record = headless::pluginOf(*this);
  if (record != nullptr) {
    record->vendor = headless::text(vendor);
    record->version = headless::text(version);
    record->requiredApiVersion = headless::text(requiredApiVersion);
  }
  setStatus(ReturnStatus, status.statusCode());
}

MFnPlugin::~MFnPlugin() {}
MFn::Type MFnPlugin::type() const { return MFn::kPlugin; }

MString MFnPlugin::vendor(MStatus* ReturnStatus) const {
  headless::PluginRecord* record = headless::pluginOf(*this);
  setStatus(ReturnStatus, record != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return record != nullptr ? MString(record->vendor.c_str()) : MString();
}

MString MFnPlugin::version(MStatus* ReturnStatus) const {
  headless::PluginRecord* record = headless::pluginOf(*this);
  setStatus(ReturnStatus, record != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return record != nullptr ? MString(record->version.c_str()) : MString();
}

MString MFnPlugin::apiVersion(MStatus* ReturnStatus) const {
  headless::PluginRecord* record = headless::pluginOf(*this);
  setStatus(ReturnStatus, record != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return record != nullptr ? MString(record->requiredApiVersion.c_str()) : MString();
}

MString MFnPlugin::name(MStatus* ReturnStatus) const {
  headless::PluginRecord* record = headless::pluginOf(*this);
  setStatus(ReturnStatus, record != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return record != nullptr ? MString(record->name.c_str()) : MString();
}

// The directory the module was loaded from, without a trailing separator.
MString MFnPlugin::loadPath(MStatus* ReturnStatus) const {
  headless::PluginRecord* record = headless::pluginOf(*this);
  setStatus(ReturnStatus, record != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return record != nullptr ? MString(record->directory.c_str()) : MString();
}

MStatus MFnPlugin::setName(const MString& newName, bool) {
  headless::PluginRecord* record = headless::pluginOf(*this);
  if (record == nullptr || newName.length() == 0) return MStatus::kFailure;
  for (headless::TranslatorRegistration& r : headless::registry().translators) {
    if (r.plugin == record->name) r.plugin = newName.asChar();
  }
  record->name = newName.asChar();
  return MStatus::kSuccess;
}

// Re-registering a name that is taken fails (a stand-in choice: the host's answer was not researched).
MStatus MFnPlugin::registerFileTranslator(const MString& translatorName, char* pixmapName,
                                          MCreatorFunction creatorFunction, char* optionsScriptName,
                                          char* defaultOptionsString, bool requiresFullMel) {
  headless::PluginRecord* record = headless::pluginOf(*this);
  if (record == nullptr || translatorName.length() == 0 || creatorFunction == nullptr) return MStatus::kFailure;
  if (headless::findTranslator(translatorName.asChar()) != nullptr) return MStatus::kFailure;
  headless::TranslatorRegistration registration;
  registration.name = translatorName.asChar();
  registration.pixmap = headless::text(pixmapName);
  registration.creator = creatorFunction;
  registration.optionsScript = headless::text(optionsScriptName);
  registration.defaultOptions = headless::text(defaultOptionsString);
  registration.requiresFullMel = requiresFullMel;
  registration.plugin = record->name;
  headless::registry().translators.push_back(registration);
  return MStatus::kSuccess;
}

// Deregistering a name that is not registered fails.
MStatus MFnPlugin::deregisterFileTranslator(const MString& translatorName) {
  if (headless::pluginOf(*this) == nullptr) return MStatus::kFailure;
  std::vector<headless::TranslatorRegistration>& all = headless::registry().translators;
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i].name == translatorName.asChar()) {
      all.erase(all.begin() + static_cast<long>(i));
      return MStatus::kSuccess;
    }
  }
  return MStatus::kFailure;
}

MObject MFnPlugin::findPlugin(const MString& pluginName) {
  for (const headless::LoadedModule& m : headless::registry().modules) {
    if (m.name == pluginName.asChar()) return m.object;
  }
  return MObject();
}

// ---- MPxFileTranslator: the defaults a translator inherits.
MPxFileTranslator::MPxFileTranslator() : data(nullptr) {}
MPxFileTranslator::~MPxFileTranslator() {}
MStatus MPxFileTranslator::reader(const MFileObject&, const MString&, FileAccessMode) { return MStatus::kFailure; }
MStatus MPxFileTranslator::writer(const MFileObject&, const MString&, FileAccessMode) { return MStatus::kFailure; }
bool MPxFileTranslator::haveReadMethod() const { return false; }
bool MPxFileTranslator::haveWriteMethod() const { return false; }
bool MPxFileTranslator::haveNamespaceSupport() const { return false; }
MString MPxFileTranslator::defaultExtension() const { return MString(); }
MString MPxFileTranslator::filter() const {
  MString extension = defaultExtension();
  return extension.length() > 0 ? MString("*.") + extension : MString("*.*");
}
bool MPxFileTranslator::canBeOpened() const { return true; }
MPxFileTranslator::MFileKind MPxFileTranslator::identifyFile(const MFileObject&, const char*, short) const {
  return kNotMyFileType;
}

// ---- MFileObject
namespace {

char* copyText(const std::string& value) {
  char* copy = new char[value.size() + 1];
  std::memcpy(copy, value.c_str(), value.size() + 1);
  return copy;
}

}  // namespace

MFileObject::MFileObject() : directory_(copyText("")), name_(copyText("")) {}
MFileObject::MFileObject(const MFileObject& other)
    : directory_(copyText(other.directory_)), name_(copyText(other.name_)) {}
MFileObject::~MFileObject() {
  delete[] directory_;
  delete[] name_;
}
MFileObject& MFileObject::operator=(const MFileObject& other) {
  if (this != &other) {
    setRawPath(MString(other.directory_));
    setName(MString(other.name_));
  }
  return *this;
}

MStatus MFileObject::setName(const MString& fileName) {
  char* copy = copyText(fileName.asChar());
  delete[] name_;
  name_ = copy;
  return MStatus::kSuccess;
}

MStatus MFileObject::setRawPath(const MString& pathString) {
  char* copy = copyText(pathString.asChar());
  delete[] directory_;
  directory_ = copy;
  return MStatus::kSuccess;
}

// Splits a full name at its last '/' into the directory and the file name.
MStatus MFileObject::setFullName(const MString& fileName) {
  std::string full = fileName.asChar();
  size_t slash = full.find_last_of('/');
  if (slash == std::string::npos) {
    setRawPath(MString());
    return setName(fileName);
  }
  setRawPath(MString(full.substr(0, slash + 1).c_str()));
  return setName(MString(full.substr(slash + 1).c_str()));
}

MString MFileObject::name() const { return MString(name_); }
MString MFileObject::rawPath() const { return MString(directory_); }
MString MFileObject::path() const {
  std::string directory = directory_;
  if (!directory.empty() && directory.back() != '/') directory += '/';
  return MString(directory.c_str());
}
MString MFileObject::fullName() const { return path() + name(); }
bool MFileObject::exists() {
  struct stat info;
  return stat(fullName().asChar(), &info) == 0;
}
bool MFileObject::isSet() const { return name_[0] != '\0'; }

// ---- MFileIO
MString MFileIO::currentFile() { return MString(headless::scene().currentFile.c_str()); }
MStatus MFileIO::setCurrentFile(const MString& fileName) {
  headless::scene().currentFile = fileName.asChar();
  return MStatus::kSuccess;
}
bool MFileIO::isNewingFile(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return false;
}
bool MFileIO::isReadingFile(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return false;
}
bool MFileIO::isWritingFile(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return false;
}
