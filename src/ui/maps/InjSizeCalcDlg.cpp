#include "maps/InjSizeCalcDlg.h"

#include "controls/CtrlId.h"
#include "controls/UpDownCtrl.h"
#include "lang/Translate.h"
#include "maps/MapCtrlIds.h"
#include "maps/tools/NozzleSize.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace vexor;

CInjSizeCalcDlg::CInjSizeCalcDlg(bool cng, int injectors, QWidget* parent)
    : QDialog(parent), m_cng(cng), m_cylinders(new QComboBox(this)), m_power(new QLineEdit(this)),
      m_powerSpin(new CUpDownCtrl(this)), m_type(new QComboBox(this)),
      m_result(new QLineEdit(this)), m_calc(new QPushButton(this)) {
    setCtrlId(this, kDialogId);
    auto* cylLabel = new QLabel(this);
    auto* powerLabel = new QLabel(this);
    auto* typeLabel = new QLabel(this);
    auto* unit = new QLabel(QStringLiteral("mm"), this);
    auto* close = new QPushButton(this);
    setCtrlId(cylLabel, ids::kInjSizeCylLabel);
    setCtrlId(m_cylinders, ids::kInjSizeCylinders);
    setCtrlId(powerLabel, ids::kInjSizePowerLabel);
    setCtrlId(m_power, ids::kInjSizePower);
    setCtrlId(m_powerSpin, ids::kInjSizePowerSpin);
    setCtrlId(typeLabel, ids::kInjSizeTypeLabel);
    setCtrlId(m_type, ids::kInjSizeType);
    setCtrlId(m_calc, ids::kInjSizeCalc);
    setCtrlId(m_result, ids::kInjSizeResult);
    setCtrlId(unit, ids::kInjSizeUnit);
    setCtrlId(close, ids::kDlgCancel);

    for (int count : kNozzleCylinderCounts)
        m_cylinders->addItem(QString::number(count), count);
    // The engine on the bench is the likely question: one injector per cylinder.
    if (const int at = m_cylinders->findData(injectors); at >= 0)
        m_cylinders->setCurrentIndex(at);
    m_power->setValidator(new QIntValidator(0, 99999, m_power));
    m_power->setText(QString::number(kNozzlePowerStart));
    for (InjectionType type :
         {InjectionType::Sequential, InjectionType::SemiSequential, InjectionType::FullGroup})
        m_type->addItem(QString::fromStdString(translate(injectionTypeName(type))),
                        static_cast<int>(type));
    m_result->setReadOnly(true);
    m_calc->setDefault(true);

    connect(m_powerSpin, &CUpDownCtrl::deltaPos, this, &CInjSizeCalcDlg::onDeltaPosPower);
    connect(m_calc, &QPushButton::clicked, this, &CInjSizeCalcDlg::OnBtnCalc);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(cylLabel, 0, 0);
    grid->addWidget(m_cylinders, 0, 1);
    grid->addWidget(powerLabel, 1, 0);
    auto* powerRow = new QHBoxLayout;
    powerRow->addWidget(m_power);
    powerRow->addWidget(m_powerSpin);
    grid->addLayout(powerRow, 1, 1);
    grid->addWidget(typeLabel, 2, 0);
    grid->addWidget(m_type, 2, 1);
    grid->addWidget(m_calc, 3, 0);
    auto* resultRow = new QHBoxLayout;
    resultRow->addWidget(m_result);
    resultRow->addWidget(unit);
    grid->addLayout(resultRow, 3, 1);
    grid->addWidget(close, 4, 1);
    m_texts.apply(this);
}

void CInjSizeCalcDlg::onDeltaPosPower(int delta) {
    // The upper arrow (delta -1) raises the power.
    const int power = nozzlePowerFromText(m_power->text().toStdString());
    if (const auto stepped = steppedNozzlePower(power, -delta))
        m_power->setText(QString::number(*stepped));
}

void CInjSizeCalcDlg::OnBtnCalc() {
    const int power = nozzlePowerFromText(m_power->text().toStdString());
    const int cylinders = m_cylinders->currentData().toInt();
    const auto type = static_cast<InjectionType>(m_type->currentData().toInt());
    m_result->setText(QString::fromStdString(
        formatNozzleDiameter(nozzleDiameterMm(power, cylinders, type, m_cng))));
}
