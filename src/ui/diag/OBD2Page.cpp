#include "diag/OBD2Page.h"

#include "app/IDocumentPort.h"
#include "common/IError.h"
#include "controls/ColorStatic.h"
#include "controls/Colors.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "diag/ChoiceCombo.h"
#include "diag/DiagIds.h"
#include "diag/HandlerReport.h"
#include "diag/ObdScanWidgets.h"
#include "lang/Translate.h"
#include "obd/ObdPageModel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace vexor::ids::diag;

namespace {

constexpr const char* kMsgObdPaused = "Odczyt OBD wstrzymany: brak połączenia ze sterownikiem";

template <class T> T* withId(T* widget, int id) {
    vexor::setCtrlId(widget, id);
    return widget;
}

CColorStatic* valueField(QWidget* parent, int id) {
    auto* field = withId(new CColorStatic(parent), id);
    field->setFramed(true);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setMinimumWidth(70);
    return field;
}

void setLabel(QLabel* label, const std::string& text) {
    const QString q = QString::fromStdString(text);
    if (label->text() != q)
        label->setText(q);
}

} // namespace

COBD2Page::COBD2Page(QWidget* parent)
    : CAppPropPage(" OBD ", parent), m_link(withId(new CValueCmbBox(this), kCmbLink)),
      m_period(withId(new CValueCmbBox(this), kCmbPeriod)),
      m_maximum(withId(new CValueCmbBox(this), kCmbMaximum)),
      m_readCodes(withId(new QPushButton(this), kBtnReadCodes)),
      m_clearCodes(withId(new QPushButton(this), kBtnClearCodes)),
      m_correction(withId(new QCheckBox(this), kChkCorrection)),
      m_codes(withId(new QListWidget(this), kCodeList)), m_standard(valueField(this, kStandard)),
      m_protocol(valueField(this, kProtocol)), m_bank1Corr(valueField(this, kBank1Corr)),
      m_bank2Corr(valueField(this, kBank2Corr)), m_loadLabel(withId(new QLabel(this), kLblLoad)),
      m_loadUnit(withId(new QLabel(this), kLblLoadUnit)),
      m_codeTabs(withId(new QTabWidget(this), kCodeTabs)),
      m_calibrationLabel(withId(new QLabel(this), kLblCalibration)),
      m_scan(std::make_unique<CObdScanWidgets>(this)) {
    m_codes->setWordWrap(true);
    m_codes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_codes->setResizeMode(QListView::Adjust);
    m_standard->setMinimumWidth(160);
    m_protocol->setMinimumWidth(160);
    for (std::size_t i = 0; i < m_values.size(); ++i)
        m_values[i] = valueField(this, kValues[i]);

    // Link, standard, protocol and the load value.
    auto* top = new QGridLayout;
    top->addWidget(withId(new QLabel(this), kLblLink), 0, 0);
    top->addWidget(m_link, 0, 1);
    top->addWidget(withId(new QLabel(this), kLblStandard), 1, 0);
    top->addWidget(m_standard, 1, 1);
    top->addWidget(withId(new QLabel(this), kLblProtocol), 2, 0);
    top->addWidget(m_protocol, 2, 1);
    top->addWidget(m_loadLabel, 3, 0);
    auto* load = new QHBoxLayout;
    load->addWidget(m_values[0]);
    load->addWidget(m_loadUnit);
    top->addLayout(load, 3, 1);
    auto* vinLabel = withId(new QLabel(QStringLiteral("VIN"), this), kLblVin);
    top->addWidget(vinLabel, 4, 0);
    top->addWidget(m_scan->vinField(), 4, 1);
    top->addWidget(m_calibrationLabel, 5, 0);
    top->addWidget(m_scan->calibrationField(), 5, 1);

    // Fuel trims and oxygen sensors: one row per quantity, one column per bank.
    auto* values = new QGridLayout;
    values->addWidget(withId(new QLabel(this), kLblValuesBank1), 0, 1);
    values->addWidget(withId(new QLabel(this), kLblValuesBank2), 0, 2);
    const std::array<int, 4> rowLabels = {kLblShortTrim, kLblLongTrim, kLblLambdaBefore,
                                          kLblLambdaAfter};
    // Slots of bank 1 and bank 2 for each row.
    const std::array<std::pair<int, int>, 4> rowSlots = {{{1, 3}, {2, 4}, {5, 7}, {6, 8}}};
    for (int row = 0; row < 4; ++row) {
        values->addWidget(withId(new QLabel(this), rowLabels[static_cast<std::size_t>(row)]),
                          row + 1, 0);
        values->addWidget(
            m_values[static_cast<std::size_t>(rowSlots[static_cast<std::size_t>(row)].first)],
            row + 1, 1);
        values->addWidget(
            m_values[static_cast<std::size_t>(rowSlots[static_cast<std::size_t>(row)].second)],
            row + 1, 2);
    }

    auto* codes = withId(new QGroupBox(this), kGrpCodes);
    auto* codesLayout = new QVBoxLayout(codes);
    // Stored codes first, then pending and permanent ones.
    m_codeTabs->addTab(m_codes, QString());
    m_scan->addCodeTabs(m_codeTabs);
    codesLayout->addWidget(m_codeTabs);
    auto* codeButtons = new QHBoxLayout;
    codeButtons->addWidget(m_readCodes);
    codeButtons->addWidget(m_clearCodes);
    codesLayout->addLayout(codeButtons);
    codesLayout->addWidget(m_scan->readButton());

    // The controller's OBD-based correction.
    auto* corr = new QGridLayout;
    auto track = [this](QWidget* w) {
        m_correctionControls.push_back(w);
        return w;
    };
    auto label = [this](int id, const char* fixed = nullptr) {
        auto* l = withId(new QLabel(this), id);
        if (fixed)
            l->setText(QString::fromUtf8(fixed));
        return l;
    };
    corr->addWidget(m_correction, 0, 0, 1, 3);
    corr->addWidget(track(label(kLblPeriod)), 1, 0);
    corr->addWidget(track(m_period), 1, 1);
    corr->addWidget(track(label(kLblPeriodUnit, "s")), 1, 2);
    corr->addWidget(track(label(kLblMaximum)), 2, 0);
    corr->addWidget(track(m_maximum), 2, 1);
    corr->addWidget(track(label(kLblMaximumUnit, "%")), 2, 2);
    corr->addWidget(track(label(kLblBank1Corr)), 3, 0);
    corr->addWidget(track(m_bank1Corr), 3, 1);
    corr->addWidget(track(label(kLblBank1CorrUnit, "%")), 3, 2);
    corr->addWidget(track(label(kLblBank2Corr)), 4, 0);
    corr->addWidget(track(m_bank2Corr), 4, 1);
    corr->addWidget(track(label(kLblBank2CorrUnit, "%")), 4, 2);

    auto* cylinders = new QGridLayout;
    cylinders->addWidget(track(label(kLblCylinder)), 0, 0);
    cylinders->addWidget(track(label(kLblCylBank1)), 1, 0);
    cylinders->addWidget(track(label(kLblCylBank2)), 2, 0);
    for (int c = 0; c < SObdPageView::kCylinders; ++c) {
        const auto i = static_cast<std::size_t>(c);
        cylinders->addWidget(track(label(kCylLabels[i], std::to_string(c + 1).c_str())), 0, c + 1,
                             Qt::AlignHCenter);
        m_bank1[i] = withId(new QCheckBox(this), kCylBank1[i]);
        m_bank2[i] = withId(new QCheckBox(this), kCylBank2[i]);
        cylinders->addWidget(track(m_bank1[i]), 1, c + 1, Qt::AlignHCenter);
        cylinders->addWidget(track(m_bank2[i]), 2, c + 1, Qt::AlignHCenter);
        connect(m_bank1[i], &QCheckBox::clicked, this, [this, c] { onInjActive(c + 1, 1); });
        connect(m_bank2[i], &QCheckBox::clicked, this, [this, c] { onInjActive(c + 1, 2); });
    }

    m_linkNote = new QLabel(this);
    m_linkNote->setObjectName(QStringLiteral("obdLinkNote"));
    m_linkNote->setStyleSheet(QStringLiteral("font-weight: bold; color: #a00000;"));
    m_linkNote->setWordWrap(true);
    m_linkNote->hide();
    auto* left = new QVBoxLayout;
    left->addWidget(m_linkNote);
    left->addLayout(top);
    left->addLayout(values);
    left->addWidget(m_scan->dataTabs(), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(codes, 1);
    right->addLayout(corr);
    right->addLayout(cylinders);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);

    connect(m_readCodes, &QPushButton::clicked, this, &COBD2Page::OnGetObdErr);
    connect(m_clearCodes, &QPushButton::clicked, this, &COBD2Page::OnObdErrClear);
    connect(m_scan->readButton(), &QPushButton::clicked, this, &COBD2Page::OnReadScanData);
    connect(m_correction, &QCheckBox::clicked, this, &COBD2Page::OnChkObdCorrEnable);
    connect(m_link, &QComboBox::activated, this, &COBD2Page::OnSelendokCmbEnable);
    connect(m_period, &QComboBox::activated, this, &COBD2Page::OnSelendokCmbObdCorrAverage);
    connect(m_maximum, &QComboBox::activated, this, &COBD2Page::OnSelendokCmbObdCorrMax);

    applyTexts();
    showView();
}

COBD2Page::~COBD2Page() = default;

CObdPageModel* COBD2Page::ensureModel() {
    if (!m_model && doc() != nullptr) {
        if (CLPGDevice* device = doc()->controller())
            m_model = std::make_unique<CObdPageModel>(*device);
    }
    return m_model.get();
}

void COBD2Page::applyTexts() {
    m_scan->applyTexts(m_codeTabs);
    m_calibrationLabel->setText(
        QString::fromStdString(vexor::translate("Identyfikator kalibracji")));
    try {
        m_texts.apply(this);
    } catch (IError* error) {
        vexor::reportHandlerError(seams(), CObdPageModel::kHandlerInit,
                                  std::unique_ptr<IError>(error));
    }
}

void COBD2Page::updatePage() {
    applyTexts();
    for (CColorStatic* field : {m_standard, m_protocol, m_bank1Corr, m_bank2Corr}) {
        field->setTextColor(vexor::kRefBlack);
        field->setBackgroundColor(vexor::kRefWhite);
    }
    for (CColorStatic* field : m_values) {
        field->setTextColor(vexor::kRefBlack);
        field->setBackgroundColor(vexor::kRefWhite);
    }
    if (CObdPageModel* model = ensureModel())
        model->updatePage();
    showView();
}

void COBD2Page::showLinkPaused(bool paused) {
    if (paused == !m_linkNote->isHidden())
        return;
    m_linkNote->setText(QString::fromStdString(vexor::translate(kMsgObdPaused)));
    m_linkNote->setVisible(paused);
    for (CColorStatic* field : m_values)
        field->setTextColor(paused ? vexor::kRefStaleGrey : vexor::kRefBlack);
}

void COBD2Page::refreshLive() {
    // Nothing is asked of the car while the controller does not answer; the
    // page says why its values stand still.
    const bool live = doc() != nullptr && vexor::linkLive(doc()->linkState());
    showLinkPaused(doc() != nullptr && !live && !doc()->isOffline());
    if (!live)
        return;
    CObdPageModel* model = ensureModel();
    // The poll talks to the car through the controller and may take a while:
    // it runs from the event queue once the display tick has returned.
    if (model != nullptr && model->refreshLive())
        QMetaObject::invokeMethod(this, &COBD2Page::OnMessageGetDiag, Qt::QueuedConnection);
}

void COBD2Page::showCorrectionControls(bool visible) {
    for (QWidget* w : m_correctionControls)
        w->setVisible(visible);
}

void COBD2Page::showView() {
    static const SObdPageView kNoDevice;
    const SObdPageView& v = m_model ? m_model->view() : kNoDevice;

    vexor::showChoices(m_link, v.link);
    vexor::showChoices(m_period, v.period);
    vexor::showChoices(m_maximum, v.maximum);
    m_link->setEnabled(v.linkEnabled);
    m_readCodes->setEnabled(v.codeButtonsEnabled);
    m_clearCodes->setEnabled(v.codeButtonsEnabled);
    m_correction->setVisible(v.correctionCheckVisible);
    m_correction->setEnabled(v.correctionCheckEnabled);
    m_correction->setChecked(v.correctionChecked);
    showCorrectionControls(v.correctionControlsVisible);
    for (std::size_t i = 0; i < m_bank1.size(); ++i) {
        m_bank1[i]->setChecked(v.bank1[i]);
        m_bank2[i]->setChecked(v.bank2[i]);
        m_bank1[i]->setEnabled(v.cylinderEnabled[i]);
        m_bank2[i]->setEnabled(v.cylinderEnabled[i]);
    }

    m_standard->setText(QString::fromStdString(v.standard));
    m_protocol->setText(QString::fromStdString(v.protocol));
    for (std::size_t i = 0; i < m_values.size(); ++i)
        m_values[i]->setText(QString::fromStdString(v.values[i]));
    if (!v.loadLabel.empty()) {
        setLabel(m_loadLabel, v.loadLabel);
        setLabel(m_loadUnit, v.loadUnit);
    }
    m_bank1Corr->setText(QString::fromStdString(v.bank1Correction));
    m_bank2Corr->setText(QString::fromStdString(v.bank2Correction));

    m_scan->show(v);

    // A read that found nothing says so; a list never read stays blank.
    std::vector<std::string> lines = v.troubleCodes;
    if (v.noTroubleCodes)
        lines.push_back(vexor::translate(CObdPageModel::kMsgNoCodes));
    bool sameCodes = m_codes->count() == static_cast<int>(lines.size());
    for (int i = 0; sameCodes && i < m_codes->count(); ++i)
        sameCodes =
            m_codes->item(i)->text() == QString::fromStdString(lines[static_cast<std::size_t>(i)]);
    if (!sameCodes) {
        m_codes->clear();
        // A long description wraps in the list and is whole in the tool tip.
        for (const std::string& line : lines) {
            auto* item = new QListWidgetItem(QString::fromStdString(line), m_codes);
            item->setToolTip(item->text());
        }
        if (v.noTroubleCodes)
            m_codes->item(0)->setFlags(Qt::NoItemFlags);
    }
}

void COBD2Page::OnMessageGetDiag() {
    if (CObdPageModel* model = ensureModel()) {
        model->poll();
        showView();
    }
}

void COBD2Page::OnGetObdErr() {
    if (CObdPageModel* model = ensureModel()) {
        // The codes found go into the car's history.
        if (model->readTroubleCodes() && doc() != nullptr) {
            for (std::uint16_t code : model->troubleCodes()) {
                const char* own = model->codeTable().description(code);
                doc()->recordVisit(
                    "obd", {COBDCodes::codeName(code),
                            own ? std::string(own) : vexor::translate(COBDCodes::kUnknown)});
            }
        }
        showView();
    }
}

void COBD2Page::OnObdErrClear() {
    if (CObdPageModel* model = ensureModel()) {
        model->clearTroubleCodes();
        showView();
    }
}

void COBD2Page::OnReadScanData() {
    if (CObdPageModel* model = ensureModel()) {
        model->readScanData();
        showView();
    }
}

void COBD2Page::OnSelendokCmbEnable(int index) {
    if (CObdPageModel* model = ensureModel()) {
        model->selectLink(index);
        showView();
    }
}

void COBD2Page::OnChkObdCorrEnable() {
    const bool ticked = m_correction->isChecked();
    if (CObdPageModel* model = ensureModel()) {
        model->setCorrectionEnabled(ticked);
        showView();
    } else {
        showCorrectionControls(ticked);
    }
}

void COBD2Page::OnSelendokCmbObdCorrAverage(int index) {
    if (CObdPageModel* model = ensureModel()) {
        model->selectPeriod(index);
        showView();
    }
}

void COBD2Page::OnSelendokCmbObdCorrMax(int index) {
    if (CObdPageModel* model = ensureModel()) {
        model->selectMaximum(index);
        showView();
    }
}

void COBD2Page::onInjActive(int cylinder, int bank) {
    const auto i = static_cast<std::size_t>(cylinder - 1);
    const bool ticked = (bank == 1 ? m_bank1[i] : m_bank2[i])->isChecked();
    if (CObdPageModel* model = ensureModel()) {
        model->cylinderClicked(cylinder, bank, ticked);
        showView();
    }
}
