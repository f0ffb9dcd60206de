#include "pages/PasswdDlg.h"

#include "app/ControlIds.h"
#include "app/IDocumentPort.h"
#include "controls/CtrlId.h"
#include "lang/Translate.h"

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
    m_wrong = new QLabel(this);
    m_wrong->setObjectName(QStringLiteral("wrongPassword"));
    m_wrong->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_wrong->hide();

    // Cancel says plainly what Escape does: the page stays locked.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPasswdDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPasswdDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(m_wrong);
    layout->addWidget(buttons);
    m_texts.apply(this);
}

void CPasswdDlg::accept() {
    if (m_edit->text().toStdString() != m_expected) {
        // The typed text stays, selected, so a retry overwrites it.
        m_wrong->setText(
            QString::fromStdString(vexor::translate("Błędne hasło. Spróbuj ponownie.")));
        m_wrong->show();
        m_edit->selectAll();
        m_edit->setFocus();
        return;
    }
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
