#include "report/JobSheetBuilder.h"

#include "common/PrintableText.h"
#include "device/ServiceInfo.h"
#include "live/DiagFile.h"
#include "report/JobSheetPhrases.h"
#include "report/SettingsChanges.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace vexor {

namespace {

using namespace jobsheet;

std::string issuedText(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

std::vector<SJobSheetField> identityOf(const DeviceSettings& s,
                                       const std::array<std::uint8_t, 4>& thisStation) {
    const auto& info = s.m_devInfo;
    char version[32];
    std::snprintf(version, sizeof version, "%d.%d", (info.m_version >> 8) & 0xFF,
                  info.m_version & 0xFF);
    return {{kVersion, version},
            {kSerial, printableText(info.m_serial)},
            {kProdDate, info.m_prodDate},
            {kInjectors, std::to_string(info.m_injCount)},
            {kStationCode, stationCodeText(s.m_base.m_stationCode)},
            {kThisStation, stationCodeText(thisStation)}};
}

// What the fitter entered comes first; the make and model stored in the
// controller stand in when none was entered.
std::vector<SJobSheetField> vehicleOf(const DeviceSettings& s, const SVehicleRecord& entered) {
    const auto& car = s.m_carInfo;
    const auto either = [](const std::string& first, const std::string& second) {
        return first.empty() ? second : first;
    };
    // Texts a settings file brought in may hold anything too.
    return {{kVendor, printableText(either(entered.make, car.m_vendor))},
            {kModel, printableText(either(entered.model, car.m_model))},
            {kRegistration, printableText(entered.registration)},
            {kOdometer, entered.odometer.empty() ? "" : printableText(entered.odometer) + " km"},
            {kEngine, printableText(car.m_engine)},
            {kPower, printableText(car.m_power)},
            {kProdYear, printableText(car.m_prodYear)},
            {kCarInjectors, printableText(car.m_injectors)}};
}

std::vector<SJobSheetField> customerOf(const SVehicleRecord& entered) {
    if (entered.customer.empty() && entered.workDone.empty())
        return {};
    // The work done is the fitter's own free text, line breaks and all; the
    // page escapes it like every other text.
    return {{kCustomer, printableText(entered.customer)}, {kWorkDone, entered.workDone}};
}

// The controller's work modes as the fitter calls them; the modes in
// between fuels count as gas, as the live display shows them.
std::string workModeWords(const std::string& field, bool& translated) {
    translated = true;
    if (field == "2")
        return kOnPetrol;
    if (field == "3" || field == "4" || field == "5")
        return kOnGas;
    translated = false;
    return field;
}

std::vector<SJobSheetField> statisticsOf(const DeviceSettings& s) {
    const auto& stat = s.m_devInfo.m_statistic;
    return {{kPetrolTime, workTimeText(stat.gas)},
            {kGasTime, workTimeText(stat.lpg)},
            {kModifications, std::to_string(stat.modify)}};
}

// The live values as a recording line has them, named like the
// oscilloscope's channels: what the fitter compares with a recorded drive.
std::vector<SJobSheetLiveValue> liveOf(const CDiag& record, const DeviceSettings& s) {
    RecordFields fields = recordFields(record, SRecordUnits::fromSettings(s));
    for (std::string& field : fields)
        field.erase(0, field.find_first_not_of(' '));
    struct Column {
        std::size_t field;
        const char* label;
        const char* unit;
    };
    static constexpr Column kColumns[] = {
        {1, kRpmLabel, "RPM"},       {2, "Wtrysk benz.", "ms"},   {3, "Wtrysk gazu", "ms"},
        {18, "Ciśnienie", "kPa"},    {19, "Podciśnienie", "kPa"}, {20, "Temp. gazu", "°C"},
        {21, "Temp. redukt.", "°C"}, {22, "Lambda 1", "V"},       {23, "Lambda 2", "V"}};
    bool translated = false;
    const std::string mode = workModeWords(fields[0], translated);
    std::vector<SJobSheetLiveValue> values{{kWorkMode, mode, "", translated}};
    for (const Column& c : kColumns)
        values.push_back({c.label, fields[c.field], c.unit});
    return values;
}

bool anyPoint(const std::array<double, 20>& line) {
    for (double v : line)
        if (v != 0.0)
            return true;
    return false;
}

} // namespace

CJobSheet buildJobSheet(const SJobSheetInputs& in) {
    CJobSheet sheet;
    const DeviceSettings fallback;
    const DeviceSettings& s = in.settings ? *in.settings : fallback;
    sheet.workshopName = in.workshopName;
    sheet.workshopAddress = in.workshopAddress;
    sheet.issued = issuedText(in.when);
    sheet.demo = in.demo;
    sheet.identity = identityOf(s, in.thisStation);
    sheet.vehicle = vehicleOf(s, in.vehicle);
    // The car's own identity, as its engine computer reports it.
    if (!in.now.vin.empty())
        sheet.vehicle.push_back({kVin, in.now.vin});
    for (const std::string& id : in.now.calibrationIds)
        sheet.vehicle.push_back({kCalibrationId, id});
    sheet.customer = customerOf(in.vehicle);
    sheet.statistics = statisticsOf(s);
    sheet.atConnection = in.atConnection;
    sheet.now = in.now;
    if (in.baseline) {
        sheet.baselineKnown = true;
        sheet.changes = settingsChanges(*in.baseline, s);
    }
    sheet.map = s.m_injMapTable;
    if (anyPoint(s.m_setupTimes1))
        sheet.multiplierLine = s.m_setupTimes1;
    if (in.petrolLoadMap && in.petrolLoadMap->total > 0)
        sheet.petrolLoadMap = in.petrolLoadMap;
    if (in.gasLoadMap && in.gasLoadMap->total > 0)
        sheet.gasLoadMap = in.gasLoadMap;
    if (in.calibration && in.calibration->outcome != AutoCalOutcome::None &&
        in.calibration->serial == s.m_devInfo.m_serial)
        sheet.calibration = jobSheetCalibration(*in.calibration);
    if (in.liveRecord)
        sheet.live = liveOf(*in.liveRecord, s);
    return sheet;
}

std::string jobSheetNumber(double value, int decimals) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, end.ptr);
}

std::vector<SJobSheetField> jobSheetCalibration(const SAutoCalResult& result) {
    const char* outcome = kCalFailed;
    if (result.outcome == AutoCalOutcome::Completed)
        outcome = kCalCompleted;
    else if (result.outcome == AutoCalOutcome::Stopped)
        outcome = kCalStopped;
    else if (result.outcome == AutoCalOutcome::PortError)
        outcome = kCalPortError;
    std::vector<SJobSheetField> fields{{kCalOutcome, outcome, true},
                                       {kCalEnded, issuedText(result.ended)}};
    if (result.gasPressure > 0)
        fields.push_back({kCalPressure, jobSheetNumber(result.gasPressure, 0) + " kPa"});
    if (!result.differences.empty()) {
        std::string list;
        for (double d : result.differences)
            list += (list.empty() ? "" : "; ") + jobSheetNumber(d, 2);
        fields.push_back({kCalDifferences, list + " ms"});
    }
    fields.push_back({kCalMainCorrection, jobSheetNumber(result.mainCorrection, 2) + " ms"});
    return fields;
}

} // namespace vexor
