#include "maps/MainCorrDlg.h"

#include "app/IDocumentPort.h"
#include "controls/CtrlId.h"
#include "controls/UpDownCtrl.h"
#include "maps/MapCtrlIds.h"
#include "maps/autocal/LPGDeviceLink.h"
#include "maps/tools/FileMainCorrLink.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using Spin = CMainCorrEditor::Spin;

CMainCorrDlg::CMainCorrDlg(IMainCorrDevice& device, const Seams& seams, QWidget* parent)
    : QDialog(parent), m_editor(device, seams), m_changeAll(new QCheckBox(this)) {
    vexor::setCtrlId(this, kDialogId);
    auto* group = new QGroupBox(this);
    vexor::setCtrlId(group, vexor::ids::kMainCorrGroup);
    auto* rows = new QVBoxLayout(group);
    for (int i = 0; i < CMainCorrEditor::kRows; ++i) {
        const auto n = static_cast<size_t>(i);
        auto* row = new QWidget(group);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        auto* number = new QLabel(QString::number(i + 1), row);
        m_coarse[n] = new CUpDownCtrl(row);
        m_fields[n] = new QLineEdit(row);
        m_fine[n] = new CUpDownCtrl(row);
        auto* unit = new QLabel(QStringLiteral("[ms]"), row);
        vexor::setCtrlId(m_fields[n], vexor::ids::kMainCorrFields[n]);
        vexor::setCtrlId(m_fine[n], vexor::ids::kMainCorrFineSpins[n]);
        vexor::setCtrlId(m_coarse[n], vexor::ids::kMainCorrCoarseSpins[n]);
        m_fields[n]->setFixedWidth(60);
        m_fields[n]->setAlignment(Qt::AlignRight);
        line->addWidget(number);
        line->addWidget(m_coarse[n]);
        line->addWidget(m_fields[n]);
        line->addWidget(m_fine[n]);
        line->addWidget(unit);
        line->addStretch();
        rows->addWidget(row);
        m_rowWidgets[n] = row;

        connect(m_fields[n], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { m_editor.setFieldText(i, text.toStdString()); });
        connect(m_fine[n], &CUpDownCtrl::deltaPos, this,
                [this, i](int delta) { onDeltaSpinMainCorr(i, delta, Spin::Fine); });
        connect(m_coarse[n], &CUpDownCtrl::deltaPos, this,
                [this, i](int delta) { onDeltaSpinMainCorr(i, delta, Spin::Coarse); });
    }
    vexor::setCtrlId(m_changeAll, vexor::ids::kMainCorrChangeAll);
    connect(m_changeAll, &QCheckBox::toggled, this, [this](bool all) {
        m_editor.setChangeAll(all);
        enableSpins();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMainCorrDlg::onOk);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_changeAll);
    layout->addWidget(buttons);

    m_texts.apply(this);
    m_editor.open();
    m_changeAll->setChecked(m_editor.changeAll());
    for (int i = 0; i < CMainCorrEditor::kRows; ++i)
        m_rowWidgets[static_cast<size_t>(i)]->setVisible(m_editor.rowVisible(i));
    showFields();
    enableSpins();
}

void CMainCorrDlg::run(IDocumentPort& doc, const Seams& seams, QWidget* parent) {
    if (DeviceSettings* file = doc.fileImage()) {
        CFileMainCorrLink link(*file, [&doc] { doc.fileChanged(); });
        CMainCorrDlg dialog(link, seams, parent);
        dialog.exec();
        return;
    }
    CLPGDevice* device = doc.controller();
    if (device == nullptr)
        return;
    CLPGDeviceLink link(*device);
    CMainCorrDlg dialog(link, seams, parent);
    dialog.setChangeGuard([&doc] { return doc.beforeChange("edit"); });
    dialog.exec();
}

void CMainCorrDlg::showFields() {
    for (int i = 0; i < CMainCorrEditor::kRows; ++i) {
        const QString text = QString::fromStdString(m_editor.fieldText(i));
        if (m_fields[static_cast<size_t>(i)]->text() != text)
            m_fields[static_cast<size_t>(i)]->setText(text);
    }
}

void CMainCorrDlg::enableSpins() {
    for (int i = 0; i < CMainCorrEditor::kRows; ++i) {
        const bool enabled = m_editor.spinEnabled(i);
        m_fine[static_cast<size_t>(i)]->setEnabled(enabled);
        m_coarse[static_cast<size_t>(i)]->setEnabled(enabled);
    }
}

void CMainCorrDlg::onOk() {
    for (int i = 0; i < CMainCorrEditor::kRows; ++i)
        m_editor.setFieldText(i, m_fields[static_cast<size_t>(i)]->text().toStdString());
    // A typed value is not thrown away: it goes to the controller like a
    // step. When the controller refused it the dialog stays, with the values
    // about to be written, so nothing is lost silently.
    const CMainCorrEditor::Result result = m_editor.acceptTyped();
    showFields();
    if (result == CMainCorrEditor::Result::Written || result == CMainCorrEditor::Result::Ignored)
        accept();
}

void CMainCorrDlg::onDeltaSpinMainCorr(int row, int delta, Spin spin) {
    // The editor holds what was typed; a step starts from it.
    for (int i = 0; i < CMainCorrEditor::kRows; ++i)
        m_editor.setFieldText(i, m_fields[static_cast<size_t>(i)]->text().toStdString());
    m_editor.onDeltaSpin(row, delta, spin);
    showFields();
}
