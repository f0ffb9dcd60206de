#include "controls/ColorStatic.h"

#include "controls/Colors.h"

#include <QPainter>

CColorStatic::CColorStatic(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CColorStatic::setText(const QString& text) {
    if (text == m_text)
        return false;
    m_text = text;
    update();
    return true;
}

bool CColorStatic::setTextColor(std::uint32_t ref) {
    if (ref == m_textColor)
        return false;
    m_textColor = ref;
    update();
    return true;
}

bool CColorStatic::setBackgroundColor(std::uint32_t ref) {
    if (ref == m_background)
        return false;
    m_background = ref;
    update();
    return true;
}

void CColorStatic::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

void CColorStatic::setFramed(bool framed) {
    m_framed = framed;
    update();
}

QSize CColorStatic::sizeHint() const {
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(m_text.isEmpty() ? QStringLiteral("0000") : m_text) + 8,
                 metrics.height() + 4);
}

void CColorStatic::paintEvent(QPaintEvent*) {
    ++m_paintCount;
    QPainter painter(this);
    painter.fillRect(rect(), vexor::colorFromRef(m_background));
    if (m_framed) {
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(0, 0, width() - 1, 0);
        painter.drawLine(0, 0, 0, height() - 1);
        painter.setPen(QColor(255, 255, 255));
        painter.drawLine(1, height() - 1, width() - 1, height() - 1);
        painter.drawLine(width() - 1, 1, width() - 1, height() - 1);
    }
    painter.setPen(vexor::colorFromRef(m_textColor));
    painter.setFont(font());
    painter.drawText(rect().adjusted(2, 0, -2, 0), static_cast<int>(m_alignment), m_text);
}
