#include "maps/MapGrid.h"

#include "controls/CtrlId.h"
#include "device/LPGDevice.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "maps/MapCellText.h"
#include "maps/MapCtrlIds.h"
#include "maps/MapFormat.h"
#include "maps/MapLayout.h"
#include "maps/MapMenu.h"
#include "maps/MapMessages.h"
#include "maps/MapValueDlg.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygonF>
#include <QToolTip>

#include <algorithm>

using vexor::MapOp;

namespace {

QColor qcolor(SRgb c) {
    return QColor(c.r, c.g, c.b);
}

QRect qrect(const SRect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QString tr8(const char* polish) {
    return QString::fromStdString(vexor::translate(polish));
}

// The trail: dark blue, fading with age; the heat overlay: violet, up to
// this opacity for a cell at full heat, so the value colour stays readable.
const QColor kTrailColour(20, 40, 150);
constexpr int kTrailWidth = 2;
constexpr std::size_t kTrailPiece = 10;
constexpr int kHeatMaxAlpha = 150;
const QColor kCursorColour(0, 0, 0);

} // namespace

CMapGrid::CMapGrid(QWidget* parent)
    : QWidget(parent), m_offline(std::make_unique<CLPGDevice>()), m_menuId(vexor::kMapMenuPolish),
      m_cellEdit(new QLineEdit(this)) {
    vexor::setCtrlId(this, vexor::ids::kMapGrid);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click or Tab gives the grid the keyboard.
    setFocusPolicy(Qt::StrongFocus);
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

void CMapGrid::setSeams(const Seams& seams) {
    m_seams = seams;
    // Without a controller the editor asks and tells through the stand-in.
    m_offline->setSeams(seams);
}

void CMapGrid::setFileImage(DeviceSettings* image, std::function<void()> edited) {
    m_editor->setFileImage(image, std::move(edited));
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

QRect CMapGrid::trailRect() const {
    const auto& points = m_model.trail().points();
    if (points.empty())
        return {};
    const SMapGeometry& g = m_model.geometry();
    double left = points.front().column, right = left;
    double top = points.front().row, bottom = top;
    for (const CMapTrail::Point& p : points) {
        left = std::min(left, p.column);
        right = std::max(right, p.column);
        top = std::min(top, p.row);
        bottom = std::max(bottom, p.row);
    }
    const int margin = kTrailWidth + 1;
    return QRect(QPoint(g.firstColumnWidth + static_cast<int>(left * g.columnWidth) - margin,
                        g.headerHeight + static_cast<int>(top * g.rowHeight) - margin),
                 QPoint(g.firstColumnWidth + static_cast<int>(right * g.columnWidth) + margin,
                        g.headerHeight + static_cast<int>(bottom * g.rowHeight) + margin));
}

void CMapGrid::trailChanged() {
    const QRect now = trailRect();
    update(m_trailArea.united(now));
    m_trailArea = now;
    if (m_heatShown && !m_model.trail().points().empty())
        update(cellRect(m_model.livePoint()));
}

void CMapGrid::setHeatShown(bool shown) {
    m_heatShown = shown;
    update();
}

void CMapGrid::repaintCells(const std::vector<SCellIndex>& cells) {
    for (const SCellIndex& cell : cells)
        update(cellRect(cell));
}

void CMapGrid::renderCells() {
    const qreal ratio = devicePixelRatioF();
    if (m_cells.size() != size() * ratio) {
        m_cells = QPixmap(size() * ratio);
        m_cells.setDevicePixelRatio(ratio);
    }
    QPainter painter(&m_cells);
    painter.setFont(font());
    painter.fillRect(rect(), palette().window());
    const SMapGeometry& g = m_model.geometry();
    auto drawCell = [&](const SRect& rect, SRgb fill, const QString& text) {
        const QRect r = qrect(rect);
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
    m_cellsVersion = m_model.version();
    m_cellsValid = true;
}

void CMapGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::StyleChange)
        m_cellsValid = false;
    QWidget::changeEvent(event);
}

void CMapGrid::focusInEvent(QFocusEvent* event) {
    update(cellRect(m_model.selection().cursor()));
    QWidget::focusInEvent(event);
}

void CMapGrid::focusOutEvent(QFocusEvent* event) {
    update(cellRect(m_model.selection().cursor()));
    QWidget::focusOutEvent(event);
}

// The cells (texts, fills, headers) are drawn once into a picture and kept
// until the model changes; a live refresh only copies the part it needs and
// draws the heat, the cursor, the trail and the marker over it.
void CMapGrid::paintEvent(QPaintEvent* event) {
    if (!m_cellsValid || m_cellsVersion != m_model.version() ||
        m_cells.size() != size() * devicePixelRatioF())
        renderCells();
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal ratio = m_cells.devicePixelRatio();
    painter.drawPixmap(area, m_cells,
                       QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
    const SMapGeometry& g = m_model.geometry();

    if (m_heatShown) {
        for (int r = 0; r < vexor::kMapRowCount; ++r) {
            for (int c = 0; c < vexor::kMapColumnCount; ++c) {
                const double heat = m_model.trail().heat({r, c});
                const QRect cell = cellRect({r, c});
                if (heat <= 0.0 || !cell.intersects(area))
                    continue;
                QColor colour(140, 0, 200, static_cast<int>(heat * kHeatMaxAlpha));
                painter.fillRect(cell.adjusted(1, 1, 0, 0), colour);
            }
        }
    }
    if (hasFocus()) {
        const QRect cursor = cellRect(m_model.selection().cursor()).adjusted(1, 1, -1, -1);
        if (cursor.intersects(area)) {
            painter.setPen(QPen(kCursorColour, 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cursor);
        }
    }
    const CMapTrail& trail = m_model.trail();
    const auto& points = trail.points();
    if (points.size() > 1 && trailRect().intersects(area)) {
        auto pixel = [&g](const CMapTrail::Point& p) {
            return QPointF(g.firstColumnWidth + p.column * g.columnWidth,
                           g.headerHeight + p.row * g.rowHeight);
        };
        // The trail goes out in short pieces, each with the fade of its
        // newest point: a few pen changes instead of one per point. A
        // one-pixel line drawn twice, a pixel apart, looks like a two-pixel
        // one and costs a fraction of a stroked wide pen.
        QColor colour = kTrailColour;
        QPolygonF piece;
        for (std::size_t start = 0; start + 1 < points.size(); start += kTrailPiece) {
            const std::size_t end = std::min(start + kTrailPiece, points.size() - 1);
            piece.clear();
            for (std::size_t i = start; i <= end; ++i)
                piece << pixel(points[i]);
            colour.setAlphaF(static_cast<float>(trail.freshness(points[end], trail.now())));
            painter.setPen(QPen(colour, 0));
            painter.drawPolyline(piece);
            piece.translate(1.0, 1.0);
            painter.drawPolyline(piece);
        }
    }
    if (m_model.markerShown()) {
        const SRect r = g.cellRect(m_model.livePoint());
        if (qrect(r).intersects(area)) {
            // A frame round the cell: the value inside stays readable.
            painter.setRenderHint(QPainter::Antialiasing, false);
            QPen pen(qcolor(vexor::kMapMarker), vexor::kMapMarkerFrameWidth);
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            const int half = vexor::kMapMarkerFrameWidth / 2;
            painter.drawRect(qrect(r).adjusted(half + 1, half + 1, -half - 1, -half - 1));
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
    if (editingKey(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CMapGrid::editingKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo)) {
        onMapUndo();
        return true;
    }
    if (event->matches(QKeySequence::Redo) ||
        (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier)) {
        onMapRedo();
        return true;
    }
    if (event->matches(QKeySequence::Copy)) {
        onMapCopy();
        return true;
    }
    if (event->matches(QKeySequence::Paste)) {
        onMapPaste();
        return true;
    }
    const bool extend = (event->modifiers() & Qt::ShiftModifier) != 0;
    int rows = 0, columns = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        rows = -1;
        break;
    case Qt::Key_Down:
        rows = 1;
        break;
    case Qt::Key_Left:
        columns = -1;
        break;
    case Qt::Key_Right:
        columns = 1;
        break;
    case Qt::Key_Plus:
        incrementSelected(1);
        return true;
    case Qt::Key_Minus:
        // The keypad's minus steps down like Page Down; the one beside the
        // digits starts a negative value, so "-7" types minus seven.
        if ((event->modifiers() & Qt::KeypadModifier) != 0)
            incrementSelected(-1);
        else
            editCell(m_model.selection().cursor(), QStringLiteral("-"));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        editCell(m_model.selection().cursor());
        return true;
    default:
        if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9 &&
            (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == 0) {
            editCell(m_model.selection().cursor(), event->text());
            return true;
        }
        return false;
    }
    m_model.selection().moveCursor(rows, columns, extend);
    update();
    return true;
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
    menu->addSeparator();
    auto addOwn = [&](const char* polish, int id, QKeySequence keys, bool enabled,
                      void (CMapGrid::*slot)()) {
        QAction* action = menu->addAction(tr8(polish));
        action->setShortcut(keys);
        action->setEnabled(enabled);
        vexor::setCtrlId(action, id);
        connect(action, &QAction::triggered, this, slot);
    };
    addOwn(vexor::kTextUndo, vexor::ids::kCmdMapUndo, QKeySequence::Undo, m_editor->canUndo(),
           &CMapGrid::onMapUndo);
    addOwn(vexor::kTextRedo, vexor::ids::kCmdMapRedo, QKeySequence(Qt::CTRL | Qt::Key_Y),
           m_editor->canRedo(), &CMapGrid::onMapRedo);
    menu->addSeparator();
    addOwn(vexor::kTextCopy, vexor::ids::kCmdMapCopy, QKeySequence::Copy, true,
           &CMapGrid::onMapCopy);
    addOwn(vexor::kTextPaste, vexor::ids::kCmdMapPaste, QKeySequence::Paste, true,
           &CMapGrid::onMapPaste);
    addOwn(vexor::kTextSmooth, vexor::ids::kCmdMapSmooth, QKeySequence(), true,
           &CMapGrid::onMapSmooth);
    menu->addSeparator();
    QAction* heat = menu->addAction(tr8(vexor::kTextHeat));
    heat->setCheckable(true);
    heat->setChecked(m_heatShown);
    vexor::setCtrlId(heat, vexor::ids::kCmdMapHeat);
    connect(heat, &QAction::toggled, this, &CMapGrid::setHeatShown);
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

// An edit may end with the map read back from the controller, which can
// change any cell: the whole grid is repainted after each.
void CMapGrid::onMapAdd() {
    if (!m_model.selection().any() || !m_editor->canEdit())
        return;
    if (const auto amount = askValue(MapOp::Add)) {
        m_editor->onMapAdd(*amount);
        update();
    }
}

void CMapGrid::onMapSubb() {
    if (!m_model.selection().any() || !m_editor->canEdit())
        return;
    if (const auto amount = askValue(MapOp::Subtract)) {
        m_editor->onMapSubb(*amount);
        update();
    }
}

void CMapGrid::onMapSet() {
    if (!m_model.selection().any() || !m_editor->canEdit())
        return;
    if (const auto value = askValue(MapOp::Set)) {
        m_editor->onMapSet(vexor::acceptMapSetValue(*value));
        update();
    }
}

void CMapGrid::onMapClear() {
    m_editor->onMapClear();
    update();
}

void CMapGrid::incrementSelected(int step) {
    m_editor->incrementSelected(step);
    update();
}

void CMapGrid::onMapUndo() {
    m_editor->undo();
    update();
}

void CMapGrid::onMapRedo() {
    m_editor->redo();
    update();
}

void CMapGrid::onMapCopy() {
    if (const auto text = m_editor->copyText())
        QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
}

void CMapGrid::onMapPaste() {
    m_editor->paste(QGuiApplication::clipboard()->text().toStdString());
    update();
}

void CMapGrid::onMapSmooth() {
    m_editor->smooth([this] { repaint(); });
    update();
}

bool CMapGrid::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const auto cell = m_model.geometry().cellAt(help->pos().x(), help->pos().y());
        if (cell)
            QToolTip::showText(help->globalPos(),
                               tr8(vexor::kTextVisits) + ' ' +
                                   QString::number(m_model.trail().visits(*cell)),
                               this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void CMapGrid::editCell(SCellIndex cell, const QString& typed) {
    if (m_editing)
        commitEdit();
    m_editing = cell;
    const QRect r = cellRect(cell).adjusted(1, 1, 0, 0);
    m_cellEdit->setGeometry(r);
    const std::string& text = m_model.cellText(cell);
    if (!typed.isEmpty())
        m_cellEdit->setText(typed);
    else
        m_cellEdit->setText(text.empty() ? QString() : QString::number(vexor::leadingInt(text)));
    m_cellEdit->show();
    if (typed.isEmpty())
        m_cellEdit->selectAll();
    else
        m_cellEdit->end(false);
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
    update();
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
