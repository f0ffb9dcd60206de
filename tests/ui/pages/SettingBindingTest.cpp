// A value box bound to a settings row: it offers the row's list, shows the
// row's member, stores a pick in it and writes the row's block; and each page
// binds its boxes to the rows they edit.

#include "pages/SettingBinding.h"
#include "controls/ChoiceFill.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "lang/Language.h"
#include "pages/AdvancedPage.h"
#include "pages/AdvancedPageIds.h"
#include "pages/FlagBinding.h"
#include "pages/PanelGasPage.h"
#include "pages/PanelGasolinePage.h"
#include "pages/PanelIds.h"
#include "pages/PanelSwitchPage.h"
#include "panels/PanelPresets.h"
#include "settings/SettingChoices.h"
#include "settings/SettingsSchema.h"
#include "support/FakeDocument.h"
#include "support/RecordingPrompt.h"

#include <QCheckBox>
#include <QTest>

#include <stdexcept>
#include <string>
#include <vector>

using namespace vexor;
using namespace vexor::panel_ids;
using Sent = std::vector<std::string>;

namespace {

// A page's box, the row it edits and the commands a pick sends.
struct SBoxRow {
    int id;
    const char* key;
    Sent sent;
};

// A page's check box, the bit it sets and the commands a click sends.
struct SCheckRow {
    int id;
    const char* key;
    std::uint8_t mask;
    Sent sent;
};

} // namespace

class SettingBindingTest : public QObject {
    Q_OBJECT

    CFakeDocument m_doc;
    CRecordingPrompt m_prompt;
    Seams m_seams;

    // The box shows the member the image holds, and a pick of another entry
    // lands in the member and sends exactly the row's writes.
    template <class Page> void expectBound(const std::vector<SBoxRow>& rows) {
        for (const SBoxRow& r : rows) {
            const QString what = QString::fromUtf8(r.key);
            init();
            const SettingInfo* row = findSetting(r.key);
            QVERIFY2(row != nullptr, qPrintable(what));
            const auto entries = choiceEntries(row->choice, 0x209);
            QVERIFY2(entries.size() >= 3, qPrintable(what));
            row->setNumber(m_doc.image, entries[1].value);

            Page page;
            m_seams.prompt = &m_prompt;
            page.attach(m_doc, m_seams);
            page.updatePage();
            auto* box = findCtrl<CValueCmbBox>(&page, r.id);
            QVERIFY2(box != nullptr, qPrintable(what));
            QVERIFY2(box->selectedValue() == entries[1].value, qPrintable(what));

            box->setCurrentIndex(2);
            emit box->picked(2);
            QVERIFY2(row->number(m_doc.image) == entries[2].value, qPrintable(what));
            QVERIFY2(m_doc.sent == r.sent, qPrintable(what));
            QVERIFY2(m_prompt.messages().empty(), qPrintable(what));
        }
    }

    // The box shows the bit, and a click sets it alone and sends the row's
    // writes; a second click clears it again.
    template <class Page> void expectFlagBound(const std::vector<SCheckRow>& rows) {
        for (const SCheckRow& r : rows) {
            const QString what = QString::fromUtf8(r.key) + " " + QString::number(r.mask);
            init();
            m_doc.service = true;
            const SettingInfo* row = findSetting(r.key);
            QVERIFY2(row != nullptr, qPrintable(what));
            row->setNumber(m_doc.image, 0xA0 & ~r.mask);

            Page page;
            m_seams.prompt = &m_prompt;
            page.attach(m_doc, m_seams);
            page.updatePage();
            auto* box = findCtrl<QCheckBox>(&page, r.id);
            QVERIFY2(box != nullptr, qPrintable(what));
            QVERIFY2(!box->isChecked(), qPrintable(what));

            box->click();
            QVERIFY2(row->number(m_doc.image) == ((0xA0 & ~r.mask) | r.mask), qPrintable(what));
            QVERIFY2(m_doc.sent == r.sent, qPrintable(what));
            box->click();
            QVERIFY2(row->number(m_doc.image) == (0xA0 & ~r.mask), qPrintable(what));
            QVERIFY2(m_prompt.messages().empty(), qPrintable(what));
        }
    }

private slots:
    void init() {
        m_doc = CFakeDocument();
        m_doc.connected = true;
        m_doc.image.m_devInfo.m_version = 0x209;
        m_doc.image.m_devInfo.m_injCount = 4;
        m_prompt.clear();
        setCurrentLanguage(kLangPolish);
    }

    void aKeyWithoutANumberMemberIsAFaultOfThePage() {
        CValueCmbBox box;
        QVERIFY_THROWS_EXCEPTION(std::logic_error, CSettingBinding(&box, "m_base.m_nothing"));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, CSettingBinding(&box, "m_carInfo.m_vendor"));
    }

    void fillsTheRowsListOrTheOneThePageGives() {
        CValueCmbBox box;
        const CSettingBinding own(&box, "m_base.m_pressureRef");
        own.fill(0x209);
        QCOMPARE(box.entryCount(), int(choiceEntries(Choice::PressureRefGas, 0x209).size()));
        const CSettingBinding shorter(&box, "m_base.m_pressureRef", Choice::PressureRefAdv);
        shorter.fill(0x209);
        QCOMPARE(box.entryCount(), int(choiceEntries(Choice::PressureRefAdv, 0x209).size()));
        QVERIFY(choiceEntries(Choice::PressureRefGas, 0x209).size() !=
                choiceEntries(Choice::PressureRefAdv, 0x209).size());
    }

    // Nothing chosen, or the member's own value: nothing to store or write.
    void takesOnlyANewChoice() {
        CValueCmbBox box;
        const CSettingBinding bound(&box, "m_base.m_switchPressure");
        bound.fill(0x209);
        DeviceSettings s;
        bound.show(s);
        QCOMPARE(box.selectedValue(), s.m_base.m_switchPressure);
        QVERIFY(!bound.take(s));

        box.setCurrentIndex(-1);
        const double before = s.m_base.m_switchPressure;
        QVERIFY(!bound.take(s));
        QCOMPARE(s.m_base.m_switchPressure, before);

        const int other = box.valueAt(0) != before ? 0 : 1;
        box.setCurrentIndex(other);
        QVERIFY(bound.take(s));
        QCOMPARE(s.m_base.m_switchPressure, box.valueAt(other));
        QVERIFY(!bound.take(s));
        QCOMPARE(bound.block(), SettingBlock::Base);
    }

    // A whole-number member takes the entry's value as it is.
    void storesIntoAByteMember() {
        CValueCmbBox box;
        const CSettingBinding bound(&box, "m_sensorsSetup.m_temprLPGSensor");
        bound.fill(0x209);
        DeviceSettings s;
        const int last = box.entryCount() - 1;
        box.setCurrentIndex(last);
        QCOMPARE(bound.take(s), box.valueAt(last) != s.m_sensorsSetup.m_temprLPGSensor);
        QCOMPARE(double(s.m_sensorsSetup.m_temprLPGSensor), box.valueAt(last));
    }

    void unitIsTheRowsWithTheDegreeSign() {
        CValueCmbBox box;
        QCOMPARE(CSettingBinding(&box, "m_base.m_switchTempr").unitText(), QStringLiteral("°C"));
        QCOMPARE(CSettingBinding(&box, "m_base.m_switchPressure").unitText(),
                 QStringLiteral("kPa"));
        QCOMPARE(CSettingBinding(&box, "m_base.m_switchRPM").unitText(), QString());
    }

    void aFlagTheRowDoesNotHoldIsAFaultOfThePage() {
        QCheckBox box;
        QVERIFY_THROWS_EXCEPTION(std::logic_error, CFlagBinding(&box, "m_base.m_flags", 0x80));
        QVERIFY_THROWS_EXCEPTION(std::logic_error,
                                 CFlagBinding(&box, "m_base.m_switchPressure", 0x01));
    }

    // Only the box's bits change; a click that agrees with them is no edit.
    void flagBoxSetsAndClearsItsBitsOnly() {
        QCheckBox box;
        const CFlagBinding bound(&box, "m_adv.m_flags", 0x04);
        QCOMPARE(bound.block(), SettingBlock::Adv);
        DeviceSettings s;
        s.m_adv.m_flags = 0xF3;
        bound.show(s);
        QVERIFY(!box.isChecked());
        QVERIFY(!bound.take(s));
        box.setChecked(true);
        QVERIFY(bound.take(s));
        QCOMPARE(int(s.m_adv.m_flags), 0xF7);
        QVERIFY(!bound.take(s));
        box.setChecked(false);
        bound.store(s);
        QCOMPARE(int(s.m_adv.m_flags), 0xF3);
        bound.store(s);
        QCOMPARE(int(s.m_adv.m_flags), 0xF3);
    }

    // A mask of two bits counts as set with either and is set whole.
    void flagBoxOfTwoBits() {
        QCheckBox box;
        const CFlagBinding bound(&box, "m_adv.m_flags", 0x03);
        DeviceSettings s;
        s.m_adv.m_flags = 0x02;
        QVERIFY(bound.isSet(s));
        box.setChecked(true);
        bound.store(s);
        QCOMPARE(int(s.m_adv.m_flags), 0x03);
        box.setChecked(false);
        QVERIFY(bound.take(s));
        QCOMPARE(int(s.m_adv.m_flags), 0x00);
    }

    void checkBoxesSetTheirRowsBits() {
        expectFlagBound<CPanelSwitchPage>(
            {{kChkMinLpgTempr, "m_base.m_flags", kBaseFlagMinGasTempr, {"writeBase"}},
             {kChkAutoCalibration,
              "m_advancedSetup.m_advancedFlags",
              kAdvFlagAutoCalibration,
              {"writeAdvancedSetup"}}});
        expectFlagBound<CPanelGasolinePage>({{kChkInjSignal,
                                              "m_adv.m_engineSignalBehavior",
                                              kEngineSignalPlus,
                                              {"waitForGasoline", "writeAdv", "restart"}}});
        using namespace ids;
        expectFlagBound<CAdvancedPage>({{kAdvChkWarming, "m_adv.m_flags", 0x03, {"writeAdv"}},
                                        {kAdvChkCutOff, "m_adv.m_flags", 0x04, {"writeAdv"}},
                                        {kAdvChkContinuous, "m_adv.m_flags", 0x08, {"writeAdv"}},
                                        {kAdvChkFast, "m_base.m_flags", 0x40, {"writeBase"}},
                                        {kAdvChkSwitchCorr,
                                         "m_advancedSetup.m_advancedFlags",
                                         kAdvFlagSwitchCorr,
                                         {"writeAdvancedSetup"}}});
    }

    void gasPageBoxesEditTheirRows() {
        const Sent sensors{"writeBase", "writeAdv", "writeSensorsSetup"};
        expectBound<CPanelGasPage>(
            {{kCmbPressSwitch, "m_base.m_switchPressure", {"writeBase"}},
             {kCmbPressRef, "m_base.m_pressureRef", {"writeBase"}},
             {kCmbLpgInj, "m_adv.m_injectorType", {"writeAdv"}},
             {kCmbTemprRedSensor, "m_sensorsSetup.m_temprEngineSensor", sensors},
             {kCmbTemprLpgSensor, "m_sensorsSetup.m_temprLPGSensor", sensors}});
    }

    void gasolinePageBoxesEditTheirRows() {
        expectBound<CPanelGasolinePage>(
            {{kCmbRpmDiv, "m_base.m_sparkDivider", {"writeBase"}},
             {kCmbLambdaType, "m_sensorsSetup.m_lambdaType", {"writeSensorsSetup"}}});
    }

    void switchPageBoxesEditTheirRows() {
        expectBound<CPanelSwitchPage>(
            {{kCmbTemprSwitch, "m_base.m_switchTempr", {"writeBase"}},
             {kCmbRpmSwitch, "m_base.m_switchRPM", {"writeBase"}},
             {kCmbSwitchDelay, "m_base.m_switchDelay", {"writeBase"}},
             {kCmbEmulatorDelay, "m_base.m_emulatorDelay", {"writeBase"}},
             {kCmbPressAverage, "m_base.m_pressAverageCount", {"writeBase"}},
             {kCmbMaxRpm, "m_base.m_maxRPMHigh", {"writeBase"}},
             {kCmbMinRpm, "m_advancedSetup.m_minimalLPGRPM", {"writeAdvancedSetup"}},
             {kCmbFuelSensor, "m_sensorsSetup.m_fuelSensorType", {"writeSensorsSetup"}}});
    }
};

QTEST_MAIN(SettingBindingTest)
#include "SettingBindingTest.moc"
