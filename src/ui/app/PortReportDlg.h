#pragma once

#include <QDialog>

#include <string>

class QMessageBox;

// The report of every port of the table: why none of them reached a
// controller (missing, busy, closed to the user, silent, ...), one line per
// port in the user's language. It is what `vexor-cli doctor` prints, without
// asking the controller again: the search has just found none.
class CPortReportDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPortReportDlg(QWidget* parent = nullptr);

    // "PATH: DETAIL" lines for the current port table.
    static std::string reportText();
};

// Gives the question box a "Details…" button that opens the report and leaves
// the question open.
void addPortReportButton(QMessageBox& box);
