// The settings pages and the settings schema describe the same choices: every
// combo box offers exactly the entries the schema checks values against, for
// old and new controllers alike. A box that edits a settings row offers the
// row's own list.

#include "controls/ChoiceFill.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "pages/AdvancedPage.h"
#include "pages/AdvancedPageIds.h"
#include "pages/PanelGasPage.h"
#include "pages/PanelGasolinePage.h"
#include "pages/PanelIds.h"
#include "pages/PanelSwitchPage.h"
#include "pages/SetServiceDlg.h"
#include "settings/SettingChoices.h"
#include "settings/SettingsSchema.h"
#include "support/FakeDocument.h"
#include "support/RecordingPrompt.h"

#include <QTest>

#include <set>
#include <utility>
#include <vector>

using namespace vexor;

namespace {

using Boxes = std::vector<std::pair<int, Choice>>;

// The list the schema gives the row of a settings-file key; none for a key
// the schema lacks, which no filled box matches.
Choice rowList(const char* key) {
    const SettingInfo* row = findSetting(key);
    return row != nullptr ? row->choice : Choice::None;
}

// The box offers the schema's list: same values, precisions and texts, the
// same as a box filled from the list directly.
void expectSameEntries(QWidget* window, int id, Choice choice, std::int32_t version) {
    const CValueCmbBox* box = findCtrl<CValueCmbBox>(window, id);
    QVERIFY2(box != nullptr, qPrintable(QString("control %1").arg(id)));
    CValueCmbBox filled;
    fillChoices(filled, choice, version);
    QCOMPARE(box->entryCount(), filled.entryCount());
    for (int i = 0; i < box->entryCount(); ++i)
        QCOMPARE(box->itemText(i), filled.itemText(i));
    const auto entries = choiceEntries(choice, version);
    QCOMPARE(box->entryCount(), static_cast<int>(entries.size()));
    for (int i = 0; i < box->entryCount(); ++i) {
        const ChoiceEntry& e = entries[static_cast<std::size_t>(i)];
        QCOMPARE(box->valueAt(i), e.value);
        QCOMPARE(box->precisionAt(i), e.precision);
        const std::string text = e.precision == kChoiceTextPrecision ? translate(e.text) : e.text;
        QCOMPARE(box->itemText(i), QString::fromStdString(text));
    }
}

} // namespace

class SchemaPagesTest : public QObject {
    Q_OBJECT

    CFakeDocument m_doc;
    CRecordingPrompt m_prompt;
    Seams m_seams;

    template <class Page> void check(const Boxes& boxes) {
        for (const std::int32_t version : {0x205, 0x209}) {
            m_doc.image.m_devInfo.m_version = version;
            Page page;
            page.attach(m_doc, m_seams);
            page.updatePage();
            for (const auto& [id, choice] : boxes)
                expectSameEntries(&page, id, choice, version);
        }
    }

private slots:
    void init() {
        m_doc = CFakeDocument();
        m_doc.connected = true;
        m_doc.service = true;
        m_seams.prompt = &m_prompt;
        setCurrentLanguage(kLangEnglish);
    }
    void cleanupTestCase() { setCurrentLanguage(kLangPolish); }

    void gasolinePage() {
        using namespace panel_ids;
        check<CPanelGasolinePage>({{kCmbRpmDiv, rowList("m_base.m_sparkDivider")},
                                   {kCmbRpmLevel, Choice::RpmLevel},
                                   {kCmbEngineType, Choice::EngineType},
                                   {kCmbLambdaType, rowList("m_sensorsSetup.m_lambdaType")},
                                   {kCmbGasInjType, Choice::InjSequence}});
    }

    void gasPage() {
        using namespace panel_ids;
        check<CPanelGasPage>({{kCmbLpgInj, rowList("m_adv.m_injectorType")},
                              {kCmbPressSwitch, rowList("m_base.m_switchPressure")},
                              {kCmbPressRef, rowList("m_base.m_pressureRef")},
                              {kCmbPressSensorType, Choice::PressureSensor},
                              {kCmbTemprRedSensor, rowList("m_sensorsSetup.m_temprEngineSensor")},
                              {kCmbTemprLpgSensor, rowList("m_sensorsSetup.m_temprLPGSensor")}});
    }

    void switchPage() {
        using namespace panel_ids;
        check<CPanelSwitchPage>({{kCmbTemprSwitch, rowList("m_base.m_switchTempr")},
                                 {kCmbRpmSwitch, rowList("m_base.m_switchRPM")},
                                 {kCmbSwitchDelay, rowList("m_base.m_switchDelay")},
                                 {kCmbEmulatorDelay, rowList("m_base.m_emulatorDelay")},
                                 {kCmbMaxRpm, rowList("m_base.m_maxRPMHigh")},
                                 {kCmbMaxLoad, Choice::MaxLoad},
                                 {kCmbPressAverage, rowList("m_base.m_pressAverageCount")},
                                 {kCmbMinRpm, rowList("m_advancedSetup.m_minimalLPGRPM")},
                                 {kCmbFuelSensor, rowList("m_sensorsSetup.m_fuelSensorType")}});
    }

    void advancedPage() {
        using namespace ids;
        check<CAdvancedPage>({{kAdvWarmingTime, rowList("m_adv.m_warmingTime")},
                              // The working pressure up to 200 kPa, not 250 as on the gas panel.
                              {kAdvPressureRef, Choice::PressureRefAdv},
                              {kAdvPressureGain, rowList("m_base.m_pressureGain")},
                              {kAdvCutOffPressure, rowList("m_adv.m_cutOffPressSwitch")},
                              {kAdvCutOffExitDelay, rowList("m_adv.m_cutOffExitDelay")},
                              {kAdvMinLpgTime, rowList("m_adv.m_minLPGTime")},
                              {kAdvIgnoreTime, rowList("m_adv.m_ignoreLPGTime")},
                              {kAdvSwitchCorr, rowList("m_advancedSetup.m_switchCorr")},
                              {kAdvSwitchCorrTime, rowList("m_advancedSetup.m_switchCorrTime")}});
    }

    void inspectionDialog() {
        CSetServiceDlg dlg(m_doc, m_seams);
        expectSameEntries(&dlg, ids::kSetSrvDistance, Choice::ServiceDistance, 0x209);
    }

    // Every value a page's box offers for a file key is one the schema takes.
    void everyOfferedValueOfAKeyIsAccepted() {
        std::set<Choice> seen;
        for (const SettingInfo& info : settingsSchema()) {
            // One key of each list is enough (the map's 285 cells share one).
            if (info.choice == Choice::None || !seen.insert(info.choice).second)
                continue;
            const auto entries = choiceEntries(info.choice, 0x209);
            // Long ranges: both ends and every tenth entry.
            const std::size_t stride = entries.size() > 60 ? 10 : 1;
            for (std::size_t i = 0; i < entries.size(); ++i) {
                if (i % stride != 0 && i + 1 != entries.size())
                    continue;
                const ChoiceEntry& e = entries[i];
                DeviceSettings s;
                s.m_devInfo.m_version = 0x209;
                std::string accepts;
                const std::string given = e.precision == kChoiceTextPrecision
                                              ? std::to_string(static_cast<int>(e.value))
                                              : e.text;
                QVERIFY2(setSettingFromText(info, s, given, accepts),
                         qPrintable(QString::fromStdString(info.key + " " + given)));
            }
        }
    }
};

QTEST_MAIN(SchemaPagesTest)
#include "SchemaPagesTest.moc"
