#include "app/WorkModeDlg.h"

#include "app/ControlIds.h"
#include "controls/CtrlId.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CWorkModeDlg::CWorkModeDlg(QWidget* parent) : QDialog(parent), m_list(new QListWidget(this)) {
    auto* label = new QLabel(this);
    vexor::setCtrlId(label, vexor::ids::kWorkModeLabel);
    vexor::setCtrlId(m_list, vexor::ids::kWorkModeList);
    m_list->addItems({QStringLiteral("LPG"), QStringLiteral("CNG")});
    m_list->setCurrentRow(0);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CWorkModeDlg::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CWorkModeDlg::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    m_texts.apply(this);
}

void CWorkModeDlg::accept() {
    m_cng = m_list->currentRow() == 1;
    QDialog::accept();
}
