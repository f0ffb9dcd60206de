#include "common/IError.h"
#include "common/Rounding.h"
#include "controls/CtrlId.h"
#include "controls/LambdaBar.h"
#include "controls/UpDownCtrl.h"
#include "device/RSError.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "maps/InjSizeCalcDlg.h"
#include "maps/MainCorrDlg.h"
#include "maps/MapCtrlIds.h"
#include "maps/autocal/LPGDeviceLink.h"
#include "platform/PortTable.h"
#include "support/RecordingPrompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <vector>

#ifdef VEXOR_UI_TESTS_HAVE_SIM
#include "SimServer.h"
#endif

using namespace vexor;
using Spin = CMainCorrEditor::Spin;

namespace {

// The main corrections of a scripted controller: records every write with the
// values written, refuses or throws on request.
class CScriptedMainCorr : public IMainCorrDevice {
public:
    DeviceSettings image;
    bool connected = true;
    bool accept = true;
    bool throwPortError = false;
    std::vector<std::array<double, 8>> writes;

    DeviceSettings& settings() override { return image; }
    bool isConnected() const override { return connected; }
    bool writeMainCorr() override {
        if (throwPortError)
            throw new CRSError(CRSError::kCantReadWrite, "writeMainCorr", __LINE__, __FILE__);
        writes.push_back(image.m_mainCorr.m_mainCorr);
        return accept;
    }
};

} // namespace

// The main correction dialog, the nozzle calculator and the lambda display.
class CorrToolsTest : public QObject {
    Q_OBJECT

private:
    CScriptedMainCorr m_device;
    CRecordingPrompt m_prompt;
    Seams m_seams;

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_device = CScriptedMainCorr{};
        m_device.image.m_devInfo.m_injCount = 4;
        m_device.image.m_mainCorr.m_mainCorr = {5.95, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
        m_prompt.clear();
        m_seams = Seams{};
        m_seams.prompt = &m_prompt;
    }

    void mainCorrOpensWithTheEnginesRowsAndOnlyTheFirstRowsControlsForAll() {
        CMainCorrDlg dialog(m_device, m_seams);
        dialog.show();
        QCOMPARE(dialog.field(0)->text(), QStringLiteral("5.95"));
        QCOMPARE(dialog.field(1)->text(), QStringLiteral("1.00"));
        QVERIFY(dialog.field(3)->isVisible());
        QVERIFY(!dialog.field(4)->isVisible());
        QVERIFY(dialog.changeAllBox()->isChecked());
        QVERIFY(dialog.fineSpin(0)->isEnabled());
        QVERIFY(!dialog.fineSpin(1)->isEnabled());
        dialog.changeAllBox()->setChecked(false);
        QVERIFY(dialog.coarseSpin(2)->isEnabled());
        QCOMPARE(ctrlId(dialog.field(1)), 1223);
        QCOMPARE(ctrlId(dialog.coarseSpin(7)), 1243);
    }

    void mainCorrStepsStayInRangeAndWriteEveryField() {
        CMainCorrDlg dialog(m_device, m_seams);
        // Upper arrow of the 0.1 ms control: 6.05 would leave the range.
        emit dialog.coarseSpin(0)->deltaPos(-1);
        QVERIFY(m_device.writes.empty());
        QCOMPARE(dialog.field(0)->text(), QStringLiteral("5.95"));
        // The upper arrow is a real click on the control's button.
        QTest::mouseClick(dialog.fineSpin(0)->upButton(), Qt::LeftButton);
        QCOMPARE(dialog.field(0)->text(), QStringLiteral("5.96"));
        QCOMPARE(dialog.field(7)->text(), QStringLiteral("5.96"));
        QCOMPARE(m_device.writes.size(), size_t(1));
        QCOMPARE(m_device.writes[0][3], 5.96);

        dialog.changeAllBox()->setChecked(false);
        dialog.field(2)->setText(QStringLiteral("2.50"));
        dialog.onDeltaSpinMainCorr(1, 1, Spin::Coarse);
        QCOMPARE(dialog.field(1)->text(), QStringLiteral("5.86"));
        QCOMPARE(dialog.field(0)->text(), QStringLiteral("5.96"));
        QCOMPARE(m_device.writes.back()[2], 2.5);
        QVERIFY(m_prompt.entries().empty());
    }

    void mainCorrReportsARefusalAndAPortErrorUnderItsName() {
        CMainCorrDlg dialog(m_device, m_seams);
        m_device.accept = false;
        dialog.onDeltaSpinMainCorr(0, 1, Spin::Fine);
        QCOMPARE(m_prompt.messages(),
                 std::vector<std::string>{"Nie powiodło się ustawienie urządzenia!"});
        QCOMPARE(m_prompt.entries().back().icon, IUserPrompt::Icon::Error);
        m_prompt.clear();
        m_device.throwPortError = true;
        dialog.onDeltaSpinMainCorr(0, 1, Spin::Fine);
        QCOMPARE(m_prompt.messages().size(), size_t(1));
        QVERIFY(m_prompt.messages()[0].rfind("CMainCorrDlg::onDeltaSpinMainCorr()\n", 0) == 0);
    }

#ifdef VEXOR_UI_TESTS_HAVE_SIM
    // A value typed into a field and confirmed with OK reaches the controller
    // (read back from it), also when no up-down control was touched.
    void mainCorrTypedValueIsWrittenOnOk() {
        CSimServer server;
        server.start();
        setCurrentPortTable({server.slavePath()});
        QTemporaryDir folders;
        CKorvantisDoc doc;
        doc.setConfigFolder(folders.filePath(QStringLiteral("c")).toStdString());
        doc.setDataFolder(folders.filePath(QStringLiteral("d")).toStdString());
        doc.setSeams(m_seams);
        QVERIFY(doc.connectPort(1));
        CLPGDeviceLink link(doc);
        CMainCorrDlg dialog(link, m_seams);
        dialog.show();
        dialog.field(1)->selectAll();
        QTest::keyClicks(dialog.field(1), QStringLiteral("2.37"));
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        doc.settings().m_mainCorr.m_mainCorr.fill(0.0);
        QVERIFY(doc.readMainCorr());
        QCOMPARE(round2(doc.settings().m_mainCorr.m_mainCorr[1]), 2.37);
        QCOMPARE(round2(doc.settings().m_mainCorr.m_mainCorr[0]), 1.0);
        QVERIFY(m_prompt.entries().empty());
    }
#endif

    void mainCorrWithoutAControllerDisablesEveryControl() {
        m_device.connected = false;
        CMainCorrDlg dialog(m_device, m_seams);
        dialog.changeAllBox()->setChecked(false);
        for (int row = 0; row < 8; ++row)
            QVERIFY(!dialog.fineSpin(row)->isEnabled() && !dialog.coarseSpin(row)->isEnabled());
        dialog.onDeltaSpinMainCorr(0, -1, Spin::Fine);
        QVERIFY(m_device.writes.empty());
    }

    void mainCorrTextsInGerman() {
        setCurrentLanguage(kLangGerman);
        CMainCorrDlg dialog(m_device, m_seams);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Korrekturen"));
        QCOMPARE(dialog.changeAllBox()->text(), QString::fromUtf8("Änderung für alle"));
        QCOMPARE(findCtrl<QGroupBox>(&dialog, ids::kMainCorrGroup)->title(),
                 QString::fromUtf8("Korrektur für Zylinder"));
    }

    void nozzleSizeFollowsTheTypeAndTheModule() {
        CInjSizeCalcDlg lpg(false);
        QCOMPARE(lpg.power()->text(), QStringLiteral("100"));
        lpg.cylinders()->setCurrentIndex(lpg.cylinders()->findData(4));
        lpg.OnBtnCalc();
        QCOMPARE(lpg.result()->text(), QStringLiteral("2.6"));
        lpg.injectionType()->setCurrentIndex(2);
        QTest::mouseClick(lpg.calcButton(), Qt::LeftButton);
        QCOMPARE(lpg.result()->text(), QStringLiteral("2.4"));

        CInjSizeCalcDlg cng(true);
        cng.cylinders()->setCurrentIndex(cng.cylinders()->findData(4));
        cng.OnBtnCalc();
        QCOMPARE(cng.result()->text(), QStringLiteral("2.1"));
        cng.injectionType()->setCurrentIndex(2);
        cng.OnBtnCalc();
        QCOMPARE(cng.result()->text(), QStringLiteral("1.9"));
    }

    void nozzlePowerSpinKeepsItsLimitsButATypedPowerIsUsedAsTyped() {
        CInjSizeCalcDlg dialog(false);
        dialog.power()->setText(QStringLiteral("500"));
        emit dialog.powerSpin()->deltaPos(-1);
        QCOMPARE(dialog.power()->text(), QStringLiteral("500"));
        emit dialog.powerSpin()->deltaPos(1);
        QCOMPARE(dialog.power()->text(), QStringLiteral("499"));

        // 520 HP over 8 cylinders is 65 HP each: the last row, not 500's 62.
        dialog.power()->setText(QStringLiteral("520"));
        dialog.cylinders()->setCurrentIndex(dialog.cylinders()->findData(8));
        dialog.OnBtnCalc();
        QCOMPARE(dialog.result()->text(), QStringLiteral("4.1"));
    }

    void nozzleTextsAndTypeNamesInEnglish() {
        setCurrentLanguage(kLangEnglish);
        CInjSizeCalcDlg dialog(false);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Nozzle diameter calculation"));
        QCOMPARE(dialog.calcButton()->text(), QStringLiteral("Calculate"));
        QCOMPARE(findCtrl<QPushButton>(&dialog, ids::kDlgCancel)->text(), QStringLiteral("Close"));
        QCOMPARE(dialog.injectionType()->itemText(0), QStringLiteral("Sequential"));
    }

    void lambdaBarLightsTheSegmentOfTheTypeAndRepaintsOnlyOnChange() {
        CLambdaDisplay bar;
        bar.resize(180, 36);
        bar.setType(4);
        bar.setValue(0.0);
        QCOMPARE(bar.litSegment(), 8);
        bar.setValue(5.0);
        QCOMPARE(bar.litSegment(), 0);
        bar.setType(1);
        bar.setValue(0.5);
        QCOMPARE(bar.litSegment(), 4);
        QVERIFY(bar.segmentRect(0).right() < bar.segmentRect(1).left());
        QCOMPARE(bar.segmentRect(8).right(), bar.width() - 1);
        QCOMPARE(bar.segmentRect(4).bottom(), bar.height() * 2 / 3 - 1);
    }
};

QTEST_MAIN(CorrToolsTest)
#include "CorrToolsTest.moc"
