#pragma once

#include "texts/LPGCNGDlgTexts.h"

#include <QDialog>

class QListWidget;

// Which module the controller is: LPG (first, selected) or CNG. OK or a
// double-click accepts; there is no cancel button.
class CWorkModeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CWorkModeDlg(QWidget* parent = nullptr);

    // After an accepted dialog: whether the second entry (CNG) was chosen.
    bool cngChosen() const { return m_cng; }
    QListWidget* list() const { return m_list; }

public slots:
    void accept() override;

private:
    CLPGCNGDlgTexts m_texts;
    QListWidget* m_list;
    bool m_cng = false;
};
