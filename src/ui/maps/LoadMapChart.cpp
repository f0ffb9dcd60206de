#include "maps/LoadMapChart.h"

#include "maps/MultiplierChart.h"

#include <QColor>
#include <QPainter>
#include <QPointF>

namespace {

const QColor kPetrolCloud(0, 0, 255);
const QColor kGasCloud(255, 0, 0);
const QColor kMarker(0, 150, 0);

} // namespace

void CLoadMapChart::paintClouds(QPainter& painter, const CMultiplierChart& chart) {
    painter.save();
    painter.setPen(Qt::NoPen);
    for (const SCloudPoint& point : chart.cloud()) {
        painter.setBrush(point.gas ? kGasCloud : kPetrolCloud);
        const QPointF at(chart.xOfTime(point.timeMs), chart.yOfPressure(point.pressureKpa));
        painter.drawEllipse(at, 1.5, 1.5);
    }
    painter.restore();
}

void CLoadMapChart::paintLiveMarker(QPainter& painter, const CMultiplierChart& chart) {
    const auto marker = chart.liveMarker();
    if (!marker)
        return;
    painter.save();
    painter.setPen(QPen(kMarker, 2));
    painter.setBrush(Qt::NoBrush);
    const QPointF at(chart.xOfTime((*marker)[0]), chart.yOfPressure((*marker)[1]));
    painter.drawEllipse(at, 5.0, 5.0);
    painter.drawLine(at - QPointF(8, 0), at + QPointF(8, 0));
    painter.drawLine(at - QPointF(0, 8), at + QPointF(0, 8));
    painter.restore();
}
