#include "app/QtUserPrompt.h"

#include "app/PortReportDlg.h"
#include "doc/KorvantisDoc.h"
#include "lang/Translate.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(IUserPrompt::Icon icon) {
    switch (icon) {
    case IUserPrompt::Icon::Information:
        return QMessageBox::Information;
    case IUserPrompt::Icon::Warning:
        return QMessageBox::Warning;
    case IUserPrompt::Icon::Error:
        return QMessageBox::Critical;
    case IUserPrompt::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void CQtUserPrompt::message(const std::string& text, Icon icon) {
    QMessageBox box(boxIcon(icon), QString::fromLatin1(kCaption), QString::fromStdString(text),
                    QMessageBox::Ok, m_parent.data());
    box.exec();
}

IUserPrompt::SaveAnswer CQtUserPrompt::askSave(const std::string& text) {
    QMessageBox box(
        QMessageBox::Question, QString::fromLatin1(kCaption), QString::fromStdString(text),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_parent.data());
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

bool CQtUserPrompt::ask(const std::string& text, bool defaultYes) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kCaption),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                    m_parent.data());
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    if (text == vexor::translate(CKorvantisDoc::kMsgDemoQuestion))
        addPortReportButton(box);
    return box.exec() == QMessageBox::Yes;
}
