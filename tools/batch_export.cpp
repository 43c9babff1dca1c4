#include "tools/batch_export.h"

#include "output/free_qax_model.h"
#include "output/reader.h"

#include "tools/export_log.h"
#include "tools/export_report.h"
#include "tools/output_guard.h"
#include "tools/scene_export.h"
#include "tools/scene_loading.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <system_error>
#include <thread>

extern char** environ;

namespace qaxtools {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::string joined(const std::string& folder, const std::string& name)
{
    return folder.empty() ? name : (fs::path(folder) / name).lexically_normal().string();
}

std::string clockText(double seconds)
{
    const long s = long(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    return text;
}

// The arguments of the child exporting one scene: the batch's export options, its own log folder and report.
std::vector<std::string> childArguments(const CommandLine& c, const BatchScene& scene, const std::string& folder)
{
    std::vector<std::string> a = {"export", scene.input, "-o", scene.output, "-q", "--log-dir", folder,
                                  "--report", folder + "/entry.json", "--options", exportOptions(c)};
    if (c.upAxisGiven)
        a.insert(a.end(), {"--up-axis", c.zUp ? "z" : "y"});
    if (c.scale != 1.0) {
        std::ostringstream scale;
        scale.precision(17);
        scale << c.scale;
        a.insert(a.end(), {"--scale", scale.str()});
    }
    if (!c.workspaceRoot.empty())
        a.insert(a.end(), {"--workspace", c.workspaceRoot});
    if (!c.pluginPath.empty())
        a.insert(a.end(), {"--plugin", c.pluginPath});
    if (c.force)
        a.push_back("--force");
    for (const std::string& node : c.selection)
        a.insert(a.end(), {"-s", node});
    return a;
}

// Nanoseconds since the epoch of the file's last change; -1 when there is none.
long long modifiedAt(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return -1;
    return (long long)info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
}

// The totals of an output left as it was, for the report; zero when it does not read.
void readTotals(const std::string& path, ExportOutcome& outcome)
{
    qaxModel model;
    char message[256] = "";
    if (!readQAXFile(path.c_str(), model, message, sizeof message))
        return;
    outcome.totals = computeTotals(model);
    freeQAXModel(model);
    outcome.bytes = fileSize(path);
}

struct Running {
    size_t index;
    pid_t pid;
    Clock::time_point start;
    std::string folder;
    long long outputBefore;
    bool stopped = false;
};

pid_t spawnChild(const std::string& executable, const std::vector<std::string>& arguments, const std::string& folder)
{
    std::vector<char*> argv;
    std::string name = executable;
    argv.push_back(&name[0]);
    std::vector<std::string> copies = arguments;
    for (std::string& a : copies)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);
    // What the child prints goes to its folder: the report entry carries what matters, unmixed.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string printed = folder + "/printed.txt";
    posix_spawn_file_actions_addopen(&actions, 1, printed.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int failure = posix_spawn(&pid, executable.c_str(), &actions, nullptr, argv.data(), environ);
    if (failure != 0) {
        pid = -1;
        errno = failure;  // posix_spawn returns its error instead of setting it
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The entry of a child that has ended: its own report line, or what its end says when it wrote none.
ReportEntry finishedEntry(const BatchScene& scene, const Running& child, int waitStatus, double timeout)
{
    ReportEntry entry;
    std::ifstream in(child.folder + "/entry.json");
    std::string line;
    if (!child.stopped && WIFEXITED(waitStatus) && std::getline(in, line) && parseReportLine(line, entry))
        return entry;
    entry.input = scene.input;
    entry.output = scene.output;
    entry.outcome.exitStatus = 1;
    entry.outcome.seconds = std::chrono::duration<double>(Clock::now() - child.start).count();
    if (child.stopped) {
        entry.status = "timed out";
        std::ostringstream message;
        message << "stopped after " << timeout << " seconds";
        entry.outcome.message = message.str();
    } else if (WIFSIGNALED(waitStatus)) {
        entry.status = "crashed";
        entry.outcome.message = std::string("the export process ended by signal ") +
                                std::to_string(WTERMSIG(waitStatus)) + " (" + strsignal(WTERMSIG(waitStatus)) + ")";
    } else {
        entry.status = "failed";
        std::string printed = readFrom(child.folder + "/printed.txt", 0);
        while (!printed.empty() && (printed.back() == '\n' || printed.back() == ' '))
            printed.pop_back();
        entry.outcome.message = "the export process ended with status " + std::to_string(WEXITSTATUS(waitStatus)) +
                                " without a report" + (printed.empty() ? "" : ": " + printed);
    }
    entry.outcome.logLines = failureLines(readFrom(child.folder + "/qaxExport.log", 0));
    // A file the child was writing when it ended is cut short; one it had not touched yet stays.
    if (modifiedAt(scene.output) != child.outputBefore)
        std::remove(scene.output.c_str());
    return entry;
}

} // namespace

bool planBatch(const CommandLine& command, std::vector<BatchScene>& scenes, std::string& error)
{
    scenes.clear();
    const std::string& folder = command.outputPath;
    std::error_code failure;
    if (!folder.empty() && fs::exists(folder) && !fs::is_directory(folder)) {
        error = "the output " + folder + " of a batch must be a folder";
        return false;
    }
    for (const std::string& input : command.inputs) {
        if (!fs::is_directory(input)) {
            const std::string name = fs::path(withExtension(input, ".qax")).filename().string();
            scenes.push_back({input, folder.empty() ? withExtension(input, ".qax") : joined(folder, name)});
            continue;
        }
        std::vector<std::string> found;
        for (fs::recursive_directory_iterator it(input, failure), end; !failure && it != end; it.increment(failure))
            if (it->is_regular_file() && isSceneFile(it->path().string()))
                found.push_back(it->path().string());
        if (failure) {
            error = "cannot search " + input + ": " + failure.message();
            return false;
        }
        std::sort(found.begin(), found.end());
        for (const std::string& scene : found) {
            const std::string relative = fs::path(scene).lexically_relative(input).string();
            scenes.push_back({scene, folder.empty() ? withExtension(scene, ".qax")
                                                    : joined(folder, withExtension(relative, ".qax"))});
        }
    }
    if (scenes.empty()) {
        error = "no scene found in the folders given";
        return false;
    }
    std::map<std::string, std::string> writers;
    for (const BatchScene& scene : scenes) {
        const std::string key = fs::absolute(scene.output).lexically_normal().string();
        const auto seen = writers.emplace(key, scene.input);
        if (!seen.second) {
            error = "two scenes would write " + scene.output + ": " + seen.first->second + " and " + scene.input;
            return false;
        }
        if (!outputAllowed(scene.input, scene.output, command.force, error))
            return false;
    }
    return true;
}

int runBatch(const CommandLine& command, const std::vector<BatchScene>& scenes, const std::string& executable,
             std::ostream& out, std::ostream& err, int errFd)
{
    const auto batchStart = Clock::now();
    const size_t jobs = command.jobs > 0 ? size_t(command.jobs) : std::max(1u, std::thread::hardware_concurrency());
    const bool terminal = isatty(errFd) == 1;
    const std::string module = command.pluginPath.empty() ? defaultPluginPath() : command.pluginPath;
    const std::string mainLog =
        command.logDirectory.empty() ? logPathForModule(module) : command.logDirectory + "/qaxExport.log";
    std::string error;
    if (!command.reportPath.empty() && !writeReport(command.reportPath, "", true, error)) {
        err << "qaxexport: " << error << "\n";
        return 2;
    }
    std::string pattern = (fs::temp_directory_path() / "qaxexport-batch-XXXXXX").string();
    if (!mkdtemp(&pattern[0])) {
        err << "qaxexport: cannot make a working folder in " << fs::temp_directory_path() << "\n";
        return 2;
    }
    const std::string work = pattern;

    size_t next = 0, done = 0, failed = 0, upToDate = 0;
    std::vector<Running> running;
    unsigned ticks = 0;
    auto progress = [&]() {
        if (!terminal)
            return;
        const double elapsed = std::chrono::duration<double>(Clock::now() - batchStart).count();
        std::string eta = "?";
        if (done > 0)
            eta = clockText(elapsed / double(done) * double(scenes.size() - done));
        err << "\r\033[K" << done << "/" << scenes.size() << " done, " << failed << " failed, " << clockText(elapsed)
            << " elapsed, ETA " << eta << std::flush;
    };
    auto record = [&](const ReportEntry& entry) {
        ++done;
        if (terminal)
            err << "\r\033[K";
        if (entry.outcome.exitStatus != 0) {
            ++failed;
            err << "qaxexport: " << entry.status << ": " << entry.input << ": " << entry.outcome.message << "\n";
            for (const std::string& line : entry.outcome.logLines)
                err << "  " << line << "\n";
            if (!entry.outcome.logLines.empty())
                err << "  log: " << mainLog << "\n";
        } else if (entry.status == "up to date") {
            ++upToDate;
        } else if (!command.quiet) {
            for (const std::string& warning : entry.outcome.warnings)
                err << "qaxexport: warning: " << entry.input << ": " << warning << "\n";
            out << "qaxexport: wrote " << entry.output << ": " << formatExportSummary(entry.outcome) << "\n";
        }
        if (!command.reportPath.empty() && !writeReport(command.reportPath, reportLine(entry), false, error))
            err << "qaxexport: " << error << "\n";
        progress();
    };

    progress();
    while (next < scenes.size() || !running.empty()) {
        while (next < scenes.size() && running.size() < jobs) {
            const size_t index = next++;
            const BatchScene& scene = scenes[index];
            if (command.skipUpToDate && modifiedAt(scene.output) > modifiedAt(scene.input)) {
                ReportEntry entry;
                entry.input = scene.input;
                entry.output = scene.output;
                entry.status = "up to date";
                entry.outcome.exitStatus = 0;
                readTotals(scene.output, entry.outcome);
                record(entry);
                continue;
            }
            const std::string folder = work + "/" + std::to_string(index);
            std::error_code ignored;
            fs::create_directories(folder, ignored);
            const fs::path outputFolder = fs::path(scene.output).parent_path();
            if (!outputFolder.empty())
                fs::create_directories(outputFolder, ignored);
            const long long outputBefore = modifiedAt(scene.output);
            const pid_t pid = spawnChild(executable, childArguments(command, scene, folder), folder);
            if (pid < 0) {
                ReportEntry entry = entryOf(scene.input, scene.output, ExportOutcome());
                entry.outcome.message = "cannot start " + executable + ": " + std::strerror(errno);
                entry.status = "failed";
                record(entry);
                continue;
            }
            running.push_back({index, pid, Clock::now(), folder, outputBefore});
        }
        bool reaped = false;
        for (size_t r = 0; r < running.size();) {
            Running& child = running[r];
            int status = 0;
            if (waitpid(child.pid, &status, WNOHANG) != child.pid) {
                const double seconds = std::chrono::duration<double>(Clock::now() - child.start).count();
                if (command.timeoutSeconds > 0 && !child.stopped && seconds > command.timeoutSeconds) {
                    kill(child.pid, SIGKILL);
                    child.stopped = true;
                }
                ++r;
                continue;
            }
            const ReportEntry entry = finishedEntry(scenes[child.index], child, status, command.timeoutSeconds);
            // The child's part of the log joins the shared log whole, never interleaved with another's.
            const std::string log = readFrom(child.folder + "/qaxExport.log", 0);
            if (!log.empty())
                std::ofstream(mainLog, std::ios::app | std::ios::binary) << log;
            std::error_code ignored;
            fs::remove_all(child.folder, ignored);
            record(entry);
            running.erase(running.begin() + long(r));
            reaped = true;
        }
        if (!reaped && !running.empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (++ticks % 50 == 0)
                progress();
        }
    }
    std::error_code ignored;
    fs::remove_all(work, ignored);
    if (terminal)
        err << "\r\033[K";
    const double elapsed = std::chrono::duration<double>(Clock::now() - batchStart).count();
    out << "qaxexport: " << (done - failed - upToDate) << " exported, " << upToDate << " up to date, " << failed
        << " failed of " << scenes.size() << " scenes in " << clockText(elapsed) << "\n";
    return failed > 0 ? 1 : 0;
}

} // namespace qaxtools
