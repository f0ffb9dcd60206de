#include "settings/SettingsCopy.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"

#include <gtest/gtest.h>

using namespace vexor;

namespace {

// An image as a controller might hold it: every block off its default.
DeviceSettings controllerImage() {
    DeviceSettings s;
    s.m_timeStamp = "01-01-2020-10:00:00";
    s.m_devInfo.m_version = 0x0208;
    s.m_devInfo.m_serial = "ON-DEVICE";
    s.m_carInfo.m_vendor = "Car on the bench";
    s.m_base.m_switchRPM = 2500;
    s.m_base.m_stationCode = {144, 60, 29, 96};
    s.m_adv.m_pwm = 70;
    s.m_adv.m_injSequence = {0x02, 0x01, 0x08, 0x04, 0x20, 0x10, 0x80, 0x40};
    s.m_mainCorr.m_mainCorr[3] = 1.2;
    s.m_setupTimes1[5] = 3.5;
    s.m_tableMask = 7;
    s.m_injMapTable[4][7] = -12;
    s.m_corrMap.m_flags = 1;
    s.m_sensorsSetup.m_fuelFull = 99;
    s.m_advancedSetup.m_serviceLimit = 123456;
    s.m_advancedSetup.m_advancedFlags = kAdvFlagInspection | kAdvFlagTurbo;
    s.m_advancedSetup.m_advancedFlags2 = 1;
    s.m_advancedSetup.m_maxLoad = 9.5;
    return s;
}

} // namespace

TEST(SettingsCopy, loadTakesTheBlocksButKeepsEveryMemberTheFileDoesNotCarry) {
    DeviceSettings device = controllerImage();
    DeviceSettings loaded; // what a file reads into: defaults for what it does not carry
    loaded.m_timeStamp = "02-02-2021-11:11:11";
    loaded.m_devInfo.m_serial = "FROM-FILE";
    loaded.m_carInfo.m_vendor = "Car of the file";
    loaded.m_base.m_switchRPM = 1800;
    loaded.m_base.m_stationCode = {1, 2, 3, 4};
    loaded.m_adv.m_pwm = 55;
    loaded.m_mainCorr.m_mainCorr[3] = 0.9;
    loaded.m_setupTimes1[5] = 1.5;
    loaded.m_tableMask = 3;
    loaded.m_injMapTable[4][7] = 20;
    loaded.m_corrMap.m_flags = 0;
    loaded.m_sensorsSetup.m_fuelFull = 120;
    loaded.m_advancedSetup.m_minimalLPGRPM = 900;
    loaded.m_advancedSetup.m_switchCorr = 8;
    loaded.m_advancedSetup.m_switchCorrTime = 12;
    loaded.m_advancedSetup.m_advancedFlags = kAdvFlagCng | kAdvFlagSensor400; // bit 0 clear

    applyLoadedSettings(device, loaded);

    EXPECT_EQ(device.m_base.m_switchRPM, 1800);
    EXPECT_EQ(device.m_base.m_stationCode, (std::array<std::uint8_t, 4>{144, 60, 29, 96}));
    EXPECT_EQ(device.m_adv.m_pwm, 55);
    // Neither the injector pattern nor the load limit is in a file: a default
    // in their place would rewire the car and lift its load limit.
    EXPECT_EQ(device.m_adv.m_injSequence, controllerImage().m_adv.m_injSequence);
    EXPECT_EQ(device.m_mainCorr.m_mainCorr[3], 0.9);
    EXPECT_EQ(device.m_setupTimes1[5], 1.5);
    EXPECT_EQ(device.m_tableMask, 3);
    EXPECT_EQ(device.m_injMapTable[4][7], 20);
    EXPECT_EQ(device.m_corrMap.m_flags, 0);
    EXPECT_EQ(device.m_sensorsSetup.m_fuelFull, 120);
    EXPECT_EQ(device.m_advancedSetup.m_minimalLPGRPM, 900);
    EXPECT_EQ(device.m_advancedSetup.m_switchCorr, 8);
    EXPECT_EQ(device.m_advancedSetup.m_switchCorrTime, 12);
    EXPECT_EQ(device.m_advancedSetup.m_maxLoad, 9.5);
    EXPECT_EQ(device.m_advancedSetup.m_advancedFlags,
              kAdvFlagCng | kAdvFlagSensor400 | kAdvFlagInspection);
    EXPECT_EQ(device.m_advancedSetup.m_serviceLimit, 123456u);
    EXPECT_EQ(device.m_advancedSetup.m_advancedFlags2, 1);

    EXPECT_EQ(device.m_timeStamp, "01-01-2020-10:00:00");
    EXPECT_EQ(device.m_devInfo.m_serial, "ON-DEVICE");
    EXPECT_EQ(device.m_carInfo.m_vendor, "Car on the bench");
}

TEST(SettingsCopy, loadClearsTheInspectionBitWhenTheControllerHadItClearWhateverTheFileSays) {
    DeviceSettings device = controllerImage();
    device.m_advancedSetup.m_advancedFlags = kAdvFlagSensor400;
    DeviceSettings loaded;
    loaded.m_advancedSetup.m_advancedFlags = 0xFF;
    applyLoadedSettings(device, loaded);
    EXPECT_EQ(device.m_advancedSetup.m_advancedFlags, 0xFE);
}

TEST(SettingsCopy, defaultsRestoreEveryWrittenBlockAndKeepIdentityVehicleStampAndStation) {
    DeviceSettings device = controllerImage();
    applyFactoryDefaults(device);
    const DeviceSettings factory;

    EXPECT_EQ(device.m_adv, factory.m_adv);
    EXPECT_EQ(device.m_mainCorr, factory.m_mainCorr);
    EXPECT_EQ(device.m_setupTimes1, factory.m_setupTimes1);
    EXPECT_EQ(device.m_tableMask, factory.m_tableMask);
    EXPECT_EQ(device.m_injMapTable, factory.m_injMapTable);
    EXPECT_EQ(device.m_corrMap, factory.m_corrMap);
    EXPECT_EQ(device.m_sensorsSetup, factory.m_sensorsSetup);
    EXPECT_EQ(device.m_advancedSetup, factory.m_advancedSetup);
    EXPECT_EQ(device.m_advancedSetup.m_advancedFlags, 0x10);
    EXPECT_EQ(device.m_base.m_switchRPM, factory.m_base.m_switchRPM);
    EXPECT_EQ(device.m_base.m_stationCode, (std::array<std::uint8_t, 4>{144, 60, 29, 96}));

    EXPECT_EQ(device.m_timeStamp, "01-01-2020-10:00:00");
    EXPECT_EQ(device.m_devInfo.m_serial, "ON-DEVICE");
    EXPECT_EQ(device.m_carInfo.m_vendor, "Car on the bench");
}

TEST(DocumentTitle, showsVersionModuleTypeAndDemoMarkWithTheirPadding) {
    EXPECT_EQ(CKorvantisDoc::titleFor(0x0209, true, false), "VEXOR v 2.9 CNG               ");
    EXPECT_EQ(CKorvantisDoc::titleFor(0x0209, false, true), "VEXOR v 2.9 LPG     DEMO");
    EXPECT_EQ(CKorvantisDoc::titleFor(0x0A10, false, false).substr(0, 15), "VEXOR v 10.16 L");
}

TEST(DocumentLanguage, aChangeRebuildsOneSetOfDecodersAndCallsTheRefreshHookOnlyWhenValid) {
    CKorvantisDoc doc;
    int refreshes = 0;
    doc.setRefreshHook([&] { ++refreshes; });
    doc.buildErrorDecoders();
    doc.buildErrorDecoders();
    const std::size_t perSet = doc.errorDecoderCount() / 2;

    EXPECT_FALSE(doc.changeLanguage(14));
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(doc.errorDecoderCount(), 2 * perSet);

    EXPECT_TRUE(doc.changeLanguage(kLangEnglish));
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(doc.language(), kLangEnglish);
    EXPECT_EQ(currentLanguage(), kLangEnglish);
    EXPECT_EQ(doc.errorDecoderCount(), perSet);
    setCurrentLanguage(kLangPolish);
}
