#include "maps/ProposalGrid.h"

#include "maps/ProposalCellView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {
QColor qcolour(const SRgb& c) {
    return QColor(c.r, c.g, c.b);
}
} // namespace

CProposalGrid::CProposalGrid(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
    setMouseTracking(false);
}

QSize CProposalGrid::sizeHint() const {
    return {kHeaderWidth + vexor::kMapColumnCount * kCellWidth + 1,
            kRowHeight * (vexor::kMapRowCount + 1) + 1};
}

void CProposalGrid::setProposal(const vexor::SMapProposal& proposal) {
    m_proposal = proposal;
    update();
}

QRect CProposalGrid::cellRect(SCellIndex cell) const {
    return {kHeaderWidth + cell.column * kCellWidth, kRowHeight * (cell.row + 1), kCellWidth,
            kRowHeight};
}

std::optional<SCellIndex> CProposalGrid::cellAt(const QPoint& p) const {
    const int column = (p.x() - kHeaderWidth) / kCellWidth;
    const int row = p.y() / kRowHeight - 1;
    if (p.x() < kHeaderWidth || row < 0 || row >= vexor::kMapRowCount || column < 0 ||
        column >= vexor::kMapColumnCount)
        return std::nullopt;
    return SCellIndex{row, column};
}

std::optional<vexor::SCellBlock> CProposalGrid::selection() const {
    if (!m_anchor || !m_end)
        return std::nullopt;
    const int row = std::min(m_anchor->row, m_end->row);
    const int column = std::min(m_anchor->column, m_end->column);
    return vexor::SCellBlock{row, column, std::abs(m_anchor->row - m_end->row) + 1,
                             std::abs(m_anchor->column - m_end->column) + 1};
}

void CProposalGrid::select(SCellIndex from, SCellIndex to) {
    m_anchor = from;
    m_end = to;
    update();
    emit selectionChanged();
}

void CProposalGrid::mousePressEvent(QMouseEvent* event) {
    if (const auto cell = cellAt(event->position().toPoint()))
        select(*cell, *cell);
}

void CProposalGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!m_anchor || !(event->buttons() & Qt::LeftButton))
        return;
    if (const auto cell = cellAt(event->position().toPoint()); cell && cell != m_end)
        select(*m_anchor, *cell);
}

bool CProposalGrid::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const auto cell = cellAt(help->pos()))
            QToolTip::showText(help->globalPos(),
                               QString::fromStdString(vexor::proposalCellTip(m_proposal.at(*cell))),
                               this, cellRect(*cell));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void CProposalGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QColor header = qcolour(vexor::kMapHeaderBackground);
    const QColor border = qcolour(vexor::kMapBorder);
    p.setPen(border);
    const QRect corner(0, 0, kHeaderWidth, kRowHeight);
    p.fillRect(corner, header);
    p.drawRect(corner);
    p.setPen(Qt::black);
    p.drawText(corner, Qt::AlignCenter, QString::fromLatin1(vexor::kMapCornerLabel));
    for (int c = 0; c < vexor::kMapColumnCount; ++c) {
        const QRect r(kHeaderWidth + c * kCellWidth, 0, kCellWidth, kRowHeight);
        p.fillRect(r, header);
        p.setPen(border);
        p.drawRect(r);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::fromStdString(vexor::mapColumnLabel(c)));
    }
    const std::optional<vexor::SCellBlock> selected = selection();
    for (int row = 0; row < vexor::kMapRowCount; ++row) {
        const QRect r(0, kRowHeight * (row + 1), kHeaderWidth, kRowHeight);
        p.fillRect(r, header);
        p.setPen(border);
        p.drawRect(r);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::fromStdString(vexor::mapRowLabel(row)));
        for (int col = 0; col < vexor::kMapColumnCount; ++col) {
            const SCellIndex index{row, col};
            const vexor::SProposalCellInfo& cell = m_proposal.at(index);
            const QRect box = cellRect(index);
            p.fillRect(box, qcolour(vexor::proposalChangeColour(cell.proposed - cell.current)));
            if (cell.state == vexor::ProposalCell::TooFew)
                p.fillRect(box, QBrush(QColor(150, 150, 150), Qt::BDiagPattern));
            else if (cell.state == vexor::ProposalCell::LeftOut)
                p.fillRect(box, QBrush(QColor(110, 110, 110), Qt::DiagCrossPattern));
            p.setPen(border);
            p.drawRect(box);
            if (cell.state == vexor::ProposalCell::Locked) {
                p.setPen(QPen(QColor(60, 60, 60), 3));
                p.drawRect(box.adjusted(2, 2, -2, -2));
            }
            const bool inSelection =
                selected && row >= selected->row && row < selected->row + selected->rows &&
                col >= selected->column && col < selected->column + selected->columns;
            if (inSelection) {
                p.setPen(QPen(qcolour(vexor::kMapSelection), 2));
                p.drawRect(box.adjusted(1, 1, -1, -1));
            }
            p.setPen(Qt::black);
            QFont font = p.font();
            font.setBold(cell.state == vexor::ProposalCell::Changed);
            p.setFont(font);
            p.drawText(box, Qt::AlignCenter, QString::fromStdString(vexor::proposalCellText(cell)));
        }
    }
}
