#include "history/VehicleHistory.h"

#include "backup/BackupStore.h"
#include "settings/SettingsCheck.h"
#include "settings/SettingsDiff.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <utility>

namespace vexor {

namespace {

using VisitKey = std::pair<std::string, std::string>; // serial folder, day

bool readBackup(const std::string& path, DeviceSettings& settings) {
    SSettingsFileProblem problem;
    return readSettingsFileChecked(path, settings, problem);
}

} // namespace

SVehicleHistory loadVehicleHistory(const std::string& dataFolder, const std::string& serial) {
    SVehicleHistory history;
    std::map<VisitKey, SVisit> visits;
    auto visitOf = [&](const std::string& folder, const std::string& day) -> SVisit& {
        SVisit& v = visits[{folder, day}];
        v.serial = folder;
        v.day = day;
        return v;
    };

    const CVisitLog log(dataFolder);
    for (SVisitFile& file : log.read(serial, history.damaged)) {
        const std::string folder =
            std::filesystem::path(file.path).parent_path().filename().string();
        for (SVisitEvent& e : file.events)
            visitOf(folder, e.time.substr(0, 10)).events.push_back(std::move(e));
    }

    // Backups per controller, oldest first, and which visit each belongs to.
    const CBackupStore store(dataFolder);
    std::map<std::string, std::vector<CBackupStore::SEntry>> backups;
    for (CBackupStore::SEntry& entry : store.list(serial))
        backups[entry.serial].push_back(std::move(entry));
    for (const auto& [folder, entries] : backups) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const CBackupStore::SEntry& b = entries[i];
            SVisit& visit = visitOf(folder, b.time.substr(0, 10));
            visit.events.push_back({b.time, "backup", {b.id, b.reason}});
            if (!visit.firstBackup.empty())
                continue;
            visit.firstBackup = b.path;
            // What the car had become: the first backup after this day's
            // last one (the next visit's), or else this day's last one.
            std::size_t last = i;
            while (last + 1 < entries.size() && entries[last + 1].time.substr(0, 10) == visit.day)
                ++last;
            const std::size_t after = last + 1 < entries.size() ? last + 1 : last;
            if (after == i)
                continue;
            DeviceSettings before;
            DeviceSettings later;
            if (!readBackup(b.path, before) || !readBackup(entries[after].path, later))
                continue;
            for (const SettingDifference& d : diffSettings(before, later, false))
                visit.events.push_back({b.time, "setting", {d.key, d.left, d.right}});
        }
    }

    for (auto& [key, visit] : visits) {
        std::stable_sort(
            visit.events.begin(), visit.events.end(),
            [](const SVisitEvent& a, const SVisitEvent& b) { return a.time < b.time; });
        history.visits.push_back(std::move(visit));
    }
    std::stable_sort(history.visits.begin(), history.visits.end(),
                     [](const SVisit& a, const SVisit& b) {
                         return a.events.front().time < b.events.front().time;
                     });
    return history;
}

std::string historyLines(const SVehicleHistory& history) {
    std::vector<std::pair<const SVisit*, const SVisitEvent*>> all;
    for (const SVisit& v : history.visits) {
        for (const SVisitEvent& e : v.events)
            all.emplace_back(&v, &e);
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const auto& a, const auto& b) { return a.second->time < b.second->time; });
    std::string text;
    for (const auto& [visit, e] : all) {
        text += e->time + "\t" + visit->serial + "\t" + e->kind;
        for (const std::string& f : e->fields)
            text += "\t" + f;
        text += "\n";
    }
    return text;
}

bool visitSettings(const SVisit& visit, DeviceSettings& settings) {
    return !visit.firstBackup.empty() && readBackup(visit.firstBackup, settings);
}

} // namespace vexor
