#pragma once

#include "maps/tools/LambdaBar.h"

#include <QWidget>

// The lambda display: nine segments from lean to rich over the upper two
// thirds, the words "Uboga" and "Bogata" in the lower third. Only the segment
// of the current probe voltage is lit. A new voltage repaints just the two
// segments that changed, and nothing while the voltage rounded to one decimal
// stays the same, so the display timer can feed it every tick.
class CLambdaDisplay : public QWidget {
    Q_OBJECT
public:
    explicit CLambdaDisplay(QWidget* parent = nullptr);

    // The settings' lambda sensor type (m_sensorsSetup.m_lambdaType).
    void setType(int lambdaType);
    // A new probe voltage.
    void setValue(double volts);

    // Dark: no segment lit, as there is no live voltage to show.
    void setDark(bool dark);
    bool isDark() const { return m_dark; }

    int litSegment() const { return m_model.litSegment(); }
    // Where segment i is drawn, in widget coordinates.
    QRect segmentRect(int segment) const;

    QSize sizeHint() const override { return {180, 36}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CLambdaBarModel m_model;
    bool m_dark = false;
};
