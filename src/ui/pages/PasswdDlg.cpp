#include "pages/PasswdDlg.h"

#include "app/ControlIds.h"
#include "app/IDocumentPort.h"
#include "controls/CtrlId.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <utility>

CPasswdDlg::CPasswdDlg(std::string expected, std::function<void()> grant, QWidget* parent)
    : QDialog(parent), m_expected(std::move(expected)), m_grant(std::move(grant)),
      m_edit(new QLineEdit(this)) {
    auto* label = new QLabel(this);
    vexor::setCtrlId(label, vexor::ids::kPasswdLabel);
    vexor::setCtrlId(m_edit, vexor::ids::kPasswdEdit);
    m_edit->setEchoMode(QLineEdit::Password);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPasswdDlg::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    m_texts.apply(this);
}

void CPasswdDlg::accept() {
    if (m_edit->text().toStdString() != m_expected)
        return;
    if (m_grant)
        m_grant();
    QDialog::accept();
}

bool CPasswdDlg::ensureServiceAccess(IDocumentPort& doc, QWidget* parent) {
    if (doc.serviceAccess())
        return true;
    CPasswdDlg dialog(
        kServicePassword, [&doc] { doc.grantServiceAccess(); }, parent);
    dialog.exec();
    return doc.serviceAccess();
}
