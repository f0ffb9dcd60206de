#include "maps/MapValueDlg.h"

#include "controls/CtrlId.h"
#include "lang/Translate.h"
#include "maps/MapCellText.h"
#include "maps/MapCtrlIds.h"
#include "maps/MapFormat.h"
#include "maps/MapMessages.h"
#include "texts/MapAddDlgTexts.h"
#include "texts/MapSetDlgTexts.h"
#include "texts/MapSubbDlgTexts.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

std::unique_ptr<CMultiLangDlgWnd> textsFor(CMapValueDlg::Kind kind) {
    switch (kind) {
    case CMapValueDlg::Kind::Add:
        return std::make_unique<CMapAddDlgTexts>();
    case CMapValueDlg::Kind::Subtract:
        return std::make_unique<CMapSubbDlgTexts>();
    case CMapValueDlg::Kind::Set:
        break;
    }
    return std::make_unique<CMapSetDlgTexts>();
}

int dialogId(CMapValueDlg::Kind kind) {
    switch (kind) {
    case CMapValueDlg::Kind::Add:
        return vexor::ids::kMapAddDlg;
    case CMapValueDlg::Kind::Subtract:
        return vexor::ids::kMapSubbDlg;
    case CMapValueDlg::Kind::Set:
        break;
    }
    return vexor::ids::kMapSetDlg;
}

} // namespace

CMapValueDlg::CMapValueDlg(Kind kind, const Seams& seams, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_seams(seams), m_texts(textsFor(kind)),
      m_edit(new QLineEdit(this)) {
    vexor::setCtrlId(this, dialogId(kind));
    auto* label = new QLabel(this);
    vexor::setCtrlId(label, vexor::ids::kMapValueLabel);
    vexor::setCtrlId(m_edit, vexor::ids::kMapValueEdit);
    m_edit->setValidator(new QIntValidator(-999, 999, m_edit));
    m_edit->setText(QString::number(vexor::kMapDialogStartValue));
    m_edit->selectAll();
    auto* percent = new QLabel(QStringLiteral("%"), this);
    vexor::setCtrlId(percent, vexor::ids::kMapValuePercent);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    vexor::setCtrlId(ok, vexor::ids::kDlgOk);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CMapValueDlg::accept);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(percent);
    layout->addWidget(ok);
    m_texts->apply(this);
}

CMapValueDlg::~CMapValueDlg() = default;

void CMapValueDlg::accept() {
    const int typed = vexor::leadingInt(m_edit->text().toStdString());
    if (m_kind == Kind::Set) {
        m_value = vexor::acceptMapSetValue(typed);
    } else {
        const std::optional<int> amount = vexor::acceptMapAmount(typed);
        if (!amount) {
            m_seams.message(vexor::translate(vexor::kMsgPositiveNumber),
                            IUserPrompt::Icon::Information);
            return;
        }
        m_value = *amount;
    }
    QDialog::accept();
}
