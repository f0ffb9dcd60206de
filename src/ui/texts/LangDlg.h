#pragma once

#include "texts/LangDlgTexts.h"

#include <QDialog>

class QListWidget;

// The language choice: the fourteen language names in index order, the first
// selected on opening. OK with a selection accepts; the chosen index is then
// selectedLanguage().
class CLangDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLangDlg(QWidget* parent = nullptr);

    int selectedLanguage() const { return m_selected; }
    QListWidget* list() const { return m_list; }

public slots:
    void accept() override;

private:
    CLangDlgTexts m_texts;
    QListWidget* m_list;
    int m_selected = -1;
};
