#include "report/JobSheetDlg.h"
#include "../../support/OnSimulator.h"
#include "SimServer.h"
#include "app/DocumentAdapter.h"
#include "app/OfflineDocument.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "platform/PortTable.h"
#include "report/JobSheetSession.h"
#include "report/Workshop.h"
#include "settings/SettingsFileIo.h"
#include "support/RecordingPrompt.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using namespace vexor;

namespace {

class CScriptedChooser : public IFileChooser {
public:
    std::string openPath(const std::string&, const std::string&) override { return path; }
    std::string savePath(const std::string&, const std::string& ext, const std::string&) override {
        extensions.push_back(ext);
        return path;
    }
    std::string path;
    std::vector<std::string> extensions;
};

} // namespace

// The job sheet dialog on a document connected to the simulated controller.
class JobSheetDlgTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CSimServer> m_server;
    std::unique_ptr<QTemporaryDir> m_folders;
    std::unique_ptr<CKorvantisDoc> m_doc;
    std::unique_ptr<CDocumentAdapter> m_port;
    CRecordingPrompt m_prompt;
    CScriptedChooser m_chooser;
    Seams m_seams;

    std::string folder(const char* name) const {
        return m_folders->filePath(QString::fromLatin1(name)).toStdString();
    }

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_server = std::make_unique<CSimServer>();
        m_server->withController([](CSimController& c) { c.setErrorBytes({0, 0x01, 0, 0}); });
        m_server->start();
        m_folders = std::make_unique<QTemporaryDir>();
        m_doc = vexor::test::documentOnSimulator(*m_server, m_folders->path().toStdString());
        m_seams = {};
        m_seams.prompt = &m_prompt;
        m_seams.chooser = &m_chooser;
        m_doc->setSeams(m_seams);
        QVERIFY(m_doc->connect());
        m_port = std::make_unique<CDocumentAdapter>(*m_doc);
        m_prompt.clear();
    }
    void cleanup() {
        m_port.reset();
        m_doc.reset();
        m_server.reset();
    }

    void theFirstSheetKeepsTheFaultFoundThenBesideWhatStandsNow() {
        CJobSheetSession session;
        {
            CJobSheetDlg first(*m_port, m_seams, session);
            QVERIFY(!first.sheet().now.faults.empty());
        }
        QVERIFY(m_doc->restart()); // clears the controller's faults
        CJobSheetDlg second(*m_port, m_seams, session);
        QVERIFY(!second.sheet().atConnection.faults.empty());
        QVERIFY(second.sheet().now.faultsRead);
        QVERIFY(second.sheet().now.faults.empty());
        QVERIFY(second.preview()->toPlainText().contains(
            QString::fromStdString(second.sheet().atConnection.faults[0]).trimmed()));
        QVERIFY(m_prompt.messages().empty());
    }

    void theWorkshopIsKeptAndTheSheetSavedAsPdfAndHtml() {
        CJobSheetSession session;
        {
            CJobSheetDlg dialog(*m_port, m_seams, session);
            dialog.nameEdit()->setText(QStringLiteral("Auto-Gaz Nowak"));
            emit dialog.nameEdit()->editingFinished();
            dialog.addressEdit()->setPlainText(QStringLiteral("Długa 5\n30-001 Kraków"));
            QVERIFY(dialog.preview()->toPlainText().contains(QStringLiteral("30-001 Kraków")));

            m_chooser.path = folder("sheet.pdf");
            QVERIFY(dialog.OnSavePdf());
            QFile pdf(QString::fromStdString(m_chooser.path));
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            QVERIFY(pdf.read(5) == "%PDF-");

            m_chooser.path = folder("sheet.html");
            QVERIFY(dialog.OnSaveHtml());
            m_chooser.path = folder("no-folder/sheet.html");
            QVERIFY(!dialog.OnSaveHtml());
            QCOMPARE(m_prompt.messages(),
                     std::vector<std::string>{"Nie można zapisać karty zlecenia do pliku"});
            m_chooser.path.clear();
            QVERIFY(!dialog.OnSavePdf());
        }
        QCOMPARE(m_chooser.extensions, (std::vector<std::string>{"pdf", "html", "html", "pdf"}));
        const SWorkshop kept = loadWorkshop(folder("config"));
        QCOMPARE(kept.name, std::string("Auto-Gaz Nowak"));
        QCOMPARE(kept.address, std::string("Długa 5\n30-001 Kraków"));
        CJobSheetDlg again(*m_port, m_seams, session);
        QCOMPARE(again.nameEdit()->text(), QStringLiteral("Auto-Gaz Nowak"));
    }

    // A fault the controller had when it was connected and that was fixed
    // before any sheet was made stays on the customer's record; a
    // reconnection of the same controller keeps that first reading. The
    // work times are read when the sheet is made.
    void theFaultsAtConnectionAreThoseReadWhenItConnected() {
        QVERIFY(m_port->connectAtStart());
        QVERIFY(m_doc->restart()); // clears the controller's faults
        QVERIFY(m_port->reconnect());
        m_doc->stopPolling();
        CJobSheetSession* session = m_port->jobSheetSession();
        QVERIFY(session != nullptr);
        m_doc->settings().m_devInfo.m_statistic = {};
        CJobSheetDlg dialog(*m_port, m_seams, *session);
        QVERIFY(!dialog.sheet().atConnection.faults.empty());
        QVERIFY(dialog.sheet().now.faultsRead);
        QVERIFY(dialog.sheet().now.faults.empty());
        QVERIFY(dialog.sheet().statistics[0].value != "0 : 00 : 00");
        QVERIFY(m_prompt.messages().empty());
    }

    // The car and the customer, entered once, come back for the next visit
    // of the same controller and are printed.
    void theCarAndCustomerAreKeptForTheController() {
        CJobSheetSession session;
        {
            CJobSheetDlg dialog(*m_port, m_seams, session);
            dialog.vehicleEdit(2)->setText(QStringLiteral("KR 4711A"));
            emit dialog.vehicleEdit(2)->editingFinished();
            dialog.workDoneEdit()->setPlainText(QStringLiteral("Nowy filtr fazy lotnej"));
            QVERIFY(dialog.preview()->toPlainText().contains(QStringLiteral("KR 4711A")));
            QVERIFY(dialog.preview()->toPlainText().contains(QStringLiteral("Nowy filtr")));
        }
        CJobSheetDlg again(*m_port, m_seams, session);
        QCOMPARE(again.vehicleEdit(2)->text(), QStringLiteral("KR 4711A"));
        QCOMPARE(again.workDoneEdit()->toPlainText(), QStringLiteral("Nowy filtr fazy lotnej"));
        QVERIFY(again.html().find("KR 4711A") != std::string::npos);
    }

    // The workshop is the program's configuration, not the controller's: a
    // settings file open for editing keeps it in the folder the program was
    // given, never in the user's default one.
    void theWorkshopStaysInTheGivenFolderWhileAFileIsOpen() {
        QTemporaryDir home;
        const QByteArray before = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        const std::string path = folder("car.xset");
        QVERIFY(writeSettingsFile(path, DeviceSettings()));
        COfflineDocument port(*m_port);
        std::string problem;
        QVERIFY2(port.openFile(path, problem), problem.c_str());
        CJobSheetSession session;
        {
            CJobSheetDlg dialog(port, m_seams, session);
            dialog.nameEdit()->setText(QStringLiteral("Auto-Gaz Nowak"));
            emit dialog.nameEdit()->editingFinished();
        }
        const bool defaultTouched = QDir(home.path()).exists(QStringLiteral("VEXOR"));
        if (before.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", before);
        QCOMPARE(loadWorkshop(folder("config")).name, std::string("Auto-Gaz Nowak"));
        QVERIFY(!defaultTouched);
    }
};

QTEST_MAIN(JobSheetDlgTest)
#include "JobSheetDlgTest.moc"
