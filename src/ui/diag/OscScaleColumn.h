#pragma once

#include <QWidget>

#include <vector>

class CScrollChart;
class QLabel;

// The oscilloscope's scale beside its chart: each label sits centred on its
// grid line, which runs over the chart's plot area only (the scroll bar
// under it is not part of the scale). Follows the chart's size and place.
class COscScaleColumn : public QWidget {
    Q_OBJECT
public:
    COscScaleColumn(CScrollChart* chart, QWidget* parent = nullptr);

    // The labels bottom (0 %) to top (100 %); the column owns them.
    void setLabels(const std::vector<QLabel*>& labels);
    // The y of grid line k (0 at the bottom) in the column's coordinates.
    int gridY(int k) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void place();

    CScrollChart* m_chart;
    std::vector<QLabel*> m_labels;
};
