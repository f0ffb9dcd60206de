#include "diag/ErrorsDlg.h"

#include "app/IDocumentPort.h"
#include "common/IError.h"
#include "controls/CtrlId.h"
#include "diag/DiagIds.h"
#include "diag/ErrorsDlgModel.h"
#include "diag/HandlerReport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

using namespace vexor::ids::diag;

CErrorsDlg::CErrorsDlg(IDocumentPort& doc, const Seams& seams, std::function<void(bool)> indicator,
                       QWidget* parent)
    : QDialog(parent), m_seams(seams), m_doc(doc), m_text(new QPlainTextEdit(this)),
      m_signal(new QCheckBox(this)) {
    if (CLPGDevice* device = doc.controller())
        m_model = std::make_unique<CErrorsDlgModel>(*device, std::move(indicator));

    vexor::setCtrlId(m_text, kErrText);
    m_text->setReadOnly(true);
    m_text->setMinimumSize(420, 180);
    vexor::setCtrlId(m_signal, kChkContinuousSignal);
    auto* clear = new QPushButton(this);
    vexor::setCtrlId(clear, kBtnClearErrors);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    vexor::setCtrlId(close->button(QDialogButtonBox::Close), kBtnCloseErrors);

    auto* row = new QHBoxLayout;
    row->addWidget(m_signal);
    row->addStretch(1);
    row->addWidget(clear);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(row);
    layout->addWidget(close);

    connect(clear, &QPushButton::clicked, this, &CErrorsDlg::OnBtnClear);
    connect(m_signal, &QCheckBox::clicked, this, &CErrorsDlg::OnChkBuzerSignalContinious);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);

    OnInitDialog();
}

CErrorsDlg::~CErrorsDlg() = default;

void CErrorsDlg::OnInitDialog() {
    try {
        m_texts.apply(this);
    } catch (IError* error) {
        vexor::reportHandlerError(m_seams, CErrorsDlgModel::kHandlerInit,
                                  std::unique_ptr<IError>(error));
    }
    if (!m_model)
        return;
    m_model->init();
    // The faults found go into the car's history, one a line.
    const std::string& faults = m_model->text();
    for (std::size_t start = 0; start < faults.size();) {
        std::size_t end = faults.find('\n', start);
        if (end == std::string::npos)
            end = faults.size();
        if (const std::string line = faults.substr(start, end - start);
            line.find_first_not_of(" \r") != std::string::npos)
            m_doc.recordVisit("fault", {line});
        start = end + 1;
    }
    showModel();
}

void CErrorsDlg::showModel() {
    const QString text = QString::fromStdString(m_model->shownText());
    if (m_text->toPlainText() != text)
        m_text->setPlainText(text);
    m_signal->setChecked(m_model->continuousSignal());
}

void CErrorsDlg::OnBtnClear() {
    if (!m_model)
        return;
    m_model->clear();
    showModel();
}

void CErrorsDlg::OnChkBuzerSignalContinious() {
    // Not connected, the box changes on screen only; the model leaves the
    // image alone then.
    if (m_model)
        m_model->setContinuousSignal(m_signal->isChecked());
}
