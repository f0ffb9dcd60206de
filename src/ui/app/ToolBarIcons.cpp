#include "app/ToolBarIcons.h"

#include "app/ControlIds.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace vexor {

namespace {

constexpr int kIconSize = 32;

void drawCorrection(QPainter& p) {
    p.setPen(Qt::NoPen);
    const int heights[] = {10, 16, 22, 14, 8};
    for (int i = 0; i < 5; ++i)
        p.fillRect(3 + i * 6, 28 - heights[i], 4, heights[i], QColor(40, 110, 200));
    p.setPen(QPen(QColor(220, 60, 40), 2.5));
    p.drawLine(20, 5, 28, 5);
    p.drawLine(24, 1, 24, 9);
}

void drawCharts(QPainter& p) {
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(3, 3, 3, 29);
    p.drawLine(3, 29, 30, 29);
    p.setPen(QPen(QColor(200, 40, 40), 2));
    p.drawPolyline(
        QPolygon({QPoint(4, 24), QPoint(10, 14), QPoint(16, 19), QPoint(22, 7), QPoint(29, 12)}));
    p.setPen(QPen(QColor(30, 120, 30), 2));
    p.drawPolyline(QPolygon({QPoint(4, 27), QPoint(12, 23), QPoint(20, 25), QPoint(29, 18)}));
}

void drawErrors(QPainter& p) {
    QPainterPath triangle;
    triangle.moveTo(16, 2);
    triangle.lineTo(30, 28);
    triangle.lineTo(2, 28);
    triangle.closeSubpath();
    p.setPen(QPen(QColor(120, 20, 20), 1.5));
    p.setBrush(QColor(230, 50, 40));
    p.drawPath(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(14, 10, 4, 10);
    p.drawEllipse(QPointF(16, 24), 2, 2);
}

void drawVehicle(QPainter& p) {
    QPainterPath body;
    body.moveTo(2, 22);
    body.lineTo(2, 16);
    body.lineTo(8, 15);
    body.lineTo(12, 8);
    body.lineTo(23, 8);
    body.lineTo(28, 15);
    body.lineTo(30, 16);
    body.lineTo(30, 22);
    body.closeSubpath();
    p.setPen(QPen(QColor(20, 50, 110), 1.5));
    p.setBrush(QColor(60, 120, 210));
    p.drawPath(body);
    p.setBrush(QColor(200, 230, 255));
    p.drawRect(13, 10, 8, 5);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(9, 23), 4, 4);
    p.drawEllipse(QPointF(24, 23), 4, 4);
}

void drawSettings(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 110, 120));
    p.translate(16, 16);
    for (int i = 0; i < 8; ++i) {
        p.drawRect(-3, -15, 6, 8);
        p.rotate(45);
    }
    p.drawEllipse(QPointF(0, 0), 10, 10);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 0), 4, 4);
    p.resetTransform();
}

void drawLanguages(QPainter& p) {
    p.setPen(QPen(QColor(20, 90, 60), 1.5));
    p.setBrush(QColor(120, 200, 160));
    p.drawEllipse(QPointF(16, 16), 13, 13);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 6, 13);
    p.drawLine(3, 16, 29, 16);
    p.drawLine(16, 3, 16, 29);
    p.drawArc(QRectF(5, 4, 22, 8), 180 * 16, 180 * 16);
    p.drawArc(QRectF(5, 20, 22, 8), 0, 180 * 16);
}

void drawInjector(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(QColor(180, 180, 190));
    p.drawRect(11, 2, 10, 16);
    p.setBrush(QColor(90, 90, 100));
    p.drawRect(13, 18, 6, 5);
    p.setPen(QPen(QColor(40, 130, 220), 1.5));
    p.drawLine(16, 24, 10, 30);
    p.drawLine(16, 24, 16, 31);
    p.drawLine(16, 24, 22, 30);
}

void drawDocuments(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1.5));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(2, 8, 28, 20);
    p.drawRect(2, 5, 11, 4);
    p.setBrush(Qt::white);
    p.drawRect(7, 11, 18, 12);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (int y = 14; y <= 20; y += 3)
        p.drawLine(9, y, 23, y);
}

void drawAbout(QPainter& p) {
    p.setPen(QPen(QColor(20, 60, 140), 1.5));
    p.setBrush(QColor(50, 110, 210));
    p.drawEllipse(QPointF(16, 16), 14, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9), 2.5, 2.5);
    p.drawRect(14, 13, 4, 12);
}

} // namespace

QIcon toolBarIcon(int commandId) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (commandId) {
    case ids::kCmdMainCorr:
        drawCorrection(painter);
        break;
    case ids::kCmdCharts:
        drawCharts(painter);
        break;
    case ids::kCmdErrors:
        drawErrors(painter);
        break;
    case ids::kCmdService:
        drawVehicle(painter);
        break;
    case ids::kCmdSettings:
        drawSettings(painter);
        break;
    case ids::kCmdLanguage:
        drawLanguages(painter);
        break;
    case ids::kCmdInjSize:
        drawInjector(painter);
        break;
    case ids::kCmdHelp:
        drawDocuments(painter);
        break;
    default:
        drawAbout(painter);
        break;
    }
    painter.end();
    return QIcon(pixmap);
}

QPixmap brandPicture(const QSize& size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(20, 50, 110));
    sky.setColorAt(1, QColor(70, 150, 220));
    p.fillRect(pixmap.rect(), sky);

    // A stylised gas flame.
    const qreal cx = size.width() * 0.22;
    const qreal cy = size.height() * 0.55;
    const qreal r = size.height() * 0.28;
    QPainterPath flame;
    flame.moveTo(cx, cy - r * 1.3);
    flame.cubicTo(cx + r, cy - r * 0.3, cx + r * 0.9, cy + r, cx, cy + r);
    flame.cubicTo(cx - r * 0.9, cy + r, cx - r, cy - r * 0.3, cx, cy - r * 1.3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 190, 255));
    p.drawPath(flame);
    p.setBrush(QColor(230, 245, 255));
    p.drawEllipse(QPointF(cx, cy + r * 0.45), r * 0.35, r * 0.45);

    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(std::max(12, size.height() / 4));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(size.width() * 0.4, 0, size.width() * 0.6, size.height()),
               Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("VEXOR"));
    p.end();
    return pixmap;
}

} // namespace vexor
