#include "../../support/OnSimulator.h"
#include "SimServer.h"
#include "app/DocumentAdapter.h"
#include "backup/LoadCompareDlg.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "device/InjPattern.h"
#include "device/codecs/BlockCodecs.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "pages/AdvancedPage.h"
#include "pages/AdvancedPageIds.h"
#include "pages/PanelGasPage.h"
#include "pages/PanelGasolinePage.h"
#include "pages/PanelIds.h"
#include "pages/PanelSwitchPage.h"
#include "pages/PasswdDlg.h"
#include "pages/SettingsDlg.h"
#include "platform/PortTable.h"
#include "settings/OfflineSettings.h"
#include "support/RecordingPrompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace vexor;

namespace {

// The settings blocks a page write sends: base, advanced, advanced set-up,
// sensors; and the restart and petrol requests that go with some of them.
const std::vector<SimMatch> kWrites = {SimMatch::cmd(3), SimMatch::cmd(4),     SimMatch::cmd(26),
                                       SimMatch::cmd(9), SimMatch::read(0x0A), SimMatch::read(2)};

QString tr8(const char* polish) {
    return QString::fromStdString(translate(polish));
}

QString offList(const QString& shown) {
    return shown + QLatin1Char(' ') + tr8("(poza listą)");
}

class CPathChooser : public IFileChooser {
public:
    std::string openPath(const std::string&, const std::string&) override { return path; }
    std::string savePath(const std::string&, const std::string&, const std::string&) override {
        return path;
    }
    std::string path;
};

} // namespace

// The settings pages against the simulated controller: what they show of the
// controller's settings and what the controller receives.
class PagesOnSimTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CSimServer> m_server;
    std::unique_ptr<QTemporaryDir> m_folders;
    std::unique_ptr<CKorvantisDoc> m_doc;
    std::unique_ptr<CDocumentAdapter> m_port;
    CRecordingPrompt m_prompt;
    CPathChooser m_chooser;
    Seams m_seams;

    template <class F> auto sim(F&& f) { return m_server->withController(std::forward<F>(f)); }

    std::size_t writes() const {
        std::size_t n = 0;
        for (const SimMatch& match : kWrites)
            n += m_server->requestLog().count(match);
        return n;
    }

    // The controller's settings blocks as an image.
    DeviceSettings controllerImage() {
        DeviceSettings image;
        // The sensor types decide how the temperatures of the other blocks read.
        const auto decode = [&](auto fn, std::uint8_t command) {
            const auto bytes = sim([command](CSimController& c) { return c.block(command); });
            QVERIFY(fn(bytes.data(), bytes.size(), image));
        };
        decode(decodeSensorsSetup, 9);
        decode(decodeBase, 3);
        decode(decodeAdv, 4);
        decode(decodeAdvancedSetup, 26);
        return image;
    }

    // Puts settings into the controller's blocks and lets the document read
    // them, as a fresh connection would.
    void controllerHolds(const std::function<void(DeviceSettings&)>& edit) {
        DeviceSettings image = controllerImage();
        edit(image);
        const auto base = encodeBase(image);
        const auto adv = encodeAdv(image);
        const auto setup = encodeAdvancedSetup(image);
        const auto sensors = encodeSensorsSetup(image);
        sim([&](CSimController& c) {
            c.setBlock(3, {base.begin(), base.end()});
            c.setBlock(4, {adv.begin(), adv.end()});
            c.setBlock(26, {setup.begin(), setup.end()});
            c.setBlock(9, {sensors.begin(), sensors.end()});
        });
        QVERIFY(m_doc->readAll());
        m_server->requestLog().clear();
    }

    template <class Page> std::unique_ptr<Page> shown() {
        auto page = std::make_unique<Page>();
        page->attach(*m_port, m_seams);
        page->resize(900, 500);
        page->activate();
        return page;
    }

    static CValueCmbBox* combo(QWidget* page, int id) {
        CValueCmbBox* box = findCtrl<CValueCmbBox>(page, id);
        Q_ASSERT(box != nullptr);
        return box;
    }

    // The user opens the list and chooses the entry at index.
    static void choose(CValueCmbBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    // Answers the next password dialog with the texts in turn; an empty text
    // cancels it (Escape).
    void answerPassword(QStringList typed, QStringList* wrongNotes = nullptr) {
        QTimer::singleShot(0, this, [this, typed, wrongNotes]() mutable {
            auto* dialog = qobject_cast<CPasswdDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            const QString text = typed.takeFirst();
            if (text.isEmpty()) {
                QTest::keyClick(dialog, Qt::Key_Escape);
                return;
            }
            dialog->edit()->setText(text);
            dialog->accept();
            if (dialog->isVisible()) {
                if (wrongNotes != nullptr && dialog->wrongNote()->isVisible())
                    wrongNotes->append(dialog->wrongNote()->text());
                answerPassword(typed, wrongNotes);
            }
        });
    }

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_prompt.clear();
        m_server = std::make_unique<CSimServer>();
        m_server->start();
        m_folders = std::make_unique<QTemporaryDir>();
        m_doc = vexor::test::documentOnSimulator(*m_server, m_folders->path().toStdString());
        m_seams = Seams{};
        m_seams.prompt = &m_prompt;
        m_seams.chooser = &m_chooser;
        m_doc->setSeams(m_seams);
        m_doc->setMinPetrolPolls(1);
        QVERIFY(m_doc->connect());
        QVERIFY(!m_doc->isDemo());
        m_port = std::make_unique<CDocumentAdapter>(*m_doc);
        m_prompt.clear();
        m_server->requestLog().clear();
    }

    void cleanup() {
        m_port.reset();
        m_doc.reset();
        m_server.reset();
        m_folders.reset();
        setCurrentLanguage(kLangPolish);
    }

    // Every value combo of every page, each with a value the controller holds
    // but the list lacks: the box shows that value, marked, with a tool tip;
    // refreshing and choosing the marked entry send nothing; a real choice
    // writes once and the mark goes.
    void offListValuesAreShownAsTheyAreAndNothingIsWrittenUntilARealPick() {
        sim([](CSimController& c) { c.setVersion(0x0207); });
        controllerHolds([](DeviceSettings& s) {
            s.m_devInfo.m_injCount = 4;
            s.m_base.m_sparkDivider = 7;
            s.m_sensorsSetup.m_lambdaType = 3;
            s.m_adv.m_injSequence = injPatternBytes(InjPatternSemiSequential);
            s.m_adv.m_injectorType = 7;
            s.m_base.m_switchPressure = 230;
            s.m_base.m_pressureRef = 230;
            s.m_advancedSetup.m_advancedFlags2 |= 0x01; // 250 kPa sensor
            s.m_sensorsSetup.m_temprEngineSensor = 3;
            s.m_sensorsSetup.m_temprLPGSensor = 3;
            s.m_base.m_switchTempr = 90;
            s.m_base.m_switchRPM = 5500;
            s.m_base.m_switchDelay = 125;
            s.m_base.m_emulatorDelay = 6.0;
            s.m_base.m_maxRPMHigh = 2500;
            s.m_advancedSetup.m_maxLoad = 3;
            s.m_base.m_pressAverageCount = 0.8;
            s.m_advancedSetup.m_minimalLPGRPM = 2500;
            s.m_sensorsSetup.m_fuelSensorType = 2;
            s.m_adv.m_warmingTime = 7;
            s.m_base.m_pressureGain = 2.0;
            s.m_adv.m_cutOffPressSwitch = 115;
            s.m_adv.m_minLPGTime = 6.3;
            s.m_adv.m_ignoreLPGTime = 2.5;
            s.m_advancedSetup.m_switchCorr = 60;
            s.m_advancedSetup.m_switchCorrTime = 10;
        });
        // Temperatures and speeds travel as sensor readings and periods: take
        // them as the document decoded them.
        const DeviceSettings& image = m_doc->settings();
        m_doc->setServiceAccess(true);

        auto gasoline = shown<CPanelGasolinePage>();
        auto gas = shown<CPanelGasPage>();
        auto sw = shown<CPanelSwitchPage>();
        auto advanced = shown<CAdvancedPage>();
        using namespace panel_ids;
        using namespace ids;
        struct SExpect {
            QWidget* page;
            int id;
            QString shown;
        };
        const std::vector<SExpect> expected = {
            {gasoline.get(), kCmbRpmDiv, QStringLiteral("7")},
            {gasoline.get(), kCmbLambdaType, QStringLiteral("3")},
            {gasoline.get(), kCmbGasInjType, tr8("Półsekwencja")},
            {gas.get(), kCmbLpgInj, QStringLiteral("7")},
            {gas.get(), kCmbPressSwitch, QStringLiteral("230")},
            {gas.get(), kCmbPressSensorType, tr8("KORVANTIS 250KPA")},
            {gas.get(), kCmbTemprRedSensor, QStringLiteral("3")},
            {gas.get(), kCmbTemprLpgSensor, QStringLiteral("3")},
            {sw.get(), kCmbRpmSwitch, CValueCmbBox::formatNumber(image.m_base.m_switchRPM, 0)},
            {sw.get(), kCmbTemprSwitch, CValueCmbBox::formatNumber(image.m_base.m_switchTempr, 0)},
            {sw.get(), kCmbSwitchDelay, QStringLiteral("125")},
            {sw.get(), kCmbEmulatorDelay,
             CValueCmbBox::formatNumber(image.m_base.m_emulatorDelay, 1)},
            {sw.get(), kCmbMaxRpm, CValueCmbBox::formatNumber(image.m_base.m_maxRPMHigh, 0)},
            {sw.get(), kCmbMaxLoad, QStringLiteral("3")},
            {sw.get(), kCmbPressAverage, QStringLiteral("0.8")},
            {sw.get(), kCmbMinRpm,
             CValueCmbBox::formatNumber(image.m_advancedSetup.m_minimalLPGRPM, 0)},
            {sw.get(), kCmbFuelSensor, QStringLiteral("2")},
            {advanced.get(), kAdvWarmingTime, QStringLiteral("7")},
            {advanced.get(), kAdvPressureRef, QStringLiteral("230")},
            {advanced.get(), kAdvPressureGain, QStringLiteral("2.0")},
            {advanced.get(), kAdvCutOffPressure, QStringLiteral("115")},
            {advanced.get(), kAdvMinLpgTime, QStringLiteral("6.3")},
            {advanced.get(), kAdvIgnoreTime, QStringLiteral("2.5")},
            {advanced.get(), kAdvSwitchCorr, QStringLiteral("60")},
            {advanced.get(), kAdvSwitchCorrTime, QStringLiteral("10")},
        };
        for (const SExpect& e : expected) {
            CValueCmbBox* box = combo(e.page, e.id);
            const QByteArray where =
                QByteArray::number(e.id) + " " + e.page->metaObject()->className();
            QVERIFY2(box->offListShown(), where);
            QVERIFY2(box->currentText() == offList(e.shown),
                     (where + " shows " + box->currentText().toUtf8()).constData());
            QCOMPARE(box->toolTip(), tr8("Sterownik ma tę wartość, ale nie ma jej na liście. Nic "
                                         "nie zostanie zapisane, dopóki nie wybierzesz pozycji "
                                         "z listy."));
            QCOMPARE(box->selectedValue(), -1.0);
            choose(box, box->entryCount()); // the marked entry itself
        }
        for (auto* page : std::initializer_list<CAppPropPage*>{gasoline.get(), gas.get(), sw.get(),
                                                               advanced.get()})
            page->updatePage();
        QCOMPARE(writes(), std::size_t(0));
        QVERIFY(m_prompt.entries().empty());
        QVERIFY(combo(advanced.get(), kAdvPressureRef)->offListShown());
        // The gas page offers working pressures up to 250 kPa: 230 is its own.
        QCOMPARE(combo(gas.get(), kCmbPressRef)->currentText(), QStringLiteral("230"));
        controllerHolds([](DeviceSettings& s) { s.m_base.m_pressureRef = 40; });
        gas->updatePage();
        QCOMPARE(combo(gas.get(), kCmbPressRef)->currentText(), offList(QStringLiteral("40")));

        // A real choice goes out once, and the controller then holds it.
        CValueCmbBox* pressure = combo(advanced.get(), kAdvPressureRef);
        choose(pressure, 0);
        QCOMPARE(m_server->requestLog().count(SimMatch::cmd(3)), std::size_t(1));
        QVERIFY(!pressure->hasOffListEntry());
        QCOMPARE(controllerImage().m_base.m_pressureRef, pressure->valueAt(0));
        CValueCmbBox* sensorType = combo(sw.get(), kCmbFuelSensor);
        choose(sensorType, 0);
        QCOMPARE(m_server->requestLog().count(SimMatch::cmd(9)), std::size_t(1));
        QCOMPARE(controllerImage().m_sensorsSetup.m_fuelSensorType, sensorType->valueAt(0));
    }

    // Cancelling or a wrong password leaves the page greyed and writing
    // nothing; a wrong password says so and may be tried again; the right
    // one, given through the page's own button, opens it.
    void advancedPageStaysLockedUntilTheRightPassword() {
        setCurrentLanguage(kLangEnglish);
        QStringList wrong;
        answerPassword({QStringLiteral("QTLMR305"), QString()}, &wrong);
        auto page = shown<CAdvancedPage>();
        QCOMPARE(wrong, QStringList{QStringLiteral("Wrong password. Please try again.")});
        QVERIFY(!m_doc->serviceAccess());
        QVERIFY(page->gated());
        QCOMPARE(page->gateNote(), QStringLiteral("This page needs the service password."));
        auto* warming = findCtrl<QCheckBox>(page.get(), ids::kAdvChkWarming);
        CValueCmbBox* gain = combo(page.get(), ids::kAdvPressureGain);
        QVERIFY(!warming->isEnabled());
        QVERIFY(!gain->isEnabled());
        // Even a handler reached around the greyed controls writes nothing.
        page->OnChkInjWarming();
        choose(gain, gain->entryCount() - 1);
        page->OnSelendokCmbPressGain();
        QCOMPARE(writes(), std::size_t(0));

        // Shown again, the page asks again.
        answerPassword({QString()});
        page->activate();
        QVERIFY(page->gated());

        auto* unlock = page->findChild<QPushButton*>(QStringLiteral("pageGateButton"));
        QVERIFY(unlock != nullptr && !unlock->isHidden());
        QCOMPARE(unlock->text(), QStringLiteral("Enter the password"));
        answerPassword(
            {QStringLiteral("wrong"), QString::fromLatin1(CPasswdDlg::kServicePassword)});
        unlock->click();
        QVERIFY(m_doc->serviceAccess());
        QVERIFY(!page->gated());
        QVERIFY(warming->isEnabled());
        choose(gain, gain->entryCount() - 1);
        QCOMPARE(m_server->requestLog().count(SimMatch::cmd(3)), std::size_t(1));
    }

    // Without a connection an edit is refused with the no-connection text
    // and the page shows the image again; nothing reaches the controller.
    void editsWithoutAConnectionAreRefusedAndUndone() {
        m_doc->setServiceAccess(true);
        auto gas = shown<CPanelGasPage>();
        auto advanced = shown<CAdvancedPage>();
        auto gasoline = shown<CPanelGasolinePage>();
        const DeviceSettings before = m_doc->settings();
        m_doc->setConnected(false);

        CValueCmbBox* pressure = combo(gas.get(), panel_ids::kCmbPressRef);
        const QString shownBefore = pressure->currentText();
        choose(pressure, pressure->currentIndex() + 1);
        QCOMPARE(pressure->currentText(), shownBefore);
        // These two used to write even without a controller.
        CValueCmbBox* sensor = combo(gas.get(), panel_ids::kCmbPressSensorType);
        choose(sensor, (sensor->currentIndex() + 1) % sensor->entryCount());
        auto* warming = findCtrl<QCheckBox>(advanced.get(), ids::kAdvChkWarming);
        warming->click();
        QCOMPARE(warming->isChecked(), (before.m_adv.m_flags & 0x01) != 0);
        CValueCmbBox* wiring = combo(gasoline.get(), panel_ids::kCmbGasInjType);
        choose(wiring, 1);

        QCOMPARE(m_prompt.messages(), std::vector<std::string>(4, "Brak połączenia"));
        QCOMPARE(m_prompt.entries().front().icon, IUserPrompt::Icon::Warning);
        QVERIFY(m_doc->settings() == before);
        QCOMPARE(writes(), std::size_t(0));
    }

    // Dragging a fuel mark writes the sensors block once, on release; a
    // refused write is one message, not one per step.
    void fuelMarksAreWrittenOnceWhenTheSliderIsReleased() {
        auto page = shown<CPanelSwitchPage>();
        auto* half = findCtrl<QSlider>(page.get(), panel_ids::kSldFuelFull + 2);
        auto* number = findCtrl<QLabel>(page.get(), panel_ids::kNumFuelFull + 2);
        const int start = half->value();
        const int target = start > 128 ? start - 20 : start + 20;
        const int step = target > start ? 1 : -1;

        half->setSliderDown(true);
        for (int v = start + step; v != target + step; v += step)
            half->setValue(v);
        QCOMPARE(number->text(), QString::number(target));
        QCOMPARE(writes(), std::size_t(0));
        half->setSliderDown(false);
        QCOMPARE(m_server->requestLog().count(SimMatch::cmd(9)), std::size_t(1));
        QCOMPARE(writes(), std::size_t(1));
        QCOMPARE(int(controllerImage().m_sensorsSetup.m_fuelHalf), target);

        m_server->faults().setAckResult(0, SimMatch::cmd(9));
        half->setSliderDown(true);
        for (int v = target; v != start; v -= step)
            half->setValue(v);
        half->setSliderDown(false);
        QCOMPARE(m_prompt.messages(),
                 std::vector<std::string>{"Nie powiodło się wpisanie ustawień do urządzenia!"});

        // Key steps come to rest before they are written: one write for a run.
        m_server->faults().setAckResult(4, SimMatch::cmd(9));
        m_server->requestLog().clear();
        QTest::keyClick(half, Qt::Key_Right);
        QTest::keyClick(half, Qt::Key_Right);
        QTest::keyClick(half, Qt::Key_Right);
        QCOMPARE(writes(), std::size_t(0));
        QTRY_COMPARE(m_server->requestLog().count(SimMatch::cmd(9)), std::size_t(1));
        QCOMPARE(int(controllerImage().m_sensorsSetup.m_fuelHalf), half->value());
    }

    // A port that fails while a page writes is reported in the user's
    // language under the handler's name.
    void portErrorIsReportedInTheUsersLanguage() {
        setCurrentLanguage(kLangEnglish);
        auto gas = shown<CPanelGasPage>();
        m_server->hangUp();
        CValueCmbBox* pressure = combo(gas.get(), panel_ids::kCmbPressRef);
        choose(pressure, pressure->currentIndex() + 1);
        const auto messages = m_prompt.messages();
        QCOMPARE(messages.size(), std::size_t(1));
        QVERIFY2(
            messages[0].rfind("CPanelGasPage::OnSelendokCmbPressRef()\nSerial port error", 0) == 0,
            messages[0].c_str());
    }

    // Each whole-image action confirms a success; a failure is the
    // document's own message, without a confirmation. A load that failed
    // half way can be repeated: the comparison still shows what the file
    // changes.
    void settingsActionsConfirmWhatWorked() {
        CSettingsDlg dialog(*m_port, m_seams);
        dialog.selectiveLoad().setReview([](CLoadCompareDlg&) { return true; });
        m_chooser.path = m_folders->filePath(QStringLiteral("car.xset")).toStdString();
        dialog.OnFileWriteSettings();
        dialog.OnFileReadSettings();
        QCOMPARE(m_prompt.messages(), (std::vector<std::string>{"Ustawienia zapisano do pliku.",
                                                                "Ustawienia nie różnią się"}));
        COfflineSettings file;
        QVERIFY(file.open(m_chooser.path).ok());
        std::string accepts;
        QVERIFY(file.set("m_base.m_switchRPM", "2500", accepts));
        QVERIFY(file.save());

        m_prompt.clear();
        m_server->faults().setAckResult(0, SimMatch::cmd(3));
        dialog.OnFileReadSettings();
        QCOMPARE(m_prompt.messages(),
                 std::vector<std::string>{"Nie powiodło się ustawienie urządzenia!"});
        m_prompt.clear();
        m_server->faults().clear();
        dialog.OnFileReadSettings();
        m_prompt.scriptAnswer(true);
        dialog.OnDefaultValues();
        QCOMPARE(
            m_prompt.messages(),
            (std::vector<std::string>{"Ustawienia wczytane z pliku zostały zapisane w sterowniku.",
                                      "Czy chcesz przywrócić ustawienia fabryczne?",
                                      "Przywrócono ustawienia fabryczne."}));
        m_prompt.clear();
        m_chooser.path.clear();
        dialog.OnFileReadSettings();
        QVERIFY(m_prompt.entries().empty());
    }

    // The line dropping after the first block of the factory defaults went
    // out: the dialog shows the document's message, which says the controller
    // is half-written and how to recover, and confirms nothing.
    void settingsDialogSaysALinkLostMidWriteLeftTheControllerHalfWritten() {
        CSettingsDlg dialog(*m_port, m_seams);
        m_server->faults().setHangUpOnRequest(1, SimMatch::cmd(4));
        m_prompt.scriptAnswer(true);
        dialog.OnDefaultValues();
        QCOMPARE(m_server->requestLog().count(SimMatch::cmd(3)), std::size_t(1));
        const std::vector<std::string> messages = m_prompt.messages();
        QCOMPARE(messages.size(), std::size_t(2));
        const std::string& failure = messages[1];
        QVERIFY2(failure.rfind(std::string(CKorvantisDoc::kHandlerDefaults) + "\n", 0) == 0,
                 failure.c_str());
        const std::string half = CKorvantisDoc::kMsgHalfWritten;
        QVERIFY2(failure.size() > half.size() &&
                     failure.compare(failure.size() - half.size(), half.size(), half) == 0,
                 failure.c_str());
    }

    // The same for a load whose line drops at its first block: the message
    // says what was left and how to recover, nothing is confirmed.
    void settingsDialogLoadCutByALostLinkSaysHowToRecover() {
        CSettingsDlg dialog(*m_port, m_seams);
        dialog.selectiveLoad().setReview([](CLoadCompareDlg&) { return true; });
        m_chooser.path = m_folders->filePath(QStringLiteral("car.xset")).toStdString();
        dialog.OnFileWriteSettings();
        COfflineSettings file;
        QVERIFY(file.open(m_chooser.path).ok());
        std::string accepts;
        QVERIFY(file.set("m_base.m_switchRPM", "2500", accepts));
        QVERIFY(file.save());
        m_prompt.clear();
        m_server->faults().setHangUpOnRequest(1, SimMatch::cmd(3));
        dialog.OnFileReadSettings();
        const std::vector<std::string> messages = m_prompt.messages();
        QCOMPARE(messages.size(), std::size_t(1));
        const std::string half = CKorvantisDoc::kMsgHalfWritten;
        QVERIFY2(messages[0].size() > half.size() &&
                     messages[0].compare(messages[0].size() - half.size(), half.size(), half) == 0,
                 messages[0].c_str());
    }

    // A page showing a block the connection failed to read is greyed with a
    // note and a button that reads the controller again.
    void pagesWithUnreadBlocksAreGreyedUntilReadAgain() {
        m_server->faults().setBadChecksum(SimMatch::read(0x22)); // the advanced set-up
        QVERIFY(m_doc->connect());
        QVERIFY(!m_doc->blockRead(SettingBlock::AdvancedSetup));
        m_prompt.clear();
        m_server->requestLog().clear();
        m_doc->setServiceAccess(true);
        auto gas = shown<CPanelGasPage>();
        auto sw = shown<CPanelSwitchPage>();
        auto advanced = shown<CAdvancedPage>();
        for (CAppPropPage* page :
             std::initializer_list<CAppPropPage*>{gas.get(), sw.get(), advanced.get()}) {
            QVERIFY(page->gated());
            QCOMPARE(page->gateNote(), QStringLiteral("Nie odczytano ze sterownika."));
        }
        CValueCmbBox* minRpm = combo(sw.get(), panel_ids::kCmbMinRpm);
        QVERIFY(!minRpm->isEnabled());
        choose(minRpm, 0);
        QCOMPARE(writes(), std::size_t(0));

        auto* reread = sw->findChild<QPushButton*>(QStringLiteral("pageGateButton"));
        QCOMPARE(reread->text(), QStringLiteral("Odczytaj ponownie"));
        reread->click();
        // The read says itself what failed; the page stays greyed.
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{CKorvantisDoc::kMsgSettingsRead});
        QVERIFY(sw->gated());

        m_server->faults().clear();
        reread->click();
        QVERIFY(m_doc->imageComplete());
        QVERIFY(!sw->gated());
        QVERIFY(minRpm->isEnabled());
        QVERIFY(gas->gated()); // until it is shown again
        gas->activate();
        QVERIFY(!gas->gated());
        QCOMPARE(writes(), std::size_t(0));
    }

    // The pages take the room they are given and keep their order.
    void pagesGrowWithTheWindow() {
        auto page = shown<CPanelSwitchPage>();
        page->resize(800, 450);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        auto* full = findCtrl<QSlider>(page.get(), panel_ids::kSldFuelFull);
        const int narrow = full->width();
        page->resize(1400, 800);
        QTRY_VERIFY(full->width() > narrow);
        auto* toGas = findCtrl<QWidget>(page.get(), panel_ids::kGrpToGas);
        QVERIFY(toGas->geometry().right() < full->mapTo(page.get(), QPoint(0, 0)).x());
    }
};

QTEST_MAIN(PagesOnSimTest)
#include "PagesOnSimTest.moc"
