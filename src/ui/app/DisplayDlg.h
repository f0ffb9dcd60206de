#pragma once

#include "app/ValuePanel.h"
#include "texts/ViewTexts.h"

#include <QDialog>
#include <QTimer>

class IDocumentPort;

// The live values alone, stretched over the whole window area (F10). It has
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
    // Scale factors applied to the designed layout.
    double scaleX() const { return m_fx; }
    double scaleY() const { return m_fy; }

    // One tick of the dialog's timer.
    void refreshLive();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void scaleTo(const QSize& target);

    IDocumentPort& m_doc;
    CViewTexts m_texts;
    vexor::SValuePanel m_panel;
    QTimer m_timer5002;
    double m_fx = 1.0;
    double m_fy = 1.0;
};
