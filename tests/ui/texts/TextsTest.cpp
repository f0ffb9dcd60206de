#include "app/ControlIds.h"
#include "app/KorvantisView.h"
#include "app/MainFrame.h"
#include "app/Mnemonics.h"
#include "app/WorkModeDlg.h"
#include "controls/ColorStatic.h"
#include "controls/CtrlId.h"
#include "lang/LangCheck.h"
#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "lang/LanguageStart.h"
#include "lang/Translate.h"
#include "pages/AppPropPage.h"
#include "pages/AppPropSheet.h"
#include "pages/PasswdDlg.h"
#include "support/FakeDocument.h"
#include "texts/AboutDlgTexts.h"
#include "texts/LPGCNGDlgTexts.h"
#include "texts/LangDlg.h"
#include "texts/LangDlgTexts.h"
#include "texts/MainMenuTexts.h"
#include "texts/PasswdDlgTexts.h"
#include "texts/StatusTexts.h"
#include "texts/TextObjects.h"
#include "texts/ToolBarTexts.h"
#include "texts/ViewTexts.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace vexor;

namespace {

const std::string kShare = std::string(VEXOR_SOURCE_DIR) + "/share/vexor";

QString groupTitle(const QWidget* root, int id) {
    return findCtrl<QGroupBox>(root, id)->title();
}
QString buttonText(const QWidget* root, int id) {
    return findCtrl<QPushButton>(root, id)->text();
}
QString labelText(const QWidget* root, int id) {
    return findCtrl<QLabel>(root, id)->text();
}

// The text a control shows, whatever its kind.
QString shownText(const QObject* control) {
    if (auto* group = qobject_cast<const QGroupBox*>(control))
        return group->title();
    if (auto* button = qobject_cast<const QPushButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return QStringLiteral("<unexpected control>");
}

QAction* menuItem(QMenuBar* bar, int id) {
    for (QAction* top : bar->actions()) {
        for (QAction* item : top->menu()->actions()) {
            if (ctrlId(item) == id)
                return item;
        }
    }
    return nullptr;
}

} // namespace

class TextsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { setCurrentLanguage(kLangPolish); }
    void cleanupTestCase() {
        setCurrentLanguage(kLangPolish);
        closeLanguageFiles();
    }

    // Every text any window, message or list can look up, in all fourteen
    // languages: the same check tools/lang-check prints as a table.
    void everyTextOfEveryWindowExistsInAllFourteenLanguages() {
        LangCheckInput input;
        input.tables = allTextTables();
        input.languageFolder = kShare + "/E_Lang";
        input.sourceKeys = scanSourceKeys(std::string(VEXOR_SOURCE_DIR) + "/src");
        input.textClassesInSources = scanTextClasses(std::string(VEXOR_SOURCE_DIR) + "/src");
        const LangCheckReport report = checkLanguages(input);
        QVERIFY2(report.ok(), formatReport(report).c_str());
        // The sources were read: the view's own messages are among the keys.
        QVERIFY(input.sourceKeys.size() > 50);
    }

    // From the locale to the first window: a cs, lt, th or hu user starts in
    // that language and sees the view, menu and tabs in its words.
    void aFileLanguageLocaleShowsTheFirstWindowInThatLanguage() {
        struct Case {
            const char* locale;
            const char* pressure;
            const char* file;
        };
        const Case cases[] = {{"cs_CZ.UTF-8", "Tlak", "Soubor"},
                              {"lt_LT.UTF-8", "Slėgis", "Failas"},
                              {"th_TH.UTF-8", "แรงดัน", "ไฟล์"},
                              {"hu_HU.UTF-8", "Nyomás", "Fájl"}};
        const QByteArray oldLang = qgetenv("LANG");
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
        for (const Case& c : cases) {
            qputenv("LANG", c.locale);
            startLanguages(kShare + "/E_Lang");
            CFakeDocument doc;
            Seams seams;
            CMainFrame frame(doc, seams);
            frame.view()->createPages();
            frame.view()->refreshTexts();
            frame.refreshTexts();
            QCOMPARE(groupTitle(frame.view(), ids::kGrpPressure), QString::fromUtf8(c.pressure));
            QCOMPARE(withoutMnemonic(frame.menuBar()->actions().at(0)->text()),
                     QString::fromUtf8(c.file));
            QCOMPARE(frame.view()->sheet()->tabText(1),
                     QString::fromStdString(lookupLanguageFile(currentLanguage(), "Panel Gaz")));
            QVERIFY(frame.view()->sheet()->tabText(1) != QStringLiteral("Panel Gaz"));
        }
        qputenv("LANG", oldLang);
        closeLanguageFiles();
    }

    // Qt's own buttons follow the language: Qt's translation where Qt ships
    // one, our words where it does not (Thai, Lithuanian, Slovenian).
    void standardButtonsFollowTheChosenLanguage() {
        openLanguageFiles(kShare + "/E_Lang");
        CFakeDocument doc;
        Seams seams;
        CMainFrame frame(doc, seams);
        const auto cancelText = [] {
            QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
            return box.button(QDialogButtonBox::Cancel)->text();
        };
        const auto yesText = [] {
            QMessageBox box(QMessageBox::Question, QStringLiteral("VEXOR"), QString(),
                            QMessageBox::Yes | QMessageBox::No);
            return box.button(QMessageBox::Yes)->text();
        };
        frame.changeLanguage(kLangGerman);
        QCOMPARE(cancelText(), QStringLiteral("Abbrechen"));
        frame.changeLanguage(kLangThai);
        QCOMPARE(cancelText(), QStringLiteral("ยกเลิก"));
        QCOMPARE(yesText(), QStringLiteral("&ใช่"));
        frame.changeLanguage(kLangSlovenian);
        QCOMPARE(cancelText(), QStringLiteral("Prekliči"));
        frame.changeLanguage(kLangEnglish);
        QCOMPARE(cancelText(), QStringLiteral("Cancel"));
        QCOMPARE(yesText(), QStringLiteral("&Yes"));
        closeLanguageFiles();
    }

    void polishTextsAreTheFormsOwnWording() {
        const CViewTexts view;
        QCOMPARE(view.text(ids::kGrpSwitch), std::string("Przełącznik"));
        QCOMPARE(view.text(ids::kBtnGasoline), std::string("Benzyna"));
        QCOMPARE(view.text(ids::kGrpInjectors), std::string("Aktywne wtryskiwacze"));
        QCOMPARE(view.text(ids::kLblCyl[7]), std::string("Cyl 8"));
        const CMainMenuTexts menu;
        QCOMPARE(menu.text(0), std::string("Plik"));
        QCOMPARE(menu.text(ids::kCmdAppAbout), std::string("O programie VEXOR..."));
    }

    void languageChangeReappliesEveryTextOfViewMenuToolbarAndTabs() {
        CFakeDocument doc;
        Seams seams;
        CMainFrame frame(doc, seams);
        CKorvantisView* view = frame.view();
        view->createPages();
        view->refreshTexts();
        frame.refreshTexts();
        QCOMPARE(groupTitle(view, ids::kGrpPressure), QStringLiteral("Ciśnienie"));
        QCOMPARE(withoutMnemonic(menuItem(frame.menuBar(), ids::kCmdAppExit)->text()),
                 QStringLiteral("Wyjście"));

        frame.changeLanguage(kLangEnglish);
        QCOMPARE(doc.languages, std::vector<int>{kLangEnglish});
        int applied = 0;
        // Controls inside the pages belong to the pages' own texts, even where
        // a page reuses one of the view's ids.
        const auto insidePage = [view](const QObject* control) {
            for (const QObject* p = control->parent(); p != nullptr && p != view; p = p->parent())
                if (isTextScope(p))
                    return true;
            return false;
        };
        for (const QObject* control : view->findChildren<QObject*>()) {
            if (hasCtrlId(control) && view->texts().contains(ctrlId(control)) &&
                !insidePage(control)) {
                QCOMPARE(shownText(control), view->texts().qtext(ctrlId(control)));
                ++applied;
            }
        }
        QCOMPARE(applied, 27); // every entry but the caption names a control
        QCOMPARE(groupTitle(view, ids::kGrpPressure), QStringLiteral("Pressure"));
        QCOMPARE(buttonText(view, ids::kBtnGasoline), QStringLiteral("Petrol"));
        QCOMPARE(labelText(view, ids::kLblPressManifold), QStringLiteral("Manifold [kPa]"));
        QCOMPARE(labelText(view, ids::kLblCyl[0]), QStringLiteral("Cyl 1"));
        QCOMPARE(withoutMnemonic(frame.menuBar()->actions().at(0)->text()), QStringLiteral("File"));
        QCOMPARE(withoutMnemonic(frame.menuBar()->actions().at(1)->text()),
                 QStringLiteral("About"));
        QCOMPARE(withoutMnemonic(menuItem(frame.menuBar(), ids::kCmdAppExit)->text()),
                 QStringLiteral("Exit"));
        QCOMPARE(withoutMnemonic(menuItem(frame.menuBar(), ids::kCmdAppAbout)->text()),
                 QStringLiteral("About VEXOR..."));
        QCOMPARE(frame.command(ids::kCmdSettings)->toolTip(), QStringLiteral("Settings"));
        QCOMPARE(withoutMnemonic(frame.findChild<QAction*>(QStringLiteral("jobSheet"))->text()),
                 QStringLiteral("Job sheet..."));
        QCOMPARE(withoutMnemonic(frame.findChild<QAction*>(QStringLiteral("saveFile"))->text()),
                 QStringLiteral("Save"));
        QCOMPARE(view->sheet()->tabText(1), QString::fromStdString(translate("Panel Gaz")));

        frame.changeLanguage(kLangGerman);
        QCOMPARE(buttonText(view, ids::kBtnAuto), QStringLiteral("Automatik"));
        QCOMPARE(labelText(view, ids::kLblCyl[2]), QStringLiteral("Zyl 3"));

        // Czech comes from a language file; none is open here, so Polish shows.
        frame.changeLanguage(kLangCzech);
        QCOMPARE(groupTitle(view, ids::kGrpPressure), QStringLiteral("Ciśnienie"));
        QCOMPARE(withoutMnemonic(frame.menuBar()->actions().at(0)->text()), QStringLiteral("Plik"));
    }

    // Pages reuse the view's control ids (the map page's grid is 1060, the
    // view's "Automat" button too): the view's texts must not reach into them,
    // while a page's own texts still reach its controls inside group frames.
    void viewTextsStopAtThePagesAndDialogsInsideTheView() {
        CFakeDocument doc;
        CKorvantisView view(doc, Seams());
        view.createPages();
        CAppPropPage* mapPage = view.sheet()->page(5);
        auto* grid = new QLabel(QStringLiteral("grid"), mapPage);
        setCtrlId(grid, ids::kBtnAuto);
        auto* frame = new QGroupBox(view.sheet()->page(2));
        auto* reading = new QLabel(QStringLiteral("0"), frame);
        setCtrlId(reading, ids::kLblGasTime);
        auto* dialog = new QDialog(&view);
        auto* dialogLabel = new QLabel(QStringLiteral("own"), dialog);
        setCtrlId(dialogLabel, ids::kLblRpm);

        setCurrentLanguage(kLangEnglish);
        view.refreshTexts();
        QCOMPARE(buttonText(&view, ids::kBtnAuto), QStringLiteral("Auto"));
        QCOMPARE(grid->text(), QStringLiteral("grid"));
        QCOMPARE(reading->text(), QStringLiteral("0"));
        QCOMPARE(dialogLabel->text(), QStringLiteral("own"));

        CViewTexts pageTexts;
        pageTexts.apply(view.sheet()->page(2));
        QCOMPARE(reading->text(), QStringLiteral("Gas inj. [ms]"));
    }

    void dialogsTakeTheirCaptionFromEntryMinusTwo() {
        setCurrentLanguage(kLangItalian);
        CWorkModeDlg workMode;
        QCOMPARE(workMode.windowTitle(), QStringLiteral("Modalità di funzionamento"));
        QCOMPARE(labelText(&workMode, ids::kWorkModeLabel),
                 QStringLiteral("Selezionare il tipo di modulo:"));
        setCurrentLanguage(kLangPolish);
        CPasswdDlg password(CPasswdDlg::kServicePassword, {});
        QCOMPARE(password.windowTitle(), QStringLiteral("Opcje zaawansowane"));
        QCOMPARE(labelText(&password, ids::kPasswdLabel), QStringLiteral("Podaj hasło"));
    }

    void languageDialogListsTheFourteenNamesAndReturnsTheChosenIndex() {
        CLangDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Języki"));
        QListWidget* list = dialog.list();
        QCOMPARE(ctrlId(list), ids::kLangList);
        QCOMPARE(list->count(), 14);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Polski"));
        QCOMPARE(list->item(2)->text(), QStringLiteral("Pycckuu"));
        QCOMPARE(list->item(13)->text(), QStringLiteral("Hungary"));
        QCOMPARE(list->currentRow(), 0);

        list->setCurrentRow(10);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.selectedLanguage(), 10);

        // The language in use is the one highlighted.
        setCurrentLanguage(3);
        CLangDlg german;
        setCurrentLanguage(kLangPolish);
        QCOMPARE(german.list()->currentRow(), 3);
    }

    void languageDialogOkWithoutASelectionStaysOpen() {
        CLangDlg dialog;
        dialog.show();
        dialog.list()->clearSelection();
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.selectedLanguage(), -1);
    }

    void workModeDialogChoosesCngOnlyForTheSecondEntry() {
        CWorkModeDlg dialog;
        QCOMPARE(dialog.list()->count(), 2);
        QCOMPARE(dialog.list()->item(0)->text(), QStringLiteral("LPG"));
        QCOMPARE(dialog.list()->currentRow(), 0);
        dialog.accept();
        QVERIFY(!dialog.cngChosen());
        dialog.list()->setCurrentRow(1);
        dialog.accept();
        QVERIFY(dialog.cngChosen());
    }
};

QTEST_MAIN(TextsTest)
#include "TextsTest.moc"
