#include "controls/LambdaBar.h"

#include "lang/Translate.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

QColor rgb(std::uint32_t colour) {
    return QColor((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

} // namespace

CLambdaDisplay::CLambdaDisplay(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CLambdaDisplay::setType(int lambdaType) {
    if (lambdaType != m_model.type())
        m_model.setType(lambdaType);
}

void CLambdaDisplay::setDark(bool dark) {
    if (dark == m_dark)
        return;
    m_dark = dark;
    update();
}

void CLambdaDisplay::setValue(double volts) {
    const auto repaint = m_model.setValue(volts);
    if (!repaint)
        return;
    update(segmentRect(repaint->oldSegment));
    update(segmentRect(repaint->newSegment));
}

namespace {
// Below this height the words would be cut in half: the bar takes the whole
// control instead and the words are left out.
constexpr int kMinHeightForWords = 24;
} // namespace

QRect CLambdaDisplay::segmentRect(int segment) const {
    const int barHeight = height() < kMinHeightForWords ? height() : height() * 2 / 3;
    const int left = width() * segment / vexor::kLambdaSegments;
    const int right = width() * (segment + 1) / vexor::kLambdaSegments;
    return QRect(left, 0, right - left, barHeight);
}

void CLambdaDisplay::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), rgb(vexor::kLambdaBackground));
    for (int i = 0; i < vexor::kLambdaSegments; ++i) {
        const QRect r = segmentRect(i).adjusted(2, 2, -2, -2);
        if (!r.intersects(event->rect()))
            continue;
        const bool lit = !m_dark && i == m_model.litSegment();
        painter.fillRect(r, rgb(lit ? vexor::lambdaSegmentColour(i) : vexor::kLambdaUnlit));
    }
    const QRect words(0, height() * 2 / 3, width(), height() - height() * 2 / 3);
    if (height() < kMinHeightForWords || !words.intersects(event->rect()))
        return;
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setWeight(QFont::Normal);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(words.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(vexor::translate("Uboga")));
    painter.drawText(words.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter,
                     QString::fromStdString(vexor::translate("Bogata")));
}
