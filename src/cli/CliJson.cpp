#include "CliJson.h"

#include "CliFormat.h"
#include "common/Rounding.h"
#include "device/ServiceInfo.h"
#include "settings/SettingsFileIo.h"
#include "settings/SettingsSchema.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdlib>
#include <regex>
#include <sstream>

namespace vexor::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string documentText(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

// A number where the whole text is one as the text output writes numbers
// (sign, digits, decimal point); the text itself otherwise. Leading spaces
// of a padded column do not count.
Json typedValue(const std::string& text) {
    static const std::regex number("-?[0-9]+(\\.[0-9]+)?");
    const std::size_t start = text.find_first_not_of(' ');
    const std::string trimmed = start == std::string::npos ? std::string() : text.substr(start);
    if (!std::regex_match(trimmed, number))
        return text;
    if (trimmed.find('.') == std::string::npos) {
        errno = 0;
        const long long whole = std::strtoll(trimmed.c_str(), nullptr, 10);
        if (errno == 0)
            return whole;
    }
    return std::strtod(trimmed.c_str(), nullptr);
}

// A settings value: a text member stays a string even when it reads as a
// number (a serial "0012" is not 12).
Json settingValue(const std::string& key, const std::string& text) {
    const SettingInfo* info = findSetting(key);
    if (info != nullptr && info->kind == SettingKind::Text)
        return text;
    return typedValue(text);
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    return parts;
}

Json objects(const std::vector<SJsonField>& fields,
             const std::vector<std::vector<std::string>>& rows) {
    Json array = Json::array();
    for (const auto& row : rows) {
        Json object = Json::object();
        for (std::size_t i = 0; i < fields.size() && i < row.size(); ++i)
            object[fields[i].name] = fields[i].number ? typedValue(row[i]) : Json(row[i]);
        array.push_back(std::move(object));
    }
    return array;
}

} // namespace

std::string jsonObjects(const std::vector<SJsonField>& fields,
                        const std::vector<std::vector<std::string>>& rows) {
    return documentText(objects(fields, rows));
}

std::string identityJson(const DeviceSettings& settings, const std::string& port, bool demo,
                         bool liveData) {
    const auto& info = settings.m_devInfo;
    Json object = Json::object();
    object["port"] = demo ? std::string("demo") : port;
    object["version"] =
        std::to_string((info.m_version >> 8) & 0xFF) + "." + std::to_string(info.m_version & 0xFF);
    object["version_raw"] = static_cast<int>(info.m_version);
    object["serial"] = info.m_serial;
    object["production_date"] = info.m_prodDate;
    object["injectors"] = static_cast<int>(info.m_injCount);
    object["device_id"] = static_cast<unsigned>(info.m_deviceID);
    object["flags1"] = static_cast<unsigned>(info.m_flags1);
    object["flags2"] = static_cast<unsigned>(info.m_flags2);
    object["live_data"] = liveData;
    return documentText(object);
}

std::string statsJson(const DeviceSettings& settings, const std::array<std::uint8_t, 4>& own) {
    const auto& stat = settings.m_devInfo.m_statistic;
    Json object = Json::object();
    // Whole seconds, as the H : MM : SS text counts them.
    object["petrol_time_s"] = stat.gas / 2;
    object["gas_time_s"] = stat.lpg / 2;
    object["modify"] = stat.modify;
    object["station_code"] = stationCodeText(settings.m_base.m_stationCode);
    object["this_station"] = stationCodeText(own);
    return documentText(object);
}

std::string settingsJson(const DeviceSettings& settings) {
    Json object = Json::object();
    for (const std::string& line : split(vexor::formatSettingsFile(settings), '\n')) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        const std::string key = line.substr(0, tab);
        object[key] = settingValue(key, line.substr(tab + 1));
    }
    return documentText(object);
}

std::string differencesJson(const std::vector<SettingDifference>& differences) {
    Json array = Json::array();
    for (const SettingDifference& d : differences) {
        Json object = Json::object();
        object["key"] = d.key;
        object["a"] = settingValue(d.key, d.left);
        object["b"] = settingValue(d.key, d.right);
        array.push_back(std::move(object));
    }
    return documentText(array);
}

std::string faultsJson(const std::string& text) {
    Json faults = Json::array();
    for (const std::string& line : split(plainLines(text), '\n')) {
        if (line.find_first_not_of(" \r") != std::string::npos)
            faults.push_back(line);
    }
    Json object = Json::object();
    object["faults"] = std::move(faults);
    return documentText(object);
}

std::string liveJson(const std::string& line) {
    const std::vector<std::string> f = split(line, '\t');
    auto at = [&](std::size_t i) { return i < f.size() ? typedValue(f[i]) : Json(); };
    Json petrol = Json::array();
    Json gas = Json::array();
    // Eight pairs of petrol and gas injection time follow the engine speed.
    for (std::size_t i = 0; i < 8; ++i) {
        petrol.push_back(at(2 + 2 * i));
        gas.push_back(at(3 + 2 * i));
    }
    Json object = Json::object();
    object["work_mode"] = at(0);
    object["rpm"] = at(1);
    object["petrol_ms"] = std::move(petrol);
    object["gas_ms"] = std::move(gas);
    object["gas_kpa"] = at(18);
    object["manifold_kpa"] = at(19);
    object["gas_c"] = at(20);
    object["reducer_c"] = at(21);
    object["lambda1_v"] = at(22);
    object["lambda2_v"] = at(23);
    return documentText(object);
}

std::string mapJson(const DeviceSettings& settings) {
    Json rows = Json::array();
    for (const auto& row : settings.m_injMapTable) {
        Json cells = Json::array();
        for (const double cell : row)
            cells.push_back(vexor::roundInt(cell));
        rows.push_back(std::move(cells));
    }
    Json object = Json::object();
    object["rows"] = std::move(rows);
    return documentText(object);
}

std::string readinessJson(bool lamp, int storedCodes,
                          const std::vector<std::vector<std::string>>& monitors) {
    Json object = Json::object();
    object["lamp"] = lamp;
    object["stored_codes"] = storedCodes;
    object["monitors"] = objects({{"name"}, {"state"}}, monitors);
    return documentText(object);
}

std::string freezeFrameJson(const std::string& code,
                            const std::vector<std::vector<std::string>>& values) {
    Json object = Json::object();
    object["code"] = code;
    object["values"] = objects({{"name"}, {"value", true}, {"unit"}}, values);
    return documentText(object);
}

std::string vehicleInfoJson(const std::string& vin, const std::vector<std::string>& ids) {
    Json object = Json::object();
    object["vin"] = vin;
    object["calibration_ids"] = ids;
    return documentText(object);
}

std::string historyJson(const std::string& lines) {
    Json array = Json::array();
    for (const std::string& line : split(lines, '\n')) {
        const std::vector<std::string> cells = split(line, '\t');
        if (cells.size() < 3)
            continue;
        Json object = Json::object();
        object["time"] = cells[0];
        object["serial"] = cells[1];
        object["kind"] = cells[2];
        object["fields"] = std::vector<std::string>(cells.begin() + 3, cells.end());
        array.push_back(std::move(object));
    }
    return documentText(array);
}

} // namespace vexor::cli
