#include "pages/SetServiceDlg.h"

#include "app/IDocumentPort.h"
#include "common/IError.h"
#include "common/Rounding.h"
#include "controls/ChoiceFill.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "device/ServiceInfo.h"
#include "lang/Translate.h"
#include "pages/AdvancedPageIds.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include <memory>

using namespace vexor::ids;

CSetServiceDlg::CSetServiceDlg(IDocumentPort& doc, const Seams& seams, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_seams(seams), m_distance(new CValueCmbBox(this)) {
    auto* label = new QLabel(this);
    vexor::setCtrlId(label, kSetSrvLblDistance);
    auto* note = new QLabel(this);
    vexor::setCtrlId(note, kSetSrvLblNote);
    vexor::setCtrlId(m_distance, kSetSrvDistance);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSetServiceDlg::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_distance, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("km"), this), 0, 2);
    grid->addWidget(note, 1, 0, 1, 3);
    grid->addWidget(buttons, 2, 0, 1, 3);
    m_texts.apply(this);

    vexor::fillChoices(*m_distance, vexor::Choice::ServiceDistance,
                       m_doc.settings().m_devInfo.m_version);
    // With the reminder on, the distance left is not known here: no entry is
    // chosen until the fitter picks one.
    const bool reminderOn =
        m_doc.settings().m_advancedSetup.m_advancedFlags & vexor::kAdvFlagInspection;
    m_distance->setCurrentIndex(reminderOn ? -1 : 0);
}

void CSetServiceDlg::accept() {
    // OK without a choice keeps the reminder as it is; taking it as a
    // distance would make the inspection fall due at once.
    if (m_distance->currentIndex() < 0) {
        QDialog::accept();
        return;
    }
    // Declined to go on without a backup: the dialog stays as it is.
    if (!m_doc.beforeChange("edit"))
        return;
    try {
        vexor::setInspection(m_doc.editSettings(), vexor::roundInt(m_distance->selectedValue()));
        if (!m_doc.writeBlock(vexor::SettingBlock::AdvancedSetup)) {
            m_seams.message(vexor::translate("Nie powiodło się ustawienie urządzenia!"),
                            IUserPrompt::Icon::Error);
            return;
        }
    } catch (IError* raw) {
        const std::unique_ptr<IError> error(raw);
        m_seams.message(std::string("CServiceCtrlDlg::OnOK()\n") +
                            vexor::translate(error->description()),
                        IUserPrompt::Icon::Error);
        return;
    }
    QDialog::accept();
}
