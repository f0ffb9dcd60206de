#pragma once

#include <QWidget>

class QToolButton;

// A bare up-down control (two arrow buttons, no field of its own) beside a
// text field. It reports each step as a position change: -1 for the upper
// arrow and +1 for the lower one, so the owner decides what a step means.
class CUpDownCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CUpDownCtrl(QWidget* parent = nullptr);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    void deltaPos(int delta);

private:
    QToolButton* m_up;
    QToolButton* m_down;
};
