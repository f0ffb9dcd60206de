#pragma once

#include "maps/MapProposal.h"
#include "maps/MapRegion.h"

#include <QWidget>

#include <optional>

// The proposed injection map as a preview: each cell shows its value, or
// "old → new" where the proposal changes it, filled by the change (red up,
// blue down), hatched where too few records were found, crossed out where
// the fitter left the cell out, framed thick where it is locked. The tool
// tip says what the cell rests on. A drag selects a rectangle of cells.
class CProposalGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeaderWidth = 50;
    static constexpr int kCellWidth = 58;
    static constexpr int kRowHeight = 22;

    explicit CProposalGrid(QWidget* parent = nullptr);

    void setProposal(const vexor::SMapProposal& proposal);
    const vexor::SMapProposal& proposal() const { return m_proposal; }

    // The selected rectangle (first corner, last corner), if any.
    std::optional<vexor::SCellBlock> selection() const;
    void select(SCellIndex from, SCellIndex to);
    QRect cellRect(SCellIndex cell) const;
    std::optional<SCellIndex> cellAt(const QPoint& point) const;

    QSize sizeHint() const override;

signals:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    vexor::SMapProposal m_proposal;
    std::optional<SCellIndex> m_anchor;
    std::optional<SCellIndex> m_end;
};
