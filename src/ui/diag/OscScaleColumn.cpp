#include "diag/OscScaleColumn.h"

#include "diag/OscChart.h"

#include <QEvent>
#include <QLabel>

#include <algorithm>

COscScaleColumn::COscScaleColumn(CScrollChart* chart, QWidget* parent)
    : QWidget(parent), m_chart(chart) {
    m_chart->installEventFilter(this);
}

void COscScaleColumn::setLabels(const std::vector<QLabel*>& labels) {
    m_labels = labels;
    for (QLabel* label : m_labels) {
        label->setParent(this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    place();
}

QSize COscScaleColumn::sizeHint() const {
    int width = 0;
    for (const QLabel* label : m_labels)
        width = std::max(width, label->sizeHint().width());
    return {width + 4, 0};
}

int COscScaleColumn::gridY(int k) const {
    const int count = static_cast<int>(m_labels.size());
    if (count < 2)
        return 0;
    // The chart's plot area in this column's coordinates.
    const int top = m_chart->mapTo(window(), QPoint(0, 0)).y() - mapTo(window(), QPoint(0, 0)).y();
    const int height = m_chart->plotRect().height();
    return top + height - height * k / (count - 1);
}

void COscScaleColumn::place() {
    const int count = static_cast<int>(m_labels.size());
    for (int k = 0; k < count; ++k) {
        QLabel* label = m_labels[static_cast<std::size_t>(k)];
        const int h = label->sizeHint().height();
        const int y = std::clamp(gridY(k) - h / 2, 0, std::max(0, height() - h));
        label->setGeometry(0, y, width(), h);
    }
}

bool COscScaleColumn::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_chart && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        place();
    return QWidget::eventFilter(watched, event);
}

void COscScaleColumn::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}
