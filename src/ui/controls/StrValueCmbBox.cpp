#include "controls/StrValueCmbBox.h"

#include <QSignalBlocker>

CStrValueCmbBox::CStrValueCmbBox(QWidget* parent) : QComboBox(parent) {
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

int CStrValueCmbBox::addEntry(const QString& text) {
    return addEntry(text, text);
}

int CStrValueCmbBox::addEntry(const QString& text, const QString& value) {
    m_entries.push_back(SEntry{text, value});
    const QSignalBlocker blocker(this);
    addItem(text);
    return static_cast<int>(m_entries.size()) - 1;
}

void CStrValueCmbBox::setEntries(const std::vector<SEntry>& entries) {
    const int previous = currentIndex();
    const QSignalBlocker blocker(this);
    QComboBox::clear();
    m_entries = entries;
    for (const SEntry& entry : m_entries)
        addItem(entry.text);
    setCurrentIndex(previous < count() ? previous : -1);
}

void CStrValueCmbBox::clearEntries() {
    const QSignalBlocker blocker(this);
    QComboBox::clear();
    m_entries.clear();
}

bool CStrValueCmbBox::selectValue(const QString& value) {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].value == value) {
            const QSignalBlocker blocker(this);
            setCurrentIndex(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

QString CStrValueCmbBox::selectedValue() const {
    return valueAt(currentIndex());
}

QString CStrValueCmbBox::valueAt(int index) const {
    if (index < 0 || index >= entryCount())
        return QString();
    return m_entries[static_cast<std::size_t>(index)].value;
}
