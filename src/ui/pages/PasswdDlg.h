#pragma once

#include "texts/PasswdDlgTexts.h"

#include <QDialog>

#include <functional>
#include <string>

class IDocumentPort;
class QLabel;
class QLineEdit;

// Asks for the service password. The right password (exact letter case) runs
// the grant callback and closes the dialog; a wrong one says so and leaves the
// dialog open with the text as typed, for another try.
class CPasswdDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kServicePassword = "qtlmr305";

    CPasswdDlg(std::string expected, std::function<void()> grant, QWidget* parent = nullptr);

    QLineEdit* edit() const { return m_edit; }
    // The "wrong password" line; hidden until a wrong password was given.
    QLabel* wrongNote() const { return m_wrong; }

    // For the pages only the service fitter may use: true at once when the
    // password was given before in this run, else asks for it.
    static bool ensureServiceAccess(IDocumentPort& doc, QWidget* parent);

public slots:
    void accept() override;

private:
    CPasswdDlgTexts m_texts;
    std::string m_expected;
    std::function<void()> m_grant;
    QLineEdit* m_edit;
    QLabel* m_wrong = nullptr;
};
