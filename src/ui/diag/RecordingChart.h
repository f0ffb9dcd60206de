#pragma once

#include "diag/OscChannels.h"

#include <QWidget>

#include <array>
#include <cstddef>

class CRecording;

// A chart of a whole recording: the oscilloscope's channels, colours and
// 0..100 % vertical scale over a time axis in mm:ss. Each pixel column draws
// the smallest to the largest value of the lines it covers, so hours of
// driving paint as fast as a minute. The wheel zooms about the mouse, a drag
// moves the shown range, a drag with Shift zooms to the range dragged over,
// and a cursor line follows the mouse.
class CRecordingChart : public QWidget {
    Q_OBJECT
public:
    explicit CRecordingChart(QWidget* parent = nullptr);

    // The recording to show (not owned; null shows nothing). Shows it whole.
    void setRecording(const CRecording* recording);
    void setChannelVisible(int channel, bool visible);
    // The vertical scale's labels (left edge), bottom to top.
    void setScaleLabels(const std::array<std::string, vexor::kOscScaleLabels>& labels);

    // The shown range of lines, first .. last - 1.
    std::size_t firstLine() const { return m_first; }
    std::size_t lastLine() const { return m_last; }
    void showRange(std::size_t first, std::size_t last);
    void showAll();
    // Zooms by factor (< 1 in, > 1 out) keeping the line under x in place.
    void zoomAt(int x, double factor);
    // The line under the cursor, or -1 when there is no cursor.
    long cursorLine() const { return m_cursor; }
    void setCursorAt(int x);

    QSize sizeHint() const override { return {900, 420}; }
    QSize minimumSizeHint() const override { return {200, 120}; }

signals:
    void rangeChanged();
    void cursorChanged(long line);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QRect plotRect() const;
    double lineAt(int x) const;
    int xOf(double line) const;

    const CRecording* m_recording = nullptr;
    std::array<bool, vexor::kOscChannels> m_visible{};
    std::array<std::string, vexor::kOscScaleLabels> m_scale{};
    std::size_t m_first = 0;
    std::size_t m_last = 0;
    long m_cursor = -1;
    // Dragging: where it began and the range it began with.
    bool m_dragging = false;
    bool m_selecting = false;
    int m_dragX = 0;
    int m_dragNow = 0;
    std::size_t m_dragFirst = 0;
};
