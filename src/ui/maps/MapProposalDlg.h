#pragma once

#include "maps/MapProposal.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

class CMapEditor;
class CProposalGrid;
class IDocumentPort;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
struct Seams;

// "Zaproponuj mapę z jazd": the injection map proposed from a drive on
// petrol and one on gas (recordings, or this connection's own drive),
// previewed on a grid. The fitter leaves out or locks cells, sets the
// tuner's choices and applies it: the controller is backed up, the map goes
// out as the grid sends a map, and the grid's Undo takes it back whole.
class CMapProposalDlg : public QDialog {
    Q_OBJECT
public:
    // Which recordings to read; empty: none. The default asks with a file
    // dialog.
    using RecordingChooser = std::function<QStringList()>;
    // The entry on the map and calibration pages.
    static constexpr const char* kMenuText = "Zaproponuj mapę z jazd...";

    CMapProposalDlg(IDocumentPort& doc, CMapEditor& editor, const Seams& seams,
                    QWidget* parent = nullptr);

    // From the map or calibration page: the service password first, then the
    // dialog, modal.
    static void run(IDocumentPort& doc, CMapEditor& editor, const Seams& seams, QWidget* parent);

    void setRecordingChooser(RecordingChooser chooser) { m_chooser = std::move(chooser); }

    // The buttons' handlers, callable by tests as a click would.
    void onAddRecordings();
    void onThisDrive();
    void onLeaveOut();
    void onLock();
    void onApply();
    // Proposes again from what is loaded and the options shown.
    void refresh();

    CProposalGrid* grid() const { return m_grid; }
    QSpinBox* maxChangeBox() const { return m_maxChange; }
    QSpinBox* minSamplesBox() const { return m_minSamples; }
    QCheckBox* neighboursBox() const { return m_neighbours; }
    QCheckBox* liveBox() const { return m_live; }
    QPushButton* applyButton() const { return m_apply; }
    const vexor::SProposalOptions& options() const { return m_options; }

private:
    void toggle(std::array<std::array<bool, vexor::kMapColumnCount>, vexor::kMapRowCount>& cells);
    QString text(const char* polish) const;

    IDocumentPort& m_doc;
    CMapEditor& m_editor;
    const Seams& m_seams;
    RecordingChooser m_chooser;
    vexor::CMapProposal m_proposal;
    vexor::SProposalOptions m_options;
    // Recordings read; "this drive" is taken afresh on every refresh while live.
    std::vector<vexor::DriveRun> m_files;
    bool m_thisDrive = false;

    CProposalGrid* m_grid;
    QLabel* m_summary;
    QSpinBox* m_minSamples;
    QSpinBox* m_maxChange;
    QSpinBox* m_resistance;
    QDoubleSpinBox* m_settled;
    QDoubleSpinBox* m_afterSwitch;
    QCheckBox* m_neighbours;
    QCheckBox* m_lambdaRails;
    QCheckBox* m_live;
    QPushButton* m_apply;
    QTimer m_liveTimer;
};
