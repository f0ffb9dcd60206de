#include "app/AboutDlg.h"

#include "app/AppIdentity.h"
#include "app/ControlIds.h"
#include "app/ToolBarIcons.h"
#include "controls/CtrlId.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_edit(new QPlainTextEdit(this)) {
    vexor::setCtrlId(m_edit, vexor::ids::kAboutEdit);
    m_edit->setReadOnly(true);
    m_edit->setMinimumSize(420, 160);

    auto* picture = new QLabel(this);
    picture->setPixmap(vexor::brandPicture(QSize(200, 100)));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(m_edit, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    m_texts.apply(this);
    // Version, build date, licence and address under the translated text, in
    // the same read-only box, so a fitter can copy everything support asks for.
    m_edit->appendPlainText(QStringLiteral("\n") + vexor::appFacts());
}

// Nothing is highlighted: the caret sits just before the last character.
void CAboutDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_edit->setFocus();
    QTextCursor cursor = m_edit->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.setPosition(std::max(0, cursor.position() - 1));
    m_edit->setTextCursor(cursor);
}
