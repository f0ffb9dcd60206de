#include "app/AppIdentity.h"
#include "app/DialogMnemonics.h"
#include "app/KorvantisView.h"
#include "app/MainFrame.h"
#include "app/Mnemonics.h"
#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "pages/AppPropSheet.h"
#include "pages/PasswdDlg.h"
#include "pages/SettingsDlg.h"
#include "support/FakeDocument.h"
#include "support/RecordingPrompt.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <set>

using namespace vexor;

namespace {

const std::string kShare = std::string(VEXOR_SOURCE_DIR) + "/share/vexor";

// The key an entry answers to with Alt, lower case; empty without one.
QString mnemonicKey(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text.at(i + 1).toLower();
    }
    return {};
}

// Every visible entry of the list has a key and no two share one.
void checkKeys(const QList<QAction*>& actions, const QString& where) {
    std::set<QString> keys;
    for (QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        const QString key = mnemonicKey(action->text());
        QVERIFY2(!key.isEmpty(),
                 qPrintable(where + QStringLiteral(": no key in ") + action->text()));
        QVERIFY2(keys.insert(key).second,
                 qPrintable(where + QStringLiteral(": key ") + key + QStringLiteral(" twice")));
    }
}

// Every button shown in the window has a key and no two share one.
void checkButtonKeys(QWidget* window, const QString& where) {
    std::set<QString> keys;
    int buttons = 0;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->window() != window || !button->isVisible() || button->text().isEmpty() ||
            button->inherits("QToolButton"))
            continue;
        ++buttons;
        const QString key = mnemonicKey(button->text());
        if (key.isEmpty())
            continue; // no letter left: reached with Tab
        QVERIFY2(keys.insert(key).second,
                 qPrintable(where + QStringLiteral(": key ") + key + QStringLiteral(" twice")));
    }
    QVERIFY2(buttons > 1, qPrintable(where + QStringLiteral(": no buttons")));
    QVERIFY2(keys.size() * 4 >= static_cast<std::size_t>(buttons) * 3,
             qPrintable(where + QStringLiteral(": most buttons have no key")));
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void mnemonicsPreferWordStartsAndNeverRepeat() {
        const std::vector<QString> marked = withMnemonics(
            {QStringLiteral("File"), QStringLiteral("&Format"), QStringLiteral("Fit && finish"),
             QStringLiteral("ff"), QStringLiteral("..."), QStringLiteral("Łódź")});
        QCOMPARE(marked[0], QStringLiteral("&File"));
        // "F" is taken: the next word start, then any letter.
        QCOMPARE(marked[1], QStringLiteral("F&ormat"));
        QCOMPARE(marked[2], QStringLiteral("F&it && finish"));
        QCOMPARE(marked[3], QStringLiteral("ff"));
        QCOMPARE(marked[4], QStringLiteral("..."));
        QCOMPARE(marked[5], QStringLiteral("&Łódź"));
        QCOMPARE(withoutMnemonic(marked[2]), QStringLiteral("Fit & finish"));
    }

    // Fourteen translation tables, one rule: each menu of the bar, and the bar
    // itself, has one Alt key per entry, in every language.
    void everyMenuHasItsOwnKeysInEveryLanguage() {
        openLanguageFiles(kShare + "/E_Lang");
        CFakeDocument doc;
        Seams seams;
        CMainFrame frame(doc, seams);
        for (int language = 0; language < kLanguageCount; ++language) {
            frame.changeLanguage(language);
            frame.refreshTexts();
            const QString where = QStringLiteral("language %1").arg(language);
            checkKeys(frame.menuBar()->actions(), where);
            for (QAction* title : frame.menuBar()->actions())
                checkKeys(title->menu()->actions(), where + QStringLiteral(" ") + title->text());
        }
        frame.changeLanguage(kLangPolish);
        closeLanguageFiles();
    }

    // Dialogs get their buttons' keys when shown, in whatever language their
    // texts were built: two buttons starting with the same letter still get
    // a key each, and a key written into a translation is not kept twice.
    void everyDialogsButtonsHaveTheirOwnKeysInEveryLanguage() {
        CDialogMnemonics filter;
        qApp->installEventFilter(&filter);
        {
            QDialog dialog;
            auto* save = new QPushButton(QStringLiteral("Zapisz"), &dialog);
            auto* close = new QPushButton(QStringLiteral("Zamknij"), &dialog);
            auto* apply = new QPushButton(QStringLiteral("&Zastosuj"), &dialog);
            auto* layout = new QHBoxLayout(&dialog);
            for (QPushButton* b : {save, close, apply})
                layout->addWidget(b);
            dialog.show();
            QCOMPARE(save->text(), QStringLiteral("&Zapisz"));
            QCOMPARE(close->text(), QStringLiteral("Z&amknij"));
            QCOMPARE(apply->text(), QStringLiteral("Za&stosuj"));
        }
        openLanguageFiles(kShare + "/E_Lang");
        CFakeDocument doc;
        Seams seams;
        for (int language = 0; language < kLanguageCount; ++language) {
            setCurrentLanguage(language);
            const QString where = QStringLiteral("language %1").arg(language);
            CSettingsDlg settings(doc, seams);
            settings.show();
            checkButtonKeys(&settings, where + QStringLiteral(" settings"));
            CPasswdDlg password("x", [] {});
            password.show();
            checkButtonKeys(&password, where + QStringLiteral(" password"));
        }
        setCurrentLanguage(kLangPolish);
        closeLanguageFiles();
        qApp->removeEventFilter(&filter);
    }

    void keysWalkThePagesOpenTheManualAndQuit() {
        CFakeDocument doc;
        CRecordingPrompt prompt;
        Seams seams;
        seams.prompt = &prompt;
        CMainFrame frame(doc, seams);
        frame.view()->createPages();
        QList<QUrl> opened;
        frame.setUrlOpener([&opened](const QUrl& url) {
            opened.push_back(url);
            return true;
        });
        frame.show();
        QApplication::setActiveWindow(&frame);
        QVERIFY(QTest::qWaitForWindowActive(&frame));

        QTabWidget* sheet = frame.view()->sheet();
        const int count = sheet->count();
        QVERIFY(count > 2);
        sheet->setCurrentIndex(0);
        QTest::keyClick(&frame, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(sheet->currentIndex(), 1);
        QTest::keyClick(&frame, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(sheet->currentIndex(), 0);
        // Backwards from the first page is the last one.
        QTest::keyClick(&frame, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(sheet->currentIndex(), count - 1);

        // F1: the manual's page when it was built, otherwise a message that
        // names where it was looked for; never silence.
        QTest::keyClick(&frame, Qt::Key_F1);
        QCOMPARE(opened.size() + static_cast<int>(prompt.messages().size()), 1);
        if (!opened.isEmpty())
            QVERIFY(opened.front().toLocalFile().endsWith(QStringLiteral("/index.html")));

        QTest::keyClick(&frame, Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!frame.isVisible());
    }

    void windowsCarryTheProgramsNameAndIcon() {
        applyAppIdentity();
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("vexor"));
        // Missing pictures in the built-in resource would leave the task bar
        // to guess.
        for (const int size : {16, 24, 48, 256})
            QVERIFY2(QApplication::windowIcon().pixmap(size).width() > 0,
                     qPrintable(QString::number(size)));
        QVERIFY(!QApplication::windowIcon().isNull());
        QVERIFY(appFacts().contains(QStringLiteral(VEXOR_VERSION_TEXT)));
    }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
