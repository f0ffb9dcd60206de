#include "backup/BackupStore.h"
#include "backup/LoadCompareDlg.h"
#include "history/VehicleHistoryDlg.h"
#include "history/VisitLog.h"
#include "lang/Language.h"
#include "support/RecordingPrompt.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <ctime>
#include <fstream>

namespace {

std::time_t day(int mday, int hour) {
    std::tm t{};
    t.tm_year = 124;
    t.tm_mon = 2;
    t.tm_mday = mday;
    t.tm_hour = hour;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

DeviceSettings car(double switchRpm) {
    DeviceSettings s;
    s.m_devInfo.m_serial = "GAS1";
    s.m_base.m_switchRPM = switchRpm;
    return s;
}

} // namespace

// The history window over a data folder with three visits of one car: the
// first two changed the switch-over speed, the last found a fault.
class VehicleHistoryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_data;
    CRecordingPrompt m_prompt;
    Seams m_seams;

    std::string data() const { return m_data->path().toStdString(); }

private slots:
    void init() {
        vexor::setCurrentLanguage(vexor::kLangPolish);
        m_data = std::make_unique<QTemporaryDir>();
        m_prompt.clear();
        m_seams = Seams{};
        m_seams.prompt = &m_prompt;
        const CBackupStore store(data());
        const CVisitLog log(data());
        std::string id, error;
        QVERIFY(log.record("GAS1", day(4, 9), "connected", {"1.0", "2.8"}, error));
        QVERIFY(store.take(car(1200), "load", day(4, 10), id, error));
        QVERIFY(store.take(car(1500), "load", day(11, 10), id, error));
        QVERIFY(log.record("GAS1", day(18, 9), "fault", {"Czujnik temperatury"}, error));
        QVERIFY(store.take(car(1800), "map", day(18, 10), id, error));
    }

    void visitsAreNewestFirstWithTheirEventsAndChanges() {
        CVehicleHistoryDlg dialog(data(), "GAS1", m_seams);
        QTreeWidget* tree = dialog.tree();
        QCOMPARE(tree->topLevelItemCount(), 3);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("2024-03-18"));
        QCOMPARE(tree->topLevelItem(2)->text(0), QStringLiteral("2024-03-04"));
        // The first visit: connected, backed up, and the speed it left with.
        const QTreeWidgetItem* first = tree->topLevelItem(2);
        QCOMPARE(first->childCount(), 3);
        QCOMPARE(first->child(0)->text(1), QStringLiteral("Połączenie"));
        QCOMPARE(first->child(2)->text(2), QStringLiteral("m_base.m_switchRPM: 1200 \u2192 1500"));
        QCOMPARE(tree->topLevelItem(0)->child(0)->text(2), QStringLiteral("Czujnik temperatury"));
        QVERIFY(dialog.damagedNote()->isHidden());
    }

    void twoPickedVisitsAreComparedAsTheCarCameIn() {
        CVehicleHistoryDlg dialog(data(), "GAS1", m_seams);
        std::vector<std::string> shown;
        dialog.setShow([&](CLoadCompareDlg& comparison) {
            QVERIFY(comparison.viewOnly());
            QVERIFY(comparison.rowOf("m_base.m_switchRPM") != nullptr);
            shown.push_back("compared");
        });
        QVERIFY(!dialog.compareButton()->isEnabled());
        dialog.tree()->topLevelItem(0)->setSelected(true);
        QVERIFY(!dialog.compareButton()->isEnabled());
        // A row inside a visit cannot be picked as a visit.
        dialog.tree()->topLevelItem(1)->child(0)->setSelected(true);
        QVERIFY(!dialog.compareButton()->isEnabled());
        dialog.tree()->topLevelItem(2)->setSelected(true);
        QVERIFY(dialog.compareButton()->isEnabled());
        dialog.compareButton()->click();
        QCOMPARE(shown.size(), std::size_t(1));
        QVERIFY(m_prompt.entries().empty());
    }

    void aDamagedDayIsNamedAndTheRestStillShown() {
        std::ofstream(data() + "/history/GAS1/20240318.visit", std::ios::app) << "junk\n";
        CVehicleHistoryDlg dialog(data(), "GAS1", m_seams);
        QCOMPARE(dialog.tree()->topLevelItemCount(), 3);
        QVERIFY(!dialog.damagedNote()->isHidden());
        QVERIFY(dialog.damagedNote()->text().contains(QStringLiteral("20240318.visit")));
        // The day's backup still shows the visit.
        QCOMPARE(dialog.tree()->topLevelItem(0)->childCount(), 1);
    }
};

QTEST_MAIN(VehicleHistoryTest)
#include "VehicleHistoryTest.moc"
