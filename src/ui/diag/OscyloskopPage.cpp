#include "diag/OscyloskopPage.h"

#include "app/IDocumentPort.h"
#include "common/IError.h"
#include "controls/Colors.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "diag/ChoiceCombo.h"
#include "diag/DiagIds.h"
#include "diag/HandlerReport.h"
#include "diag/OscChart.h"
#include "diag/OscScaleColumn.h"
#include "diag/Recording.h"
#include "diag/RecordingLoader.h"
#include "diag/RecordingProgress.h"
#include "lang/Translate.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace vexor::ids::diag;

COscyloskopPage::COscyloskopPage(QWidget* parent)
    : CAppPropPage("Oscyloskop", parent), m_chart(new CScrollChart(m_model.chart(), this)),
      m_scale(new CValueCmbBox(this)), m_recording(new QLabel(this)),
      m_recordingCheck(new QTimer(this)) {
    vexor::setCtrlId(m_chart, kChart);
    vexor::setCtrlId(m_scale, kCmbScale);

    // The scale beside the chart, each label on its grid line. The chart
    // starts half a label lower, so the top label fits beside its line.
    auto* scaleColumn = new COscScaleColumn(m_chart, this);
    std::vector<QLabel*> labels;
    for (int k = 0; k < vexor::kOscScaleLabels; ++k) {
        auto* label = new QLabel(scaleColumn);
        vexor::setCtrlId(label, kScaleLabels[static_cast<std::size_t>(k)]);
        m_scaleLabels[static_cast<std::size_t>(k)] = label;
        labels.push_back(label);
    }
    scaleColumn->setLabels(labels);
    auto* chartBox = new QVBoxLayout;
    chartBox->setContentsMargins(0, labels.front()->sizeHint().height() / 2, 0, 0);
    chartBox->addWidget(m_chart);
    auto* chartRow = new QHBoxLayout;
    chartRow->addWidget(scaleColumn);
    chartRow->addLayout(chartBox, 1);

    auto* channels = new QGridLayout;
    int channel = 0;
    for (const vexor::SOscChannel& c : vexor::oscChannels()) {
        auto* box = new QCheckBox(QString::fromUtf8(c.label), this);
        vexor::setCtrlId(box, c.checkBoxId);
        box->setChecked(m_model.channelVisible(channel));
        QPalette palette = box->palette();
        palette.setColor(QPalette::WindowText, vexor::colorFromRef(c.colour));
        box->setPalette(palette);
        connect(box, &QCheckBox::toggled, this,
                [this, channel](bool on) { OnChkChannel(channel, on); });
        m_channels[static_cast<std::size_t>(channel)] = box;
        channels->addWidget(box, channel % 5, channel / 5);
        ++channel;
    }

    auto makeButton = [this](int id, QStyle::StandardPixmap icon, void (COscyloskopPage::*slot)()) {
        auto* button = new QPushButton(style()->standardIcon(icon), QString(), this);
        vexor::setCtrlId(button, id);
        connect(button, &QPushButton::clicked, this, slot);
        return button;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(makeButton(kBtnRun, QStyle::SP_MediaPlay, &COscyloskopPage::OnBtnRun));
    buttons->addWidget(makeButton(kBtnPause, QStyle::SP_MediaPause, &COscyloskopPage::OnBtnPause));
    buttons->addWidget(
        makeButton(kBtnRecord, QStyle::SP_DialogSaveButton, &COscyloskopPage::OnBtnRecord));
    m_stop = makeButton(kBtnStopRecording, QStyle::SP_MediaStop, &COscyloskopPage::OnBtnStop);
    buttons->addWidget(m_stop);
    buttons->addWidget(
        makeButton(kBtnOpen, QStyle::SP_DialogOpenButton, &COscyloskopPage::OnBtnOpen));
    auto* scaleLabel = new QLabel(this);
    vexor::setCtrlId(scaleLabel, kLblScale);
    buttons->addSpacing(16);
    buttons->addWidget(scaleLabel);
    buttons->addWidget(m_scale);
    buttons->addStretch(1);
    connect(m_scale, &QComboBox::activated, this, &COscyloskopPage::OnSelendokCmbScale);

    // While recording, the page says so and names the file.
    m_recording->setStyleSheet(QStringLiteral("color: #C00000; font-weight: bold;"));
    m_recording->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_recording->hide();
    m_recordingCheck->setInterval(kRecordingCheckMs);
    connect(m_recordingCheck, &QTimer::timeout, this, &COscyloskopPage::showRecording);
    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addLayout(buttons);
    buttonColumn->addWidget(m_recording);

    auto* controls = new QHBoxLayout;
    controls->addLayout(channels);
    controls->addStretch(1);
    controls->addLayout(buttonColumn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(chartRow, 1);
    layout->addLayout(controls);

    m_texts.apply(this);
    showScale();
}

void COscyloskopPage::showScale() {
    vexor::showChoices(m_scale, m_model.scale());
    const auto& texts = m_model.scaleLabels();
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const QString text = QString::fromStdString(texts[k]);
        if (m_scaleLabels[k]->text() != text)
            m_scaleLabels[k]->setText(text);
    }
}

void COscyloskopPage::updatePage() {
    try {
        m_texts.apply(this);
    } catch (IError* error) {
        vexor::reportHandlerError(seams(), "COscyloskopPage::updatePage()",
                                  std::unique_ptr<IError>(error));
    }
    m_model.updatePage();
    showScale();
    showRecording();
}

void COscyloskopPage::refreshLive() {
    const CLPGDevice* device = doc() ? doc()->controller() : nullptr;
    showRecording();
    if (device != nullptr && m_model.refreshLive(*device))
        m_chart->refresh();
}

void COscyloskopPage::showRecording() {
    if (doc() != nullptr)
        (void)doc()->reportRecordingError(m_model);
    if (!m_model.recording())
        m_recordingCheck->stop();
    else if (!m_recordingCheck->isActive())
        m_recordingCheck->start();
    const std::string path = doc() ? doc()->recordingPath() : std::string();
    if (path.empty()) {
        m_recording->hide();
        return;
    }
    const QString file = QString::fromStdString(path);
    const QString text =
        QStringLiteral("\u25CF ") +
        QString::fromStdString(vexor::translate(COscilloscopeModel::kMsgRecording)) +
        QStringLiteral(": ") + QFileInfo(file).fileName();
    if (m_recording->text() != text)
        m_recording->setText(text);
    m_recording->setToolTip(file);
    m_recording->show();
}

void COscyloskopPage::OnBtnRun() {
    m_model.run();
    m_chart->refresh();
}

void COscyloskopPage::OnBtnPause() {
    if (doc() != nullptr) {
        const auto ended = recordingUnderWay();
        if (const auto lines = doc()->endRecording(m_model, true))
            tellRecordingEnded(ended, *lines);
    }
    showRecording();
    m_chart->refresh();
}

void COscyloskopPage::OnBtnStop() {
    if (doc() != nullptr) {
        const auto ended = recordingUnderWay();
        if (!ended.empty()) {
            if (const auto lines = doc()->endRecording(m_model, false))
                tellRecordingEnded(ended, *lines);
        }
    }
    showRecording();
    m_chart->refresh();
}

std::string COscyloskopPage::recordingUnderWay() const {
    return m_model.recording() && doc() != nullptr ? doc()->recordingPath() : std::string();
}

void COscyloskopPage::tellRecordingEnded(const std::string& path, long lines) {
    if (path.empty())
        return;
    seams().message(COscilloscopeModel::recordingEndedText(path, lines),
                    IUserPrompt::Icon::Information);
}

void COscyloskopPage::OnBtnRecord() {
    if (doc() != nullptr)
        doc()->startRecording(m_model);
    showRecording();
    m_chart->refresh();
}

void COscyloskopPage::OnBtnOpen() {
    const std::string path = doc() ? doc()->chooseRecording() : std::string();
    if (path.empty())
        return;
    // Hours of driving take a while to read and to put into the chart: both
    // in the background, with a progress bar that cancels, the chart shown
    // unchanged until the new one is whole.
    using Status = SRecordingLoad::Status;
    SRecordingLoad result;
    CScrollChartModel chart = m_model.emptyChart();
    std::optional<float> nextX;
    vexor::runWithProgress(this, [&](const vexor::RecordingProgress& progress) {
        // Reading is about a third of the work, filling the chart the rest.
        CRecording recording;
        result = vexor::loadRecording(path, recording,
                                      [&](double share) { return progress(share / 3); });
        if (result.status == Status::Complete || result.status == Status::Damaged)
            nextX = COscilloscopeModel::replay(
                chart, recording, [&](double share) { return progress((1 + 2 * share) / 3); });
    });
    if (result.status == Status::Cancelled || (result.status != Status::Unreadable && !nextX))
        return;
    if (nextX) {
        m_model.adopt(std::move(chart), *nextX);
        m_chart->refresh();
    }
    const std::string message = vexor::recordingLoadMessage(result, path);
    if (!message.empty())
        seams().message(message, result.status == Status::Unreadable ? IUserPrompt::Icon::Error
                                                                     : IUserPrompt::Icon::Warning);
}

void COscyloskopPage::OnSelendokCmbScale(int index) {
    m_model.selectScale(index);
    showScale();
}

void COscyloskopPage::OnChkChannel(int channel, bool visible) {
    m_model.setChannelVisible(channel, visible);
    m_chart->update();
}
