#include "app/KorvantisView.h"
#include "pages/AppPropPage.h"
#include "pages/AppPropSheet.h"
#include "pages/PasswdDlg.h"
#include "support/FakeDocument.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A page that records what the sheet asked it.
class CProbePage : public CAppPropPage {
public:
    explicit CProbePage(const char* caption) : CAppPropPage(caption) {}

    bool canLeave() override {
        ++leaveAsked;
        return mayLeave;
    }
    bool activate() override {
        ++activated;
        return CAppPropPage::activate() && mayShow;
    }
    void updatePage() override { ++updated; }

    bool mayLeave = true;
    bool mayShow = true;
    int leaveAsked = 0;
    int activated = 0;
    int updated = 0;
};

} // namespace

class PagesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CAppPropSheet> m_sheet;
    CProbePage* m_first = nullptr;
    CProbePage* m_second = nullptr;
    CProbePage* m_third = nullptr;

private slots:
    void init() {
        m_sheet = std::make_unique<CAppPropSheet>();
        m_first = new CProbePage("A");
        m_second = new CProbePage("B");
        m_third = new CProbePage("C");
        m_sheet->addPage(m_first, QStringLiteral("A"));
        m_sheet->addPage(m_second, QStringLiteral("B"));
        m_sheet->addPage(m_third, QStringLiteral("C"));
    }
    void cleanup() { m_sheet.reset(); }

    void pageThatRefusesToBeLeftKeepsTheSelectionAndTheOtherIsNotActivated() {
        m_first->mayLeave = false;
        m_sheet->setCurrentIndex(1);
        QCOMPARE(m_sheet->currentIndex(), 0);
        QCOMPARE(m_first->leaveAsked, 1);
        QCOMPARE(m_second->activated, 0);

        m_first->mayLeave = true;
        m_sheet->setCurrentIndex(1);
        QCOMPARE(m_sheet->currentIndex(), 1);
        QCOMPARE(m_second->activated, 1);
        QCOMPARE(m_second->updated, 1);
        QCOMPARE(m_sheet->activePage(), m_second);
    }

    void pageThatRefusesToBeShownLeavesThePreviousPageShown() {
        m_third->mayShow = false;
        m_sheet->setCurrentIndex(2);
        QCOMPARE(m_sheet->currentIndex(), 0);
        QCOMPARE(m_third->activated, 1);
        // The sheet still knows page 0 is shown: leaving it asks it again.
        m_sheet->setCurrentIndex(1);
        QCOMPARE(m_sheet->currentIndex(), 1);
        QCOMPARE(m_first->leaveAsked, 2);
    }

    void viewHoldsTheEightPagesInTheirFixedOrder() {
        CFakeDocument doc;
        CKorvantisView view(doc, Seams());
        view.createPages();
        view.createPages();
        const std::vector<std::string> expected = {"Panel Petrol", "Panel Gaz",  "Przełącznik",
                                                   "Kalibracja",   "Oscyloskop", "Mapa",
                                                   "Zaawansowane", " OBD "};
        QCOMPARE(view.sheet()->count(), 8);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(view.sheet()->page(i)->polishCaption(), expected[static_cast<size_t>(i)]);
        QVERIFY(view.isInitialised());
        QCOMPARE(view.sheet()->page(7)->doc(), &doc);
    }

    void rightPasswordGrantsAccessAndCloses() {
        int granted = 0;
        CPasswdDlg dialog(CPasswdDlg::kServicePassword, [&granted] { ++granted; });
        dialog.show();
        QTest::keyClicks(dialog.edit(), QStringLiteral("qtlmr305"));
        QTest::keyClick(dialog.edit(), Qt::Key_Return);
        QCOMPARE(granted, 1);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void serviceAccessIsAskedForOnceAndThenKeptForTheRun() {
        CFakeDocument doc;
        int dialogs = 0;
        const auto typeWhenShown = [&dialogs](const QString& text) {
            QTimer::singleShot(0, [&dialogs, text] {
                auto* dialog = qobject_cast<CPasswdDlg*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                ++dialogs;
                dialog->edit()->setText(text);
                dialog->accept();
                if (dialog->isVisible())
                    dialog->reject();
            });
        };
        typeWhenShown(QStringLiteral("wrong"));
        QVERIFY(!CPasswdDlg::ensureServiceAccess(doc, nullptr));
        typeWhenShown(QStringLiteral("qtlmr305"));
        QVERIFY(CPasswdDlg::ensureServiceAccess(doc, nullptr));
        QVERIFY(doc.service);
        QVERIFY(CPasswdDlg::ensureServiceAccess(doc, nullptr));
        QCOMPARE(dialogs, 2);
    }

    void wrongPasswordOrOtherLetterCaseKeepsTheDialogOpenWithTheTypedText() {
        int granted = 0;
        CPasswdDlg dialog(CPasswdDlg::kServicePassword, [&granted] { ++granted; });
        dialog.show();
        for (const QString& attempt :
             {QStringLiteral("QTLMR305"), QStringLiteral("qtlmr30"), QStringLiteral("qtlmr3055")}) {
            dialog.edit()->setText(attempt);
            QTest::keyClick(dialog.edit(), Qt::Key_Return);
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.edit()->text(), attempt);
        }
        QCOMPARE(granted, 0);
        dialog.reject();
        QCOMPARE(granted, 0);
    }
};

QTEST_MAIN(PagesTest)
#include "PagesTest.moc"
