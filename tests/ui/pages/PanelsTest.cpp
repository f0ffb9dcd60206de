#include "controls/ColorStatic.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "device/InjPattern.h"
#include "lang/Language.h"
#include "pages/PanelGasPage.h"
#include "pages/PanelGasolinePage.h"
#include "pages/PanelIds.h"
#include "pages/PanelSwitchPage.h"
#include "panels/FuelGauge.h"
#include "support/FakeDocument.h"
#include "support/RecordingPrompt.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QTest>

using namespace vexor;
using namespace vexor::panel_ids;
using Sent = std::vector<std::string>;

namespace {

const std::string kWriteFailed = "Nie powiodło się wpisanie ustawień do urządzenia!";
const std::string kResetFailed = "Nie powiodło się zresetowanie urządzenia!";

CValueCmbBox* box(QWidget* page, int id) {
    CValueCmbBox* found = findCtrl<CValueCmbBox>(page, id);
    Q_ASSERT(found != nullptr);
    return found;
}

// Picks the entry carrying the value, as the fitter would.
void pick(QWidget* page, int id, double value) {
    QVERIFY(box(page, id)->selectValue(value));
}

QStringList texts(CValueCmbBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

} // namespace

class PanelsTest : public QObject {
    Q_OBJECT

    CFakeDocument m_doc;
    CRecordingPrompt m_prompt;
    Seams m_seams;

    template <class Page> void attach(Page& page) {
        m_seams.prompt = &m_prompt;
        page.attach(m_doc, m_seams);
        page.updatePage();
    }

private slots:
    void init() {
        m_doc = CFakeDocument();
        m_doc.connected = true;
        m_doc.image.m_devInfo.m_version = 0x209;
        m_doc.image.m_devInfo.m_injCount = 4;
        m_prompt.clear();
        setCurrentLanguage(0);
    }

    void gasolinePageWritesEachChangeToItsBlockOnce() {
        CPanelGasolinePage page;
        int hookType = -1;
        page.setLambdaTypeHook([&](int type) { hookType = type; });
        attach(page);

        pick(&page, kCmbRpmDiv, 4);
        page.OnSelendokCmbRpmDiv();
        page.OnSelendokCmbRpmDiv(); // unchanged now
        QCOMPARE(m_doc.image.m_base.m_sparkDivider, 4);

        pick(&page, kCmbLambdaType, 6);
        page.OnSelendokCmbLambdaType();
        QCOMPARE(m_doc.image.m_sensorsSetup.m_lambdaType, 6);
        QCOMPARE(hookType, 6);

        auto* signal = findCtrl<QCheckBox>(&page, kChkInjSignal);
        signal->setChecked(true);
        page.OnChkInjSignal();
        QCOMPARE(m_doc.image.m_adv.m_engineSignalBehavior & 1, 1);
        QCOMPARE(m_doc.sent, (Sent{"writeBase", "writeSensorsSetup", "waitForGasoline", "writeAdv",
                                   "restart"}));
        QVERIFY(m_prompt.entries().empty());
    }

    void gasolineFlagBoxesFlipTheirBitsEvenWhenUnchanged() {
        CPanelGasolinePage page;
        m_doc.image.m_advancedSetup.m_advancedFlags = 0x10;
        attach(page);
        pick(&page, kCmbEngineType, 1);
        page.OnSelendokCmbEngineType();
        pick(&page, kCmbRpmLevel, 1);
        page.OnSelendokCmbRpmLevel();
        page.OnSelendokCmbRpmLevel();
        QCOMPARE(m_doc.image.m_advancedSetup.m_advancedFlags, 0x70);
        pick(&page, kCmbEngineType, 0);
        page.OnSelendokCmbEngineType();
        QCOMPARE(m_doc.image.m_advancedSetup.m_advancedFlags, 0x30);
        QCOMPARE(m_doc.sent.size(), std::size_t(4));
    }

    void fullGroupWithFourInjectorsIsMasked() {
        CPanelGasolinePage page;
        attach(page);
        QCOMPARE(box(&page, kCmbGasInjType)->selectedValue(), 0.0);
        m_doc.commandsSucceed = false;
        pick(&page, kCmbGasInjType, 2);
        page.OnSelendokCmbGasInjType();
        QCOMPARE(m_doc.image.m_adv.m_injSequence, (InjSequence{0x0F, 0, 0, 0, 0, 0, 0, 0}));
        // The wait for petrol fails first; nothing else is tried.
        QCOMPARE(m_doc.sent, Sent{"waitForGasoline"});
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{kWriteFailed});
    }

    void semiSequentialWiringIsShownByItsNameAndIsNoChoice() {
        CPanelGasolinePage page;
        attach(page);
        pick(&page, kCmbGasInjType, 2);
        m_doc.image.m_adv.m_injSequence = {0x05, 0x0A, 0, 0, 0, 0, 0, 0};
        page.updatePage();
        CValueCmbBox* wiring = box(&page, kCmbGasInjType);
        QVERIFY(wiring->offListShown());
        QVERIFY(wiring->currentText().startsWith(QStringLiteral("Półsekwencja (")));
        QCOMPARE(wiring->selectedValue(), -1.0);
        page.OnSelendokCmbGasInjType();
        QVERIFY(m_doc.sent.empty());
    }

    void offlineEditsAreRefusedAndThePageShowsTheImageAgain() {
        CPanelGasolinePage gasoline;
        CPanelSwitchPage switchPage;
        attach(gasoline);
        attach(switchPage);
        m_doc.connected = false;
        pick(&gasoline, kCmbRpmDiv, 8);
        gasoline.OnSelendokCmbRpmDiv();
        QCOMPARE(box(&gasoline, kCmbRpmDiv)->currentText(), QStringLiteral("1"));
        pick(&switchPage, kCmbRpmSwitch, 3000);
        switchPage.OnSelendokCmbRpmSwitch();
        auto* slider = findCtrl<QSlider>(&switchPage, kSldFuelFull);
        const int mark = slider->value();
        slider->setValue(10);
        // The number field follows the slider until the marks are taken.
        QCOMPARE(findCtrl<QLabel>(&switchPage, kNumFuelFull)->text(), QStringLiteral("10"));
        switchPage.OnHScroll(0);
        QCOMPARE(slider->value(), mark);
        QVERIFY(m_doc.sent.empty());
        QCOMPARE(m_doc.image.m_base.m_sparkDivider, 1);
        QCOMPARE(m_prompt.messages(), std::vector<std::string>(3, "Brak połączenia"));
    }

    void injectorTypeBringsItsDriveValues() {
        CPanelGasPage page;
        attach(page);
        QCOMPARE(box(&page, kCmbLpgInj)->count(), 8);
        pick(&page, kCmbLpgInj, 2);
        page.OnSelendokCmbLpgInj();
        QCOMPARE(m_doc.image.m_adv.m_injectorType, 2);
        QCOMPARE(m_doc.image.m_adv.m_pwm, 40.0);
        QCOMPARE(m_doc.image.m_adv.m_pwmOffset, 3.0);
        QCOMPARE(m_doc.image.m_adv.m_injectorWarmingImpulse, 1.0);
        QCOMPARE(m_doc.sent, Sent{"writeAdv"});
    }

    void reducerSensorRewritesBaseAndAdvancedBlocksToo() {
        CPanelGasPage page;
        attach(page);
        pick(&page, kCmbTemprRedSensor, 2);
        page.OnSelendokCmbTemprRedSensor();
        QCOMPARE(m_doc.image.m_sensorsSetup.m_temprEngineSensor, 2);
        QCOMPARE(m_doc.sent, (Sent{"writeBase", "writeAdv", "writeSensorsSetup"}));
        m_doc.sent.clear();
        m_doc.failOn = "writeAdv";
        pick(&page, kCmbTemprLpgSensor, 0);
        page.OnSelendokCmbTemprLpgSensor();
        QCOMPARE(m_doc.sent, (Sent{"writeBase", "writeAdv"}));
        QCOMPARE(m_doc.image.m_sensorsSetup.m_temprLPGSensor, 0); // no roll-back
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{kWriteFailed});
    }

    void pressureSensorChoiceDependsOnTheVersionAndRestarts() {
        CPanelGasPage page;
        m_doc.image.m_devInfo.m_version = 0x207;
        attach(page);
        QCOMPARE(texts(box(&page, kCmbPressSensorType)),
                 (QStringList{"KORVANTIS 400KPA", "DIFFERENTIAL"}));
        // A 250 kPa sensor the old controller does not offer is shown as it is.
        m_doc.image.m_advancedSetup.m_advancedFlags2 = 1;
        page.updatePage();
        QCOMPARE(box(&page, kCmbPressSensorType)->currentText(),
                 QStringLiteral("KORVANTIS 250KPA (poza listą)"));
        m_doc.image.m_devInfo.m_version = 0x208;
        m_doc.image.m_advancedSetup.m_advancedFlags2 = 1;
        page.updatePage();
        QCOMPARE(box(&page, kCmbPressSensorType)->count(), 3);
        QCOMPARE(box(&page, kCmbPressSensorType)->selectedValue(), 2.0);

        m_doc.failOn = "restart";
        pick(&page, kCmbPressSensorType, 1);
        page.OnSelendokCmbPressSensorType();
        QCOMPARE(m_doc.image.m_advancedSetup.m_advancedFlags2, 0);
        QVERIFY(m_doc.image.m_advancedSetup.m_advancedFlags & kAdvFlagSensor400);
        QCOMPARE(m_doc.sent, (Sent{"writeAdvancedSetup", "restart"}));
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{kResetFailed});
    }

    void portErrorIsReportedUnderTheHandlersName() {
        CPanelGasPage page;
        attach(page);
        m_doc.throwCode = 4;
        pick(&page, kCmbPressRef, 120);
        page.OnSelendokCmbPressRef();
        QCOMPARE(m_prompt.messages(),
                 std::vector<std::string>{"CPanelGasPage::OnSelendokCmbPressRef()\n"
                                          "Błąd czasu wykonania"});
        QCOMPARE(m_prompt.entries().front().icon, IUserPrompt::Icon::Error);
    }

    void maximumRpmOf8000SwitchesTheLimitOff() {
        CPanelSwitchPage page;
        m_doc.image.m_base.m_maxRPMHigh = 6000;
        m_doc.image.m_base.m_flags = 0x92;
        attach(page);
        pick(&page, kCmbMaxRpm, 8000);
        page.OnSelendokCmbMaxRpm();
        QCOMPARE(m_doc.image.m_base.m_maxRPMLow, 7000.0);
        QCOMPARE(m_doc.image.m_base.m_flags, 0x90);
        pick(&page, kCmbMinRpm, 900);
        page.OnSelendokCmbMinRpm();
        QVERIFY(m_doc.image.m_advancedSetup.m_advancedFlags & kAdvFlagMinRpm);
        QCOMPARE(m_doc.sent, (Sent{"writeBase", "writeAdvancedSetup"}));
    }

    void switchBoxesShowTheImageAndHideTheLoadOnOldControllers() {
        CPanelSwitchPage page;
        page.show();
        m_doc.image.m_base.m_emulatorDelay = 0.1 * 3; // as a conversion leaves it
        m_doc.image.m_devInfo.m_version = 0x205;
        attach(page);
        QCOMPARE(box(&page, kCmbEmulatorDelay)->count(), 51);
        QCOMPARE(box(&page, kCmbEmulatorDelay)->currentText(), QStringLiteral("0.3"));
        QVERIFY(!box(&page, kCmbMaxLoad)->isVisible());
        QVERIFY(!findCtrl<QLabel>(&page, kLblMaxLoad)->isVisible());
        QVERIFY(!findCtrl<QLabel>(&page, kUnitMaxLoad)->isVisible());
        m_doc.image.m_devInfo.m_version = 0x206;
        page.updatePage();
        QVERIFY(box(&page, kCmbMaxLoad)->isVisible());
        QCOMPARE(box(&page, kCmbMaxLoad)->itemText(1), QStringLiteral("5"));
    }

    void fuelSensorTypeMovesTheMarksAndSlidersWriteThem() {
        CPanelSwitchPage page;
        attach(page);
        pick(&page, kCmbFuelSensor, 4);
        page.OnSelendokCmbFuelSensor();
        QCOMPARE(m_doc.image.m_sensorsSetup.m_fuelFull, 220);
        QCOMPARE(findCtrl<QSlider>(&page, kSldFuelFull + 3)->value(), 70);
        QCOMPARE(findCtrl<QLabel>(&page, kNumFuelFull + 3)->text(), QStringLiteral("70"));
        QCOMPARE(m_doc.sent, Sent{"writeSensorsSetup"});

        m_doc.throwCode = 4;
        findCtrl<QSlider>(&page, kSldFuelFull + 1)->setValue(171);
        page.OnHScroll(1);
        QCOMPARE(m_doc.image.m_sensorsSetup.m_fuelHgw, 171);
        QCOMPARE(m_prompt.messages().size(), std::size_t(1));
        QVERIFY(m_prompt.messages().front().starts_with("CPanelSwitchPage::OnHScroll()\n"));
    }

    void liveRefreshShowsTheFuelLevelEveryFifthCall() {
        CPanelSwitchPage page;
        attach(page);
        CDiag record;
        record.setByte(14, 200);
        m_doc.newest = record;
        auto* reading = findCtrl<QLabel>(&page, kLblFuelLevel);
        for (int i = 1; i < CPanelSwitchPage::kFuelRefreshEvery; ++i)
            page.refreshLive();
        // No level was read yet: none is shown, rather than an empty tank.
        QCOMPARE(reading->text(), QString());
        page.refreshLive();
        QCOMPARE(reading->text(), QStringLiteral("200"));
        QCOMPARE(findCtrl<CColorStatic>(&page, kLampFull)->backgroundColor(), CFuelGauge::kLit);
    }

    void textsFollowTheLanguage() {
        CPanelSwitchPage page;
        CPanelGasPage gas;
        setCurrentLanguage(1);
        attach(page);
        attach(gas);
        QCOMPARE(findCtrl<QGroupBox>(&page, kGrpToPetrol)->title(), QStringLiteral("To petrol"));
        QCOMPARE(findCtrl<QGroupBox>(&page, kGrpFuelGauge)->title(),
                 QStringLiteral("Fuel level gauge"));
        QCOMPARE(findCtrl<QLabel>(&page, kLblMarkFull)->text(), QStringLiteral("Full"));
        QCOMPARE(findCtrl<CColorStatic>(&page, kLampReserve)->text(), QStringLiteral("Reserve"));
        QCOMPARE(findCtrl<QLabel>(&gas, kLblPressRef)->text(), QStringLiteral("Working pressure"));
        setCurrentLanguage(0);
        page.updatePage();
        QCOMPARE(findCtrl<QCheckBox>(&page, kChkMinLpgTempr)->text(),
                 QStringLiteral("Minimalna temperatura gazu 3 st. C"));
    }
};

QTEST_MAIN(PanelsTest)
#include "PanelsTest.moc"
