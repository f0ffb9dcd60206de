#include "SimServer.h"
#include "app/AppOptions.h"
#include "app/DocumentAdapter.h"
#include "app/KorvantisApp.h"
#include "app/KorvantisView.h"
#include "app/MainFrame.h"
#include "app/OfflineDocument.h"
#include "controls/UpDownCtrl.h"
#include "doc/KorvantisDoc.h"
#include "settings/SettingsFileIo.h"
#include "lang/Language.h"
#include "maps/MainCorrDlg.h"
#include "maps/MapCorrPage.h"
#include "maps/MapGrid.h"
#include "pages/AppPropSheet.h"
#include "platform/PortTable.h"
#include "support/RecordingPrompt.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace vexor;

// The injection map and the main correction of a settings file edited in the
// window program without a controller: the simulated controller on the only
// port shows that nothing is ever sent.
class OfflineMapTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CSimServer> m_server;
    std::unique_ptr<QTemporaryDir> m_folders;
    std::unique_ptr<CKorvantisDoc> m_doc;
    std::unique_ptr<CDocumentAdapter> m_device;
    std::unique_ptr<COfflineDocument> m_port;
    std::unique_ptr<CKorvantisApp> m_app;
    CRecordingPrompt m_prompt;
    std::string m_path;

    CMapCorrPage* mapPage() {
        CAppPropSheet* sheet = m_app->mainFrame()->view()->sheet();
        for (int i = 0; i < sheet->pageCount(); ++i) {
            if (auto* page = qobject_cast<CMapCorrPage*>(sheet->page(i))) {
                sheet->setCurrentIndex(i);
                return page;
            }
        }
        return nullptr;
    }
    int fileCell(int row, int column) const {
        return static_cast<int>(m_port->settings().m_injMapTable[row][column]);
    }

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_folders = std::make_unique<QTemporaryDir>();
        m_server = std::make_unique<CSimServer>();
        m_server->start();
        setCurrentPortTable({m_server->slavePath()});
        m_prompt = CRecordingPrompt();
        DeviceSettings car;
        car.m_devInfo.m_injCount = 4;
        car.m_injMapTable[3][2] = 7;
        m_path = m_folders->filePath(QStringLiteral("car.xset")).toStdString();
        QVERIFY(writeSettingsFile(m_path, car));

        m_doc = std::make_unique<CKorvantisDoc>();
        m_doc->setConfigFolder(m_folders->filePath(QStringLiteral("config")).toStdString());
        m_doc->setDataFolder(m_folders->filePath(QStringLiteral("data")).toStdString());
        m_device = std::make_unique<CDocumentAdapter>(*m_doc);
        m_port = std::make_unique<COfflineDocument>(*m_device);
        SAppOptions options;
        options.splash = false;
        options.cng = false;
        options.offlineFile = m_path;
        m_app = std::make_unique<CKorvantisApp>(options, *m_port);
        m_app->seams().prompt = &m_prompt;
        QVERIFY(m_app->initInstance(QSize(1280, 1024)));
        QVERIFY(m_port->isOffline());
        m_port->grantServiceAccess();
    }

    void cleanup() {
        m_app.reset();
        m_port.reset();
        m_device.reset();
        m_doc.reset();
        m_server.reset();
    }

    // Set, add, subtract, paste, undo and redo change the file's map only;
    // Save writes it.
    void theGridEditsTheFilesMapAndUndoWorks() {
        CMapCorrPage* page = mapPage();
        QVERIFY(page != nullptr);
        CMapGrid* grid = page->grid();
        QCOMPARE(static_cast<int>(grid->model().cellValue({3, 2})), 7);
        int asked = 0;
        grid->setValueAsker([&](MapOp) -> std::optional<int> { return ++asked == 1 ? 5 : 2; });
        grid->model().selection().setSelected({3, 2}, true);
        grid->model().selection().setSelected({3, 3}, true);

        grid->onMapAdd();
        QCOMPARE(fileCell(3, 2), 12);
        QCOMPARE(fileCell(3, 3), 5);
        QVERIFY(m_app->mainFrame()->windowTitle().endsWith(QStringLiteral("*")));
        grid->onMapSubb();
        QCOMPARE(fileCell(3, 2), 10);
        QCOMPARE(grid->editor().paste("-4\t9"), CMapEditor::Result::Sent);
        QCOMPARE(fileCell(3, 2), -4);
        QCOMPARE(fileCell(3, 3), 9);

        grid->onMapUndo();
        QCOMPARE(fileCell(3, 2), 10);
        grid->onMapUndo();
        grid->onMapUndo();
        QCOMPARE(fileCell(3, 2), 7);
        QCOMPARE(static_cast<int>(grid->model().cellValue({3, 2})), 7);
        QVERIFY(!grid->editor().canUndo());
        grid->onMapRedo();
        QCOMPARE(fileCell(3, 2), 12);

        // The page shown again keeps the file's map and its history.
        page->activate();
        QCOMPARE(static_cast<int>(grid->model().cellValue({3, 2})), 12);
        QVERIFY(grid->editor().canUndo());

        QVERIFY(m_port->saveFile());
        DeviceSettings saved;
        QVERIFY(readSettingsFile(m_path, saved));
        QCOMPARE(static_cast<int>(saved.m_injMapTable[3][2]), 12);
        QCOMPARE(static_cast<int>(saved.m_injMapTable[3][3]), 5);
        QVERIFY(m_prompt.entries().empty()); // no "no connection", no backup question
        QCOMPARE(m_server->requestLog().size(), std::size_t(0));
    }

    void theMainCorrectionDialogEditsTheFile() {
        const double before = m_port->settings().m_mainCorr.m_mainCorr[0];
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<CMainCorrDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QVERIFY(dialog->fineSpin(0)->isEnabled());
            dialog->onDeltaSpinMainCorr(0, -1, CMainCorrEditor::Spin::Coarse);
            dialog->onOk();
        });
        CMainCorrDlg::run(*m_port, m_app->seams(), m_app->mainFrame());
        QCOMPARE(m_port->settings().m_mainCorr.m_mainCorr[0], before + 0.1);
        // "Change for all" was ticked: every cylinder of the file took it.
        QCOMPARE(m_port->settings().m_mainCorr.m_mainCorr[3], before + 0.1);
        QVERIFY(m_port->fileModified());
        QCOMPARE(m_server->requestLog().size(), std::size_t(0));
    }
};

QTEST_MAIN(OfflineMapTest)
#include "OfflineMapTest.moc"
