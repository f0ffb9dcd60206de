#include "pages/ServiceDlg.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "device/DeviceSettings.h"
#include "lang/Language.h"
#include "pages/AdvancedPageIds.h"
#include "pages/SetServiceDlg.h"
#include "pages/SettingsDlg.h"
#include "support/FakeDocument.h"
#include "support/RecordingPrompt.h"

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <vector>

using namespace vexor::ids;

namespace {

QString labelText(const QWidget* dialog, int id) {
    return vexor::findCtrl<QLabel>(dialog, id)->text();
}

} // namespace

class ServiceDlgTest : public QObject {
    Q_OBJECT

private:
    CFakeDocument m_doc;
    CRecordingPrompt m_prompt;
    Seams m_seams;

private slots:
    void init() {
        vexor::setCurrentLanguage(vexor::kLangPolish);
        m_doc = CFakeDocument();
        m_doc.connected = true;
        m_prompt.clear();
        m_seams = Seams();
        m_seams.prompt = &m_prompt;
    }
    void cleanupTestCase() { vexor::setCurrentLanguage(vexor::kLangPolish); }

    void eachSettingsButtonRunsItsActionAndCloses() {
        const std::vector<std::pair<int, const char*>> buttons = {
            {kSetBtnRead, "readSettingsFile"},
            {kSetBtnWrite, "writeSettingsFile"},
            {kSetBtnDefaults, "restoreDefaults"},
            {kSetBtnFirmware, "updateFirmware"}};
        for (const auto& [id, action] : buttons) {
            m_doc.sent.clear();
            CSettingsDlg dialog(m_doc, m_seams);
            dialog.show();
            vexor::findCtrl<QPushButton>(&dialog, id)->click();
            QCOMPARE(m_doc.sent, std::vector<std::string>{action});
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        // A failed action has told the user itself; the dialog still closes.
        m_doc.actionResult = DocResult::Failed;
        CSettingsDlg dialog(m_doc, m_seams);
        dialog.show();
        vexor::findCtrl<QPushButton>(&dialog, kSetBtnRead)->click();
        QVERIFY(!dialog.isVisible());
    }

    void firmwareProgressFollowsThePagesSent() {
        struct CCountingPump : IEventPump {
            int pumped = 0;
            void pump() override { ++pumped; }
        } pump;
        m_seams.pump = &pump;
        m_doc.progressSteps = 7;
        CSettingsDlg dialog(m_doc, m_seams);
        dialog.show();
        dialog.OnDeviceUpdate();
        QVERIFY(dialog.progress());
        QCOMPARE(dialog.progress()->maximum(), 7);
        QCOMPARE(dialog.progress()->value(), 7);
        QVERIFY(!dialog.progress()->isVisible());
        QCOMPARE(pump.pumped, 7);
    }

    void vehicleInformationShowsWorkTimesCodesAndHoursLeft() {
        m_doc.statistic.gas = 2 * 3661;
        m_doc.statistic.lpg = 14400;
        m_doc.image.m_base.m_stationCode = {0x90, 0x3C, 0x1D, 0x60};
        m_doc.image.m_advancedSetup.m_advancedFlags = 0x11;
        m_doc.image.m_advancedSetup.m_serviceLimit = 158400;
        CServiceDlg dialog(m_doc, m_seams);
        QCOMPARE(m_doc.sent, std::vector<std::string>{"readStatistic"});
        QCOMPARE(labelText(&dialog, kSrvPetrolTime), QStringLiteral("1 : 01 : 01"));
        QCOMPARE(labelText(&dialog, kSrvGasTime), QStringLiteral("2 : 00 : 00"));
        QCOMPARE(labelText(&dialog, kSrvLastModified), QStringLiteral("1D60-903C"));
        QCOMPARE(labelText(&dialog, kSrvThisStation).size(), 9);
        QCOMPARE(labelText(&dialog, kSrvHoursLeft), QStringLiteral("20"));
        QVERIFY(!vexor::findCtrl<QLabel>(&dialog, kSrvHoursUnit)->isHidden());
    }

    void vehicleInformationWithoutControllerOrStatisticsLeavesFieldsEmpty() {
        m_doc.connected = false;
        m_doc.image.m_advancedSetup.m_advancedFlags = 0x11;
        {
            CServiceDlg dialog(m_doc, m_seams);
            QVERIFY(m_doc.sent.empty());
            QVERIFY(labelText(&dialog, kSrvLastModified).isEmpty());
            QVERIFY(labelText(&dialog, kSrvHoursLeft).isEmpty());
        }
        m_doc.connected = true;
        m_doc.commandsSucceed = false;
        m_doc.image.m_advancedSetup.m_advancedFlags = 0x10;
        CServiceDlg dialog(m_doc, m_seams);
        QVERIFY(labelText(&dialog, kSrvGasTime).isEmpty());
        QCOMPARE(labelText(&dialog, kSrvLastModified), QStringLiteral("0000-0000"));
        QVERIFY(labelText(&dialog, kSrvHoursLeft).isEmpty());
        QVERIFY(vexor::findCtrl<QLabel>(&dialog, kSrvHoursUnit)->isHidden());
    }

    void inspectionSetFromTheVehicleInformationShowsAtOnce() {
        m_doc.statistic.lpg = 14400;
        CServiceDlg dialog(m_doc, m_seams);
        QTimer::singleShot(0, [] {
            auto* set = qobject_cast<CSetServiceDlg*>(QApplication::activeModalWidget());
            QVERIFY(set);
            set->distance()->setCurrentIndex(set->distance()->findText(QStringLiteral("1000")));
            set->accept();
        });
        vexor::findCtrl<QPushButton>(&dialog, kSrvBtnSet)->click();
        QCOMPARE(m_doc.image.m_advancedSetup.m_serviceLimit, 158400u);
        QCOMPARE(labelText(&dialog, kSrvHoursLeft), QStringLiteral("20"));
        QCOMPARE(m_doc.sent.back(), std::string("writeAdvancedSetup"));
    }

    void distanceListAndPreselection() {
        CSetServiceDlg off(m_doc, m_seams);
        CValueCmbBox* box = off.distance();
        QCOMPARE(box->count(), 52);
        QCOMPARE(box->itemText(0), QStringLiteral("Wyłączony"));
        QCOMPARE(box->itemText(1), QStringLiteral("500"));
        QCOMPARE(box->itemText(2), QStringLiteral("1000"));
        QCOMPARE(box->itemText(51), QStringLiteral("50000"));
        QCOMPARE(box->currentIndex(), 0);

        m_doc.image.m_advancedSetup.m_advancedFlags |= vexor::kAdvFlagInspection;
        CSetServiceDlg on(m_doc, m_seams);
        QCOMPARE(on.distance()->currentIndex(), -1);
    }

    void switchingTheReminderOffWritesAndCloses() {
        m_doc.image.m_advancedSetup.m_advancedFlags = 0x11;
        m_doc.image.m_devInfo.m_statistic.lpg = 14400;
        CSetServiceDlg dialog(m_doc, m_seams);
        dialog.show();
        dialog.distance()->setCurrentIndex(0);
        dialog.accept();
        QCOMPARE(int(m_doc.image.m_advancedSetup.m_advancedFlags), 0x10);
        QCOMPARE(m_doc.image.m_advancedSetup.m_serviceLimit, 14400u);
        QCOMPARE(m_doc.sent, std::vector<std::string>{"writeAdvancedSetup"});
        QVERIFY(!dialog.isVisible());
    }

    void okWithoutAChoiceKeepsTheReminderAsItWas() {
        m_doc.image.m_advancedSetup.m_advancedFlags = 0x11;
        m_doc.image.m_advancedSetup.m_serviceLimit = 158400;
        m_doc.image.m_devInfo.m_statistic.lpg = 14400;
        CSetServiceDlg dialog(m_doc, m_seams);
        dialog.show();
        dialog.accept();
        QCOMPARE(m_doc.image.m_advancedSetup.m_serviceLimit, 158400u);
        QVERIFY(m_doc.sent.empty());
        QVERIFY(!dialog.isVisible());
    }

    void refusedOrFailedWriteKeepsTheDialogOpen() {
        m_doc.commandsSucceed = false;
        CSetServiceDlg dialog(m_doc, m_seams);
        dialog.show();
        dialog.distance()->setCurrentIndex(3);
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(m_prompt.messages(),
                 std::vector<std::string>{"Nie powiodło się ustawienie urządzenia!"});

        m_doc.throwCode = 4;
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QVERIFY(m_prompt.messages().back().rfind("CServiceCtrlDlg::OnOK()\n", 0) == 0);
    }

    void dialogsShowTheirTextsInTheCurrentLanguage() {
        vexor::setCurrentLanguage(vexor::kLangEnglish);
        CSettingsDlg settings(m_doc, m_seams);
        QCOMPARE(settings.windowTitle(), QStringLiteral("Read/Write"));
        QCOMPARE(vexor::findCtrl<QPushButton>(&settings, kSetBtnDefaults)->text(),
                 QStringLiteral("Factory settings"));
        CServiceDlg service(m_doc, m_seams);
        QCOMPARE(service.windowTitle(), QStringLiteral("Vehicle information"));
        QCOMPARE(vexor::findCtrl<QPushButton>(&service, kSrvBtnSet)->text(), QStringLiteral("Set"));
        CSetServiceDlg set(m_doc, m_seams);
        QCOMPARE(set.windowTitle(), QStringLiteral("Next inspection"));
        QCOMPARE(set.distance()->itemText(0), QStringLiteral("Off"));

        vexor::setCurrentLanguage(vexor::kLangRussian);
        CSetServiceDlg russian(m_doc, m_seams);
        QCOMPARE(labelText(&russian, kSetSrvLblDistance), QStringLiteral("Техобслуживание через:"));
    }
};

QTEST_MAIN(ServiceDlgTest)
#include "ServiceDlgTest.moc"
