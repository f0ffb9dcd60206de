#include "controls/ValueCmbBox.h"
#include "controls/StrValueCmbBox.h"
#include "lang/Language.h"

#include <QSignalSpy>
#include <QTest>

class ValueCmbBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vexor::setCurrentLanguage(vexor::kLangPolish); }

    void numbersShowTheirPrecisionRoundedHalvesAwayFromZero() {
        QCOMPARE(CValueCmbBox::formatNumber(2.5, 0), QStringLiteral("3"));
        QCOMPARE(CValueCmbBox::formatNumber(-2.5, 0), QStringLiteral("-3"));
        QCOMPARE(CValueCmbBox::formatNumber(0.25, 1), QStringLiteral("0.3"));
        QCOMPARE(CValueCmbBox::formatNumber(1.005, 2), QStringLiteral("1.00"));
        QCOMPARE(CValueCmbBox::formatNumber(-1.2345, 3), QStringLiteral("-1.235"));
    }

    void rangeBuiltByRepeatedAdditionKeepsItsLastEntry() {
        CValueCmbBox box;
        box.addRange(0.0, 5.0, 0.1, 1);
        QCOMPARE(box.entryCount(), 51);
        QCOMPARE(box.itemText(50), QStringLiteral("5.0"));
        QVERIFY(box.valueAt(50) < 5.0);
        // The image's 0.3 finds the entry built as 0.1 + 0.1 + 0.1.
        QVERIFY(box.selectValue(0.3));
        QCOMPARE(box.currentIndex(), 3);
        QVERIFY(box.selectValue(5.0));
        QCOMPARE(box.currentIndex(), 50);
    }

    void selectingAnUnknownValueKeepsTheSelectionAndNothingSelectedReadsMinusOne() {
        CValueCmbBox box;
        QCOMPARE(box.selectedValue(), -1.0);
        box.addText(QStringLiteral("5 V"), 1);
        box.addText(QStringLiteral("12 V"), 0);
        box.addText(QStringLiteral("again 5 V"), 1);
        QVERIFY(box.selectValue(1));
        QCOMPARE(box.currentIndex(), 0);
        QVERIFY(!box.selectValue(7));
        QCOMPARE(box.currentIndex(), 0);
        QCOMPARE(box.selectedValue(), 1.0);
        box.setCurrentIndex(-1);
        QCOMPARE(box.selectedValue(), -1.0);
    }

    void refillKeepsTheIndexAndSendsNoSignal() {
        CValueCmbBox box;
        box.addRange(1, 3, 1, 0);
        box.setCurrentIndex(2);
        QSignalSpy changed(&box, &QComboBox::currentIndexChanged);
        box.setEntries({CValueCmbBox::textEntry(QStringLiteral("a"), 10),
                        CValueCmbBox::textEntry(QStringLiteral("b"), 20),
                        CValueCmbBox::textEntry(QStringLiteral("c"), 30)});
        QCOMPARE(box.currentIndex(), 2);
        QCOMPARE(box.selectedValue(), 30.0);
        box.setEntries({CValueCmbBox::textEntry(QStringLiteral("a"), 10)});
        QCOMPARE(box.currentIndex(), -1);
        QCOMPARE(changed.count(), 0);
    }

    // A value the list lacks is shown as itself, formatted like the list;
    // only a real pick is reported, and it or a refill removes the mark.
    void valueMissingFromTheListIsShownLikeTheListAndIsNoChoice() {
        CValueCmbBox box;
        box.addRange(1, 40, 1, 1);
        QSignalSpy picks(&box, &CValueCmbBox::picked);
        QVERIFY(!box.showValue(41.25));
        QCOMPARE(box.currentText(), QStringLiteral("41.3 (poza listą)"));
        emit box.activated(box.entryCount());
        box.setCurrentIndex(2);
        emit box.activated(2);
        QCOMPARE(picks.count(), 1);
        QCOMPARE(box.count(), box.entryCount());
        box.setEntries({CValueCmbBox::textEntry(QStringLiteral("MATRIX"), 4)});
        QVERIFY(!box.showValue(7));
        QCOMPARE(box.currentText(), QStringLiteral("7 (poza listą)"));
        box.setEntries({CValueCmbBox::textEntry(QStringLiteral("MATRIX"), 4)});
        QVERIFY(!box.hasOffListEntry());
    }

    void textTwinSelectsTheFirstExactValue() {
        CStrValueCmbBox box;
        box.addEntry(QStringLiteral("Polski"), QStringLiteral("pl"));
        box.addEntry(QStringLiteral("English"), QStringLiteral("en"));
        box.addEntry(QStringLiteral("en"));
        QVERIFY(box.selectValue(QStringLiteral("en")));
        QCOMPARE(box.currentIndex(), 1);
        QVERIFY(!box.selectValue(QStringLiteral("EN")));
        QCOMPARE(box.selectedValue(), QStringLiteral("en"));
        box.setEntries({{QStringLiteral("x"), QStringLiteral("1")}});
        QCOMPARE(box.selectedValue(), QString());
    }
};

QTEST_MAIN(ValueCmbBoxTest)
#include "ValueCmbBoxTest.moc"
