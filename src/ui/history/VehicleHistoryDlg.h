#pragma once

#include "history/VehicleHistory.h"
#include "platform/Seams.h"

#include <QDialog>

#include <functional>
#include <string>

class CLoadCompareDlg;
class QLabel;
class QPushButton;
class QTreeWidget;

// "Historia pojazdu": a car's visits newest first, each with what was found
// and done (faults, trouble codes, backups, job sheets, the settings
// changed), and "compare these two visits" for two visits picked together:
// the settings as the car came in on each, compared as a settings load
// shows them.
class CVehicleHistoryDlg : public QDialog {
    Q_OBJECT
public:
    // serial: the controller's (all controllers when empty).
    CVehicleHistoryDlg(const std::string& dataFolder, const std::string& serial, const Seams& seams,
                       QWidget* parent = nullptr);

    // How a comparison is shown; modal by default, replaced in tests.
    using Show = std::function<void(CLoadCompareDlg& comparison)>;
    void setShow(Show show) { m_show = std::move(show); }

    QTreeWidget* tree() const { return m_tree; }
    QPushButton* compareButton() const { return m_compare; }
    QLabel* damagedNote() const { return m_damaged; }
    const SVehicleHistory& history() const { return m_history; }

    void OnCompare();

private:
    void fill();
    void updateButtons();

    SVehicleHistory m_history;
    Seams m_seams;
    Show m_show;
    QTreeWidget* m_tree = nullptr;
    QPushButton* m_compare = nullptr;
    QLabel* m_damaged = nullptr;
};
