// `map propose`: the injection map proposed from recordings of a drive on
// petrol and one on gas, printed as `map show` prints a map and, when asked,
// written to the controller as the map grid writes a map.

#include "CliCommands.h"
#include "CliFormat.h"
#include "CliJson.h"
#include "CliOutput.h"

#include "lang/Translate.h"
#include "maps/MapPatch.h"
#include "maps/MapProposal.h"
#include "maps/MapRegion.h"

#include <charconv>
#include <cmath>

using namespace vexor::cli;

namespace {

constexpr const char* kMsgMapWrite = "Nie powiodło się wpisanie mapy wtrysków do urządzenia!";
constexpr const char* kMsgChangedCells = "Zmienione komórki mapy:";
constexpr const char* kMsgTooFewCells = "Komórki ze zbyt małą liczbą zapisów:";

bool parseNumber(const std::string& text, double min, double max, double& value) {
    const char* end = text.data() + text.size();
    const auto [next, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && next == end && std::isfinite(value) && value >= min && value <= max;
}

// ROW,COL or ROW,COL,NROWS,NCOLS (indices as `map set` takes them).
bool parseLock(const std::string& text, vexor::SCellBlock& block) {
    std::vector<long> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        long v = 0;
        if (!parseInt(text.substr(start, comma - start), 0, 100, v))
            return false;
        parts.push_back(v);
        start = comma + 1;
    }
    if (parts.size() != 2 && parts.size() != 4)
        return false;
    block = {static_cast<int>(parts[0]), static_cast<int>(parts[1]),
             parts.size() == 4 ? static_cast<int>(parts[2]) : 1,
             parts.size() == 4 ? static_cast<int>(parts[3]) : 1};
    return block.rows >= 1 && block.columns >= 1 && block.row + block.rows <= vexor::kMapRowCount &&
           block.column + block.columns <= vexor::kMapColumnCount;
}

} // namespace

int CCliCommands::cmdMapPropose(const Args& args) {
    std::vector<std::string> files;
    std::string base;
    bool apply = false;
    bool haveBase = false;
    vexor::SProposalOptions options;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!m_options.optionAt(i)) { // after "--": a recording, whatever its name
            files.push_back(a);
            continue;
        }
        const bool hasValue = i + 1 < args.size();
        double number = 0;
        long whole = 0;
        if (a == "--apply") {
            apply = true;
        } else if (a == "--neighbours") {
            options.neighbours = true;
        } else if (a == "--lambda-rails") {
            options.filter.skipLambdaRails = true;
        } else if (a == "--gas-idle") {
            options.filter.skipGasIdle = true;
        } else if (a == "--min-samples") {
            if (!hasValue || !parseInt(args[++i], 1, 1000000000, whole))
                return usage("--min-samples needs a whole number of at least 1");
            options.minSamples = static_cast<int>(whole);
        } else if (a == "--base") {
            if (!hasValue || args[i + 1].empty())
                return usage("--base needs a settings file");
            base = args[++i];
            haveBase = true;
        } else if (a == "--resistance") {
            if (!hasValue || !parseNumber(args[++i], 0, 1e9, number))
                return usage("--resistance needs a number of records, 0 or more");
            options.resistance = number;
        } else if (a == "--damping") {
            if (!hasValue || !parseNumber(args[++i], 0, 1, number) || number <= 0)
                return usage("--damping needs a share above 0 and at most 1");
            options.damping = number;
        } else if (a == "--max-change") {
            if (!hasValue || !parseInt(args[++i], 1, 100, whole))
                return usage("--max-change needs a whole number of per cent, 1..100");
            options.maxChange = static_cast<int>(whole);
        } else if (a == "--settled") {
            if (!hasValue || !parseNumber(args[++i], 0, 100, number))
                return usage("--settled needs a tolerance in per cent, 0..100");
            options.settledPercent = number;
        } else if (a == "--after-switch") {
            if (!hasValue || !parseNumber(args[++i], 0, 3600, number))
                return usage("--after-switch needs seconds, 0..3600");
            options.filter.afterSwitchSeconds = number;
        } else if (a == "--lock") {
            vexor::SCellBlock block;
            if (!hasValue || !parseLock(args[++i], block))
                return usage("--lock needs ROW,COL or ROW,COL,NROWS,NCOLS inside the map");
            for (int r = block.row; r < block.row + block.rows; ++r)
                for (int c = block.column; c < block.column + block.columns; ++c)
                    options.locked[r][c] = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return usage("unknown option of map propose: " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.empty())
        return usage("map propose needs at least one recording");
    if (apply && haveBase)
        return usage("--apply writes to the controller, --base works without one: not both");

    // Every recording is read whole before the controller is touched.
    vexor::CMapProposal proposal;
    for (const std::string& file : files) {
        vexor::DriveRun run;
        const SRecordingLoad load = vexor::readDriveRun(file, run);
        if (load.status == SRecordingLoad::Status::Damaged) {
            m_prompt.message("vexor-cli: " + vexor::translate(vexor::kRecordingMsgDamaged) + " " +
                                 std::to_string(load.damagedLine) + "\n" + file + ":" +
                                 std::to_string(load.damagedLine),
                             IUserPrompt::Icon::Error);
            return kExitUsage;
        }
        if (load.status != SRecordingLoad::Status::Complete) {
            m_prompt.message("vexor-cli: " + vexor::recordingLoadMessage(load, file),
                             IUserPrompt::Icon::Error);
            return kExitUsage;
        }
        proposal.addRun(run);
    }

    DeviceSettings fromFile;
    if (haveBase) {
        if (!readSettingsArgument(base, fromFile))
            return kExitUsage;
    } else if (const int status = connectController()) {
        return status;
    }
    const DeviceSettings& settings = haveBase ? fromFile : m_doc.settings();
    options.filter.switchTemprC = settings.m_base.m_switchTempr;
    proposal.setOptions(options);
    const vexor::MapValues current = vexor::mapValuesOf(settings);
    const vexor::SMapProposal result = proposal.propose(current, settings.m_corrMap.m_flags);

    DeviceSettings shown = settings;
    vexor::storeMapValues(shown, result.proposed);
    // Printed as `map show` prints a map, also in JSON.
    printOut(m_options.json ? mapJson(shown) : mapLines(shown));
    m_prompt.message(vexor::translate(kMsgChangedCells) + " " + std::to_string(result.changed) +
                         "\n" + vexor::translate(kMsgTooFewCells) + " " +
                         std::to_string(result.tooFew),
                     IUserPrompt::Icon::Information);
    if (!apply || result.proposed == current)
        return kExitDone;

    if (!takeBackup("map"))
        return kExitUsage;
    for (const vexor::SMapSet& set : vexor::mapPatch(current, result.proposed)) {
        if (!m_doc.mapRegionOp(vexor::mapRegion(set.block, vexor::MapOp::Set, set.value).bytes())) {
            message(kMsgMapWrite);
            return kExitFailed;
        }
    }
    if (!m_doc.commitMap()) {
        message(kMsgMapWrite);
        return kExitFailed;
    }
    vexor::storeMapValues(m_doc.settings(), result.proposed);
    return kExitDone;
}
