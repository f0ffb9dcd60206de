#pragma once

#include "app/ValuePanel.h"
#include "texts/ViewTexts.h"

#include <QDialog>
#include <QTimer>

class IDocumentPort;

// The live values alone, scaled up to the whole window area (F10). It has
// its own display timer and closes on F10.
class CDisplayDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTimerMs = 100;

    // workArea: the screen's work area; the dialog takes the main window's
    // size rule for it.
    CDisplayDlg(IDocumentPort& doc, const QSize& workArea, QWidget* parent = nullptr);

    const vexor::SValuePanel& valuePanel() const { return m_panel; }
    QTimer& timer5002() { return m_timer5002; }
    // Scale factors applied to the designed layout: one factor for both
    // directions, so the panel keeps its proportions.
    double scaleX() const { return m_fx; }
    double scaleY() const { return m_fy; }

    // One tick of the dialog's timer.
    void refreshLive();
    // A new lambda probe type: the displays relight at once.
    void setLambdaType(int type);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void scaleTo(const QSize& target);

    IDocumentPort& m_doc;
    CViewTexts m_texts;
    vexor::SValuePanel m_panel;
    QTimer m_timer5002;
    double m_lambdaVolts[2] = {0.0, 0.0};
    double m_fx = 1.0;
    double m_fy = 1.0;
};
