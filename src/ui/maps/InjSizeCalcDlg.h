#pragma once

#include "texts/InjSizeDlgTexts.h"

#include <QDialog>

class CUpDownCtrl;
class QComboBox;
class QLineEdit;
class QPushButton;

// "Obliczanie średnicy dysz": the gas injector nozzle diameter from the
// engine's power, its cylinder count and the injection type. No controller
// is involved; CNG asks for narrower nozzles than LPG.
class CInjSizeCalcDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 149;

    // cng: the module type chosen at start. injectors: the controller's
    // injector count, the cylinder count shown first when the list holds it
    // (0: no controller, the list's first entry).
    explicit CInjSizeCalcDlg(bool cng, int injectors = 0, QWidget* parent = nullptr);

    QComboBox* cylinders() const { return m_cylinders; }
    QLineEdit* power() const { return m_power; }
    CUpDownCtrl* powerSpin() const { return m_powerSpin; }
    QComboBox* injectionType() const { return m_type; }
    QLineEdit* result() const { return m_result; }
    QPushButton* calcButton() const { return m_calc; }

public slots:
    void OnBtnCalc();
    void onDeltaPosPower(int delta);

private:
    CInjSizeDlgTexts m_texts;
    bool m_cng;
    QComboBox* m_cylinders;
    QLineEdit* m_power;
    CUpDownCtrl* m_powerSpin;
    QComboBox* m_type;
    QLineEdit* m_result;
    QPushButton* m_calc;
};
