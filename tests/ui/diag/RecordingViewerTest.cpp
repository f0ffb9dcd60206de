#include "diag/RecordingViewer.h"
#include "app/AppOptions.h"
#include "diag/RecordingChart.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "live/DiagFile.h"
#include "support/RecordingPrompt.h"

#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <sstream>

using namespace vexor;

namespace {

class CScriptedChooser : public IFileChooser {
public:
    std::string openPath(const std::string&, const std::string&) override { return path; }
    std::string savePath(const std::string&, const std::string&, const std::string&) override {
        return path;
    }
    std::string path;
};

// `count` recorded lines whose engine speed rises by 10 rpm a line.
std::string recorded(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        CDiag d;
        d.setIgnitionPeriod(static_cast<std::uint16_t>(4800000 / (600 + 10 * i)));
        text += recordLine(d, SRecordUnits{}) + "\r\n";
    }
    return text;
}

std::vector<std::string> fileLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

class RecordingViewerTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    CRecordingPrompt m_prompt;
    CScriptedChooser m_chooser;

    std::string file(const char* name) const {
        return m_dir.filePath(QString::fromLatin1(name)).toStdString();
    }
    Seams seams() {
        Seams s;
        s.prompt = &m_prompt;
        s.chooser = &m_chooser;
        return s;
    }

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_prompt.clear();
    }

    void aDamagedFileShowsTheLinesBeforeTheDamageAndNamesTheLine() {
        std::ofstream(file("damaged.osc")) << recorded(500) << "3\t12x0\n" << recorded(20);
        CRecordingViewer viewer(seams(), m_dir.path().toStdString());
        m_chooser.path = file("damaged.osc");
        viewer.OnOpen();
        QCOMPARE(viewer.recording().size(), std::size_t(500));
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{"Uszkodzony wiersz zapisu nr 501"});
        QCOMPARE(viewer.chart()->firstLine(), std::size_t(0));
        QCOMPARE(viewer.chart()->lastLine(), std::size_t(500));

        // A file that cannot be opened leaves the shown recording alone.
        m_prompt.clear();
        viewer.openFile(file("missing.osc"));
        QCOMPARE(viewer.recording().size(), std::size_t(500));
        QCOMPARE(m_prompt.messages().size(), std::size_t(1));
        QVERIFY(m_prompt.messages()[0].rfind("Nie można otworzyć pliku zapisu", 0) == 0);
    }

    void theCursorReadsEveryChannelAndTheShownRangeIsExported() {
        std::ofstream(file("drive.osc")) << recorded(600);
        CRecordingViewer viewer(seams(), m_dir.path().toStdString());
        viewer.resize(1000, 500);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QCOMPARE(viewer.openFile(file("drive.osc")).status, SRecordingLoad::Status::Complete);
        CRecordingChart* chart = viewer.chart();

        chart->zoomAt(chart->width() / 2, 0.25);
        const std::size_t first = chart->firstLine();
        const std::size_t last = chart->lastLine();
        QVERIFY(first > 0 && last < 600);
        QVERIFY(last - first >= 140 && last - first <= 160);

        const int width = viewer.width();
        chart->setCursorAt(chart->width() / 2);
        const long at = chart->cursorLine();
        QVERIFY(at >= long(first) && at < long(last));
        const QString shown = viewer.cursorText()->text();
        const int rpm = static_cast<int>(viewer.recording().value(std::size_t(at), 0));
        QVERIFY2(shown.contains(QStringLiteral("RPM: %1.00 ").arg(rpm)), qPrintable(shown));
        QVERIFY2(!shown.contains(QStringLiteral(".00 RPM")), qPrintable(shown));
        QVERIFY(shown.contains(QStringLiteral("°C")));
        QVERIFY(!shown.contains(QStringLiteral(" C ")));
        QVERIFY(shown.contains(QStringLiteral("Lambda 2: ")));
        // The read-out fits the window as it is.
        QCoreApplication::processEvents();
        QCOMPARE(viewer.width(), width);

        // A language change reaches the open viewer.
        setCurrentLanguage(kLangEnglish);
        viewer.refreshTexts();
        const QString english = QString::fromStdString(translate("Wtrysk benz."));
        setCurrentLanguage(kLangPolish);
        QVERIFY(english != QStringLiteral("Wtrysk benz."));
        QCOMPARE(viewer.channelBox(1)->text(), english);

        m_chooser.path = file("shown.csv");
        QVERIFY(viewer.OnExportCsv());
        const auto lines = fileLines(m_chooser.path);
        QCOMPARE(lines.size(), last - first + 1);
        QVERIFY(lines[0].rfind("\"Czas [s]\",\"RPM\",\"Wtrysk benz. [ms]\"", 0) == 0);
        QVERIFY(lines[0].find("[°C]") != std::string::npos);
        std::istringstream row(lines[1]);
        double seconds = 0;
        char comma = 0;
        double speed = 0;
        row >> seconds >> comma >> speed;
        QCOMPARE(seconds, first * CRecording::kLineSeconds);
        QCOMPARE(speed, double(viewer.recording().value(first, 0)));

        chart->showAll();
        QCOMPARE(chart->lastLine(), std::size_t(600));
        m_chooser.path = file("no-folder/x.csv");
        QVERIFY(!viewer.OnExportCsv());
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{"Nie można zapisać pliku CSV"});
    }

    void theProgramOpensARecordingFromItsCommandLine() {
        SAppOptions options;
        QString message;
        QCOMPARE(parseAppOptions({QStringLiteral("vexor"), QStringLiteral("--open-recording"),
                                  QStringLiteral("drive.osc")},
                                 options, message),
                 EOptionsResult::Run);
        QCOMPARE(options.openRecording, std::string("drive.osc"));
        QCOMPARE(parseAppOptions({QStringLiteral("vexor"), QStringLiteral("--open-recording")},
                                 options, message),
                 EOptionsResult::Error);
    }
};

QTEST_MAIN(RecordingViewerTest)
#include "RecordingViewerTest.moc"
