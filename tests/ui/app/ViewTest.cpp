#include "app/ControlIds.h"
#include "app/DisplayDlg.h"
#include "app/KorvantisView.h"
#include "common/IError.h"
#include "controls/ColorStatic.h"
#include "controls/Colors.h"
#include "controls/CtrlId.h"
#include "controls/LambdaBar.h"
#include "controls/ValueCmbBox.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "live/LiveValues.h"
#include "live/SwitchLights.h"
#include "maps/tools/LambdaBar.h"
#include "pages/AppPropSheet.h"
#include "pages/PanelGasolinePage.h"
#include "pages/PanelIds.h"
#include "support/FakeDocument.h"
#include "support/RecordingPrompt.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace vexor;

namespace {

// Petrol 4.00 ms with a -5 step correction on cylinder 1; cylinder 2 takes the
// longer of its two channels; four cylinders configured.
CDiag knownRecord() {
    CDiag record;
    record.setWorkMode(kWorkModeGas);
    record.setByte(CDiag::OffGasPressure, 255);
    record.setByte(CDiag::OffManifold, 255);
    record.setByte(CDiag::OffSupply, 102);
    record.setByte(CDiag::OffLambda1, 23);
    record.setByte(CDiag::OffLambda2, 0);
    record.setByte(CDiag::OffGasTempr, 0);
    record.setByte(CDiag::OffReducerTempr, 255);
    record.setByte(CDiag::OffInjectorsOnGas, 0x05);
    record.setIgnitionPeriod(48000);
    record.setPetrolWord(0, 160);
    record.setPetrolWord(1, 100);
    record.setGasCorrWord(0, 65530);
    record.setPetrolWord(2, 40);
    record.setPetrolWord(3, 80);
    record.setGasCorrWord(3, 8);
    record.setGasCorrWord(2, 400);
    for (int channel = 8; channel < 16; ++channel)
        record.setPetrolWord(channel, 200);
    return record;
}

DeviceSettings fourCylinders() {
    DeviceSettings settings;
    settings.m_devInfo.m_injCount = 4;
    settings.m_advancedSetup.m_advancedFlags = 0; // relative manifold sensor
    settings.m_advancedSetup.m_advancedFlags2 = 0;
    settings.m_sensorsSetup.m_temprLPGSensor = 0;
    settings.m_sensorsSetup.m_temprEngineSensor = 0;
    return settings;
}

DeviceSettings::SensorsSetup thresholds(int full, int hgw, int half, int quarter) {
    DeviceSettings::SensorsSetup sensors;
    sensors.m_fuelFull = static_cast<std::uint8_t>(full);
    sensors.m_fuelHgw = static_cast<std::uint8_t>(hgw);
    sensors.m_fuelHalf = static_cast<std::uint8_t>(half);
    sensors.m_fuelQuarter = static_cast<std::uint8_t>(quarter);
    return sensors;
}

constexpr std::uint32_t G = kRefLightGreen;
constexpr std::uint32_t R = kRefLightRed;
constexpr std::uint32_t O = kRefLightOff;

class CCountingCursor : public IBusyCursor {
public:
    void begin() override { ++begun; }
    void end() override { ++ended; }
    int begun = 0;
    int ended = 0;
};

} // namespace

class ViewTest : public QObject {
    Q_OBJECT

private:
    CFakeDocument m_doc;
    CRecordingPrompt m_prompt;
    CCountingCursor m_cursor;
    std::unique_ptr<CKorvantisView> m_view;

    QString field(int id) const { return findCtrl<CColorStatic>(m_view.get(), id)->text(); }
    QCheckBox* check(size_t i) const {
        return findCtrl<QCheckBox>(m_view.get(), ids::kInjectorChecks[i]);
    }

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_doc = CFakeDocument();
        m_prompt.clear();
        m_cursor = CCountingCursor();
        Seams seams;
        seams.prompt = &m_prompt;
        seams.cursor = &m_cursor;
        m_view = std::make_unique<CKorvantisView>(m_doc, seams);
        m_view->createPages();
        m_doc.image = fourCylinders();
    }
    void cleanup() { m_view.reset(); }

    void liveTextsOfAKnownRecord() {
        const SLiveTexts texts = liveTexts(knownRecord(), fourCylinders());
        QCOMPARE(texts.gasTime1, std::string("3.88"));
        QCOMPARE(texts.petrol[0], std::string("4.0"));
        QCOMPARE(texts.gas[0], std::string("3.9"));
        QCOMPARE(texts.petrol[1], std::string("2.0"));
        QCOMPARE(texts.gas[1], std::string("2.2"));
        for (size_t i = 4; i < 8; ++i) {
            QCOMPARE(texts.petrol[i], std::string("0.0"));
            QCOMPARE(texts.gas[i], std::string("0.0"));
        }
        QCOMPARE(texts.rpm, std::string("100"));
        QCOMPARE(texts.gasPressure, std::string("240"));
        QCOMPARE(texts.manifold, std::string("0")); // 101 - 240 would be negative
        QCOMPARE(texts.supply, std::string("12.00"));
        QCOMPARE(texts.lambda1, std::string("0.45"));
        QCOMPARE(texts.lambda2, std::string("0.00"));
        QCOMPARE(texts.gasTempr, std::string("209"));
        QCOMPARE(texts.reducerTempr, std::string("-36"));
    }

    void engineSpeedBelow100AndAZeroPeriodShowZero() {
        QCOMPARE(rpmText(60000), std::string("0"));
        QCOMPARE(rpmText(48000), std::string("100"));
        QCOMPARE(rpmText(0), std::string("0"));
        QCOMPARE(rpmText(4800), std::string("1000"));
    }

    void cylinderCountOutsideOneToEightIsKeptInRange() {
        QCOMPARE(displayedCylinders(-3), 0);
        QCOMPARE(displayedCylinders(12), 8);
        DeviceSettings settings = fourCylinders();
        settings.m_devInfo.m_injCount = 200;
        const SLiveTexts texts = liveTexts(knownRecord(), settings);
        QCOMPARE(texts.petrol[7], std::string("5.0"));
    }

    void negativeZeroNeverShowsAMinusSign() {
        QCOMPARE(formatNumber("%.2f", -0.001), std::string("0.00"));
        QCOMPARE(formatNumber("%.0f", -0.4), std::string("0"));
        QCOMPARE(formatNumber("%.1f", -0.06), std::string("-0.1"));
    }

    void switchLightsFollowTheTankLevelOnGas() {
        const auto sensors = thresholds(200, 150, 100, 50);
        QCOMPARE(switchLightColors(3, 0, 180, sensors, false), (SLightColors{O, G, G, R}));
        QCOMPARE(switchLightColors(3, 0, 120, sensors, false), (SLightColors{O, O, G, R}));
        QCOMPARE(switchLightColors(3, 0, 80, sensors, false), (SLightColors{O, O, O, R}));
        QCOMPARE(switchLightColors(3, 0, 210, sensors, false), (SLightColors{G, G, G, R}));
    }

    void reversedFuelSensorIsMirroredBeforeTheComparison() {
        const auto sensors = thresholds(255 - 200, 255 - 150, 255 - 100, 255 - 50);
        QCOMPARE(switchLightColors(3, 0, 255 - 180, sensors, false), (SLightColors{O, G, G, R}));
        QCOMPARE(switchLightColors(3, 0, 255 - 120, sensors, false), (SLightColors{O, O, G, R}));
        QCOMPARE(switchLightColors(3, 0, 255 - 80, sensors, false), (SLightColors{O, O, O, R}));
    }

    void offGasTheLastLightBlinksOnModeFlagOneAndOtherwiseAllAreOff() {
        const auto sensors = thresholds(200, 150, 100, 50);
        QCOMPARE(switchLightColors(0, 0, 180, sensors, true), (SLightColors{O, O, O, O}));
        QCOMPARE(switchLightColors(0, 1, 180, sensors, true), (SLightColors{O, O, O, R}));
        QCOMPARE(switchLightColors(0, 1, 180, sensors, false), (SLightColors{O, O, O, O}));

        CSwitchLights lights;
        CDiag record;
        record.setByte(CDiag::OffModeFlag, 1);
        std::vector<std::uint32_t> lastLight;
        for (int tick = 0; tick < 20; ++tick) {
            if (auto colors = lights.tick(record, sensors))
                lastLight.push_back((*colors)[3]);
        }
        QCOMPARE(lastLight, (std::vector<std::uint32_t>{R, O, R, O}));
    }

    void viewRefreshFillsFieldsRowsIndicatorsAndLightsEveryFifthTick() {
        m_doc.connected = true;
        m_doc.image.m_sensorsSetup = thresholds(200, 150, 100, 50);
        CDiag record = knownRecord();
        record.setByte(CDiag::OffFuelLevel, 180);
        m_doc.newest = record;
        for (int i = 0; i < 4; ++i)
            m_view->refreshLive();
        // Grey until the first light update: nothing live lit them yet.
        QCOMPARE(m_view->light(1163)->backgroundColor(), kRefStaleGrey);
        m_view->refreshLive();
        QCOMPARE(m_view->light(1162)->backgroundColor(), kRefLightOff);
        QCOMPARE(m_view->light(1163)->backgroundColor(), kRefLightGreen);
        QCOMPARE(m_view->light(1164)->backgroundColor(), kRefLightGreen);
        QCOMPARE(m_view->light(1165)->backgroundColor(), kRefLightRed);

        QCOMPARE(field(ids::kGasTime1), QStringLiteral("3.88"));
        QCOMPARE(field(ids::kRpm), QStringLiteral("100"));
        QCOMPARE(field(ids::kPetrolRow[0]), QStringLiteral("4.0"));
        QCOMPARE(field(ids::kGasRow[1]), QStringLiteral("2.2"));
        QCOMPARE(field(ids::kCylColumn[1]), QStringLiteral("2.0"));
        QCOMPARE(field(ids::kPetrolRow[6]), QStringLiteral("0.0"));

        QVERIFY(check(0)->isChecked());
        QVERIFY(!check(1)->isChecked());
        QVERIFY(check(2)->isChecked());
        const auto label = [this](size_t i) {
            return findCtrl<CColorStatic>(m_view.get(), ids::kInjectorLabels[i])->backgroundColor();
        };
        QCOMPARE(label(0), kRefInjectorOnGas);
        QCOMPARE(label(1), kRefInjectorIdle);

        record.setWorkMode(0);
        m_doc.newest = record;
        m_view->refreshLive();
        QCOMPARE(label(0), kRefInjectorIdle);
        QVERIFY(check(0)->isChecked());
    }

    void lambdaDisplaysLightTheSegmentOfEachProbe() {
        m_doc.connected = true;
        m_doc.image.m_sensorsSetup.m_lambdaType = 2; // a 0-5 V probe
        CDiag record = knownRecord();
        record.setByte(CDiag::OffLambda1, 0);   // 0 V: leanest
        record.setByte(CDiag::OffLambda2, 255); // 5 V: richest
        m_doc.newest = record;
        m_view->refreshLive();
        const auto bar = [this](int id) { return findCtrl<CLambdaDisplay>(m_view.get(), id); };
        QVERIFY(bar(1139) != nullptr);
        QVERIFY(bar(1138) != nullptr);
        QCOMPARE(bar(1139)->litSegment(), vexor::lambdaSegment(0.0, 2));
        QCOMPARE(bar(1138)->litSegment(), vexor::lambdaSegment(5.0, 2));
        QVERIFY(bar(1139)->litSegment() != bar(1138)->litSegment());
    }

    void valueFieldsHaveTheirOwnTextColoursOnWhite() {
        m_doc.connected = true;
        m_doc.newest = knownRecord();
        m_view->refreshLive();
        const auto fields = m_view->valuePanel().valueFields();
        const std::array<int, 9> order = {1068, 1075, 1077, 1056, 1069, 1064, 1065, 1057, 1072};
        const std::array<std::uint32_t, 9> colors = {0xFF80FF, 0x008080, 0xFF0000,
                                                     0x808040, 0x000040, 0x008000,
                                                     0xFF0080, 0x606060, 0x4080FF};
        for (size_t i = 0; i < fields.size(); ++i) {
            QCOMPARE(ctrlId(fields[i]), order[i]);
            QCOMPARE(fields[i]->textColor(), colors[i]);
            QCOMPARE(fields[i]->backgroundColor(), std::uint32_t(0xFFFFFF));
        }
        QCOMPARE(findCtrl<CColorStatic>(m_view.get(), ids::kPetrolRow[0])->textColor(), kRefRed);
        QCOMPARE(findCtrl<CColorStatic>(m_view.get(), ids::kGasRow[0])->textColor(), kRefBlue);
    }

    void unchangedValuesAreNotRepainted() {
        m_doc.connected = true;
        m_doc.newest = knownRecord();
        m_view->show();
        m_view->refreshLive();
        QCoreApplication::processEvents();
        CColorStatic* rpm = findCtrl<CColorStatic>(m_view.get(), ids::kRpm);
        const int painted = rpm->paintCount();
        QVERIFY(painted > 0);
        m_view->refreshLive();
        QCoreApplication::processEvents();
        QCOMPARE(rpm->paintCount(), painted);

        CDiag faster = knownRecord();
        faster.setIgnitionPeriod(4800);
        m_doc.newest = faster;
        m_view->refreshLive();
        QTRY_VERIFY(rpm->paintCount() > painted);
    }

    void nothingIsRefreshedWithoutAControllerOrWithoutARecord() {
        m_doc.newest = knownRecord();
        m_view->refreshLive();
        QCOMPARE(field(ids::kRpm), QString());
        m_doc.connected = true;
        m_doc.newest.reset();
        m_view->refreshLive();
        QCOMPARE(field(ids::kRpm), QString());
    }

    void textRefreshBlanksEveryValueWhenNotConnected() {
        m_doc.connected = true;
        m_doc.newest = knownRecord();
        m_view->refreshLive();
        QCOMPARE(field(ids::kSupply), QStringLiteral("12.00"));
        m_view->refreshTexts();
        QCOMPARE(field(ids::kSupply), QStringLiteral("12.00"));
        m_doc.connected = false;
        m_view->refreshTexts();
        for (int id : {ids::kGasPressure, ids::kManifold, ids::kGasTempr, ids::kReducerTempr,
                       ids::kSupply, ids::kLambda1, ids::kLambda2, ids::kRpm, ids::kGasTime1})
            QCOMPARE(field(id), QString());
        for (size_t i = 0; i < 8; ++i) {
            QCOMPARE(field(ids::kPetrolRow[i]), QString());
            QCOMPARE(field(ids::kGasRow[i]), QString());
            QCOMPARE(field(ids::kCylColumn[i]), QString());
        }
    }

    void fuelButtonsSendTheirCommandsOnlyWhenConnected() {
        m_view->OnBtnLpg();
        m_view->OnBtnAuto();
        QVERIFY(m_doc.sent.empty());

        m_doc.connected = true;
        m_view->OnBtnLpg();
        m_view->OnBtnGasoline();
        m_view->OnBtnAuto();
        QCOMPARE(m_doc.sent, (std::vector<std::string>{"switchToLpg", "switchToGasoline",
                                                       "waitForGasoline", "switchToAuto"}));
        QVERIFY(m_prompt.entries().empty());
        QCOMPARE(m_cursor.begun, 3);
        QCOMPARE(m_cursor.ended, 3);
    }

    void refusedFuelSwitchShowsItsTranslatedMessage() {
        m_doc.connected = true;
        m_doc.commandsSucceed = false;
        setCurrentLanguage(kLangEnglish);
        m_view->OnBtnLpg();
        m_view->OnBtnGasoline();
        m_view->OnBtnAuto();
        QCOMPARE(
            m_prompt.messages(),
            (std::vector<std::string>{translate("Nie powiodło się przełączenie na gaz!"),
                                      translate("Nie powiodło się przełączenie na benzynę!"),
                                      translate("Nie powiodło się przełączenie w tryb AUTO!")}));
        for (const auto& entry : m_prompt.entries())
            QCOMPARE(entry.icon, IUserPrompt::Icon::Error);
    }

    void portErrorDuringAFuelSwitchIsReportedUnderTheHandlersName() {
        m_doc.connected = true;
        m_doc.throwCode = 4;
        m_view->OnBtnGasoline();
        QCOMPARE(
            m_prompt.messages(),
            (std::vector<std::string>{"CKorvantisView::OnBtnGasoline()\nBłąd czasu wykonania"}));
        QCOMPARE(m_cursor.ended, m_cursor.begun);
    }

    void injectorMaskIsSentOnNewFirmwareOrWhileOnGasOnly() {
        m_doc.connected = true;
        check(0)->setChecked(true);
        check(2)->setChecked(true);

        m_doc.image.m_devInfo.m_version = 0x0204;
        CDiag onPetrol;
        m_doc.newest = onPetrol;
        m_view->onTurnOffEm();
        QVERIFY(m_doc.sent.empty());
        m_doc.newest.reset();
        m_view->onTurnOffEm();
        QVERIFY(m_doc.sent.empty());

        CDiag onGas;
        onGas.setWorkMode(kWorkModeGas);
        m_doc.newest = onGas;
        m_view->onTurnOffEm();
        QCOMPARE(m_doc.sent, std::vector<std::string>{"mask 0x05"});

        m_doc.image.m_devInfo.m_version = 0x0205;
        m_doc.newest = onPetrol;
        m_view->onTurnOffEm();
        QCOMPARE(m_doc.sent.back(), std::string("mask 0x05"));
        QCOMPARE(m_doc.sent.size(), size_t(2));

        // A refusal is not reported; a port error is.
        m_doc.commandsSucceed = false;
        m_view->onTurnOffEm();
        QVERIFY(m_prompt.entries().empty());
        m_doc.throwCode = 4;
        m_view->onTurnOffEm();
        QCOMPARE(m_prompt.messages(),
                 (std::vector<std::string>{"CKorvantisView::onTurnOffEm()\nBłąd czasu wykonania"}));
    }

    void clickingAnInjectorBoxSendsTheMask() {
        m_doc.connected = true;
        m_doc.image.m_devInfo.m_version = 0x0208;
        m_view->show();
        QTest::mouseClick(check(3), Qt::LeftButton, {}, check(3)->rect().center());
        QCOMPARE(m_doc.sent, std::vector<std::string>{"mask 0x08"});
    }

    void displayDialogFillsTheWindowAreaAndScalesItsControls() {
        m_doc.connected = true;
        m_doc.image.m_sensorsSetup.m_lambdaType = 2; // a 0-5 V probe
        CDiag record = knownRecord();
        record.setByte(CDiag::OffLambda1, 0);
        record.setByte(CDiag::OffLambda2, 255);
        m_doc.newest = record;
        CDisplayDlg dialog(m_doc, QSize(1280, 1024));
        QCOMPARE(dialog.geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(dialog.size(), QSize(1024, 746));
        // One factor for both directions: the height limits it.
        QCOMPARE(dialog.scaleX(), 746.0 / 610.0);
        QCOMPARE(dialog.scaleY(), 746.0 / 610.0);
        QWidget plain;
        const QRect designed = buildValuePanel(&plain, 0, 0).rpm->geometry();
        CColorStatic* rpm = dialog.valuePanel().rpm;
        const double designedShape = double(designed.width()) / designed.height();
        QVERIFY(qAbs(double(rpm->width()) / rpm->height() - designedShape) < 0.1);
        // The scaled panel is centred: as much room left of it as right.
        const double f = dialog.scaleX();
        const double margin = (dialog.width() - kValuePanelWidth * f) / 2.0;
        QVERIFY(qAbs(rpm->x() - (margin + designed.x() * f)) <= 1.0);
        QVERIFY(qAbs(rpm->y() - designed.y() * f) <= 1.0);
        QCOMPARE(QFontInfo(rpm->font()).pixelSize(), 22);
        QVERIFY(dialog.timer5002().isActive());
        QCOMPARE(dialog.timer5002().interval(), 100);

        dialog.refreshLive();
        QCOMPARE(dialog.valuePanel().gasTime1->text(), QStringLiteral("3.88"));
        QCOMPARE(dialog.valuePanel().cylinders[0]->text(), QStringLiteral("4.0"));
        // The lambda bars follow the probes as on the main view.
        const auto bar = [&dialog](size_t i) {
            return qobject_cast<CLambdaDisplay*>(dialog.valuePanel().lambdaDisplays[i]);
        };
        QCOMPARE(bar(0)->litSegment(), vexor::lambdaSegment(0.0, 2));
        QCOMPARE(bar(1)->litSegment(), vexor::lambdaSegment(5.0, 2));
        // A new probe type relights them at once, before the next record.
        dialog.setLambdaType(4);
        QCOMPARE(bar(0)->litSegment(), vexor::lambdaSegment(0.0, 4));

        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_F10);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    // The gasoline page's probe type reaches the view's lambda bars (and,
    // through the view's signal, an open live display) the moment the
    // fitter picks it.
    void aNewProbeTypeOnTheGasolinePageRelightsTheLambdaBarsAtOnce() {
        m_doc.connected = true;
        m_doc.image.m_sensorsSetup.m_lambdaType = 2;
        CDiag record = knownRecord();
        record.setByte(CDiag::OffLambda1, 0);
        m_doc.newest = record;
        m_view->refreshLive();
        const auto bar = findCtrl<CLambdaDisplay>(m_view.get(), 1139);
        QCOMPARE(bar->litSegment(), vexor::lambdaSegment(0.0, 2));
        QSignalSpy told(m_view.get(), &CKorvantisView::lambdaTypeChanged);
        auto* gasoline = qobject_cast<CPanelGasolinePage*>(m_view->sheet()->page(0));
        QVERIFY(gasoline != nullptr);
        m_view->refreshTexts(); // the shown page fills its lists
        auto* type = findCtrl<CValueCmbBox>(gasoline, panel_ids::kCmbLambdaType);
        type->setCurrentIndex(type->findText(QStringLiteral("5 - 0 Volt")));
        emit type->activated(type->currentIndex());
        QCOMPARE(m_doc.image.m_sensorsSetup.m_lambdaType, std::uint8_t(4));
        QCOMPARE(bar->litSegment(), vexor::lambdaSegment(0.0, 4));
        QCOMPARE(told.count(), 1);
    }

    // Values that stop changing (no new record: a firmware update stops
    // polling) are drawn grey until records come again.
    void valuesWithoutNewRecordsAreMarkedStale() {
        m_doc.connected = true;
        CDiag record = knownRecord();
        record.setSample(1);
        m_doc.newest = record;
        QSignalSpy stale(m_view.get(), &CKorvantisView::staleChanged);
        for (int tick = 0; tick < CKorvantisView::kStaleTicks; ++tick) {
            m_view->refreshLive();
            QVERIFY(!m_view->isStale());
        }
        m_view->refreshLive();
        QVERIFY(m_view->isStale());
        QVERIFY(m_view->valuePanel().rpm->textColor() != kValueColors[4]);
        record.setSample(2);
        m_doc.newest = record;
        m_view->refreshLive();
        QVERIFY(!m_view->isStale());
        QCOMPARE(m_view->valuePanel().rpm->textColor(), kValueColors[4]);
        // The first record also lifted the grey of "nothing live yet".
        QCOMPARE(stale.count(), 3);
    }

    // Without a controller the display shows nothing live, and it follows
    // the link when a controller comes.
    void displayDialogWithoutAControllerShowsNothingLive() {
        CDisplayDlg dialog(m_doc, QSize(800, 570));
        QCOMPARE(dialog.size(), QSize(800, 570));
        QVERIFY(dialog.timer5002().isActive());
        QCOMPARE(dialog.valuePanel().rpm->textColor(), kRefStaleGrey);
        QVERIFY(qobject_cast<CLambdaDisplay*>(dialog.valuePanel().lambdaDisplays[0])->isDark());
        m_doc.connected = true;
        m_doc.newest = knownRecord();
        dialog.refreshLive();
        QCOMPARE(dialog.valuePanel().rpm->textColor(), kValueColors[4]);
    }
};

QTEST_MAIN(ViewTest)
#include "ViewTest.moc"
