#pragma once

#include <QWidget>

class CScrollChartModel;
class QScrollBar;

// The oscilloscope's scrolling chart: paints the series of a chart model in
// its visible window over a dotted grid, and drives the model's window with
// a horizontal scroll bar. The model belongs to the page; the chart only
// shows it and forwards the scroll bar's actions.
class CScrollChart : public QWidget {
    Q_OBJECT
public:
    explicit CScrollChart(CScrollChartModel& model, QWidget* parent = nullptr);

    QScrollBar* scrollBar() const { return m_scrollBar; }
    // The model changed: recomputes the scroll bar when the window moved and
    // repaints when anything changed.
    void refresh();
    // How many times the plot has been drawn (tests see whether a refresh
    // that changed nothing repainted).
    int paintCount() const { return m_paintCount; }

    QSize sizeHint() const override { return {600, 300}; }
    // Where the grid and the traces are drawn: all but the scroll bar.
    QRect plotRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void onScrollAction(int action);
    void syncScrollBar();

    CScrollChartModel& m_model;
    QScrollBar* m_scrollBar;
    unsigned m_seenView = ~0u;
    unsigned m_seenData = ~0u;
    int m_paintCount = 0;
};
