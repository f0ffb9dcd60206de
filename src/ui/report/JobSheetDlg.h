#pragma once

#include "platform/Seams.h"
#include "report/JobSheet.h"
#include "report/JobSheetBuilder.h"
#include "report/Workshop.h"

#include <QDialog>

#include <array>
#include <optional>
#include <string>

class CJobSheetSession;
class IDocumentPort;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;

// "Job sheet…": the sheet of the connected controller shown as it will be
// printed, with the workshop's name and address (kept in the configuration
// folder) and what the fitter enters about the car and the customer (kept
// per controller serial), saved as PDF or HTML or printed. The controller is
// read when the dialog opens (work times included); a port error on the way
// goes to the caller.
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
    // The car and customer fields, in the order of SVehicleRecord (the last,
    // the work done, is the text box).
    QLineEdit* vehicleEdit(int index) const { return m_vehicle[static_cast<size_t>(index)]; }
    QPlainTextEdit* workDoneEdit() const { return m_workDone; }
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
    void vehicleEdited();
    SVehicleRecord enteredVehicle() const;
    std::string configFolder() const;
    void failed() const;

    IDocumentPort& m_doc;
    Seams m_seams;
    CJobSheet m_sheet;
    QLineEdit* m_name = nullptr;
    QPlainTextEdit* m_address = nullptr;
    std::array<QLineEdit*, 5> m_vehicle{};
    QPlainTextEdit* m_workDone = nullptr;
    std::string m_serial;
    SJobSheetInputs m_inputs;
    std::optional<DeviceSettings> m_baseline;
    QTextBrowser* m_preview = nullptr;
};
