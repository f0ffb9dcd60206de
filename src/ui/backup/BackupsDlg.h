#pragma once

#include "backup/BackupStore.h"

#include <QDialog>

#include <string>
#include <vector>

class QPushButton;
class QTableWidget;

// The automatic backups of one controller, newest first, with their time,
// reason and serial number. "Compare…" and "Restore…" close the dialog with
// the chosen backup; the caller compares or restores it.
class CBackupsDlg : public QDialog {
    Q_OBJECT
public:
    enum class Action { None, Compare, Restore };

    // serial: the controller's serial number; empty lists every controller.
    CBackupsDlg(const CBackupStore& store, const std::string& serial, QWidget* parent = nullptr);

    Action action() const { return m_action; }
    // The backup chosen with the action; empty id when none.
    const CBackupStore::SEntry& chosen() const { return m_chosen; }

    QTableWidget* table() const { return m_table; }
    QPushButton* compareButton() const { return m_compare; }
    QPushButton* restoreButton() const { return m_restore; }

    // The window text of a backup's reason ("load" -> the Polish phrase).
    static const char* reasonText(const std::string& reason);

private:
    void finish(Action action);

    std::vector<CBackupStore::SEntry> m_entries; // newest first, as listed
    QTableWidget* m_table = nullptr;
    QPushButton* m_compare = nullptr;
    QPushButton* m_restore = nullptr;
    Action m_action = Action::None;
    CBackupStore::SEntry m_chosen;
};
