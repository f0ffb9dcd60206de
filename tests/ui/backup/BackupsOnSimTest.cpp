#include "../../support/OnSimulator.h"
#include "SimServer.h"
#include "app/DocumentAdapter.h"
#include "backup/BackupStore.h"
#include "backup/BackupsDlg.h"
#include "backup/LoadCompareDlg.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "maps/MainCorrDlg.h"
#include "maps/autocal/LPGDeviceLink.h"
#include "pages/PanelIds.h"
#include "pages/PanelSwitchPage.h"
#include "pages/SettingsDlg.h"
#include "platform/PortTable.h"
#include "settings/SettingsCheck.h"
#include "settings/SettingsFileIo.h"
#include "support/RecordingPrompt.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItem>

#include <functional>
#include <memory>

using namespace vexor;

namespace {

class CPathChooser : public IFileChooser {
public:
    std::string openPath(const std::string&, const std::string&) override { return path; }
    std::string savePath(const std::string&, const std::string&, const std::string&) override {
        return path;
    }
    std::string path;
};

constexpr const char* kBackupQuestion = "Nie można zapisać kopii zapasowej ustawień sterownika.";

DeviceSettings readFile(const std::string& path) {
    DeviceSettings image;
    SSettingsFileProblem problem;
    if (!readSettingsFileChecked(path, image, problem))
        qFatal("unreadable settings file %s", path.c_str());
    return image;
}

} // namespace

// The window program keeps the controller's settings before it changes them,
// and a settings file goes in only after the fitter has seen and ticked what
// it changes: checked by what the simulated controller received and by the
// backup files left behind.
class BackupsOnSimTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CSimServer> m_server;
    std::unique_ptr<QTemporaryDir> m_folders;
    std::unique_ptr<CKorvantisDoc> m_doc;
    std::unique_ptr<CDocumentAdapter> m_port;
    CRecordingPrompt m_prompt;
    CPathChooser m_chooser;
    Seams m_seams;

    std::string dataFolder() const {
        return m_folders->filePath(QStringLiteral("data")).toStdString();
    }
    std::vector<CBackupStore::SEntry> backups() const { return CBackupStore(dataFolder()).list(); }
    std::size_t sent(std::uint8_t command) const {
        return m_server->requestLog().count(SimMatch::cmd(command));
    }
    bool asked(const char* polish) const {
        for (const auto& entry : m_prompt.entries())
            if (entry.question && entry.text.rfind(polish, 0) == 0)
                return true;
        return false;
    }

    // The fitter picks the next switch-over speed on the switch page.
    void pickNextSwitchRpm(CPanelSwitchPage& page) {
        auto* box = findCtrl<CValueCmbBox>(&page, panel_ids::kCmbRpmSwitch);
        QVERIFY(box != nullptr);
        const int next = box->currentIndex() + 1;
        box->setCurrentIndex(next);
        emit box->activated(next);
    }

    std::unique_ptr<CPanelSwitchPage> switchPage() {
        auto page = std::make_unique<CPanelSwitchPage>();
        page->attach(*m_port, m_seams);
        page->activate();
        return page;
    }

    // A file with the controller's settings but a switch-over speed and a
    // lambda type of its own.
    std::string fileDiffering(double switchRpm, int lambdaType,
                              const std::function<void(DeviceSettings&)>& more = {}) {
        DeviceSettings file = m_doc->settings();
        if (more)
            more(file);
        file.m_base.m_switchRPM = switchRpm;
        file.m_sensorsSetup.m_lambdaType = static_cast<std::uint8_t>(lambdaType);
        const std::string path = m_folders->filePath(QStringLiteral("car.xset")).toStdString();
        if (!writeSettingsFile(path, file))
            qFatal("cannot write the test file");
        return path;
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
        m_chooser.path.clear();
        m_doc->setMinPetrolPolls(1);
        m_port = std::make_unique<CDocumentAdapter>(*m_doc);
        m_port->setSeams(m_seams);
        QVERIFY(m_port->connectAtStart());
        QVERIFY(!m_doc->isDemo());
        m_prompt.clear();
        m_server->requestLog().clear();
    }

    void cleanup() {
        m_port.reset();
        m_doc.reset();
        m_server.reset();
        m_folders.reset();
    }

    // The first change of a connection backs the controller up as it was;
    // the next changes do not; a new connection backs up again; demonstration
    // mode never.
    void firstChangeOfEachConnectionIsBackedUpAsTheControllerHadIt() {
        const double before = m_doc->settings().m_base.m_switchRPM;
        auto page = switchPage();
        pickNextSwitchRpm(*page);
        pickNextSwitchRpm(*page);
        QCOMPARE(sent(3), std::size_t(2));
        auto list = backups();
        QCOMPARE(list.size(), std::size_t(1));
        QCOMPARE(list[0].reason, std::string("edit"));
        QCOMPARE(readFile(list[0].path).m_base.m_switchRPM, before);

        QVERIFY(m_port->connectAtStart());
        pickNextSwitchRpm(*page);
        QCOMPARE(backups().size(), std::size_t(2));
        // Demonstration mode keeps none.
        m_doc->enterDemo();
        QVERIFY(m_port->connectAtStart());
        pickNextSwitchRpm(*page);
        QCOMPARE(backups().size(), std::size_t(2));
        QVERIFY(m_prompt.entries().empty());
    }

    // A backup that cannot be written asks; No (the default) sends nothing
    // and the page shows the controller's value again; Yes goes on, and the
    // connection's later changes ask no more; a whole-image action and, on a
    // new connection, a correction ask again.
    void aBackupThatCannotBeWrittenAsksAndNoSendsNothing() {
        // A file where the backups folder should be.
        QDir().mkpath(QString::fromStdString(dataFolder()));
        QFile blocker(QString::fromStdString(dataFolder() + "/backups"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const double before = m_doc->settings().m_base.m_switchRPM;
        auto page = switchPage();
        auto* box = findCtrl<CValueCmbBox>(page.get(), panel_ids::kCmbRpmSwitch);
        const QString shown = box->currentText();

        pickNextSwitchRpm(*page);
        QVERIFY(asked(kBackupQuestion));
        QCOMPARE(sent(3), std::size_t(0));
        QCOMPARE(m_doc->settings().m_base.m_switchRPM, before);
        QCOMPARE(box->currentText(), shown);

        m_prompt.clear();
        m_prompt.scriptAnswer(true);
        pickNextSwitchRpm(*page);
        QVERIFY(asked(kBackupQuestion));
        QCOMPARE(sent(3), std::size_t(1));
        m_prompt.clear();
        pickNextSwitchRpm(*page);
        QVERIFY(m_prompt.entries().empty());
        QCOMPARE(sent(3), std::size_t(2));

        // A whole-image action asks again: declining it sends nothing.
        m_prompt.clear();
        m_server->requestLog().clear();
        CSettingsDlg dialog(*m_port, m_seams);
        dialog.selectiveLoad().setReview([](CLoadCompareDlg&) { return true; });
        m_chooser.path = fileDiffering(before, 6);
        dialog.OnFileReadSettings();
        QVERIFY(asked(kBackupQuestion));
        QCOMPARE(m_server->requestLog().size(), std::size_t(0));

        // So does a correction step, which then leaves its field as it was.
        m_prompt.clear();
        CLPGDeviceLink link(*m_doc);
        CMainCorrDlg corrections(link, m_seams);
        corrections.setChangeGuard([this] { return m_port->beforeChange("edit"); });
        QVERIFY(m_port->connectAtStart());
        const QString field = corrections.field(0)->text();
        corrections.onDeltaSpinMainCorr(0, 1, CMainCorrEditor::Spin::Fine);
        QVERIFY(asked(kBackupQuestion));
        QCOMPARE(m_server->requestLog().count(SimMatch::cmd(2)), m_server->requestLog().size());
        QCOMPARE(corrections.field(0)->text(), field);
    }

    // The load shows every difference ticked; an unticked row's block is not
    // written, the ticked one is, with the petrol wait and the restart; the
    // backup taken first holds the controller's settings.
    void loadWritesOnlyTheBlocksOfTickedRows() {
        const DeviceSettings before = m_doc->settings();
        m_chooser.path = fileDiffering(before.m_base.m_switchRPM + 500,
                                       before.m_sensorsSetup.m_lambdaType == 6 ? 1 : 6,
                                       [](DeviceSettings& file) {
                                           for (int row = 3; row < 7; ++row)
                                               file.m_injMapTable[row][row + 2] += 5;
                                       });
        CSettingsDlg dialog(*m_port, m_seams);
        int rows = 0;
        dialog.selectiveLoad().setReview([&rows](CLoadCompareDlg& comparison) {
            QTreeWidgetItem* lambda = comparison.rowOf("m_sensorsSetup.m_lambdaType");
            QTreeWidgetItem* rpm = comparison.rowOf("m_base.m_switchRPM");
            QTreeWidgetItem* map = comparison.rowOf("m_injMapTable[5][3500]");
            if (lambda == nullptr || rpm == nullptr || map == nullptr)
                return false;
            for (int p = 0; p < comparison.tree()->topLevelItemCount(); ++p)
                rows += comparison.tree()->topLevelItem(p)->childCount();
            // tools: VEXOR_PICTURES=docs keeps a picture of a real load's comparison.
            if (const QByteArray folder = qgetenv("VEXOR_PICTURES"); !folder.isEmpty()) {
                comparison.resize(640, 360);
                comparison.show();
                if (QTest::qWaitForWindowExposed(&comparison))
                    comparison.grab().save(QString::fromLocal8Bit(folder) +
                                           "/settings-load-compare.png");
            }
            lambda->setCheckState(0, Qt::Unchecked);
            map->setCheckState(0, Qt::Unchecked);
            return true;
        });
        dialog.OnFileReadSettings();
        QCOMPARE(rows, 3);
        QCOMPARE(sent(3), std::size_t(1)); // base
        QCOMPARE(sent(9), std::size_t(0)); // sensors: unticked
        QVERIFY(m_doc->settings().m_injMapTable == before.m_injMapTable);
        QCOMPARE(m_server->requestLog().count(SimMatch::read(0x0A)), std::size_t(1)); // restart
        QCOMPARE(m_doc->settings().m_base.m_switchRPM, before.m_base.m_switchRPM + 500);
        QCOMPARE(m_doc->settings().m_sensorsSetup.m_lambdaType, before.m_sensorsSetup.m_lambdaType);
        QCOMPARE(m_prompt.messages().back(),
                 std::string("Ustawienia wczytane z pliku zostały zapisane w sterowniku."));
        const auto list = backups();
        QCOMPARE(list.size(), std::size_t(1));
        QCOMPARE(list[0].reason, std::string("load"));
        QCOMPARE(readFile(list[0].path).m_base.m_switchRPM, before.m_base.m_switchRPM);
    }

    // A file that changes nothing is said to, and nothing is sent or backed
    // up; "Compare with file…" only shows the differences, whatever is
    // answered.
    void aFileThatChangesNothingWritesNothing() {
        const DeviceSettings& image = m_doc->settings();
        m_chooser.path = fileDiffering(image.m_base.m_switchRPM, image.m_sensorsSetup.m_lambdaType);
        CSettingsDlg dialog(*m_port, m_seams);
        bool reviewed = false;
        bool viewOnly = false;
        dialog.selectiveLoad().setReview([&](CLoadCompareDlg& comparison) {
            reviewed = true;
            viewOnly = comparison.viewOnly() && !comparison.writeButton()->isVisible();
            return true;
        });
        dialog.OnFileReadSettings();
        QVERIFY(!reviewed);
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{"Ustawienia nie różnią się"});

        m_chooser.path = fileDiffering(image.m_base.m_switchRPM + 500, 6);
        dialog.OnCompareWithFile();
        QVERIFY(reviewed);
        QVERIFY(viewOnly);
        QCOMPARE(m_server->requestLog().size(), std::size_t(0));
        QVERIFY(backups().empty());
    }

    // A firmware update backs the controller up once an image is chosen, not
    // when the choice is cancelled.
    void aFirmwareUpdateIsBackedUpOnceAnImageIsChosen() {
        m_port->updateFirmware({});
        QVERIFY(backups().empty());
        m_chooser.path = m_folders->filePath(QStringLiteral("missing.img")).toStdString();
        m_port->updateFirmware({});
        const auto list = backups();
        QCOMPARE(list.size(), std::size_t(1));
        QCOMPARE(list[0].reason, std::string("flash"));
    }

    // "Restore…" of a backup in the list brings the controller's settings of
    // then back, and is itself backed up first.
    void aBackupRestoredFromTheListBringsTheOldSettingsBack() {
        const double before = m_doc->settings().m_base.m_switchRPM;
        auto page = switchPage();
        pickNextSwitchRpm(*page);
        QVERIFY(m_doc->settings().m_base.m_switchRPM != before);
        m_server->requestLog().clear();

        CSettingsDlg dialog(*m_port, m_seams);
        dialog.selectiveLoad().setReview([](CLoadCompareDlg&) { return true; });
        QTimer::singleShot(0, this, [] {
            auto* list = qobject_cast<CBackupsDlg*>(QApplication::activeModalWidget());
            QVERIFY(list != nullptr);
            QCOMPARE(list->table()->rowCount(), 1);
            list->table()->selectRow(0);
            list->restoreButton()->click();
        });
        dialog.OnBackups();
        QCOMPARE(m_doc->settings().m_base.m_switchRPM, before);
        QCOMPARE(sent(3), std::size_t(1));
        const auto list = backups();
        QCOMPARE(list.size(), std::size_t(2));
        QCOMPARE(list.back().reason, std::string("restore"));
    }

    // A comparison from the list returns to the list: the fitter may look
    // at several backups before choosing one, or none.
    void comparingABackupReturnsToTheList() {
        auto page = switchPage();
        pickNextSwitchRpm(*page);
        CSettingsDlg dialog(*m_port, m_seams);
        int reviews = 0;
        dialog.selectiveLoad().setReview([&reviews](CLoadCompareDlg&) {
            ++reviews;
            return false;
        });
        int lists = 0;
        std::function<void()> answer = [&] {
            auto* list = qobject_cast<CBackupsDlg*>(QApplication::activeModalWidget());
            QVERIFY(list != nullptr);
            if (++lists == 1) {
                list->table()->selectRow(0);
                QTimer::singleShot(0, this, answer);
                list->compareButton()->click();
            } else {
                list->reject();
            }
        };
        QTimer::singleShot(0, this, answer);
        dialog.OnBackups();
        QCOMPARE(reviews, 1);
        QCOMPARE(lists, 2);
    }
};

QTEST_MAIN(BackupsOnSimTest)
#include "BackupsOnSimTest.moc"
