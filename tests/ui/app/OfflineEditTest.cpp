#include "SimServer.h"
#include "app/AppOptions.h"
#include "app/DocumentAdapter.h"
#include "app/KorvantisApp.h"
#include "app/KorvantisView.h"
#include "app/MainFrame.h"
#include "app/OfflineDocument.h"
#include "backup/LoadCompareDlg.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "device/codecs/BlockCodecs.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "pages/AppPropSheet.h"
#include "pages/PanelGasPage.h"
#include "pages/PanelIds.h"
#include "pages/SettingsDlg.h"
#include "platform/PortTable.h"
#include "settings/SettingsFileIo.h"
#include "support/RecordingPrompt.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

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

constexpr const char* kStamp = "01-02-2023-10:11:12";

} // namespace

// A settings file edited in the window program without a controller. The
// simulated controller waits on the only port in the table: had the program
// searched for it, its request log would show it.
class OfflineEditTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CSimServer> m_server;
    std::unique_ptr<QTemporaryDir> m_folders;
    std::unique_ptr<CKorvantisDoc> m_doc;
    std::unique_ptr<CDocumentAdapter> m_device;
    std::unique_ptr<COfflineDocument> m_port;
    std::unique_ptr<CKorvantisApp> m_app;
    CRecordingPrompt m_prompt;
    CPathChooser m_chooser;

    std::string file(const char* name) const {
        return m_folders->filePath(QString::fromUtf8(name)).toStdString();
    }

    std::string carFile(const char* name, int pressureRef) const {
        DeviceSettings car;
        car.m_timeStamp = kStamp;
        car.m_base.m_pressureRef = pressureRef;
        const std::string path = file(name);
        if (!writeSettingsFile(path, car))
            return {};
        return path;
    }

    static DeviceSettings onDisk(const std::string& path) {
        DeviceSettings saved;
        if (!readSettingsFile(path, saved))
            saved.m_timeStamp = "unreadable";
        return saved;
    }

    bool start(const std::string& offlineFile) {
        m_doc = std::make_unique<CKorvantisDoc>();
        m_doc->setConfigFolder(file("config"));
        m_doc->setDataFolder(file("data"));
        m_device = std::make_unique<CDocumentAdapter>(*m_doc);
        m_port = std::make_unique<COfflineDocument>(*m_device);
        SAppOptions options;
        options.splash = false;
        options.cng = false;
        options.offlineFile = offlineFile;
        m_app = std::make_unique<CKorvantisApp>(options, *m_port);
        m_app->seams().prompt = &m_prompt;
        m_app->seams().chooser = &m_chooser;
        return m_app->initInstance(QSize(1280, 1024));
    }

    std::unique_ptr<CPanelGasPage> gasPage() {
        auto page = std::make_unique<CPanelGasPage>();
        page->attach(*m_port, m_app->seams());
        page->resize(900, 500);
        page->activate();
        return page;
    }

    // The user picks another working pressure; returns the value chosen.
    static int choosePressure(CPanelGasPage& page, int current) {
        auto* box = findCtrl<CValueCmbBox>(&page, panel_ids::kCmbPressRef);
        int index = 0;
        while (index < box->entryCount() - 1 && static_cast<int>(box->valueAt(index)) == current)
            ++index;
        box->setCurrentIndex(index);
        emit box->activated(index);
        return static_cast<int>(box->valueAt(index));
    }

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_folders = std::make_unique<QTemporaryDir>();
        m_server = std::make_unique<CSimServer>();
        m_server->start();
        setCurrentPortTable({m_server->slavePath()});
        m_prompt = CRecordingPrompt();
        m_chooser.path.clear();
    }

    void cleanup() {
        m_app.reset();
        m_port.reset();
        m_device.reset();
        m_doc.reset();
        m_server.reset();
    }

    // --offline: the page shows the file, an edit marks the title, closing
    // asks (staying open keeps the edit unsaved), "Save" writes the file
    // with its time stamp, and no port was ever asked.
    void editedFileIsSavedOnlyWhenAskedAndNoPortIsTouched() {
        const std::string path = carFile("car.xset", 200);
        QVERIFY(!path.empty());
        QVERIFY(start(path));
        CMainFrame* frame = m_app->mainFrame();
        QVERIFY(m_port->isOffline());
        QCOMPARE(frame->windowTitle(), QStringLiteral("VEXOR - car.xset"));
        QVERIFY(!frame->timer1002().isActive());

        // The main window's own gas page.
        CAppPropSheet* sheet = frame->view()->sheet();
        CPanelGasPage* page = nullptr;
        for (int i = 0; i < sheet->pageCount() && page == nullptr; ++i) {
            page = qobject_cast<CPanelGasPage*>(sheet->page(i));
            if (page != nullptr)
                sheet->setCurrentIndex(i);
        }
        QVERIFY(page != nullptr);
        auto* box = findCtrl<CValueCmbBox>(page, panel_ids::kCmbPressRef);
        QCOMPARE(box->currentText(), QStringLiteral("200"));
        const int chosen = choosePressure(*page, 200);
        QVERIFY(chosen != 200);
        QCOMPARE(m_port->settings().m_base.m_pressureRef, chosen);
        QCOMPARE(frame->windowTitle(), QStringLiteral("VEXOR - car.xset *"));
        QVERIFY(m_prompt.entries().empty()); // no "no connection", no backup question
        // tools: VEXOR_PICTURES=docs keeps a picture of an offline edit.
        if (const QByteArray folder = qgetenv("VEXOR_PICTURES"); !folder.isEmpty()) {
            if (QTest::qWaitForWindowExposed(frame))
                frame->grab().save(QString::fromLocal8Bit(folder) + "/settings-offline-edit.png");
        }

        // One question; Cancel: the window stays, the file too.
        m_prompt.scriptSaveAnswer(IUserPrompt::SaveAnswer::Cancel);
        QVERIFY(!frame->close());
        QCOMPARE(m_prompt.entries().size(), std::size_t(1));
        QCOMPARE(onDisk(path).m_base.m_pressureRef, 200);

        frame->findChild<QAction*>(QStringLiteral("saveFile"))->trigger();
        const DeviceSettings saved = onDisk(path);
        QCOMPARE(saved.m_base.m_pressureRef, chosen);
        QCOMPARE(saved.m_timeStamp, std::string(kStamp));
        QCOMPARE(frame->windowTitle(), QStringLiteral("VEXOR - car.xset"));

        // Unmodified, the window closes without a question.
        m_prompt.clear();
        QVERIFY(frame->close());
        QVERIFY(m_prompt.entries().empty());
        QCOMPARE(m_server->requestLog().size(), std::size_t(0));
    }

    // Closing with an edit and answering "Save" writes it and closes; a
    // save that fails keeps the window open.
    void closingWithAnEditSavesOnYes() {
        const std::string path = carFile("car.xset", 200);
        QVERIFY(start(path));
        CMainFrame* frame = m_app->mainFrame();
        auto page = gasPage();
        const int chosen = choosePressure(*page, 200);

        QVERIFY(QFile::remove(QString::fromStdString(path)));
        QVERIFY(QDir().mkdir(QString::fromStdString(path))); // cannot be replaced now
        m_prompt.scriptSaveAnswer(IUserPrompt::SaveAnswer::Save);
        QVERIFY(!frame->close());
        QCOMPARE(m_prompt.messages().back().rfind("Nie można zapisać pliku ustawień.", 0),
                 std::size_t(0));

        QVERIFY(QDir().rmdir(QString::fromStdString(path)));
        m_prompt.scriptSaveAnswer(IUserPrompt::SaveAnswer::Save);
        QVERIFY(frame->close());
        QCOMPARE(onDisk(path).m_base.m_pressureRef, chosen);
        QCOMPARE(m_server->requestLog().size(), std::size_t(0));
    }

    // A controller found after the file was opened gets the file's settings
    // only through the comparison: the unticked rows stay as they were, and
    // the file stays open and edited.
    void writeToControllerGoesThroughTheComparison() {
        const std::string path = carFile("car.xset", 200);
        QVERIFY(start(path));
        auto page = gasPage();
        const int chosen = choosePressure(*page, 200);
        QCOMPARE(m_server->requestLog().size(), std::size_t(0));

        CSettingsDlg dialog(*m_port, m_app->seams());
        int ticked = 0;
        dialog.selectiveLoad().setReview([&ticked](CLoadCompareDlg& comparison) {
            QTreeWidgetItem* pressure = comparison.rowOf("m_base.m_pressureRef");
            if (pressure == nullptr)
                return false;
            QTreeWidget* tree = comparison.tree();
            for (int p = 0; p < tree->topLevelItemCount(); ++p) {
                for (int r = 0; r < tree->topLevelItem(p)->childCount(); ++r) {
                    QTreeWidgetItem* row = tree->topLevelItem(p)->child(r);
                    row->setCheckState(0, row == pressure ? Qt::Checked : Qt::Unchecked);
                }
            }
            ticked = static_cast<int>(comparison.tickedKeys().size());
            return true;
        });
        auto* write = dialog.findChild<QPushButton*>(QStringLiteral("Zapisz do sterownika"));
        QVERIFY(write != nullptr);
        write->click();
        m_doc->stopPolling();

        QCOMPARE(ticked, 1);
        QCOMPARE(m_prompt.messages().back(),
                 std::string("Ustawienia wczytane z pliku zostały zapisane w sterowniku."));
        QCOMPARE(m_server->requestLog().count(SimMatch::cmd(3)), std::size_t(1));
        for (const std::uint8_t other : {4, 26, 9})
            QCOMPARE(m_server->requestLog().count(SimMatch::cmd(other)), std::size_t(0));
        const auto base = m_server->withController([](CSimController& c) { return c.block(3); });
        DeviceSettings controller = m_doc->settings();
        QVERIFY(decodeBase(base.data(), base.size(), controller));
        QCOMPARE(controller.m_base.m_pressureRef, chosen);
        QVERIFY(m_port->isOffline() && m_port->fileModified());
        QCOMPARE(m_port->settings().m_base.m_pressureRef, chosen);
    }

    // A file the program cannot use starts nothing and says why.
    void unusableFileStartsNothing() {
        const std::string path = file("half.xset");
        {
            QFile half(QString::fromStdString(path));
            QVERIFY(half.open(QIODevice::WriteOnly));
            half.write("m_timeStamp\tx\n");
        }
        QVERIFY(!start(path));
        QVERIFY(!m_app->mainFrame()->isVisible());
        QCOMPARE(m_prompt.messages().size(), std::size_t(1));
        QVERIFY(m_prompt.messages().front().find(path) != std::string::npos);
        QVERIFY(m_prompt.messages().front().find("m_") != std::string::npos); // the missing key
        QCOMPARE(m_server->requestLog().size(), std::size_t(0));
    }

    // No controller found and no demonstration: the start offers a file,
    // and the settings dialog opens another one in its place (asking first
    // about the edit that would be dropped).
    void startWithoutControllerOffersAFileAndTheDialogSwitchesFiles() {
        m_server.reset();
        setCurrentPortTable({});
        m_chooser.path = carFile("first.xset", 200);
        const std::string second = carFile("second.xset", 180);
        m_prompt.scriptAnswer(false); // no demonstration
        m_prompt.scriptAnswer(true);  // open a settings file
        QVERIFY(start({}));
        QVERIFY(m_port->isOffline());
        QCOMPARE(m_app->mainFrame()->windowTitle(), QStringLiteral("VEXOR - first.xset"));
        auto page = gasPage();
        choosePressure(*page, 200);

        m_chooser.path = second;
        CSettingsDlg dialog(*m_port, m_app->seams());
        auto* open = dialog.findChild<QPushButton*>(QStringLiteral("Otwórz plik ustawień…"));
        QVERIFY(open != nullptr);
        m_prompt.scriptAnswer(false); // keep the edit
        open->click();
        QCOMPARE(m_app->mainFrame()->windowTitle(), QStringLiteral("VEXOR - first.xset *"));
        m_prompt.scriptAnswer(true); // drop it
        open->click();
        QCOMPARE(m_app->mainFrame()->windowTitle(), QStringLiteral("VEXOR - second.xset"));
        QCOMPARE(m_port->settings().m_base.m_pressureRef, 180);
        QCOMPARE(onDisk(file("first.xset")).m_base.m_pressureRef, 200);
    }
};

QTEST_MAIN(OfflineEditTest)
#include "OfflineEditTest.moc"
