#include "pages/AdvancedPage.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "device/DeviceSettings.h"
#include "lang/Language.h"
#include "pages/AdvancedPageIds.h"
#include "pages/PasswdDlg.h"
#include "support/FakeDocument.h"
#include "support/RecordingPrompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace vexor::ids;

class AdvancedPageTest : public QObject {
    Q_OBJECT

private:
    CFakeDocument m_doc;
    CRecordingPrompt m_prompt;
    std::unique_ptr<CAdvancedPage> m_page;

    CValueCmbBox* combo(int id) { return vexor::findCtrl<CValueCmbBox>(m_page.get(), id); }
    QCheckBox* check(int id) { return vexor::findCtrl<QCheckBox>(m_page.get(), id); }

    // Picks the entry showing text as the user would (the "activated" signal).
    void pick(int id, const QString& text) {
        CValueCmbBox* box = combo(id);
        const int index = box->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

private slots:
    void init() {
        vexor::setCurrentLanguage(vexor::kLangPolish);
        m_doc = CFakeDocument();
        m_doc.connected = true;
        m_doc.service = true;
        m_prompt.clear();
        Seams seams;
        seams.prompt = &m_prompt;
        m_page = std::make_unique<CAdvancedPage>();
        m_page->attach(m_doc, seams);
        m_page->updatePage();
    }
    void cleanup() {
        m_page.reset();
        vexor::setCurrentLanguage(vexor::kLangPolish);
    }

    void listsRunFromFirstToLastEntryAtTheirPrecision() {
        const struct {
            int id;
            int count;
            const char* first;
            const char* last;
        } lists[] = {
            {kAdvWarmingTime, 25, "0", "120"},        {kAdvPressureRef, 151, "50", "200"},
            {kAdvPressureGain, 16, "0.0", "1.5"},     {kAdvCutOffPressure, 27, "120", "250"},
            {kAdvCutOffExitDelay, 21, "0.0", "10.0"}, {kAdvMinLpgTime, 61, "0.0", "6.0"},
            {kAdvIgnoreTime, 20, "0.0", "1.9"},       {kAdvSwitchCorr, 51, "0", "50"},
            {kAdvSwitchCorrTime, 101, "20", "120"},
        };
        for (const auto& list : lists) {
            CValueCmbBox* box = combo(list.id);
            QVERIFY(box);
            QCOMPARE(box->count(), list.count);
            QCOMPARE(box->itemText(0), QString::fromUtf8(list.first));
            QCOMPARE(box->itemText(box->count() - 1), QString::fromUtf8(list.last));
        }
        // A refill does not pile entries up.
        m_page->updatePage();
        QCOMPARE(combo(kAdvIgnoreTime)->count(), 20);
    }

    void pageShowsTheImage() {
        m_doc.image.m_adv.m_warmingTime = 45;
        m_doc.image.m_base.m_pressureGain = 0.30000000000000004;
        m_doc.image.m_adv.m_flags = 0x0B; // warming, continuous injection
        m_doc.image.m_base.m_flags = 0x90 | 0x40;
        m_doc.image.m_advancedSetup.m_advancedFlags = 0x10;
        m_page->updatePage();
        QCOMPARE(combo(kAdvWarmingTime)->currentText(), QStringLiteral("45"));
        QCOMPARE(combo(kAdvPressureGain)->currentText(), QStringLiteral("0.3"));
        QVERIFY(check(kAdvChkWarming)->isChecked());
        QVERIFY(!check(kAdvChkCutOff)->isChecked());
        QVERIFY(check(kAdvChkContinuous)->isChecked());
        QVERIFY(check(kAdvChkFast)->isChecked());
        QVERIFY(!check(kAdvChkSwitchCorr)->isChecked());
    }

    void eachComboWritesItsMemberAndBlock() {
        const struct {
            int id;
            const char* text;
            const char* block;
            std::function<double(const DeviceSettings&)> member;
            double expected;
        } cases[] = {
            {kAdvWarmingTime, "60", "writeAdv", [](auto& s) { return s.m_adv.m_warmingTime; }, 60},
            {kAdvPressureRef, "120", "writeBase", [](auto& s) { return s.m_base.m_pressureRef; },
             120},
            {kAdvPressureGain, "1.5", "writeBase", [](auto& s) { return s.m_base.m_pressureGain; },
             1.5},
            {kAdvMinLpgTime, "2.5", "writeAdv", [](auto& s) { return s.m_adv.m_minLPGTime; }, 2.5},
            {kAdvIgnoreTime, "1.9", "writeAdv", [](auto& s) { return s.m_adv.m_ignoreLPGTime; },
             1.9},
            {kAdvCutOffPressure, "200", "writeAdv",
             [](auto& s) { return s.m_adv.m_cutOffPressSwitch; }, 200},
            {kAdvCutOffExitDelay, "2.5", "writeAdv",
             [](auto& s) { return s.m_adv.m_cutOffExitDelay; }, 2.5},
            {kAdvSwitchCorr, "12", "writeAdvancedSetup",
             [](auto& s) { return double(s.m_advancedSetup.m_switchCorr); }, 12},
            {kAdvSwitchCorrTime, "90", "writeAdvancedSetup",
             [](auto& s) { return s.m_advancedSetup.m_switchCorrTime; }, 90},
        };
        for (const auto& c : cases) {
            m_doc.sent.clear();
            pick(c.id, QString::fromUtf8(c.text));
            QCOMPARE(m_doc.sent, std::vector<std::string>{c.block});
            QVERIFY(qAbs(c.member(m_doc.image) - c.expected) < 1e-9);
        }
        QVERIFY(m_prompt.entries().empty());
    }

    void unchangedValueOrNoControllerSendsNothing() {
        m_doc.image.m_base.m_pressureGain = 1.0000000000000002;
        m_page->updatePage();
        pick(kAdvPressureGain, QStringLiteral("1.0"));
        pick(kAdvWarmingTime, QStringLiteral("30"));
        QVERIFY(m_doc.sent.empty());

        // Without a controller every edit is refused and undone on screen.
        m_doc.connected = false;
        pick(kAdvWarmingTime, QStringLiteral("60"));
        QCOMPARE(combo(kAdvWarmingTime)->currentText(), QStringLiteral("30"));
        check(kAdvChkSwitchCorr)->click();
        check(kAdvChkFast)->click();
        check(kAdvChkCutOff)->click();
        QVERIFY(!check(kAdvChkFast)->isChecked());
        QVERIFY(m_doc.sent.empty());
        QCOMPARE(m_doc.image.m_adv.m_warmingTime, 30.0);
        QCOMPARE(m_prompt.messages(), std::vector<std::string>(4, "Brak połączenia"));
    }

    void checkBoxesSetTheirBitsAndWriteTheirBlock() {
        m_doc.image.m_adv.m_flags = 0x03;
        m_doc.image.m_base.m_flags = 0x90;
        m_page->updatePage();
        // Warming off clears both of its bits, on sets both.
        check(kAdvChkWarming)->click();
        QCOMPARE(int(m_doc.image.m_adv.m_flags), 0x00);
        m_doc.image.m_adv.m_flags = 0x01;
        check(kAdvChkWarming)->click();
        QCOMPARE(int(m_doc.image.m_adv.m_flags), 0x03);
        check(kAdvChkCutOff)->click();
        check(kAdvChkContinuous)->click();
        QCOMPARE(int(m_doc.image.m_adv.m_flags), 0x0F);
        check(kAdvChkFast)->click();
        QCOMPARE(int(m_doc.image.m_base.m_flags), 0xD0);
        check(kAdvChkSwitchCorr)->click();
        QCOMPARE(int(m_doc.image.m_advancedSetup.m_advancedFlags), 0x14);
        const std::vector<std::string> expected = {"writeAdv", "writeAdv",  "writeAdv",
                                                   "writeAdv", "writeBase", "writeAdvancedSetup"};
        QCOMPARE(m_doc.sent, expected);
    }

    void noEnrichmentSwitchesTheEnrichmentOff() {
        m_doc.image.m_advancedSetup.m_switchCorr = 10;
        m_doc.image.m_advancedSetup.m_advancedFlags = 0x14;
        m_page->updatePage();
        QVERIFY(check(kAdvChkSwitchCorr)->isChecked());
        pick(kAdvSwitchCorr, QStringLiteral("0"));
        QCOMPARE(int(m_doc.image.m_advancedSetup.m_switchCorr), 0);
        QCOMPARE(int(m_doc.image.m_advancedSetup.m_advancedFlags), 0x10);
        QVERIFY(!check(kAdvChkSwitchCorr)->isChecked());
        QCOMPARE(m_doc.sent, std::vector<std::string>{"writeAdvancedSetup"});
    }

    void refusedWriteKeepsTheNewValueAndSaysSo() {
        m_doc.commandsSucceed = false;
        pick(kAdvCutOffPressure, QStringLiteral("200"));
        QCOMPARE(m_doc.image.m_adv.m_cutOffPressSwitch, 200.0);
        QCOMPARE(m_prompt.messages(),
                 std::vector<std::string>{"Nie powiodło się wpisanie ustawień do urządzenia!"});
        QCOMPARE(m_prompt.entries().front().icon, IUserPrompt::Icon::Error);

        vexor::setCurrentLanguage(vexor::kLangEnglish);
        m_prompt.clear();
        check(kAdvChkFast)->click();
        QVERIFY(m_prompt.messages().front() != "Nie powiodło się wpisanie ustawień do urządzenia!");
    }

    void portErrorIsReportedUnderTheHandlersName() {
        m_doc.throwCode = 4;
        pick(kAdvSwitchCorrTime, QStringLiteral("30"));
        QCOMPARE(m_prompt.messages().size(), size_t(1));
        QVERIFY(m_prompt.messages().front().rfind("CSettingsPage::OnSelendokSwitchCorrTime()\n",
                                                  0) == 0);
        m_doc.throwCode = 4;
        check(kAdvChkWarming)->click();
        QVERIFY(m_prompt.messages().back().rfind("CAdvancedPage::OnChkInjWarming()\n", 0) == 0);
    }

    void passwordIsAskedUntilItWasGivenAndThePageStaysGreyedWithoutIt() {
        m_doc.service = false;
        int asked = 0;
        const auto answer = [&asked](const QString& text) {
            QTimer::singleShot(0, [&asked, text] {
                auto* dialog = qobject_cast<CPasswdDlg*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                ++asked;
                dialog->edit()->setText(text);
                dialog->accept();
                if (dialog->isVisible())
                    dialog->reject();
            });
        };
        m_doc.image.m_adv.m_warmingTime = 95;
        answer(QStringLiteral("wrong"));
        QVERIFY(m_page->activate());
        QCOMPARE(combo(kAdvWarmingTime)->currentText(), QStringLiteral("95"));
        QVERIFY(m_page->gated());
        QVERIFY(!combo(kAdvWarmingTime)->isEnabled());
        answer(QStringLiteral("qtlmr305"));
        QVERIFY(m_page->activate());
        QVERIFY(!m_page->gated());
        QVERIFY(combo(kAdvWarmingTime)->isEnabled());
        QVERIFY(m_page->activate());
        QCOMPARE(asked, 2);
    }

    // The password dialog has a Cancel of its own, which leaves the page
    // locked as Escape does.
    void thePasswordCanBeCancelled() {
        bool granted = false;
        CPasswdDlg dialog(CPasswdDlg::kServicePassword, [&granted] { granted = true; });
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons != nullptr);
        QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
        QVERIFY(cancel != nullptr);
        dialog.show();
        cancel->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!granted);
    }

    void textsFollowTheLanguage() {
        vexor::setCurrentLanguage(vexor::kLangGerman);
        m_page->updatePage();
        QCOMPARE(check(kAdvChkFast)->text(), QStringLiteral("FAST-Modus"));
        QCOMPARE(vexor::findCtrl<QGroupBox>(m_page.get(), kAdvGrpWarming)->title(),
                 QStringLiteral("Injektorvorwärmung"));
        vexor::setCurrentLanguage(vexor::kLangPolish);
        m_page->updatePage();
        QCOMPARE(vexor::findCtrl<QLabel>(m_page.get(), kAdvLblIgnoreTime)->text(),
                 QStringLiteral("Ignorowanie impulsów benzyny poniżej"));
    }
};

QTEST_MAIN(AdvancedPageTest)
#include "AdvancedPageTest.moc"
