#include "SimObd.h"
#include "integration/device/DeviceOnSim.h"
#include "obd/OBDCodes.h"
#include "obd/ObdPageModel.h"
#include "obd/ObdScan.h"
#include "obd/ObdSetupFields.h"
#include "obd/ObdValues.h"

namespace vexor::test {
namespace {

using Status = CObdScan::Status;

// What a scan tool reads, against the simulated car, on the bus the OBD page
// finds.
class ObdScanOnSim : public DeviceOnSim {
protected:
    void SetUp() override {
        DeviceOnSim::SetUp();
        device.setConnected(true);
        device.settings().m_devInfo.m_flags1 = 1;
    }
    CObdScan connect() {
        page.updatePage();
        EXPECT_TRUE(page.obdConnected());
        return CObdScan(device, obdSetupProtocol(page.setup()));
    }
    CObdPageModel page{device};
};

TEST_F(ObdScanOnSim, readinessPendingPermanentAndIdentityShowWhatTheCarWasGiven) {
    sim([](CSimController& c) {
        c.obd().setTroubleCodes({0x0171, 0x0300});
        c.obd().setReadiness({0x07, 0x65, 0x24}); // evaporative and oxygen sensor not run
        c.obd().setPendingCodes({0x0420, 0x0301, 0x0302, 0xC401, 0x0A80});
        c.obd().setPermanentCodes({0x0171});
        c.obd().setVehicleInfo("1D4GP00R55B123456", "CAL-2026-0815");
    });
    CObdScan scan = connect();

    ObdReadiness readiness;
    ASSERT_EQ(scan.readReadiness(readiness), Status::Done);
    EXPECT_TRUE(readiness.lamp);
    EXPECT_EQ(readiness.storedCodes, 2);
    EXPECT_EQ(readiness.count(ObdMonitorState::NotComplete), 2);
    EXPECT_EQ(readiness.count(ObdMonitorState::Complete), 5);

    // Five pending codes take a first and a continuation frame.
    std::vector<std::uint16_t> codes;
    ASSERT_EQ(scan.readCodes(CObdScan::kPendingCodes, codes), Status::Done);
    EXPECT_EQ(codes, (std::vector<std::uint16_t>{0x0420, 0x0301, 0x0302, 0xC401, 0x0A80}));
    ASSERT_EQ(scan.readCodes(CObdScan::kPermanentCodes, codes), Status::Done);
    EXPECT_EQ(codes, (std::vector<std::uint16_t>{0x0171}));

    std::string vin;
    std::vector<std::string> ids;
    ASSERT_EQ(scan.readVehicleInfo(vin, ids), Status::Done);
    EXPECT_EQ(vin, "1D4GP00R55B123456");
    EXPECT_EQ(ids, (std::vector<std::string>{"CAL-2026-0815"}));

    // Clearing drops stored and pending codes; permanent ones stay until the
    // car has proven the repair itself.
    ASSERT_TRUE(page.clearTroubleCodes());
    ASSERT_EQ(scan.readCodes(CObdScan::kPendingCodes, codes), Status::Done);
    EXPECT_TRUE(codes.empty());
    ASSERT_EQ(scan.readCodes(CObdScan::kPermanentCodes, codes), Status::Done);
    EXPECT_EQ(codes.size(), 1u);
}

TEST_F(ObdScanOnSim, freezeFrameNamesTheStoringCodeAndDecodesItsValues) {
    sim([](CSimController& c) { c.obd().setTroubleCodes({0x0171, 0x0300}); });
    CObdScan scan = connect();
    ObdFreezeFrame frame;
    ASSERT_EQ(scan.readFreezeFrame(frame), Status::Done);
    EXPECT_EQ(frame.code, 0x0171);
    std::map<std::uint8_t, std::string> values;
    for (const auto& v : frame.values)
        values[v.pid] = v.text;
    EXPECT_EQ(values[kPidEngineSpeed], "2150");
    EXPECT_EQ(values[kPidVehicleSpeed], "62");
    EXPECT_EQ(values[kPidCoolant], "88");
    EXPECT_EQ(values[kPidEngineLoad], "45.1");
    EXPECT_EQ(values[kPidLongTrim1], "14.84");
    EXPECT_EQ(values[kPidFuelSystem], "Pętla zamknięta");
    EXPECT_EQ(values.count(kPidAirFlow), 0u); // the car does not keep it

    // Once the codes are cleared the car holds no frame: that is no failure.
    ASSERT_TRUE(page.clearTroubleCodes());
    ASSERT_EQ(scan.readFreezeFrame(frame), Status::Done);
    EXPECT_EQ(frame.code, 0);
    EXPECT_TRUE(frame.values.empty());
}

TEST_F(ObdScanOnSim, aRefusedServiceOrAMissingVinReadsAsNotSupported) {
    sim([](CSimController& c) { c.obd().setRefusedServices({0x02, 0x07, 0x0A}); });
    CObdScan scan = connect();
    std::vector<std::uint16_t> codes;
    EXPECT_EQ(scan.readCodes(CObdScan::kPendingCodes, codes), Status::NotSupported);
    EXPECT_EQ(scan.readCodes(CObdScan::kPermanentCodes, codes), Status::NotSupported);
    ObdFreezeFrame frame;
    EXPECT_EQ(scan.readFreezeFrame(frame), Status::NotSupported);
    // Service 9 is there but the car has no VIN to give.
    std::string vin;
    std::vector<std::string> ids;
    EXPECT_EQ(scan.readVehicleInfo(vin, ids), Status::NotSupported);
    EXPECT_TRUE(vin.empty());
    // Readiness and stored codes still work.
    ObdReadiness readiness;
    EXPECT_EQ(scan.readReadiness(readiness), Status::Done);

    // A link that stops answering is a failure, not a missing feature.
    sim([](CSimController& c) { c.obd().setCarBus(0x7A0, 1); });
    EXPECT_EQ(scan.readReadiness(readiness), Status::Failed);
    EXPECT_EQ(scan.readCodes(CObdScan::kPendingCodes, codes), Status::Failed);
}

} // namespace
} // namespace vexor::test
