#include "../../support/OnSimulator.h"
#include "SimServer.h"
#include "app/DocumentAdapter.h"
#include "backup/BackupStore.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "maps/DriveHistory.h"
#include "maps/MapGrid.h"
#include "maps/MapProposalDlg.h"
#include "maps/ProposalCellView.h"
#include "maps/ProposalGrid.h"
#include "platform/PortTable.h"
#include "support/RecordingPrompt.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sstream>

using namespace vexor;

namespace {

// `count` recording lines at one operating point, four cylinders working.
std::string records(int count, int mode, int rpm, double petrolMs, int kpa) {
    std::ostringstream out;
    for (int i = 0; i < count; ++i) {
        out << mode << '\t' << rpm;
        for (int cylinder = 0; cylinder < 8; ++cylinder)
            out << '\t' << (cylinder < 4 ? petrolMs : 0.0) << '\t'
                << (cylinder < 4 && mode == 3 ? 3.1 : 0.0);
        out << "\t120\t" << kpa << "\t30\t60\t0.5\t0\n";
    }
    return out.str();
}

} // namespace

// The proposal dialog over a simulated controller: the preview, the
// fitter's edits of it, and Apply as one step the grid's Undo takes back.
class MapProposalTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CSimServer> m_server;
    std::unique_ptr<QTemporaryDir> m_folders;
    std::unique_ptr<CKorvantisDoc> m_doc;
    std::unique_ptr<CDocumentAdapter> m_port;
    CRecordingPrompt m_prompt;
    Seams m_seams;

    QString writeFile(const char* name, const std::string& text) {
        const QString path = m_folders->filePath(QString::fromLatin1(name));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", name);
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    }

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_server = std::make_unique<CSimServer>();
        m_server->start();
        m_folders = std::make_unique<QTemporaryDir>();
        m_doc = vexor::test::documentOnSimulator(*m_server, m_folders->path().toStdString());
        m_seams = Seams{};
        m_seams.prompt = &m_prompt;
        m_port = std::make_unique<CDocumentAdapter>(*m_doc);
        m_port->setSeams(m_seams);
        m_server->withController([](CSimController& c) {
            c.setMapCell(4, 3, -3);
            c.setMapCell(8, 7, 6);
        });
        QVERIFY(m_port->connectAtStart());
    }

    void cleanup() {
        m_port.reset();
        m_doc.reset();
        m_server.reset();
        m_folders.reset();
    }

    void previewLeaveOutLockLimitApplyAndUndoWhole() {
        const QString petrol =
            writeFile("petrol.osc", records(30, 2, 2200, 5.0, 50) + records(30, 2, 4200, 9.0, 80) +
                                        records(30, 2, 1200, 2.5, 30));
        const QString gas =
            writeFile("gas.osc", records(25, 3, 2200, 5.4, 50) + records(25, 3, 4200, 9.9, 80) +
                                     records(19, 3, 1200, 2.3, 30));
        const std::vector<std::uint8_t> before =
            m_server->withController([](CSimController& c) { return c.mapArea(); });

        CMapGrid mapGrid;
        mapGrid.setDevice(m_doc.get());
        mapGrid.model().loadFrom(m_doc->settings());
        CMapProposalDlg dialog(*m_port, mapGrid.editor(), m_seams);
        dialog.setRecordingChooser([&] { return QStringList{petrol, gas}; });
        dialog.onAddRecordings();

        CProposalGrid* grid = dialog.grid();
        QCOMPARE(grid->proposal().changed, 2);
        QCOMPARE(grid->proposal().at({4, 3}).proposed, 5);
        QCOMPARE(grid->proposal().at({8, 7}).proposed, 16);
        const SProposalCellInfo& thin = grid->proposal().at({1, 1});
        QCOMPARE(thin.state, ProposalCell::TooFew);
        QCOMPARE(thin.proposed, thin.current);
        const std::string tip = proposalCellTip(thin);
        QVERIFY2(tip.find("Zapisy na gazie: 19") != std::string::npos, tip.c_str());

        // Left out, then back in; locked; a change of at most 5.
        grid->select({1, 1}, {4, 3});
        dialog.onLeaveOut();
        QCOMPARE(grid->proposal().at({4, 3}).state, ProposalCell::LeftOut);
        QCOMPARE(grid->proposal().changed, 1);
        dialog.onLeaveOut();
        grid->select({8, 7}, {8, 7});
        dialog.onLock();
        QCOMPARE(grid->proposal().at({8, 7}).state, ProposalCell::Locked);
        dialog.maxChangeBox()->setValue(5);
        QCOMPARE(grid->proposal().at({4, 3}).proposed, 2);
        QCOMPARE(grid->proposal().changed, 1);

        m_server->requestLog().clear();
        dialog.onApply();
        m_server->withController([](CSimController& c) {
            QCOMPARE(c.mapCell(4, 3), 2);
            QCOMPARE(c.mapCell(8, 7), 6);
        });
        QCOMPARE(mapGrid.model().cellValue({4, 3}), 2.0);
        const auto backups = CBackupStore(m_doc->dataFolder()).list();
        QCOMPARE(backups.size(), std::size_t{1});
        QCOMPARE(backups[0].reason, std::string("map"));
        // The preview starts from the applied map now.
        QCOMPARE(grid->proposal().at({4, 3}).current, 2);

        // One Undo of the grid takes the whole proposal back.
        QVERIFY(mapGrid.editor().canUndo());
        QCOMPARE(mapGrid.editor().undo(), CMapEditor::Result::Sent);
        QCOMPARE(m_server->withController([](CSimController& c) { return c.mapArea(); }), before);
        QCOMPARE(mapGrid.model().cellValue({4, 3}), -3.0);
    }

    // "This drive" is what the polling delivered since the connection.
    void thisDriveProposesFromTheRecordsPolledSinceConnecting() {
        CDriveHistory* history = m_port->driveHistory();
        QVERIFY(history != nullptr);
        QCOMPARE(history->size(), std::size_t{0});
        m_port->startPolling();
        QTRY_VERIFY_WITH_TIMEOUT(history->size() >= 3, 20000);
        m_port->stopPolling();
        CMapGrid mapGrid;
        mapGrid.setDevice(m_doc.get());
        CMapProposalDlg dialog(*m_port, mapGrid.editor(), m_seams);
        dialog.onThisDrive();
        QCOMPARE(dialog.grid()->proposal().records, history->size());
    }

    void aDamagedRecordingIsNamedAndLeftOut() {
        const QString damaged = writeFile("damaged.osc", records(2, 3, 2200, 5.4, 50) + "3\t1\n");
        CMapGrid mapGrid;
        mapGrid.setDevice(m_doc.get());
        CMapProposalDlg dialog(*m_port, mapGrid.editor(), m_seams);
        dialog.setRecordingChooser([&] { return QStringList{damaged}; });
        m_prompt.clear();
        dialog.onAddRecordings();
        QCOMPARE(m_prompt.entries().size(), std::size_t{1});
        const std::string& text = m_prompt.entries()[0].text;
        QVERIFY2(text.find("3") != std::string::npos &&
                     text.find(damaged.toStdString()) != std::string::npos,
                 text.c_str());
        QCOMPARE(dialog.grid()->proposal().records, std::size_t{0});
        QVERIFY(!dialog.applyButton()->isEnabled());
    }
};

QTEST_MAIN(MapProposalTest)
#include "MapProposalTest.moc"
