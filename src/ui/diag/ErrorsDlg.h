#pragma once

#include "platform/Seams.h"
#include "texts/ErrDlgTexts.h"

#include <QDialog>

#include <functional>
#include <memory>

class CErrorsDlgModel;
class IDocumentPort;
class QCheckBox;
class QPlainTextEdit;

// The controller's fault dialog: shows the faults the controller recorded,
// clears them, and switches the controller's continuous error signal. Reads
// the faults as it opens.
class CErrorsDlg : public QDialog {
    Q_OBJECT
public:
    // indicator: told whether the controller reported any fault (the main
    // view's error indicator); may be empty.
    CErrorsDlg(IDocumentPort& doc, const Seams& seams, std::function<void(bool)> indicator = {},
               QWidget* parent = nullptr);
    ~CErrorsDlg() override;

    QPlainTextEdit* faultText() const { return m_text; }
    QCheckBox* signalBox() const { return m_signal; }

    void OnInitDialog();
    void OnBtnClear();
    void OnChkBuzerSignalContinious();

private:
    void showModel();

    CErrDlgTexts m_texts;
    Seams m_seams;
    IDocumentPort& m_doc;
    std::unique_ptr<CErrorsDlgModel> m_model;
    QPlainTextEdit* m_text;
    QCheckBox* m_signal;
};
