#pragma once

#include "maps/MultiplierChart.h"

#include <QString>
#include <QWidget>

#include <functional>

// The calibration chart control: the multiplier line over the load-map
// clouds, edited with the mouse (drag a point) and the keys (Left / Right
// select, Up / Down move by 0.01, Page Up / Page Down move the whole line).
// It paints the chart model it is given and hands every edit to the action
// handler; it never talks to the controller itself.
class CMultiplierChartWidget : public QWidget {
    Q_OBJECT
public:
    using ActionHandler = std::function<void(const CMultiplierChart::SAction&)>;

    explicit CMultiplierChartWidget(QWidget* parent = nullptr);

    // The model to paint and edit; null paints an empty chart with the line
    // at factor 1.
    void setModel(CMultiplierChart* model);
    CMultiplierChart& model() { return m_model ? *m_model : m_empty; }
    const CMultiplierChart& model() const { return m_model ? *m_model : m_empty; }
    void setActionHandler(ActionHandler handler) { m_handler = std::move(handler); }
    // Axis titles in the current language: time across, factor on the left,
    // manifold pressure on the right.
    void setAxisTitles(const QString& time, const QString& factor, const QString& pressure);

    QSize sizeHint() const override { return {600, 380}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paintAxes(QPainter& painter) const;
    void paintLine(QPainter& painter) const;
    void act(const CMultiplierChart::SAction& action);

    CMultiplierChart* m_model = nullptr;
    CMultiplierChart m_empty;
    ActionHandler m_handler;
    QString m_timeTitle;
    QString m_factorTitle;
    QString m_pressureTitle;
};
