#include "maps/MapGrid.h"

#include "controls/CtrlId.h"
#include "device/LPGDevice.h"
#include "lang/Language.h"
#include "maps/MapCellText.h"
#include "maps/MapCtrlIds.h"
#include "maps/MapFormat.h"
#include "maps/MapLayout.h"
#include "maps/MapMenu.h"
#include "maps/MapValueDlg.h"

#include <QContextMenuEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

using vexor::MapOp;

namespace {

QColor qcolor(SRgb c) {
    return QColor(c.r, c.g, c.b);
}

QRect qrect(const SRect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

} // namespace

CMapGrid::CMapGrid(QWidget* parent)
    : QWidget(parent), m_offline(std::make_unique<CLPGDevice>()), m_menuId(vexor::kMapMenuPolish),
      m_cellEdit(new QLineEdit(this)) {
    vexor::setCtrlId(this, vexor::ids::kMapGrid);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click into the grid gives it the keyboard, for Page Up / Page Down.
    setFocusPolicy(Qt::ClickFocus);
    setCursor(Qt::ArrowCursor);
    setFixedSize(sizeHint());
    vexor::setCtrlId(m_cellEdit, vexor::ids::kMapCellEditor);
    m_cellEdit->setValidator(new QIntValidator(-999, 999, m_cellEdit));
    m_cellEdit->setAlignment(Qt::AlignCenter);
    m_cellEdit->setFrame(false);
    m_cellEdit->hide();
    m_cellEdit->installEventFilter(this);
    setDevice(nullptr);
}

CMapGrid::~CMapGrid() = default;

void CMapGrid::setDevice(CLPGDevice* device) {
    CLPGDevice& target = device != nullptr ? *device : *m_offline;
    m_editor = std::make_unique<CMapEditor>(m_model, target);
}

QSize CMapGrid::sizeHint() const {
    return {m_model.geometry().width() + 1, m_model.geometry().height() + 1};
}

QRect CMapGrid::cellRect(SCellIndex cell) const {
    return qrect(m_model.geometry().cellRect(cell));
}

void CMapGrid::setCellValue(int column, int row, double value) {
    m_model.setCellValue({row, column}, value);
    update(cellRect({row, column}));
}

double CMapGrid::cellValue(int column, int row) const {
    return m_model.cellValue({row, column});
}

void CMapGrid::clearAll() {
    m_model.clearAll();
    update();
}

void CMapGrid::livePointMoved(SCellIndex previous) {
    update(cellRect(previous));
    update(cellRect(m_model.livePoint()));
}

void CMapGrid::repaintCells(const std::vector<SCellIndex>& cells) {
    for (const SCellIndex& cell : cells)
        update(cellRect(cell));
}

void CMapGrid::repaintSelection() {
    repaintCells(m_model.selection().cells());
}

void CMapGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, palette().window());
    const SMapGeometry& g = m_model.geometry();
    QFont font = painter.font();
    painter.setFont(font);

    auto drawCell = [&](const SRect& rect, SRgb fill, const QString& text) {
        const QRect r = qrect(rect);
        if (!r.intersects(area))
            return;
        painter.fillRect(r, qcolor(fill));
        painter.setPen(qcolor(vexor::kMapBorder));
        painter.drawRect(r);
        painter.setPen(qcolor(vexor::kMapText));
        painter.drawText(r, Qt::AlignCenter, text);
    };

    drawCell(g.cornerRect(), vexor::kMapHeaderBackground,
             QString::fromLatin1(vexor::kMapCornerLabel));
    for (int c = 0; c < vexor::kMapColumnCount; ++c)
        drawCell(g.columnHeaderRect(c), vexor::kMapHeaderBackground,
                 QString::fromStdString(vexor::mapColumnLabel(c)));
    for (int r = 0; r < vexor::kMapRowCount; ++r)
        drawCell(g.rowHeaderRect(r), vexor::kMapHeaderBackground,
                 QString::fromStdString(vexor::mapRowLabel(r)));
    for (int r = 0; r < vexor::kMapRowCount; ++r) {
        for (int c = 0; c < vexor::kMapColumnCount; ++c) {
            const SCellIndex cell{r, c};
            drawCell(g.cellRect(cell), m_model.cellFill(cell),
                     QString::fromStdString(m_model.cellText(cell)));
        }
    }
    if (m_model.markerShown()) {
        const SRect r = g.cellRect(m_model.livePoint());
        if (qrect(r).intersects(area)) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(qcolor(vexor::kMapMarker), vexor::kMapMarkerPenWidth));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(
                QRect(QPoint(r.left + vexor::kMapMarkerInset, r.top + vexor::kMapMarkerInset),
                      QPoint(r.left + vexor::kMapMarkerExtent, r.top + vexor::kMapMarkerExtent)));
        }
    }
}

void CMapGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (m_editing)
        commitEdit();
    const QPoint p = event->position().toPoint();
    repaintCells(m_model.selection().press(m_model.geometry(), p.x(), p.y()));
}

void CMapGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint p = event->position().toPoint();
    repaintCells(m_model.selection().drag(m_model.geometry(), p.x(), p.y()));
}

void CMapGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (const auto cell = m_model.geometry().cellAt(p.x(), p.y()))
        editCell(*cell);
}

void CMapGrid::keyPressEvent(QKeyEvent* event) {
    // Page Up / Page Down act once, when the key is let go.
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CMapGrid::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_PageUp)
        incrementSelected(1);
    else if (event->key() == Qt::Key_PageDown)
        incrementSelected(-1);
    else
        QWidget::keyReleaseEvent(event);
}

QMenu* CMapGrid::createMenu(QWidget* parent) {
    const vexor::SMapMenuStrings texts = vexor::mapMenuStrings(m_menuId, vexor::currentLanguage());
    auto* menu = new QMenu(QString::fromStdString(texts.popup), parent);
    auto addItem = [&](const std::string& text, int id, void (CMapGrid::*slot)()) {
        QAction* action = menu->addAction(QString::fromStdString(text));
        vexor::setCtrlId(action, id);
        connect(action, &QAction::triggered, this, slot);
    };
    addItem(texts.add, vexor::kCmdMapAdd, &CMapGrid::onMapAdd);
    addItem(texts.subtract, vexor::kCmdMapSubb, &CMapGrid::onMapSubb);
    addItem(texts.set, vexor::kCmdMapSet, &CMapGrid::onMapSet);
    menu->addSeparator();
    addItem(texts.clear, vexor::kCmdMapClear, &CMapGrid::onMapClear);
    return menu;
}

void CMapGrid::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createMenu(this);
    menu->exec(event->globalPos());
    delete menu;
}

std::optional<int> CMapGrid::askValue(MapOp op) {
    if (m_asker)
        return m_asker(op);
    const CMapValueDlg::Kind kind = op == MapOp::Add        ? CMapValueDlg::Kind::Add
                                    : op == MapOp::Subtract ? CMapValueDlg::Kind::Subtract
                                                            : CMapValueDlg::Kind::Set;
    CMapValueDlg dialog(kind, m_seams, this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.value();
}

void CMapGrid::onMapAdd() {
    if (!m_model.selection().any())
        return;
    if (const auto amount = askValue(MapOp::Add)) {
        m_editor->onMapAdd(*amount);
        repaintSelection();
    }
}

void CMapGrid::onMapSubb() {
    if (!m_model.selection().any())
        return;
    if (const auto amount = askValue(MapOp::Subtract)) {
        m_editor->onMapSubb(*amount);
        repaintSelection();
    }
}

void CMapGrid::onMapSet() {
    if (!m_model.selection().any())
        return;
    if (const auto value = askValue(MapOp::Set)) {
        m_editor->onMapSet(vexor::acceptMapSetValue(*value));
        repaintSelection();
    }
}

void CMapGrid::onMapClear() {
    m_editor->onMapClear();
    repaintSelection();
}

void CMapGrid::incrementSelected(int step) {
    m_editor->incrementSelected(step);
    repaintSelection();
}

void CMapGrid::editCell(SCellIndex cell) {
    if (m_editing)
        commitEdit();
    m_editing = cell;
    const QRect r = cellRect(cell).adjusted(1, 1, 0, 0);
    m_cellEdit->setGeometry(r);
    const std::string& text = m_model.cellText(cell);
    m_cellEdit->setText(text.empty() ? QString() : QString::number(vexor::leadingInt(text)));
    m_cellEdit->show();
    m_cellEdit->selectAll();
    m_cellEdit->setFocus();
}

void CMapGrid::commitEdit() {
    if (!m_editing)
        return;
    const SCellIndex cell = *m_editing;
    // Cleared first: the editor losing the focus while it hides must not
    // commit a second time.
    m_editing.reset();
    const std::string typed = m_cellEdit->text().toStdString();
    m_cellEdit->hide();
    m_editor->commitCellEdit(cell, typed);
    update(cellRect(cell));
}

void CMapGrid::cancelEdit() {
    if (!m_editing)
        return;
    const SCellIndex cell = *m_editing;
    m_editing.reset();
    m_cellEdit->setText(QString::fromStdString(m_model.cellText(cell)));
    m_cellEdit->hide();
    setFocus();
}

bool CMapGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_cellEdit) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                commitEdit();
                setFocus();
                return true;
            }
            if (key == Qt::Key_Escape) {
                cancelEdit();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            commitEdit();
        }
    }
    return QWidget::eventFilter(watched, event);
}
