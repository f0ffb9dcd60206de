#pragma once

#include <QObject>

// Gives the buttons of every dialog their Alt keys as it is shown. The texts
// come from fourteen translation tables and are set when a dialog is built,
// so the keys are chosen on the texts as they stand, for any dialog of the
// program (message boxes and file choosers included) without each one
// having to ask.
class CDialogMnemonics : public QObject {
public:
    explicit CDialogMnemonics(QObject* parent = nullptr) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
