#pragma once

#include "texts/AboutDlgTexts.h"

#include <QDialog>

class QPlainTextEdit;

// Program name, picture and where workshops get support.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QPlainTextEdit* edit() const { return m_edit; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    CAboutDlgTexts m_texts;
    QPlainTextEdit* m_edit;
};
