#pragma once

#include <QComboBox>
#include <QString>

#include <vector>

// The text-valued twin of CValueCmbBox: each entry shows a text and carries a
// text value; selecting by value picks the first entry with exactly that value.
class CStrValueCmbBox : public QComboBox {
    Q_OBJECT
public:
    struct SEntry {
        QString text;
        QString value;
    };

    explicit CStrValueCmbBox(QWidget* parent = nullptr);

    // An entry whose value is its own text.
    int addEntry(const QString& text);
    int addEntry(const QString& text, const QString& value);

    // Replaces every entry and keeps the index of the previous selection
    // (nothing selected when the new list is shorter). Emits no signals.
    void setEntries(const std::vector<SEntry>& entries);
    void clearEntries();

    // Selects the first entry carrying the value; returns false and leaves the
    // selection as it was when none does. Emits no signals.
    bool selectValue(const QString& value);
    // The value of the selected entry, or an empty text when none is selected.
    QString selectedValue() const;
    QString valueAt(int index) const;
    int entryCount() const { return static_cast<int>(m_entries.size()); }

private:
    std::vector<SEntry> m_entries;
};
