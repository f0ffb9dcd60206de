#include "maps/MultiplierChartWidget.h"

#include "maps/LoadMapChart.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <optional>

namespace {

const QColor kBackground(255, 255, 255);
const QColor kGrid(220, 220, 220);
const QColor kAxis(0, 0, 0);
const QColor kLine(0, 0, 0);
const QColor kSelected(255, 128, 0);

std::optional<CMultiplierChart::Key> chartKey(int key) {
    switch (key) {
    case Qt::Key_Left:
        return CMultiplierChart::Key::Left;
    case Qt::Key_Right:
        return CMultiplierChart::Key::Right;
    case Qt::Key_Up:
        return CMultiplierChart::Key::Up;
    case Qt::Key_Down:
        return CMultiplierChart::Key::Down;
    case Qt::Key_PageUp:
        return CMultiplierChart::Key::PageUp;
    case Qt::Key_PageDown:
        return CMultiplierChart::Key::PageDown;
    default:
        return std::nullopt;
    }
}

} // namespace

CMultiplierChartWidget::CMultiplierChartWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_empty.setSize(width(), height());
}

void CMultiplierChartWidget::setModel(CMultiplierChart* model) {
    m_model = model;
    this->model().setSize(width(), height());
    update();
}

void CMultiplierChartWidget::setAxisTitles(const QString& time, const QString& factor,
                                           const QString& pressure) {
    m_timeTitle = time;
    m_factorTitle = factor;
    m_pressureTitle = pressure;
    update();
}

void CMultiplierChartWidget::resizeEvent(QResizeEvent* event) {
    model().setSize(width(), height());
    QWidget::resizeEvent(event);
}

void CMultiplierChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    painter.setRenderHint(QPainter::Antialiasing);
    paintAxes(painter);
    const CMultiplierChart& chart = model();
    painter.setClipRect(QRectF(QPointF(CMultiplierChart::kMarginLeft, CMultiplierChart::kMarginTop),
                               QPointF(width() - CMultiplierChart::kMarginRight + 1,
                                       height() - CMultiplierChart::kMarginBottom + 1)));
    CLoadMapChart::paintClouds(painter, chart);
    paintLine(painter);
    CLoadMapChart::paintLiveMarker(painter, chart);
}

void CMultiplierChartWidget::paintAxes(QPainter& painter) const {
    const CMultiplierChart& chart = model();
    const double left = CMultiplierChart::kMarginLeft;
    const double top = CMultiplierChart::kMarginTop;
    const double right = width() - CMultiplierChart::kMarginRight;
    const double bottom = height() - CMultiplierChart::kMarginBottom;
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);

    for (int ms = 0; ms <= static_cast<int>(CMultiplierChart::kTimeMax); ++ms) {
        const double x = chart.xOfTime(ms);
        painter.setPen(kGrid);
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));
        painter.setPen(kAxis);
        painter.drawText(QRectF(x - 10, bottom + 2, 20, 12), Qt::AlignCenter, QString::number(ms));
    }
    for (int step = 4; step <= 16; ++step) {
        const double factor = step / 10.0;
        const double y = chart.yOfFactor(factor);
        painter.setPen(kGrid);
        painter.drawLine(QPointF(left, y), QPointF(right, y));
        painter.setPen(kAxis);
        painter.drawText(QRectF(2, y - 6, left - 4, 12), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(factor, 'f', 1));
    }
    for (int kpa = 0; kpa <= static_cast<int>(CMultiplierChart::kPressureMax); kpa += 20) {
        const double y = chart.yOfPressure(kpa);
        painter.drawText(QRectF(right + 3, y - 6, CMultiplierChart::kMarginRight - 4, 12),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(kpa));
    }
    painter.setPen(kAxis);
    painter.drawRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
    painter.drawText(QRectF(left, bottom + 16, right - left, 14), Qt::AlignCenter, m_timeTitle);

    // Vertical titles read bottom to top on the left, top to bottom on the
    // right, so both face the plot.
    painter.save();
    painter.translate(10, (top + bottom) / 2);
    painter.rotate(-90);
    painter.drawText(QRectF(-(bottom - top) / 2, -6, bottom - top, 12), Qt::AlignCenter,
                     m_factorTitle);
    painter.restore();
    painter.save();
    painter.translate(width() - 8, (top + bottom) / 2);
    painter.rotate(90);
    painter.drawText(QRectF(-(bottom - top) / 2, -6, bottom - top, 12), Qt::AlignCenter,
                     m_pressureTitle);
    painter.restore();
}

void CMultiplierChartWidget::paintLine(QPainter& painter) const {
    const CMultiplierChart& chart = model();
    painter.save();
    painter.setPen(QPen(kLine, 2));
    QPointF previous;
    for (int i = 0; i < vexor::kLinePoints; ++i) {
        const QPointF at(chart.xOfTime(CMultiplierChart::pointTime(i)),
                         chart.yOfFactor(chart.factor(i)));
        if (i > 0)
            painter.drawLine(previous, at);
        previous = at;
    }
    for (int i = 0; i < vexor::kLinePoints; ++i) {
        const QPointF at(chart.xOfTime(CMultiplierChart::pointTime(i)),
                         chart.yOfFactor(chart.factor(i)));
        const bool selected = i == chart.selected();
        painter.setPen(QPen(selected ? kSelected : kLine, 1));
        painter.setBrush(selected ? kSelected : kBackground);
        const double half = selected ? 4.0 : 3.0;
        painter.drawRect(QRectF(at.x() - half, at.y() - half, 2 * half, 2 * half));
    }
    painter.restore();
}

void CMultiplierChartWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    if (model().press(event->position().x(), event->position().y()))
        update();
}

void CMultiplierChartWidget::mouseMoveEvent(QMouseEvent* event) {
    if (model().drag(event->position().x(), event->position().y()))
        update();
}

void CMultiplierChartWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    act(model().release());
}

void CMultiplierChartWidget::keyPressEvent(QKeyEvent* event) {
    const auto key = chartKey(event->key());
    if (!key)
        return QWidget::keyPressEvent(event);
    act(model().key(*key));
}

void CMultiplierChartWidget::act(const CMultiplierChart::SAction& action) {
    using Kind = CMultiplierChart::SAction::Kind;
    if (action.kind == Kind::None)
        return;
    update();
    if (action.kind != Kind::Repaint && m_handler)
        m_handler(action);
}
