#include "texts/LangDlg.h"

#include "app/ControlIds.h"
#include "controls/CtrlId.h"
#include "lang/Language.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

CLangDlg::CLangDlg(QWidget* parent) : QDialog(parent), m_list(new QListWidget(this)) {
    vexor::setCtrlId(m_list, vexor::ids::kLangList);
    for (int i = 0; i < vexor::kLanguageCount; ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(vexor::languageName(i)), m_list);
        item->setData(Qt::UserRole, i);
    }
    // The language in use is the one highlighted: OK alone changes nothing.
    m_list->setCurrentRow(vexor::currentLanguage());
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CLangDlg::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLangDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLangDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    m_texts.apply(this);
}

void CLangDlg::accept() {
    const QList<QListWidgetItem*> chosen = m_list->selectedItems();
    if (chosen.isEmpty())
        return;
    m_selected = chosen.front()->data(Qt::UserRole).toInt();
    QDialog::accept();
}
