#include "diag/OscChart.h"

#include "controls/Colors.h"
#include "diag/ScrollChartModel.h"

#include <QPaintEvent>
#include <QPainter>

#include <QPixmap>
#include <QPolygonF>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <cmath>

#include <algorithm>

CScrollChart::CScrollChart(CScrollChartModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_scrollBar(new QScrollBar(Qt::Horizontal, this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 120);
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, &CScrollChart::onScrollAction);
    refresh();
}

QRect CScrollChart::plotRect() const {
    return QRect(0, 0, width(), std::max(1, height() - m_scrollBar->sizeHint().height()));
}

void CScrollChart::syncScrollBar() {
    const QSignalBlocker block(m_scrollBar);
    const CScrollChartModel::ScrollBar bar = m_model.scrollBar();
    const int page = std::clamp(bar.page, 1, CScrollChartModel::kScrollRange);
    // A Qt scroll bar's range leaves out the page, a position runs from the
    // left edge of the thumb.
    m_scrollBar->setRange(0, CScrollChartModel::kScrollRange - page);
    m_scrollBar->setPageStep(page);
    m_scrollBar->setSingleStep(std::max(1, page / 100));
    m_scrollBar->setValue(bar.position);
}

void CScrollChart::refresh() {
    const bool viewMoved = m_model.viewVersion() != m_seenView;
    const bool dataChanged = m_model.dataVersion() != m_seenData;
    m_seenView = m_model.viewVersion();
    m_seenData = m_model.dataVersion();
    if (viewMoved)
        syncScrollBar();
    if (viewMoved || dataChanged)
        update();
}

void CScrollChart::onScrollAction(int action) {
    using Scroll = CScrollChartModel::Scroll;
    Scroll scroll = Scroll::Other;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        scroll = Scroll::LineLeft;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        scroll = Scroll::LineRight;
        break;
    case QAbstractSlider::SliderPageStepSub:
        scroll = Scroll::PageLeft;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        scroll = Scroll::PageRight;
        break;
    case QAbstractSlider::SliderMove:
        scroll = Scroll::Track;
        break;
    default:
        return;
    }
    m_model.scroll(scroll, m_scrollBar->sliderPosition());
    // The model decides where the window is; the bar follows it, not the
    // position the slider would have taken on its own.
    QMetaObject::invokeMethod(
        this, [this] { syncScrollBar(); }, Qt::QueuedConnection);
    m_seenView = m_model.viewVersion();
    update();
}

void CScrollChart::resizeEvent(QResizeEvent*) {
    const QRect area = plotRect();
    m_scrollBar->setGeometry(0, area.height(), width(), height() - area.height());
}

void CScrollChart::paintEvent(QPaintEvent*) {
    ++m_paintCount;
    const QRect area = plotRect();

    // Drawn off screen first so the traces never flicker while they scroll.
    QPixmap buffer(area.size() * devicePixelRatioF());
    buffer.setDevicePixelRatio(devicePixelRatioF());
    QPainter p(&buffer);
    p.fillRect(QRect(QPoint(0, 0), area.size()),
               vexor::colorFromRef(CScrollChartModel::kBackground));

    const double w = area.width();
    const double h = area.height();
    const double origin = m_model.origin();
    const double span = m_model.width() > 0 ? m_model.width() : 1.0;
    const double yRange = m_model.maxY() - m_model.minY();
    auto toX = [&](double x) { return (x - origin) / span * w; };
    auto toY = [&](double y) { return h - (y - m_model.minY()) / yRange * h; };

    QPen grid(Qt::black, 1, Qt::DotLine);
    p.setPen(grid);
    for (int k = 1; k < CScrollChartModel::kHorizontalDivisions; ++k) {
        const double y = h * k / CScrollChartModel::kHorizontalDivisions;
        p.drawLine(QPointF(0, y), QPointF(w, y));
    }
    for (float x : m_model.gridXs())
        p.drawLine(QPointF(toX(x), 0), QPointF(toX(x), h));

    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& [number, series] : m_model.allSeries()) {
        if (!series.visible || series.points.empty())
            continue;
        const auto points = m_model.visiblePoints(number);
        if (points.empty())
            continue;
        p.setPen(QPen(vexor::colorFromRef(series.colour), series.penWidth));
        // A gap (no value while the link was down) ends one line and the
        // next value starts another.
        QPolygonF line;
        const auto flush = [&] {
            if (line.size() == 1)
                p.drawPoint(line.front());
            else if (line.size() > 1)
                p.drawPolyline(line);
            line.clear();
        };
        for (const auto& [x, y] : points) {
            if (std::isnan(y))
                flush();
            else
                line << QPointF(toX(x), toY(y));
        }
        flush();
    }
    p.end();

    QPainter screen(this);
    screen.drawPixmap(area.topLeft(), buffer);
}
