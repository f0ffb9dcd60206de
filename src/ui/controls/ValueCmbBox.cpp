#include "controls/ValueCmbBox.h"

#include "common/Rounding.h"
#include "lang/Translate.h"

#include <QSignalBlocker>

#include <cmath>

namespace {

// Shown after a value the controller holds but the list does not offer.
constexpr const char* kOffListMarker = "(poza listą)";
constexpr const char* kOffListTip =
    "Sterownik ma tę wartość, ale nie ma jej na liście. Nic nie zostanie zapisane, dopóki nie "
    "wybierzesz pozycji z listy.";

QString tr8(const char* polish) {
    return QString::fromStdString(vexor::translate(polish));
}

double atPrecision(double value, int precision) {
    switch (precision) {
    case 0:
        return static_cast<double>(vexor::roundInt(value));
    case 1:
        return vexor::round1(value);
    case 2:
        return vexor::round2(value);
    case 3:
        return vexor::round3(value);
    default:
        return value;
    }
}

} // namespace

CValueCmbBox::CValueCmbBox(QWidget* parent) : QComboBox(parent) {
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::activated, this, &CValueCmbBox::onActivated);
}

CValueCmbBox::SEntry CValueCmbBox::textEntry(const QString& text, double value) {
    return SEntry{text, value, kTextPrecision};
}

CValueCmbBox::SEntry CValueCmbBox::numberEntry(double value, int precision) {
    return SEntry{formatNumber(value, precision), value, precision};
}

QString CValueCmbBox::formatNumber(double value, int precision) {
    switch (precision) {
    case 0:
        return QString::number(vexor::roundInt(value));
    case 1:
        return QString::asprintf("%.1f", vexor::round1(value));
    case 2:
        return QString::asprintf("%.2f", vexor::round2(value));
    case 3:
        return QString::asprintf("%.3f", vexor::round3(value));
    default:
        return QString::number(value);
    }
}

int CValueCmbBox::append(const SEntry& entry) {
    removeOffListEntry();
    m_entries.push_back(entry);
    const QSignalBlocker blocker(this);
    addItem(entry.text);
    return static_cast<int>(m_entries.size()) - 1;
}

int CValueCmbBox::addText(const QString& text, double value) {
    return append(textEntry(text, value));
}

int CValueCmbBox::addNumber(double value, int precision) {
    return append(numberEntry(value, precision));
}

void CValueCmbBox::addRange(double from, double to, double step, int precision) {
    if (step <= 0.0)
        return;
    const double slack = step / 2.0;
    for (double value = from; value <= to + slack; value += step) {
        // Stop before an entry that would show a number past the end.
        if (atPrecision(value, precision) > atPrecision(to, precision))
            break;
        addNumber(value, precision);
    }
}

void CValueCmbBox::setEntries(const std::vector<SEntry>& entries) {
    const int previous = currentIndex();
    const QSignalBlocker blocker(this);
    QComboBox::clear();
    m_offList = false;
    setToolTip(QString());
    m_entries = entries;
    for (const SEntry& entry : m_entries)
        addItem(entry.text);
    setCurrentIndex(previous < count() ? previous : -1);
}

void CValueCmbBox::clearEntries() {
    const QSignalBlocker blocker(this);
    QComboBox::clear();
    m_offList = false;
    setToolTip(QString());
    m_entries.clear();
}

bool CValueCmbBox::selectValue(double value) {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const SEntry& entry = m_entries[i];
        if (atPrecision(entry.value, entry.precision) == atPrecision(value, entry.precision)) {
            const QSignalBlocker blocker(this);
            setCurrentIndex(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

// The extra entry shows the number the way the list shows its numbers, so
// 0.8 in a list of "1.0", "2.0" ... reads "0.8", not "1".
bool CValueCmbBox::showValue(double value, const QString& text) {
    if (selectValue(value)) {
        removeOffListEntry();
        return true;
    }
    int precision = kTextPrecision;
    for (const SEntry& entry : m_entries) {
        if (entry.precision != kTextPrecision) {
            precision = entry.precision;
            break;
        }
    }
    // A list of named entries shows a whole number whole: "7", not "7.000".
    QString shown = text;
    if (shown.isEmpty())
        shown = precision == kTextPrecision ? QString::number(value, 'g', 6)
                                            : formatNumber(value, precision);
    const QString label = shown + QLatin1Char(' ') + tr8(kOffListMarker);
    const QSignalBlocker blocker(this);
    if (m_offList) {
        setItemText(entryCount(), label);
    } else {
        addItem(label);
        m_offList = true;
    }
    setItemData(entryCount(), tr8(kOffListTip), Qt::ToolTipRole);
    setToolTip(tr8(kOffListTip));
    setCurrentIndex(entryCount());
    return false;
}

void CValueCmbBox::removeOffListEntry() {
    if (!m_offList)
        return;
    const QSignalBlocker blocker(this);
    removeItem(entryCount());
    m_offList = false;
    setToolTip(QString());
}

void CValueCmbBox::onActivated(int index) {
    if (index < 0 || index >= entryCount())
        return;
    removeOffListEntry();
    emit picked(index);
}

double CValueCmbBox::selectedValue() const {
    return valueAt(currentIndex());
}

double CValueCmbBox::valueAt(int index) const {
    if (index < 0 || index >= entryCount())
        return -1.0;
    return m_entries[static_cast<std::size_t>(index)].value;
}

int CValueCmbBox::precisionAt(int index) const {
    if (index < 0 || index >= entryCount())
        return kTextPrecision;
    return m_entries[static_cast<std::size_t>(index)].precision;
}
