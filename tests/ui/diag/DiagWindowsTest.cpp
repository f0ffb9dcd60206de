#include "../../support/OnSimulator.h"
#include "SimObd.h"
#include "SimServer.h"
#include "app/DocumentAdapter.h"
#include "controls/ColorStatic.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "device/LPGDevice.h"
#include "diag/DiagIds.h"
#include "diag/ErrorsDlg.h"
#include "diag/OBD2Page.h"
#include "diag/OscChart.h"
#include "diag/OscyloskopPage.h"
#include "diag/OscyloskopPageDlg.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "obd/OBDCodes.h"
#include "platform/PortTable.h"
#include "support/FakeDocument.h"
#include "support/RecordingPrompt.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <sys/resource.h>

using namespace vexor;
using namespace vexor::ids::diag;

namespace {

class ScriptedChooser : public IFileChooser {
public:
    std::string path;
    std::string openPath(const std::string&, const std::string&) override { return path; }
    std::string savePath(const std::string&, const std::string&, const std::string&) override {
        return path;
    }
};

} // namespace

// The OBD page, the oscilloscope page and the fault dialog as the user drives
// them: against the simulated controller, in demonstration mode, or with a
// scripted document that has no device behind it.
class DiagWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CSimServer> m_server;
    std::unique_ptr<QTemporaryDir> m_folders;
    std::unique_ptr<CKorvantisDoc> m_doc;
    std::unique_ptr<CDocumentAdapter> m_port;
    CRecordingPrompt m_prompt;
    ScriptedChooser m_chooser;
    Seams m_seams;

    // A connected document with an OBD interface; on the simulator unless
    // demo is asked for.
    void connect(bool demo = false, int injectors = 4) {
        m_folders = std::make_unique<QTemporaryDir>();
        m_doc = std::make_unique<CKorvantisDoc>();
        m_doc->setConfigFolder(m_folders->filePath(QStringLiteral("config")).toStdString());
        m_doc->setDataFolder(m_folders->filePath(QStringLiteral("data")).toStdString());
        if (demo) {
            m_doc->setDemo(true);
        } else {
            m_server = std::make_unique<CSimServer>();
            m_server->start();
            vexor::test::openSimulatorPort(*m_server, *m_doc);
        }
        m_doc->setConnected(true);
        m_doc->settings().m_devInfo.m_flags1 = 1;
        m_doc->settings().m_devInfo.m_injCount = static_cast<std::uint8_t>(injectors);
        m_doc->buildErrorDecoders();
        m_port = std::make_unique<CDocumentAdapter>(*m_doc);
        m_seams.prompt = &m_prompt;
        m_seams.chooser = &m_chooser;
        m_port->setSeams(m_seams);
    }

    // The lines of a recording file; fails the test when the file does not
    // end on a whole line or a line is not a whole record.
    static std::vector<std::string> recordedLines(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        std::vector<std::string> lines;
        if (text.empty())
            return lines;
        if (text.back() != '\n')
            qFatal("%s ends in a cut line", path.c_str());
        std::istringstream split(text);
        for (std::string line; std::getline(split, line);) {
            if (std::count(line.begin(), line.end(), '\t') != 23)
                qFatal("cut line in %s: %s", path.c_str(), line.c_str());
            lines.push_back(line);
        }
        return lines;
    }

    // Every record delivered from now on, as the recording line it makes.
    struct SDelivered {
        std::mutex mutex;
        std::vector<std::string> lines;
        std::vector<std::string> take() {
            std::lock_guard<std::mutex> guard(mutex);
            return lines;
        }
    };
    void observe(SDelivered& delivered) {
        m_doc->setRecordObserver([&delivered](const CDiag&, const std::string& line) {
            std::lock_guard<std::mutex> guard(delivered.mutex);
            delivered.lines.push_back(line);
        });
    }

    std::vector<std::uint8_t> block(std::uint8_t command) {
        return m_server->withController([&](CSimController& c) { return c.block(command); });
    }
    std::size_t requests(SimMatch match) const { return m_server->requestLog().count(match); }

    template <class T> static T* ctrl(QWidget* root, int id) {
        T* found = findCtrl<T>(root, id);
        if (!found)
            qFatal("control %d missing", id);
        return found;
    }
    static QString staticText(QWidget* root, int id) {
        return ctrl<CColorStatic>(root, id)->text();
    }

    std::unique_ptr<COBD2Page> obdPage() {
        auto page = std::make_unique<COBD2Page>();
        page->attach(*m_port, m_seams);
        page->activate();
        return page;
    }

    static CDiag record(std::uint16_t ignitionPeriod) {
        CDiag d;
        d.setIgnitionPeriod(ignitionPeriod);
        return d;
    }

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_prompt.clear();
        m_chooser.path.clear();
        CLPGDevice::resetConnectionNotice();
    }

    void cleanup() {
        if (m_doc)
            m_doc->stopPolling();
        m_port.reset();
        m_doc.reset();
        m_server.reset();
        m_folders.reset();
    }

    // ---- OBD page ----

    void obdPageFindsTheCarsBusAndShowsAirFlowUnderItsOwnLabelOverThePageTexts() {
        connect();
        m_server->withController([](CSimController& c) {
            c.obd().setAirFlowSensor(true);
            c.obd().setStandard(6);
        });
        auto page = obdPage();
        QCOMPARE(staticText(page.get(), kStandard), QStringLiteral("OBD Europe (EOBD)"));
        QVERIFY(staticText(page.get(), kProtocol).startsWith(QStringLiteral("CAN ")));
        QVERIFY(ctrl<QPushButton>(page.get(), kBtnReadCodes)->isEnabled());
        QCOMPARE(ctrl<CValueCmbBox>(page.get(), kCmbLink)->selectedValue(), 1.0);
        // The page's texts went in first: the car's quantity keeps its label.
        QCOMPARE(ctrl<QLabel>(page.get(), kLblLoad)->text(), QStringLiteral("Przepływ powietrza"));
        QCOMPARE(ctrl<QLabel>(page.get(), kLblLoadUnit)->text(), QStringLiteral("g/s"));
        QVERIFY(m_prompt.entries().empty());
    }

    void obdPollRunsFromTheEventQueueOnEverySecondRefresh() {
        connect();
        auto page = obdPage();
        const std::size_t before = requests(SimMatch::cmd(23));
        page->refreshLive();
        QCoreApplication::processEvents();
        QCOMPARE(requests(SimMatch::cmd(23)), before);
        page->refreshLive();
        // Queued, not run inside the refresh.
        QCOMPARE(requests(SimMatch::cmd(23)), before);
        QTRY_VERIFY(requests(SimMatch::cmd(23)) > before);
        QVERIFY(!staticText(page.get(), kValues[1]).isEmpty());
    }

    void obdCorrectionControlsWriteTheControllersCorrectionBlock() {
        connect(false, 6);
        auto page = obdPage();
        // Six cylinders: the boxes of cylinders 7 and 8 are off in both banks.
        QVERIFY(ctrl<QCheckBox>(page.get(), kCylBank1[5])->isEnabled());
        QVERIFY(!ctrl<QCheckBox>(page.get(), kCylBank1[6])->isEnabled());
        QVERIFY(!ctrl<QCheckBox>(page.get(), kCylBank2[7])->isEnabled());

        // Before the car has sent a long-term trim nothing can be corrected:
        // the controller holds "off" and so does the box.
        auto* correction = ctrl<QCheckBox>(page.get(), kChkCorrection);
        correction->click();
        QVERIFY(!correction->isChecked());
        QVERIFY(ctrl<QCheckBox>(page.get(), kCylBank2[2])->isHidden());
        QCOMPARE(block(27)[0], std::uint8_t(0));
        QCOMPARE(m_prompt.entries().size(), std::size_t(1));
        QCOMPARE(m_prompt.entries()[0].icon, IUserPrompt::Icon::Warning);
        m_prompt.clear();

        page->OnMessageGetDiag(); // the trims of both banks arrive
        correction->click();
        QVERIFY(correction->isChecked());
        QVERIFY(!ctrl<QCheckBox>(page.get(), kCylBank2[2])->isHidden());
        QCOMPARE(block(27)[0], std::uint8_t(3));

        ctrl<QCheckBox>(page.get(), kCylBank2[2])->click();
        QVERIFY(ctrl<QCheckBox>(page.get(), kCylBank2[2])->isChecked());
        QVERIFY(!ctrl<QCheckBox>(page.get(), kCylBank1[2])->isChecked());
        QCOMPARE(block(27)[3], std::uint8_t(0x04));

        auto* period = ctrl<CValueCmbBox>(page.get(), kCmbPeriod);
        period->setCurrentIndex(3);
        emit period->activated(3); // 5 s
        QCOMPARE(block(27)[1], std::uint8_t(10));
        auto* maximum = ctrl<CValueCmbBox>(page.get(), kCmbMaximum);
        maximum->setCurrentIndex(49);
        emit maximum->activated(49); // 50 %
        QCOMPARE(block(27)[2], std::uint8_t(50));
        QVERIFY(m_prompt.entries().empty());

        m_server->faults().setAckResult(0, SimMatch::cmd(27));
        emit maximum->activated(10);
        QCOMPARE(m_prompt.messages(),
                 std::vector<std::string>{"Nie powiodło się ustawienie urządzenia!"});
    }

    void obdLinkSwitchedOffDisablesTheCodeButtons() {
        connect();
        auto page = obdPage();
        auto* link = ctrl<CValueCmbBox>(page.get(), kCmbLink);
        link->setCurrentIndex(1); // "Rozłączone"
        emit link->activated(1);
        QCOMPARE(block(18)[8], std::uint8_t(0));
        QVERIFY(!ctrl<QPushButton>(page.get(), kBtnReadCodes)->isEnabled());
        QVERIFY(!ctrl<QPushButton>(page.get(), kBtnClearCodes)->isEnabled());
        QCOMPARE(staticText(page.get(), kProtocol), QString()); // no bus in use any more
    }

    void obdPageListsTheCarsCodesWithLetterDigitsAndTheirOwnText() {
        connect();
        const COBDCodes table;
        std::vector<std::uint16_t> codes;
        for (const char* name : {"P0011", "U0100", "C0035", "B1234", "P0128", "P0171", "P0300"})
            codes.push_back(CSimObd::parseTroubleCode(name).value());
        m_server->withController([&](CSimController& c) { c.obd().setTroubleCodes(codes); });
        auto page = obdPage();
        ctrl<QPushButton>(page.get(), kBtnReadCodes)->click();
        auto* list = ctrl<QListWidget>(page.get(), kCodeList);
        QCOMPARE(list->count(), 7);
        for (int i = 0; i < 7; ++i) {
            const std::uint16_t code = codes[static_cast<std::size_t>(i)];
            const char* own = table.description(code);
            const std::string expected =
                COBDCodes::codeName(code) + (own ? std::string("   ") + own : "  NIEZNANY");
            QCOMPARE(list->item(i)->text().toStdString(), expected);
        }
        QVERIFY(list->item(0)->text().contains(QStringLiteral("Camshaft")));
        QVERIFY(list->item(4)->text().contains(QStringLiteral("thermostat")));
        QVERIFY(m_prompt.entries().empty());
    }

    void obdPageSaysWhenTheCarHasNoCodesAndNotWhenTheReadFailed() {
        connect();
        auto page = obdPage();
        auto* list = ctrl<QListWidget>(page.get(), kCodeList);
        QCOMPARE(list->count(), 0); // not read yet
        ctrl<QPushButton>(page.get(), kBtnReadCodes)->click();
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Brak błędów OBD"));
        QVERIFY(!(list->item(0)->flags() & Qt::ItemIsSelectable));

        m_server->faults().setSilent(SimMatch::cmd(25));
        ctrl<QPushButton>(page.get(), kBtnReadCodes)->click();
        QCOMPARE(list->count(), 0);
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{"Nie można wczytać błędów OBD!"});
    }

    void obdPageWhoseSetupCannotBeReadOffersNoCodeButtons() {
        connect();
        auto page = obdPage();
        QVERIFY(ctrl<QPushButton>(page.get(), kBtnReadCodes)->isEnabled());
        m_server->faults().setReplyLength(4, SimMatch::read(0x1B));
        page->updatePage();
        QVERIFY(!ctrl<QPushButton>(page.get(), kBtnReadCodes)->isEnabled());
        QVERIFY(!ctrl<QPushButton>(page.get(), kBtnClearCodes)->isEnabled());
        QVERIFY(ctrl<QCheckBox>(page.get(), kChkCorrection)->isHidden());
        QCOMPARE(staticText(page.get(), kProtocol), QString());
    }

    void obdTroubleCodesAreListedAndClearedOnlyAfterYes() {
        connect(true);
        auto page = obdPage();
        ctrl<QPushButton>(page.get(), kBtnReadCodes)->click();
        auto* list = ctrl<QListWidget>(page.get(), kCodeList);
        QCOMPARE(list->count(), 6);
        QCOMPARE(list->item(0)->text(), QStringLiteral("P0171   System too Lean (Bank 1)"));

        m_prompt.scriptAnswer(false);
        ctrl<QPushButton>(page.get(), kBtnClearCodes)->click();
        QCOMPARE(list->count(), 6);
        m_prompt.scriptAnswer(true);
        ctrl<QPushButton>(page.get(), kBtnClearCodes)->click();
        QCOMPARE(list->count(), 1); // the car confirmed: it has none now
        QCOMPARE(list->item(0)->text(), QStringLiteral("Brak błędów OBD"));
        QCOMPARE(m_prompt.entries().size(), std::size_t(2));
        QVERIFY(m_prompt.entries()[0].question);
    }

    void obdScanDataFillsReadinessCodeTabsFreezeFrameAndIdentity() {
        connect();
        m_server->withController([](CSimController& c) {
            c.obd().setTroubleCodes({0x0171});
            c.obd().setReadiness({0x07, 0x65, 0x04});
            c.obd().setPendingCodes({0x0420});
            c.obd().setVehicleInfo("1D4GP00R55B123456", "CAL-0815");
            c.obd().setRefusedServices({0x0A});
        });
        auto page = obdPage();
        auto* read = ctrl<QPushButton>(page.get(), kBtnReadScan);
        QVERIFY(read->isEnabled());
        read->click();

        auto rows = [&](int id) {
            QStringList out;
            auto* tree = ctrl<QTreeWidget>(page.get(), id);
            for (int i = 0; i < tree->topLevelItemCount(); ++i) {
                QStringList cells;
                for (int c = 0; c < tree->columnCount(); ++c)
                    cells << tree->topLevelItem(i)->text(c);
                out << cells.join(QLatin1Char('|'));
            }
            return out;
        };
        const QStringList readiness = rows(kReadinessTable);
        QCOMPARE(readiness.value(0), QStringLiteral("Kontrolka silnika|włączona"));
        QVERIFY(readiness.contains(QStringLiteral("Układ odparowania paliwa|Niegotowy")));
        QVERIFY(readiness.contains(QStringLiteral("Katalizator|Gotowy")));
        QVERIFY(readiness.contains(QStringLiteral("Powietrze wtórne|Nieobsługiwany")));
        const QStringList freeze = rows(kFreezeTable);
        QVERIFY(freeze.value(0).startsWith(QStringLiteral("Kod błędu ramki|P0171   System")));
        QVERIFY(freeze.contains(QStringLiteral("Obroty silnika|2150|obr/min")));

        auto* pending = ctrl<QListWidget>(page.get(), kPendingList);
        QCOMPARE(pending->count(), 1);
        QVERIFY(pending->item(0)->text().startsWith(QStringLiteral("P0420   Catalyst")));
        // The car refuses permanent codes: the tab says so instead of staying blank.
        auto* permanent = ctrl<QListWidget>(page.get(), kPermanentList);
        QCOMPARE(permanent->count(), 1);
        QCOMPARE(permanent->item(0)->text(), QStringLiteral("Samochód nie obsługuje tej funkcji"));
        QCOMPARE(staticText(page.get(), kVinField), QStringLiteral("1D4GP00R55B123456"));
        QCOMPARE(staticText(page.get(), kCalibrationField), QStringLiteral("CAL-0815"));
        QVERIFY(m_prompt.entries().empty());

        // Tabs and button follow the language.
        setCurrentLanguage(kLangEnglish);
        page->updatePage();
        auto* tabs = ctrl<QTabWidget>(page.get(), kCodeTabs);
        QCOMPARE(tabs->tabText(1), QStringLiteral("Pending"));
        QCOMPARE(read->text(), QStringLiteral("Read diagnostic data"));
    }

    void obdPageWithoutAControllerOffersNothingToPress() {
        CFakeDocument fake;
        COBD2Page page;
        page.attach(fake, m_seams);
        page.activate();
        QVERIFY(!ctrl<QPushButton>(&page, kBtnReadCodes)->isEnabled());
        QVERIFY(!ctrl<CValueCmbBox>(&page, kCmbLink)->isEnabled());
        QVERIFY(ctrl<QCheckBox>(&page, kChkCorrection)->isHidden());
        page.refreshLive();
        page.refreshLive();
        QCoreApplication::processEvents();
        QVERIFY(fake.sent.empty());
    }

    void obdPageTextsFollowTheLanguage() {
        CFakeDocument fake;
        COBD2Page page;
        page.attach(fake, m_seams);
        setCurrentLanguage(kLangGerman);
        page.updatePage();
        QCOMPARE(ctrl<QPushButton>(&page, kBtnReadCodes)->text(),
                 QStringLiteral("OBD-Fehler lesen"));
        QCOMPARE(ctrl<QLabel>(&page, kLblLoad)->text(), QStringLiteral("Unterdruck"));
    }

    // ---- oscilloscope ----

    void oscilloscopeAddsTheSecondNewestRecordOnlyWhileRunning() {
        connect(true);
        COscyloskopPage page;
        page.attach(*m_port, m_seams);
        page.activate();
        m_doc->diagData().clear();
        m_doc->diagData().append(record(480)); // 10000 rpm
        m_doc->diagData().append(record(960));
        page.refreshLive();
        QCOMPARE(page.model().chart().series(0)->points.size(), std::size_t(0));

        ctrl<QPushButton>(&page, kBtnRun)->click();
        page.refreshLive();
        const auto& rpm = page.model().chart().series(0)->points;
        QCOMPARE(rpm.size(), std::size_t(1));
        QCOMPARE(rpm.begin()->first, 0.0f);
        QCOMPARE(rpm.begin()->second, 100.0f);
    }

    void oscilloscopeOpensARecordingUpToTheFirstMissingNumber() {
        connect(true);
        COscyloskopPage page;
        page.attach(*m_port, m_seams);
        const QString path = m_folders->filePath(QStringLiteral("run.osc"));
        {
            std::ofstream out(path.toStdString());
            for (int line = 0; line < 3; ++line) {
                out << "1\t9000";
                for (int i = 0; i < 22; ++i)
                    out << "\t" << 2;
                out << "\n";
            }
            out << "1\t12000\t3\t4\n";
        }
        m_chooser.path = path.toStdString();
        ctrl<QPushButton>(&page, kBtnOpen)->click();
        const auto& rpm = page.model().chart().series(0)->points;
        QCOMPARE(rpm.size(), std::size_t(3));
        QCOMPARE(rpm.rbegin()->first, 10.0f);
        QCOMPARE(rpm.rbegin()->second, 90.0f);

        // A channel's box hides its trace; a cancelled dialog changes nothing.
        ctrl<QCheckBox>(&page, oscChannels()[0].checkBoxId)->click();
        QVERIFY(!page.model().channelVisible(0));
        m_chooser.path.clear();
        ctrl<QPushButton>(&page, kBtnOpen)->click();
        QCOMPARE(page.model().chart().series(0)->points.size(), std::size_t(3));
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{"Uszkodzony wiersz zapisu nr 4"});

        // A file that cannot be read is named and leaves the chart alone.
        m_prompt.clear();
        m_chooser.path = m_folders->filePath(QStringLiteral("gone.osc")).toStdString();
        ctrl<QPushButton>(&page, kBtnOpen)->click();
        QCOMPARE(page.model().chart().series(0)->points.size(), std::size_t(3));
        QCOMPARE(m_prompt.entries().size(), std::size_t(1));
        QCOMPARE(m_prompt.entries()[0].icon, IUserPrompt::Icon::Error);
        QVERIFY(m_prompt.messages()[0].find("gone.osc") != std::string::npos);

        // A long file is read in the background; cancelling its progress bar
        // keeps what was shown and says nothing.
        m_prompt.clear();
        m_chooser.path = m_folders->filePath(QStringLiteral("long.osc")).toStdString();
        {
            std::string oneLine = "1\t3000";
            for (int i = 0; i < 22; ++i)
                oneLine += "\t2";
            oneLine += "\n";
            std::ofstream out(m_chooser.path);
            for (int line = 0; line < 60000; ++line)
                out << oneLine;
        }
        bool cancelled = false;
        QTimer::singleShot(0, &page, [&] {
            if (auto* progress = page.findChild<QProgressDialog*>()) {
                progress->cancel();
                cancelled = true;
            }
        });
        ctrl<QPushButton>(&page, kBtnOpen)->click();
        QVERIFY(cancelled);
        QCOMPARE(page.model().chart().series(0)->points.size(), std::size_t(3));
        QVERIFY(m_prompt.entries().empty());

        // Left to finish, the same file is shown whole.
        ctrl<QPushButton>(&page, kBtnOpen)->click();
        QCOMPARE(page.model().nextX(), 60000 * COscilloscopeModel::kSampleStep);
        QVERIFY(m_prompt.entries().empty());
    }

    void oscilloscopeScaleLabelsFollowTheChosenUnit() {
        CFakeDocument fake;
        COscyloskopPageDlg page; // the charts dialog's form shares the page's behaviour
        page.attach(fake, m_seams);
        page.activate();
        auto* scale = ctrl<CValueCmbBox>(&page, kCmbScale);
        QCOMPARE(scale->count(), 5);
        const int volts = scale->findText(QStringLiteral("V"));
        scale->setCurrentIndex(volts);
        emit scale->activated(volts);
        QCOMPARE(ctrl<QLabel>(&page, kScaleLabels[0])->text(), QStringLiteral("0.0"));
        QCOMPARE(ctrl<QLabel>(&page, kScaleLabels[1])->text(), QStringLiteral("0.5"));
        QCOMPARE(ctrl<QLabel>(&page, kScaleLabels[10])->text(), QStringLiteral("5.0"));

        setCurrentLanguage(kLangEnglish);
        page.updatePage();
        QCOMPARE(ctrl<QCheckBox>(&page, oscChannels()[1].checkBoxId)->text(),
                 QStringLiteral("Petrol inj."));
        QCOMPARE(scale->currentIndex(), volts);
    }

    // Recording on the simulator: the page shows that it records and where;
    // Stop ends it, says how many records the file holds, and the traces go
    // on.
    void oscilloscopeShowsWhileAndWhereItRecords() {
        connect();
        m_doc->startPolling();
        COscyloskopPage page;
        page.attach(*m_port, m_seams);
        page.activate();
        page.show();
        QVERIFY(page.recordingIndicator()->isHidden());

        m_chooser.path = m_folders->filePath(QStringLiteral("run.osc")).toStdString();
        ctrl<QPushButton>(&page, kBtnRecord)->click();
        QVERIFY(m_prompt.entries().empty());
        QVERIFY(page.recordingIndicator()->isVisible());
        QVERIFY(page.recordingIndicator()->text().contains(QStringLiteral("run.osc")));
        QCOMPARE(page.recordingIndicator()->toolTip(), QString::fromStdString(m_chooser.path));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(QString::fromStdString(m_chooser.path)).size() > 0,
                                 10000);

        ctrl<QPushButton>(&page, kBtnStopRecording)->click();
        QVERIFY(page.recordingIndicator()->isHidden());
        QVERIFY(!page.model().paused());
        const std::vector<std::string> lines = recordedLines(m_chooser.path);
        QCOMPARE(m_prompt.messages(),
                 std::vector<std::string>{COscilloscopeModel::recordingEndedText(
                     m_chooser.path, static_cast<long>(lines.size()))});
        // Nothing more to stop.
        ctrl<QPushButton>(&page, kBtnStopRecording)->click();
        QCOMPARE(m_prompt.messages().size(), std::size_t(1));
        m_doc->stopPolling();
    }

    // A recording lives through the line dropping and the controller coming
    // back: started while the controller is away it leaves the earlier file
    // at its path alone, and from the first record on the file holds every
    // delivered record once, in order, each line whole, across a second drop
    // in the middle of the run.
    void oscilloscopeRecordingHoldsEveryDeliveredRecordAcrossHangUps() {
        m_folders = std::make_unique<QTemporaryDir>();
        const std::string link = m_folders->filePath(QStringLiteral("line")).toStdString();
        m_server = std::make_unique<CSimServer>();
        m_server->setLink(link);
        m_server->setReturnAfterHangUp(std::chrono::milliseconds(1500));
        m_server->start();
        setCurrentPortTable({link});
        m_doc = std::make_unique<CKorvantisDoc>();
        m_doc->setConfigFolder(m_folders->filePath(QStringLiteral("config")).toStdString());
        m_doc->setDataFolder(m_folders->filePath(QStringLiteral("data")).toStdString());
        m_port = std::make_unique<CDocumentAdapter>(*m_doc);
        m_seams.prompt = &m_prompt;
        m_seams.chooser = &m_chooser;
        m_port->setSeams(m_seams);
        QVERIFY(m_doc->connect());
        m_doc->startPolling();
        COscyloskopPage page;
        page.attach(*m_port, m_seams);
        page.activate();

        const std::string path = m_doc->oscilloscopeFolder() + "drive.osc";
        { std::ofstream(path) << "an earlier recording\n"; }
        m_server->hangUp();
        QTRY_VERIFY_WITH_TIMEOUT(!m_doc->pollingActive(), 10000);
        SDelivered delivered;
        observe(delivered);
        m_chooser.path = path;
        ctrl<QPushButton>(&page, kBtnRecord)->click();
        QTRY_VERIFY_WITH_TIMEOUT(!m_doc->pollingActive(), 10000);
        std::ifstream before(path);
        QCOMPARE(std::string((std::istreambuf_iterator<char>(before)), {}),
                 std::string("an earlier recording\n"));

        // The controller is back: the recording starts with its first record.
        QTRY_VERIFY_WITH_TIMEOUT(m_server->returns() == 1 && m_doc->reconnect(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(m_doc->recordedLines() >= 5, 10000);
        m_server->faults().setHangUpOnRequest(3, SimMatch::read(6));
        QTRY_VERIFY_WITH_TIMEOUT(m_server->returns() == 2 && !m_doc->pollingActive(), 10000);
        const long beforeReturn = m_doc->recordedLines();
        QTRY_VERIFY_WITH_TIMEOUT(m_doc->reconnect(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(m_doc->recordedLines() >= beforeReturn + 5, 10000);
        page.refreshLive();
        QVERIFY(page.recordingIndicator()->text().contains(QStringLiteral("drive.osc")));

        m_doc->setRecordObserver({});
        ctrl<QPushButton>(&page, kBtnPause)->click();
        const std::vector<std::string> lines = recordedLines(path);
        QCOMPARE(lines, delivered.take());
        QCOMPARE(m_prompt.messages(),
                 std::vector<std::string>{COscilloscopeModel::recordingEndedText(
                     path, static_cast<long>(lines.size()))});
    }

    // A full disk stops the recording with the lines written so far intact
    // and the file ending on a whole line; the user is told once, and the
    // page stops saying that it records, even while another page is shown.
    void oscilloscopeRecordingStoppedByAFullDiskSaysSoOnceAndKeepsItsLines() {
        connect();
        m_doc->startPolling();
        COscyloskopPage page;
        page.attach(*m_port, m_seams);
        page.activate();
        m_chooser.path = m_folders->filePath(QStringLiteral("full.osc")).toStdString();

        // A file size limit stands for the full disk: writes past it fail.
        constexpr rlim_t kRoom = 1000;
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = kRoom;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        ctrl<QPushButton>(&page, kBtnRecord)->click();
        QVERIFY(page.recordingIndicator()->text().contains(QStringLiteral("full.osc")));
        QTRY_VERIFY_WITH_TIMEOUT(!m_prompt.entries().empty(), 20000);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(m_prompt.messages(),
                 std::vector<std::string>{std::string(COscilloscopeModel::kMsgWrite) + "\n" +
                                          m_chooser.path + "\n" + std::strerror(EFBIG) + "\n" +
                                          COscilloscopeModel::kMsgStopped});
        QVERIFY(page.recordingIndicator()->isHidden());
        const std::vector<std::string> lines = recordedLines(m_chooser.path);
        QVERIFY(!lines.empty());
        QCOMPARE(static_cast<long>(lines.size()), m_doc->recordedLines());
        QVERIFY(QFileInfo(QString::fromStdString(m_chooser.path)).size() <=
                static_cast<qint64>(kRoom));
        // Polling and the traces go on; the message is not repeated.
        QTest::qWait(2 * COscyloskopPage::kRecordingCheckMs);
        page.refreshLive();
        QCOMPARE(m_prompt.entries().size(), std::size_t(1));
        QVERIFY(m_doc->pollingActive());
        QVERIFY(!page.model().paused());
    }

    // Each scale label is centred on its grid line of the chart's plot area
    // (the scroll bar under the plot is not part of the scale).
    void oscilloscopeScaleLabelsSitOnTheGridLines() {
        CFakeDocument fake;
        COscyloskopPage page;
        page.attach(fake, m_seams);
        page.resize(700, 450);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const QRect plot = page.chart()->plotRect();
        for (int k = 0; k < kOscScaleLabels; ++k) {
            const int line = page.chart()->mapTo(&page, QPoint(0, plot.bottom() + 1)).y() -
                             plot.height() * k / (kOscScaleLabels - 1);
            const int centre =
                page.scaleLabel(k)->mapTo(&page, page.scaleLabel(k)->rect().center()).y();
            QVERIFY2(qAbs(centre - line) <= 1, qPrintable(QString::number(k)));
        }
    }

    void chartScrollBarFollowsTheModelWindow() {
        CScrollChartModel model;
        model.addSeries(0, 0xFF);
        CScrollChart chart(model);
        chart.resize(400, 200);
        for (int i = 0; i < 400; ++i)
            model.addPoint(0, static_cast<float>(i * 5), 50.0f);
        chart.refresh();
        QVERIFY(model.origin() > 0.0f);
        QCOMPARE(chart.scrollBar()->value(), model.scrollBar().position);
        const float origin = model.origin();
        chart.scrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(model.origin(), origin - model.width() / 2);
        QCoreApplication::processEvents();
        QCOMPARE(chart.scrollBar()->value(), model.scrollBar().position);
    }

    // ---- fault dialog ----

    void faultDialogShowsTheFaultsAndTellsTheIndicator() {
        connect();
        m_server->withController([](CSimController& c) { c.setErrorBytes({0, 0x01, 0, 0}); });
        m_doc->settings().m_base.m_flags = 0x94;
        std::vector<bool> indicator;
        CErrorsDlg dialog(*m_port, m_seams, [&](bool faults) { indicator.push_back(faults); });
        // The text area keeps the lines, whatever their line ends were, and
        // starts with the first fault rather than blank lines.
        QString expected = QString::fromStdString(m_doc->describeErrors({0, 0x01, 0, 0}))
                               .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                               .replace(QChar('\r'), QChar('\n'));
        while (expected.startsWith(QLatin1Char('\n')))
            expected.remove(0, 1);
        QCOMPARE(dialog.faultText()->toPlainText(), expected);
        QVERIFY(!dialog.faultText()->toPlainText().isEmpty());
        QVERIFY(dialog.signalBox()->isChecked());
        QCOMPARE(indicator, std::vector<bool>{true});

        // Clearing restarts the controller, which forgets its faults: the
        // dialog reads them again and says that none are left.
        ctrl<QPushButton>(&dialog, kBtnClearErrors)->click();
        QCOMPARE(dialog.faultText()->toPlainText(), QStringLiteral("Brak błędów"));
        QCOMPARE(indicator, (std::vector<bool>{true, false}));
        setCurrentLanguage(kLangGerman);
        m_server->withController([](CSimController& c) { c.setErrorBytes({0, 0x01, 0, 0}); });
        dialog.OnInitDialog();
        ctrl<QPushButton>(&dialog, kBtnClearErrors)->click();
        QCOMPARE(dialog.faultText()->toPlainText(), QStringLiteral("Keine Fehler"));
        setCurrentLanguage(kLangPolish);
    }

    void faultDialogSignalBoxWritesTheBaseFlagOnlyWhenConnected() {
        connect();
        m_doc->settings().m_base.m_flags = 0x90;
        CErrorsDlg dialog(*m_port, m_seams);
        const std::size_t writes = requests(SimMatch::cmd(3));
        dialog.signalBox()->click();
        QCOMPARE(m_doc->settings().m_base.m_flags, std::uint8_t(0x94));
        QCOMPARE(requests(SimMatch::cmd(3)), writes + 1);

        m_server->faults().setAckResult(0, SimMatch::cmd(3));
        dialog.signalBox()->click();
        // Refused: the image keeps the new value, the user is told.
        QCOMPARE(m_doc->settings().m_base.m_flags, std::uint8_t(0x90));
        QCOMPARE(m_prompt.messages(),
                 std::vector<std::string>{"Nie powiodło się wpisanie ustawień do urządzenia!"});

        m_doc->setConnected(false);
        dialog.signalBox()->click();
        QVERIFY(dialog.signalBox()->isChecked());
        QCOMPARE(m_doc->settings().m_base.m_flags, std::uint8_t(0x90));
    }

    void faultDialogTextsFollowTheLanguage() {
        CFakeDocument fake;
        setCurrentLanguage(kLangEnglish);
        CErrorsDlg dialog(fake, m_seams);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Errors"));
        QCOMPARE(ctrl<QPushButton>(&dialog, kBtnClearErrors)->text(),
                 QStringLiteral("Clear errors"));
        QVERIFY(dialog.faultText()->toPlainText().isEmpty());
        setCurrentLanguage(kLangPolish);
        CErrorsDlg polish(fake, m_seams);
        QCOMPARE(ctrl<QPushButton>(&polish, kBtnCloseErrors)->text(), QStringLiteral("Zamknij"));
    }
};

QTEST_MAIN(DiagWindowsTest)
#include "DiagWindowsTest.moc"
