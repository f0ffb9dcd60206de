#include "backup/BackupsDlg.h"
#include "backup/LoadCompareDlg.h"
#include "lang/Language.h"

#include "../../core/files/TempFolder.h"

#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>

using namespace vexor;

namespace {

bool has(const std::vector<std::string>& keys, const std::string& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace

class BackupDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { vexor::setCurrentLanguage(vexor::kLangPolish); }

    void comparisonGroupsByPageAndWritesOnlyTheTickedRows() {
        vexor::setCurrentLanguage(vexor::kLangEnglish);
        const DeviceSettings controller;
        DeviceSettings file = controller;
        file.m_base.m_switchRPM = 2500;
        file.m_sensorsSetup.m_lambdaType = 2;
        file.m_adv.m_injectorType = 2;
        file.m_injMapTable[0][0] = 5;
        file.m_injMapTable[18][14] = -5;
        file.m_injMapTable[9][7] = 1;

        CLoadCompareDlg dlg(loadChanges(controller, file));
        QVERIFY(!dlg.nothingDiffers());
        // tools: VEXOR_PICTURES=docs keeps a picture of the dialog for the documents.
        if (const QByteArray folder = qgetenv("VEXOR_PICTURES"); !folder.isEmpty()) {
            dlg.resize(640, 420);
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            dlg.grab().save(QString::fromLocal8Bit(folder) + "/settings-compare.png");
        }
        QCOMPARE(dlg.tree()->headerItem()->text(0), QString("Setting"));
        // Switch, gasoline, gas and map pages.
        QCOMPARE(dlg.tree()->topLevelItemCount(), 4);

        QTreeWidgetItem* lambda = dlg.rowOf("m_sensorsSetup.m_lambdaType");
        QVERIFY(lambda != nullptr);
        QCOMPARE(lambda->text(2), QString("0 - 1 Volt"));
        QCOMPARE(lambda->text(3), QString("0 - 5 Volt"));
        QCOMPARE(dlg.rowOf("m_adv.m_injectorType")->text(3), QString("REG"));
        // Labels as the pages show them in the chosen language.
        QCOMPARE(dlg.rowOf("m_base.m_switchRPM")->text(0), QString("Switch-over RPM"));

        QTreeWidgetItem* map = dlg.rowOf("m_injMapTable[11][4500]");
        QVERIFY(map != nullptr);
        QCOMPARE(map, dlg.rowOf("m_injMapTable[2][1000]"));
        QVERIFY(map->text(0).endsWith(": 3"));
        QVERIFY(!map->icon(3).isNull());

        auto keys = dlg.tickedKeys();
        QCOMPARE(keys.size(), std::size_t(6));
        lambda->setCheckState(0, Qt::Unchecked);
        keys = dlg.tickedKeys();
        QVERIFY(!has(keys, "m_sensorsSetup.m_lambdaType"));
        QVERIFY(has(keys, "m_base.m_switchRPM"));
        QVERIFY(has(keys, "m_injMapTable[20][8000]"));
        QCOMPARE(blocksOf(keys), (std::vector<SettingBlock>{SettingBlock::Base, SettingBlock::Adv,
                                                            SettingBlock::Map}));

        for (const char* key :
             {"m_base.m_switchRPM", "m_adv.m_injectorType", "m_injMapTable[2][1000]"})
            dlg.rowOf(key)->setCheckState(0, Qt::Unchecked);
        QVERIFY(dlg.tickedKeys().empty());
        QVERIFY(!dlg.writeButton()->isEnabled());
    }

    // What a row says is readable: the values one control sets each have a
    // name of their own, degrees read °C, a flags byte shows the options
    // that differ, and the dialog opens wide enough for the file's column.
    void comparisonRowsSayWhatDiffersInWords() {
        vexor::setCurrentLanguage(vexor::kLangEnglish);
        const DeviceSettings controller;
        DeviceSettings file = controller;
        file.m_adv.m_pwm = controller.m_adv.m_pwm + 10;
        file.m_adv.m_pwmOffset = controller.m_adv.m_pwmOffset + 1;
        file.m_adv.m_warmingUpperTempr = controller.m_adv.m_warmingUpperTempr + 3;
        file.m_base.m_flags = static_cast<std::uint8_t>(controller.m_base.m_flags ^ 0x40);
        CLoadCompareDlg dlg(loadChanges(controller, file));
        QTreeWidgetItem* pwm = dlg.rowOf("m_adv.m_pwm");
        QTreeWidgetItem* offset = dlg.rowOf("m_adv.m_pwmOffset");
        QVERIFY(pwm != nullptr && offset != nullptr);
        QVERIFY(pwm->text(0) != offset->text(0));
        QCOMPARE(dlg.rowOf("m_adv.m_warmingUpperTempr")->text(1), QStringLiteral("°C"));
        QTreeWidgetItem* flags = dlg.rowOf("m_base.m_flags");
        QVERIFY(flags != nullptr);
        QVERIFY2(flags->text(2).endsWith(QStringLiteral(": Off")) ||
                     flags->text(2).endsWith(QStringLiteral(": On")),
                 qPrintable(flags->text(2)));
        QVERIFY(!flags->text(3).contains(QRegularExpression(QStringLiteral("^[0-9]+$"))));
        const int columns = dlg.tree()->header()->length();
        QVERIFY(dlg.width() >= columns);
    }

    void equalSettingsSayThatNothingDiffers() {
        DeviceSettings file;
        file.m_carInfo.m_vendor = "Fiat"; // a load leaves the vehicle description alone
        CLoadCompareDlg dlg(loadChanges(DeviceSettings{}, file));
        QVERIFY(dlg.nothingDiffers());
        QCOMPARE(dlg.tree()->topLevelItemCount(), 0);
        QVERIFY(dlg.writeButton()->isHidden());
    }

    void backupsAreListedNewestFirstAndTheChosenOneIsReturned() {
        CTempFolder data;
        const CBackupStore store(data.path().string());
        DeviceSettings s;
        s.m_devInfo.m_serial = "K1";
        std::string load, map, defaults, other, error;
        QVERIFY(store.take(s, "load", 1700000000, load, error));
        QVERIFY(store.take(s, "map", 1700000060, map, error));
        QVERIFY(store.take(s, "defaults", 1700000120, defaults, error));
        s.m_devInfo.m_serial = "K2";
        QVERIFY(store.take(s, "load", 1700000180, other, error));

        CBackupsDlg dlg(store, "K1");
        QCOMPARE(dlg.table()->rowCount(), 3);
        QCOMPARE(dlg.table()->item(0, 1)->text(),
                 QString::fromUtf8("Przywrócenie ustawień fabrycznych"));
        QCOMPARE(dlg.table()->item(2, 2)->text(), QString("K1"));
        QVERIFY(!dlg.compareButton()->isEnabled());

        dlg.table()->selectRow(1);
        QVERIFY(dlg.restoreButton()->isEnabled());
        QTest::mouseClick(dlg.compareButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(dlg.action() == CBackupsDlg::Action::Compare);
        QCOMPARE(dlg.chosen().id, map);

        CBackupsDlg every(store, "");
        QCOMPARE(every.table()->rowCount(), 4);
        QCOMPARE(every.table()->item(0, 2)->text(), QString("K2"));
    }
};

QTEST_MAIN(BackupDialogsTest)
#include "BackupDialogsTest.moc"
