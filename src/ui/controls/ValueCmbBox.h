#pragma once

#include <QComboBox>
#include <QString>

#include <vector>

// A combo box whose entries carry a text and a number. Number entries show
// the value formatted by their precision; selecting by value compares at
// that precision, so a value that picked up binary noise on its way through
// a conversion still finds its entry.
class CValueCmbBox : public QComboBox {
    Q_OBJECT
public:
    // Precision of an entry that was given its own text: its value is
    // compared as it is.
    static constexpr int kTextPrecision = -1;

    struct SEntry {
        QString text;
        double value = 0.0;
        int precision = kTextPrecision;
    };

    explicit CValueCmbBox(QWidget* parent = nullptr);

    // An entry with a text of its own.
    static SEntry textEntry(const QString& text, double value);
    // An entry showing the value: "%d", "%.1f", "%.2f" or "%.3f" for
    // precision 0..3 (values rounded halves away from zero).
    static SEntry numberEntry(double value, int precision);
    // The text a number entry shows.
    static QString formatNumber(double value, int precision);

    int addText(const QString& text, double value);
    int addNumber(double value, int precision);
    // from, from + step, ... while the value stays at or below to (plus half
    // a step's rounding slack); the values are built by repeated addition.
    void addRange(double from, double to, double step, int precision);

    // Replaces every entry and keeps the index of the previous selection
    // (nothing selected when the new list is shorter). Emits no signals.
    void setEntries(const std::vector<SEntry>& entries);
    void clearEntries();

    // Selects the first entry whose value, at the entry's precision, equals
    // the given value at that precision; returns false and leaves the
    // selection as it was when no entry matches. Emits no signals.
    bool selectValue(double value);
    // For a value the controller holds: selects its entry like selectValue;
    // when no entry carries it, shows the value itself in an extra entry at
    // the end, marked as not in the list (text: instead of the number), and
    // selects that. The extra entry is no choice: picking it writes nothing,
    // and it goes away at the next refill or when a real entry is picked.
    // Returns true when a real entry was selected. Emits no signals.
    bool showValue(double value, const QString& text = QString());
    // Whether the extra entry of showValue is there, and selected.
    bool hasOffListEntry() const { return m_offList; }
    bool offListShown() const { return m_offList && currentIndex() == entryCount(); }
    // The value of the selected entry, or -1 when none is selected (the
    // extra entry of showValue counts as none).
    double selectedValue() const;
    double valueAt(int index) const;
    int precisionAt(int index) const;
    int entryCount() const { return static_cast<int>(m_entries.size()); }

signals:
    // The user chose a real entry (never the extra one of showValue). Pages
    // take their writes from this rather than from activated().
    void picked(int index);

private:
    int append(const SEntry& entry);
    void removeOffListEntry();
    void onActivated(int index);

    std::vector<SEntry> m_entries;
    bool m_offList = false;
};
