#pragma once

#include "settings/LoadPreview.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Shows what loading a settings file would change before anything is
// written: the differing settings grouped by page, each with its label, unit,
// the controller's value and the file's value in the words the pages use,
// every row ticked. The map's cells make one row with their count and a small
// picture of where they lie. Accepting means "write the ticked rows".
class CLoadCompareDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLoadCompareDlg(const std::vector<vexor::LoadChange>& changes,
                             QWidget* parent = nullptr);

    // The settings-file keys of the ticked rows (every cell for the map row).
    std::vector<std::string> tickedKeys() const;
    bool nothingDiffers() const { return m_changes.empty(); }
    // Only shows the differences: no ticks to write, no write button.
    void setViewOnly();
    bool viewOnly() const { return m_viewOnly; }

    QTreeWidget* tree() const { return m_tree; }
    QPushButton* writeButton() const { return m_write; }
    // The row of a key (the map row for a map cell); null when not listed.
    QTreeWidgetItem* rowOf(const std::string& key) const;

private:
    QTreeWidgetItem* pageItem(vexor::SettingPage page);
    void addMapRow(const std::vector<const vexor::LoadChange*>& cells);
    void updateWriteButton();
    // Opens wide enough for every column, within the screen.
    void fitToContent();

    std::vector<vexor::LoadChange> m_changes;
    QTreeWidget* m_tree = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_write = nullptr;
    bool m_viewOnly = false;
};
