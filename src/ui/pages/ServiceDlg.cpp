#include "pages/ServiceDlg.h"

#include "app/IDocumentPort.h"
#include "common/IError.h"
#include "controls/CtrlId.h"
#include "device/ServiceInfo.h"
#include "lang/Translate.h"
#include "pages/AdvancedPageIds.h"
#include "pages/SetServiceDlg.h"
#include "platform/StationCode.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <memory>

using namespace vexor::ids;

namespace {

QLabel* field(QWidget* parent, int id) {
    auto* text = new QLabel(parent);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    vexor::setCtrlId(text, id);
    return text;
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CServiceDlg::CServiceDlg(IDocumentPort& doc, const Seams& seams, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_seams(seams) {
    auto* work = new QGroupBox(this);
    vexor::setCtrlId(work, kSrvGrpWorkTime);
    auto* workGrid = new QGridLayout(work);
    workGrid->addWidget(field(work, kSrvLblPetrol), 0, 0);
    workGrid->addWidget(m_petrolTime = field(work, kSrvPetrolTime), 0, 1);
    workGrid->addWidget(field(work, kSrvLblGas), 1, 0);
    workGrid->addWidget(m_gasTime = field(work, kSrvGasTime), 1, 1);

    auto* codes = new QGridLayout;
    codes->addWidget(field(this, kSrvLblLastModified), 0, 0);
    codes->addWidget(m_lastModified = field(this, kSrvLastModified), 0, 1);
    codes->addWidget(field(this, kSrvLblThisStation), 1, 0);
    codes->addWidget(m_thisStation = field(this, kSrvThisStation), 1, 1);

    auto* inspection = new QGroupBox(this);
    vexor::setCtrlId(inspection, kSrvGrpInspection);
    auto* inspectionGrid = new QGridLayout(inspection);
    inspectionGrid->addWidget(field(inspection, kSrvLblHoursLeft), 0, 0);
    inspectionGrid->addWidget(m_hoursLeft = field(inspection, kSrvHoursLeft), 0, 1);
    m_hoursUnit = new QLabel(QStringLiteral("h"), inspection);
    vexor::setCtrlId(m_hoursUnit, kSrvHoursUnit);
    inspectionGrid->addWidget(m_hoursUnit, 0, 2);
    auto* set = new QPushButton(inspection);
    set->setAutoDefault(false);
    vexor::setCtrlId(set, kSrvBtnSet);
    inspectionGrid->addWidget(set, 0, 3);
    connect(set, &QPushButton::clicked, this, &CServiceDlg::OnBtnSetService);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(work);
    layout->addLayout(codes);
    layout->addWidget(inspection);
    m_hoursUnit->hide();

    m_texts.apply(this);
    OnInitDialog();
}

void CServiceDlg::OnInitDialog() {
    if (!m_doc.isConnected())
        return;
    try {
        if (m_doc.readStatistic()) {
            const auto& statistic = m_doc.settings().m_devInfo.m_statistic;
            m_petrolTime->setText(qs(vexor::workTimeText(statistic.gas)));
            m_gasTime->setText(qs(vexor::workTimeText(statistic.lpg)));
        }
    } catch (IError* raw) {
        const std::unique_ptr<IError> error(raw);
        m_seams.message(std::string("CServiceDlg::OnInitDialog()\n") +
                            vexor::translate(error->description()),
                        IUserPrompt::Icon::Error);
    }
    m_lastModified->setText(qs(vexor::stationCodeText(m_doc.settings().m_base.m_stationCode)));
    std::array<std::uint8_t, 4> own{};
    vexor::stationCode(own.data());
    m_thisStation->setText(qs(vexor::stationCodeText(own)));
    showInspection();
}

void CServiceDlg::showInspection() {
    const DeviceSettings& settings = m_doc.settings();
    if (settings.m_advancedSetup.m_advancedFlags & vexor::kAdvFlagInspection) {
        m_hoursLeft->setText(QString::number(vexor::inspectionHoursLeft(settings)));
        m_hoursUnit->show();
    } else {
        m_hoursLeft->clear();
        m_hoursUnit->hide();
    }
}

void CServiceDlg::OnBtnSetService() {
    CSetServiceDlg dialog(m_doc, m_seams, this);
    dialog.exec();
    if (m_doc.isConnected())
        showInspection();
}
