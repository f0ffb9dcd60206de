#include "diag/RecordingViewer.h"

#include "app/QtFileChooser.h"
#include "app/QtUserPrompt.h"
#include "controls/Colors.h"
#include "diag/RecordingChart.h"
#include "diag/RecordingCsv.h"
#include "diag/RecordingProgress.h"
#include "lang/Translate.h"
#include "lang/UnitText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSizePolicy>
#include <QVBoxLayout>

#include <charconv>
#include <filesystem>

namespace {

QString tr8(const std::string& polish) {
    return QString::fromStdString(vexor::translate(polish));
}

std::string valueText(float value) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, double(value), std::chars_format::fixed, 2);
    return std::string(text, end.ptr);
}

} // namespace

CRecordingViewer::CRecordingViewer(const Seams& seams, std::string folder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_seams(seams), m_folder(std::move(folder)),
      m_recording(std::make_unique<CRecording>()) {
    m_chart = new CRecordingChart(this);

    auto* open = new QPushButton(this);
    auto* all = new QPushButton(this);
    auto* csv = new QPushButton(this);
    m_buttons = {open, all, csv};
    m_scale = new QComboBox(this);
    for (const auto& item : vexor::oscScaleItems())
        m_scale->addItem(QString(), item.value);
    m_rangeText = new QLabel(this);
    connect(open, &QPushButton::clicked, this, [this] { OnOpen(); });
    connect(all, &QPushButton::clicked, m_chart, &CRecordingChart::showAll);
    connect(csv, &QPushButton::clicked, this, [this] { OnExportCsv(); });
    connect(m_scale, &QComboBox::currentIndexChanged, this, [this] { scaleChosen(); });

    auto* tools = new QHBoxLayout;
    tools->addWidget(open);
    tools->addWidget(all);
    tools->addWidget(csv);
    tools->addWidget(m_scale);
    tools->addWidget(m_rangeText, 1);

    auto* boxes = new QHBoxLayout;
    const auto channels = vexor::oscChannels();
    for (int c = 0; c < vexor::kOscChannels; ++c) {
        auto* box = new QCheckBox(this);
        box->setChecked(true);
        QPalette palette = box->palette();
        palette.setColor(QPalette::WindowText,
                         vexor::colorFromRef(channels[static_cast<std::size_t>(c)].colour));
        box->setPalette(palette);
        connect(box, &QCheckBox::toggled, this,
                [this, c](bool on) { m_chart->setChannelVisible(c, on); });
        m_boxes[static_cast<std::size_t>(c)] = box;
        boxes->addWidget(box);
    }
    boxes->addStretch(1);

    m_cursorText = new QLabel(this);
    m_cursorText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The read-out takes the width the window has; it never widens it.
    m_cursorText->setWordWrap(true);
    m_cursorText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_chart, 1);
    layout->addLayout(boxes);
    layout->addWidget(m_cursorText);

    connect(m_chart, &CRecordingChart::cursorChanged, this, [this](long l) { showCursor(l); });
    connect(m_chart, &CRecordingChart::rangeChanged, this, [this] { showRange(); });
    refreshTexts();
    scaleChosen();
}

void CRecordingViewer::refreshTexts() {
    QString title = tr8("Przeglądarka zapisu");
    if (!m_path.empty())
        title += QStringLiteral(" - ") +
                 QString::fromStdString(std::filesystem::path(m_path).filename().string());
    setWindowTitle(title);
    const char* const buttons[] = {"Otwórz...", "Cały zapis", "Eksport CSV..."};
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setText(tr8(buttons[i]));
    const auto items = vexor::oscScaleItems();
    for (std::size_t i = 0; i < items.size() && static_cast<int>(i) < m_scale->count(); ++i)
        m_scale->setItemText(static_cast<int>(i), QString::fromStdString(items[i].text));
    const auto channels = vexor::oscChannels();
    for (std::size_t c = 0; c < m_boxes.size(); ++c)
        m_boxes[c]->setText(tr8(channels[c].label));
    showCursor(m_chart->cursorLine());
}

CRecordingViewer::~CRecordingViewer() = default;

void CRecordingViewer::scaleChosen() {
    const int scale = m_scale->currentData().toInt();
    m_chart->setScaleLabels(vexor::oscScaleLabels(scale));
}

SRecordingLoad CRecordingViewer::openFile(const std::string& path) {
    auto next = std::make_unique<CRecording>();
    const SRecordingLoad result = vexor::loadRecordingWithProgress(this, path, *next);
    using Status = SRecordingLoad::Status;
    const std::string message = vexor::recordingLoadMessage(result, path);
    if (result.status == Status::Cancelled)
        return result;
    if (result.status == Status::Unreadable) {
        m_seams.message(message, IUserPrompt::Icon::Error);
        return result;
    }
    m_recording = std::move(next);
    m_path = path;
    refreshTexts();
    m_chart->setRecording(m_recording.get());
    if (!message.empty())
        m_seams.message(message, IUserPrompt::Icon::Warning);
    return result;
}

int CRecordingViewer::runStandalone(const std::string& path, const std::string& folder) {
    CQtUserPrompt prompt;
    CQtFileChooser chooser;
    Seams seams;
    seams.prompt = &prompt;
    seams.chooser = &chooser;
    CRecordingViewer viewer(seams, folder);
    prompt.setParent(&viewer);
    chooser.setParent(&viewer);
    viewer.resize(viewer.sizeHint().expandedTo(QSize(1000, 600)));
    viewer.show();
    viewer.openFile(path);
    return QApplication::exec();
}

void CRecordingViewer::OnOpen() {
    if (!m_seams.chooser)
        return;
    const std::string path = m_seams.chooser->openPath(m_folder, "osc");
    if (!path.empty())
        openFile(path);
}

bool CRecordingViewer::OnExportCsv() {
    if (!m_seams.chooser || m_recording->empty())
        return false;
    std::string name = std::filesystem::path(m_path).stem().string();
    const std::string path =
        m_seams.chooser->savePath(m_folder, "csv", (name.empty() ? "recording" : name) + ".csv");
    if (path.empty())
        return false;
    if (!vexor::writeRecordingCsv(path, *m_recording, m_chart->firstLine(), m_chart->lastLine())) {
        m_seams.message(vexor::translate(kMsgCsv), IUserPrompt::Icon::Error);
        return false;
    }
    return true;
}

void CRecordingViewer::showCursor(long line) {
    if (line < 0 || static_cast<std::size_t>(line) >= m_recording->size()) {
        m_cursorText->clear();
        return;
    }
    const auto at = static_cast<std::size_t>(line);
    std::string text = vexor::recordingClock(m_recording->seconds(at));
    const auto channels = vexor::oscChannels();
    for (int c = 0; c < vexor::kOscChannels; ++c) {
        const std::string label = vexor::translate(channels[static_cast<std::size_t>(c)].label);
        const std::string unit = vexor::unitText(vexor::recordingUnit(c));
        // A channel named after its unit (engine speed) shows it once.
        text += "   " + label + ": " + valueText(m_recording->value(at, c));
        if (unit != label)
            text += " " + unit;
    }
    m_cursorText->setText(QString::fromStdString(text));
}

void CRecordingViewer::showRange() {
    if (m_recording->empty()) {
        m_rangeText->clear();
        return;
    }
    m_rangeText->setText(QString::fromStdString(
        vexor::recordingClock(m_recording->seconds(m_chart->firstLine())) + " - " +
        vexor::recordingClock(m_recording->seconds(m_chart->lastLine())) + " / " +
        std::to_string(m_recording->size())));
}
