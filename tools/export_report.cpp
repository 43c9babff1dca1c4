#include "tools/export_report.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace qaxtools {

ReportEntry entryOf(const std::string& input, const std::string& output, const ExportOutcome& outcome)
{
    ReportEntry entry;
    entry.input = input;
    entry.output = output;
    entry.status = outcome.exitStatus == 0 ? "exported" : "failed";
    entry.outcome = outcome;
    return entry;
}

std::string reportLine(const ReportEntry& entry)
{
    const ExportOutcome& o = entry.outcome;
    nlohmann::json line = {
        {"input", entry.input},
        {"output", entry.output},
        {"status", entry.status},
        {"message", o.message},
        {"warnings", o.warnings},
        {"totals",
         {{"materials", o.totals.materials},
          {"objects", o.totals.objects},
          {"triangles", o.totals.triangles},
          {"vertices", o.totals.vertices},
          {"textures", o.totals.textures},
          {"bytes", o.bytes}}},
        {"seconds", o.seconds},
        {"log", o.logLines},
    };
    // Replacement characters rather than an exception for a scene path or log line that is not UTF-8.
    return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

bool parseReportLine(const std::string& text, ReportEntry& entry)
{
    const nlohmann::json line = nlohmann::json::parse(text, nullptr, false);
    if (!line.is_object() || !line.contains("status") || !line.contains("totals"))
        return false;
    try {
        entry.input = line.at("input").get<std::string>();
        entry.output = line.at("output").get<std::string>();
        entry.status = line.at("status").get<std::string>();
        ExportOutcome& o = entry.outcome;
        o.message = line.at("message").get<std::string>();
        o.warnings = line.at("warnings").get<std::vector<std::string>>();
        const nlohmann::json& t = line.at("totals");
        o.totals.materials = t.at("materials").get<int>();
        o.totals.objects = t.at("objects").get<int>();
        o.totals.triangles = t.at("triangles").get<long long>();
        o.totals.vertices = t.at("vertices").get<long long>();
        o.totals.textures = t.at("textures").get<int>();
        o.bytes = t.at("bytes").get<long long>();
        o.seconds = line.at("seconds").get<double>();
        o.logLines = line.at("log").get<std::vector<std::string>>();
        o.exitStatus = entry.status == "exported" || entry.status == "up to date" ? 0 : 1;
    } catch (const nlohmann::json::exception&) {
        return false;
    }
    return true;
}

bool writeReport(const std::string& path, const std::string& lines, bool fresh, std::string& error)
{
    std::ofstream out(path, (fresh ? std::ios::trunc : std::ios::app) | std::ios::binary);
    out << lines;
    out.close();
    if (out.fail()) {
        error = "cannot write the report " + path + " (" + std::strerror(errno) + ")";
        return false;
    }
    return true;
}

} // namespace qaxtools
