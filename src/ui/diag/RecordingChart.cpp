#include "diag/RecordingChart.h"

#include "controls/Colors.h"
#include "diag/Recording.h"
#include "diag/RecordingCsv.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVector>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLeftMargin = 44;
constexpr int kBottomMargin = 22;
constexpr int kTopMargin = 6;
constexpr int kRightMargin = 8;
// The narrowest range a zoom goes to, in lines.
constexpr std::size_t kMinLines = 10;
// Time-axis steps to choose from, seconds: about one label per 90 pixels.
constexpr double kSteps[] = {1,   2,   5,    10,   15,   30,    60,    120,   300,
                             600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};

} // namespace

CRecordingChart::CRecordingChart(QWidget* parent) : QWidget(parent) {
    m_visible.fill(true);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void CRecordingChart::setRecording(const CRecording* recording) {
    m_recording = recording;
    m_cursor = -1;
    showAll();
}

void CRecordingChart::setChannelVisible(int channel, bool visible) {
    m_visible[static_cast<std::size_t>(channel)] = visible;
    update();
}

void CRecordingChart::setScaleLabels(const std::array<std::string, vexor::kOscScaleLabels>& l) {
    m_scale = l;
    update();
}

void CRecordingChart::showRange(std::size_t first, std::size_t last) {
    const std::size_t size = m_recording ? m_recording->size() : 0;
    last = std::min(last, size);
    if (last < first + kMinLines) {
        last = std::min(size, first + kMinLines);
        first = last > kMinLines ? last - kMinLines : 0;
    }
    if (first == m_first && last == m_last)
        return;
    m_first = first;
    m_last = last;
    update();
    emit rangeChanged();
}

void CRecordingChart::showAll() {
    m_first = 1; // forces rangeChanged
    showRange(0, m_recording ? m_recording->size() : 0);
}

QRect CRecordingChart::plotRect() const {
    return rect().adjusted(kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin);
}

double CRecordingChart::lineAt(int x) const {
    const QRect plot = plotRect();
    const double share = plot.width() > 0 ? double(x - plot.left()) / plot.width() : 0.0;
    return m_first + std::clamp(share, 0.0, 1.0) * double(m_last - m_first);
}

int CRecordingChart::xOf(double line) const {
    const QRect plot = plotRect();
    const double span = std::max<double>(1.0, double(m_last - m_first));
    return plot.left() + int(std::lround((line - m_first) / span * plot.width()));
}

void CRecordingChart::zoomAt(int x, double factor) {
    if (!m_recording || m_recording->empty())
        return;
    const double anchor = lineAt(x);
    const double width = std::max<double>(kMinLines, double(m_last - m_first) * factor);
    const double share = (anchor - m_first) / std::max<double>(1.0, double(m_last - m_first));
    double first = anchor - share * width;
    first = std::clamp(first, 0.0, std::max(0.0, double(m_recording->size()) - width));
    showRange(std::size_t(first), std::size_t(first + width + 0.5));
}

void CRecordingChart::setCursorAt(int x) {
    long line = -1;
    if (m_recording && m_last > m_first && plotRect().contains(x, plotRect().center().y()))
        line = std::min<long>(long(lineAt(x)), long(m_last) - 1);
    if (line == m_cursor)
        return;
    m_cursor = line;
    update();
    emit cursorChanged(line);
}

void CRecordingChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QRect plot = plotRect();
    p.fillRect(plot, vexor::colorFromRef(0xF0F0F0));

    // Grid and the scale's labels: ten horizontal divisions.
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    for (int k = 0; k <= 10; ++k) {
        const int y = plot.bottom() - k * plot.height() / 10;
        p.drawLine(plot.left(), y, plot.right(), y);
        p.drawText(QRect(0, y - 8, kLeftMargin - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::fromStdString(m_scale[static_cast<std::size_t>(k)]));
    }
    if (!m_recording || m_last <= m_first)
        return;

    // Time axis: the step that gives about one label per 90 pixels.
    const double seconds = double(m_last - m_first) * CRecording::kLineSeconds;
    const double wanted = seconds * 90.0 / std::max(1, plot.width());
    double step = kSteps[std::size(kSteps) - 1];
    for (double s : kSteps)
        if (s >= wanted) {
            step = s;
            break;
        }
    const double t0 = m_first * CRecording::kLineSeconds;
    for (double t = std::ceil(t0 / step) * step; t <= t0 + seconds; t += step) {
        const int x = xOf(t / CRecording::kLineSeconds);
        p.drawLine(x, plot.top(), x, plot.bottom());
        p.drawText(QRect(x - 40, plot.bottom() + 2, 80, kBottomMargin - 2), Qt::AlignCenter,
                   QString::fromStdString(vexor::recordingClock(t)));
    }

    // Traces: per pixel column the lines it covers, drawn from their lowest
    // to their highest value and joined to the next column.
    p.setClipRect(plot);
    p.setRenderHint(QPainter::Antialiasing, false);
    const auto channels = vexor::oscChannels();
    const int columns = std::max(1, plot.width());
    const double perColumn = double(m_last - m_first) / columns;
    for (int c = 0; c < vexor::kOscChannels; ++c) {
        if (!m_visible[static_cast<std::size_t>(c)])
            continue;
        const double full = channels[static_cast<std::size_t>(c)].fullScale;
        auto yOf = [&](float v) {
            const double percent = std::clamp(double(v) / full * 100.0, 0.0, 100.0);
            return plot.bottom() - int(std::lround(percent * plot.height() / 100.0));
        };
        p.setPen(QPen(vexor::colorFromRef(channels[static_cast<std::size_t>(c)].colour), 2));
        if (perColumn <= 1.0) {
            QPolygon line;
            for (std::size_t i = m_first; i < m_last; ++i)
                line << QPoint(xOf(double(i)), yOf(m_recording->value(i, c)));
            p.drawPolyline(line);
            continue;
        }
        // One batch per channel: far cheaper than a call per column.
        QVector<QLine> segments;
        segments.reserve(columns);
        int lastY = -1;
        for (int col = 0; col < columns; ++col) {
            const auto a = m_first + std::size_t(col * perColumn);
            const auto b = std::min(m_last, m_first + std::size_t((col + 1) * perColumn));
            if (a >= b)
                continue;
            const CRecording::SSpan s = m_recording->span(c, a, b);
            const int x = plot.left() + col;
            int top = yOf(s.max);
            int bottom = yOf(s.min);
            if (lastY >= 0) {
                top = std::min(top, lastY);
                bottom = std::max(bottom, lastY);
            }
            segments.append(QLine(x, top, x, bottom));
            lastY = yOf(m_recording->value(b - 1, c));
        }
        p.drawLines(segments);
    }
    p.setClipping(false);

    if (m_selecting) {
        p.fillRect(QRect(QPoint(std::min(m_dragX, m_dragNow), plot.top()),
                         QPoint(std::max(m_dragX, m_dragNow), plot.bottom())),
                   QColor(0, 120, 200, 60));
    }
    if (m_cursor >= 0) {
        p.setPen(QPen(Qt::black, 1));
        const int x = xOf(double(m_cursor));
        p.drawLine(x, plot.top(), x, plot.bottom());
    }
}

void CRecordingChart::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0)
        zoomAt(int(event->position().x()), std::pow(0.8, delta / 120.0));
    event->accept();
}

void CRecordingChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_selecting = event->modifiers() & Qt::ShiftModifier;
    m_dragX = m_dragNow = int(event->position().x());
    m_dragFirst = m_first;
}

void CRecordingChart::mouseMoveEvent(QMouseEvent* event) {
    const int x = int(event->position().x());
    setCursorAt(x);
    if (!m_dragging || !m_recording)
        return;
    m_dragNow = x;
    if (m_selecting) {
        update();
        return;
    }
    const double perPixel = double(m_last - m_first) / std::max(1, plotRect().width());
    const double width = double(m_last - m_first);
    const double first = std::clamp(double(m_dragFirst) - (x - m_dragX) * perPixel, 0.0,
                                    std::max(0.0, double(m_recording->size()) - width));
    showRange(std::size_t(first), std::size_t(first) + (m_last - m_first));
}

void CRecordingChart::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging)
        return;
    m_dragging = false;
    if (m_selecting) {
        m_selecting = false;
        const int x = int(event->position().x());
        if (std::abs(x - m_dragX) > 3)
            showRange(std::size_t(lineAt(std::min(x, m_dragX))),
                      std::size_t(lineAt(std::max(x, m_dragX))) + 1);
        update();
    }
}

void CRecordingChart::leaveEvent(QEvent*) {
    if (!m_dragging)
        setCursorAt(-1);
}
