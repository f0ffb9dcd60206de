#include "app/PortReportDlg.h"
#include "app/QtUserPrompt.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "platform/PortTable.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>

class PortReportTest : public QObject {
    Q_OBJECT

private slots:
    void init() { vexor::setCurrentLanguage(vexor::kLangEnglish); }
    void cleanup() {
        vexor::setCurrentLanguage(vexor::kLangPolish);
        vexor::setCurrentPortTable({});
    }

    // The fitter opens the report from the question, reads why each port
    // failed in their language, closes it, and still answers the question.
    void demoQuestionDetailsShowTheReportAndKeepTheQuestionOpen() {
        QTemporaryDir dir;
        const std::string gone = (dir.path() + QStringLiteral("/ttyUSB3")).toStdString();
        const std::string file = (dir.path() + QStringLiteral("/notes.txt")).toStdString();
        std::ofstream(file) << "x";
        vexor::setCurrentPortTable({gone, file});

        QString report;
        bool stillAsking = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            auto* details = box->findChild<QPushButton*>(QStringLiteral("portDetails"));
            QVERIFY(details);
            QCOMPARE(details->text(), QStringLiteral("Details…"));
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<CPortReportDlg*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                report =
                    dialog->findChild<QPlainTextEdit*>(QStringLiteral("portReport"))->toPlainText();
                dialog->accept();
            });
            details->click();
            stillAsking = QApplication::activeModalWidget() == box;
            box->button(QMessageBox::Yes)->click();
        });
        CQtUserPrompt prompt;
        const bool yes = prompt.ask(vexor::translate(CKorvantisDoc::kMsgDemoQuestion), false);

        QVERIFY(yes);
        QVERIFY(stillAsking);
        const QStringList lines = report.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith(QString::fromStdString(gone) +
                                     QStringLiteral(": The device is gone")),
                 qPrintable(lines[0]));
        QVERIFY2(lines[1].startsWith(QString::fromStdString(file) +
                                     QStringLiteral(": This is not a serial port")),
                 qPrintable(lines[1]));
    }
};

QTEST_MAIN(PortReportTest)
#include "PortReportTest.moc"
