#pragma once

#include "platform/Seams.h"
#include "report/JobSheet.h"

#include <QDialog>

#include <string>

class CJobSheetSession;
class IDocumentPort;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;

// "Job sheet…": the sheet of the connected controller shown as it will be
// printed, with the workshop's name and address (kept in the configuration
// folder), saved as PDF or HTML or printed. The controller is read when the
// dialog opens; a port error on the way goes to the caller.
class CJobSheetDlg : public QDialog {
    Q_OBJECT
public:
    CJobSheetDlg(IDocumentPort& doc, const Seams& seams, CJobSheetSession& session,
                 QWidget* parent = nullptr);
    // Shows the dialog modally with the program run's session.
    static void run(IDocumentPort& doc, const Seams& seams, QWidget* parent);

    const CJobSheet& sheet() const { return m_sheet; }
    QLineEdit* nameEdit() const { return m_name; }
    QPlainTextEdit* addressEdit() const { return m_address; }
    QTextBrowser* preview() const { return m_preview; }
    std::string html() const;

    // Save the sheet through the file chooser; false when cancelled or the
    // file could not be written (the user was told).
    bool OnSavePdf();
    bool OnSaveHtml();
    void OnPrint();

private:
    void gather(CJobSheetSession& session);
    void workshopEdited();
    std::string configFolder() const;
    void failed() const;

    IDocumentPort& m_doc;
    Seams m_seams;
    CJobSheet m_sheet;
    QLineEdit* m_name = nullptr;
    QPlainTextEdit* m_address = nullptr;
    QTextBrowser* m_preview = nullptr;
};
