#include "integration/doc/DocOnSim.h"
#include "report/JobSheetBuilder.h"
#include "report/JobSheetCollector.h"
#include "report/JobSheetHtml.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace vexor::test {
namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

double leadingNumber(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

// The change from one number to another, whatever the setting is called.
const SJobSheetChange* changeOf(const CJobSheet& sheet, double before, double after) {
    const auto found = std::find_if(sheet.changes.begin(), sheet.changes.end(), [&](const auto& c) {
        return leadingNumber(c.before) == before && leadingNumber(c.after) == after;
    });
    return found == sheet.changes.end() ? nullptr : &*found;
}

// A controller with an OBD interface, a car with stored trouble codes, and a
// fault in its memory when the fitter connects.
class JobSheetOnSim : public DocOnSim {
protected:
    void SetUp() override {
        DocOnSim::SetUp();
        sim([](CSimController& c) {
            c.setFlags(1, 0);
            c.setErrorBytes({0, 0x01, 0, 0});
            c.obd().setTroubleCodes({0x171, 0x300});
        });
        connectOrFail();
    }

    SJobSheetInputs inputsNow(const DeviceSettings& baseline, const SJobSheetFindings& found) {
        SJobSheetInputs in;
        in.settings = &doc->settings();
        in.baseline = &baseline;
        in.atConnection = found;
        in.now = readJobSheetFindings(*doc);
        return in;
    }
};

TEST_F(JobSheetOnSim, aWorkshopVisitShowsTheClearedFaultTheChangedSettingAndTheEditedMap) {
    const DeviceSettings asFound = doc->settings();
    const SJobSheetFindings found = readJobSheetFindings(*doc);

    // The fitter raises the switch-over speed, sets one map cell and clears
    // the faults; the car keeps its trouble codes.
    doc->settings().m_base.m_switchRPM = 1500;
    ASSERT_TRUE(doc->writeBase());
    ASSERT_TRUE(doc->mapRegionOp({4, 6, 1, 1, 1, 107}));
    ASSERT_TRUE(doc->commitMap());
    ASSERT_TRUE(doc->readInjMap());
    ASSERT_TRUE(doc->restart());

    const CJobSheet sheet = buildJobSheet(inputsNow(asFound, found));

    EXPECT_TRUE(sheet.atConnection.faultsRead);
    EXPECT_FALSE(sheet.atConnection.faults.empty());
    EXPECT_EQ(sheet.atConnection.faults, faultLines(doc->describeErrors({0, 0x01, 0, 0})));
    EXPECT_TRUE(sheet.now.faultsRead);
    EXPECT_TRUE(sheet.now.faults.empty());
    ASSERT_TRUE(sheet.atConnection.obdRead);
    ASSERT_EQ(sheet.atConnection.obdCodes.size(), 2u);
    EXPECT_TRUE(contains(sheet.atConnection.obdCodes[0], "P0171"));
    EXPECT_EQ(sheet.now.obdCodes, sheet.atConnection.obdCodes);

    ASSERT_TRUE(sheet.baselineKnown);
    ASSERT_EQ(sheet.changes.size(), 2u);
    EXPECT_NE(changeOf(sheet, 1200, 1500), nullptr);
    EXPECT_NE(changeOf(sheet, 0, 7), nullptr);
    EXPECT_EQ(sheet.map[4][6], 7);
    EXPECT_EQ(sim([](CSimController& c) { return c.mapCell(4, 6); }), 7);

    const std::string html = jobSheetHtml(sheet);
    EXPECT_TRUE(contains(html, sheet.atConnection.faults[0]));
    EXPECT_TRUE(contains(html, "P0171"));
    EXPECT_TRUE(contains(html, ">7%<"));
}

TEST_F(JobSheetOnSim, aFaultListThatCannotBeReadIsNotReportedAsNoFaults) {
    const DeviceSettings asFound = doc->settings();
    server.faults().setReplyLength(2, SimMatch::read(5));
    const SJobSheetFindings found = readJobSheetFindings(*doc);
    EXPECT_FALSE(found.faultsRead);

    const CJobSheet sheet = buildJobSheet(inputsNow(asFound, found));
    EXPECT_TRUE(sheet.changes.empty());
    const std::string html = jobSheetHtml(sheet);
    EXPECT_TRUE(contains(html, "Nie odczytano"));
    EXPECT_TRUE(contains(html, "Nie zmieniono ustawień"));
}

TEST_F(JobSheetOnSim, theSheetCarriesTheVinReadinessAndCodesByKind) {
    sim([](CSimController& c) {
        c.obd().setVehicleInfo("1D4GP00R55B123456", "CAL-0815");
        c.obd().setReadiness({0x07, 0x65, 0x04}); // the evaporative system not yet tested
        c.obd().setPendingCodes({0x0420});
        c.obd().setRefusedServices({0x0A});
    });
    const DeviceSettings asFound = doc->settings();
    const SJobSheetFindings found = readJobSheetFindings(*doc);
    const CJobSheet sheet = buildJobSheet(inputsNow(asFound, found));

    EXPECT_EQ(sheet.vehicle.end()[-2], (SJobSheetField{"VIN", "1D4GP00R55B123456"}));
    EXPECT_EQ(sheet.vehicle.back(), (SJobSheetField{"Identyfikator kalibracji", "CAL-0815"}));
    // The lamp, then only the monitors the car has.
    ASSERT_EQ(sheet.now.readiness.size(), 1u + 7u);
    EXPECT_EQ(sheet.now.readiness[0], (SJobSheetField{"Kontrolka silnika", "włączona", true}));
    EXPECT_NE(std::find(sheet.now.readiness.begin(), sheet.now.readiness.end(),
                        SJobSheetField{"Układ odparowania paliwa", "Niegotowy", true}),
              sheet.now.readiness.end());
    ASSERT_EQ(sheet.now.pendingCodes.size(), 1u);
    EXPECT_TRUE(contains(sheet.now.pendingCodes[0], "P0420"));
    EXPECT_TRUE(sheet.now.permanentCodes.empty());
    EXPECT_EQ(sheet.now.permanentNote, "Samochód nie obsługuje tej funkcji");

    const std::string html = jobSheetHtml(sheet);
    EXPECT_TRUE(contains(html, "1D4GP00R55B123456"));
    EXPECT_TRUE(contains(html, "Kody oczekujące</td><td>P0420"));
    EXPECT_TRUE(contains(html, "Kody stałe</td><td><i>Samochód nie obsługuje tej funkcji"));
    EXPECT_TRUE(contains(html, "Gotowość OBD"));
}

TEST_F(JobSheetOnSim, liveValuesAreNamedLikeTheOscilloscopeChannelsAndMatchARecordingLine) {
    CDiag record;
    ASSERT_EQ(doc->readDiag(record), CLPGDevice::kDiagOk);
    SJobSheetInputs in;
    in.settings = &doc->settings();
    in.liveRecord = record;
    const CJobSheet sheet = buildJobSheet(in);
    ASSERT_FALSE(sheet.live.empty());
    std::istringstream line(recordLine(record, SRecordUnits::fromSettings(doc->settings())));
    std::vector<double> fields;
    for (double f; line >> f;)
        fields.push_back(f);
    ASSERT_EQ(fields.size(), 24u);
    // Work mode, engine speed, injector 1, then the sensors at the end.
    const std::vector<double> expected{fields[1],  fields[2],  fields[3],  fields[18], fields[19],
                                       fields[20], fields[21], fields[22], fields[23]};
    ASSERT_EQ(sheet.live.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(std::stod(sheet.live[i + 1].value), expected[i]) << sheet.live[i + 1].label;
    // The work mode in words, as the fitter names it.
    EXPECT_EQ(sheet.live[0].value, fields[0] == 2 ? "Benzyna" : "Gaz");
    EXPECT_TRUE(sheet.live[0].translatedValue);
    EXPECT_EQ(sheet.live[1].label, "Obroty");
    EXPECT_FALSE(sheet.baselineKnown);
    EXPECT_TRUE(contains(jobSheetHtml(sheet), "Brak kopii ustawień sprzed zmian"));
}

} // namespace
} // namespace vexor::test
