#pragma once

#include <QWidget>

// The picture shown while the program starts. A click ends it early.
class CSplashDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 4000;

    explicit CSplashDlg(QWidget* parent = nullptr);

    // Shows the splash centred on the screen for the given time, keeping the
    // event loop running so it paints, then hides it.
    void showFor(int milliseconds);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
