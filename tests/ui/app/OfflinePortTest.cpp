#include "app/DocumentAdapter.h"
#include "app/OfflineDocument.h"
#include "doc/KorvantisDoc.h"
#include "maps/DriveHistory.h"
#include "report/JobSheetSession.h"
#include "settings/SettingsFileIo.h"
#include "support/FakeDocument.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vexor;

namespace {

// A controller's side with the parts a scripted document leaves empty.
class CLiveFake : public CFakeDocument {
public:
    CDriveHistory history;
    CJobSheetSession session;
    std::string folder = "/data/live";
    CDriveHistory* driveHistory() override { return &history; }
    CJobSheetSession* jobSheetSession() override { return &session; }
    std::string dataFolder() const override { return folder; }
};

} // namespace

// The port the windows talk to, over the controller's side: what a settings
// file changes while it is open, and that everything else reaches the
// controller's side unchanged.
class OfflinePortTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    std::unique_ptr<CLiveFake> m_live;
    std::unique_ptr<COfflineDocument> m_port;

    void openFile() { openFileIn(*m_port); }

    void openFileIn(COfflineDocument& port) {
        DeviceSettings car;
        const std::string path = m_folder.filePath(QStringLiteral("car.xset")).toStdString();
        QVERIFY(writeSettingsFile(path, car));
        std::string problem;
        QVERIFY2(port.openFile(path, problem), problem.c_str());
        QVERIFY(port.isOffline());
    }

private slots:
    void init() {
        m_live = std::make_unique<CLiveFake>();
        m_port = std::make_unique<COfflineDocument>(*m_live);
    }

    void cleanup() {
        m_port.reset();
        m_live.reset();
    }

    // The records polled on this connection are the map proposal's "this
    // drive": the windows must see them through the port they talk to.
    void theDriveHistoryIsTheControllersUntilAFileIsOpen() {
        QCOMPARE(m_port->driveHistory(), &m_live->history);
        openFile();
        QCOMPARE(m_port->driveHistory(), static_cast<CDriveHistory*>(nullptr));
    }

    // What a file does not change goes to the controller's side, file open
    // or not.
    void theControllersOwnPartsAreForwardedWithAFileOpen() {
        for (const bool offline : {false, true}) {
            if (offline)
                openFile();
            m_live->cng = false;
            m_port->setCng(true);
            QVERIFY(m_live->cng);
            QVERIFY(m_port->isCng());
            m_live->service = false;
            QVERIFY(!m_port->serviceAccess());
            m_port->grantServiceAccess();
            QVERIFY(m_live->service);
            m_live->languages.clear();
            m_port->changeLanguage(1);
            QCOMPARE(m_live->languages, std::vector<int>{1});
            QCOMPARE(m_port->jobSheetSession(), &m_live->session);
            QCOMPARE(m_port->dataFolder(), m_live->folder);
        }
    }

    // Over the program's document: each of its folders under its own name,
    // its commands and image while no file is open, none of them once one is.
    void theControllersDocumentIsOutOfReachWhileAFileIsOpen() {
        CKorvantisDoc doc;
        doc.setDataFolder(m_folder.filePath(QStringLiteral("data")).toStdString());
        doc.setConfigFolder(m_folder.filePath(QStringLiteral("config")).toStdString());
        CDocumentAdapter live(doc);
        COfflineDocument port(live);
        using Folder = IDocumentPort::Folder;
        QCOMPARE(port.folder(Folder::Data), doc.dataFolder());
        QCOMPARE(port.folder(Folder::Settings), doc.settingsFolder());
        QCOMPARE(port.folder(Folder::Recordings), doc.oscilloscopeFolder());
        QCOMPARE(port.folder(Folder::Config), doc.registry().folder());
        QCOMPARE(port.controller(), static_cast<CLPGDevice*>(&doc));
        QCOMPARE(port.rawImage(), &doc.rawImage());
        // Nothing was read: no block counts as the controller's.
        QVERIFY(!port.imageComplete());
        QVERIFY(!port.blockRead(SettingBlock::Base));
        QVERIFY(!port.isPolling());

        openFileIn(port);
        for (const Folder which : {Folder::Data, Folder::Settings, Folder::Recordings})
            QCOMPARE(port.folder(which), std::string());
        // The backups, the car history and the configuration stay where
        // they are.
        QCOMPARE(port.dataFolder(), doc.dataFolder());
        QCOMPARE(port.folder(Folder::Config), doc.registry().folder());
        QCOMPARE(port.controller(), static_cast<CLPGDevice*>(nullptr));
        QCOMPARE(port.rawImage(), static_cast<const CRawImage*>(nullptr));
        QVERIFY(port.imageComplete());
        QVERIFY(port.blockRead(SettingBlock::Base));
        QVERIFY(!port.rereadImage());
        // The file's pages are never shown as stale, nor is a link searched.
        QVERIFY(port.isPolling());
        QVERIFY(!port.watchLinkLost());
        QCOMPARE(port.recordingPath(), std::string());
        QCOMPARE(port.chooseRecording(), std::string());
    }
};

QTEST_MAIN(OfflinePortTest)
#include "OfflinePortTest.moc"
