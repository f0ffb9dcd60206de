#include "diag/RecordingViewer.h"

#include "app/QtFileChooser.h"
#include "app/QtUserPrompt.h"
#include "controls/Colors.h"
#include "diag/RecordingChart.h"
#include "diag/RecordingCsv.h"
#include "diag/RecordingProgress.h"
#include "lang/Translate.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
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
    setWindowTitle(tr8("Przeglądarka zapisu"));
    m_chart = new CRecordingChart(this);

    auto* open = new QPushButton(tr8("Otwórz..."), this);
    auto* all = new QPushButton(tr8("Cały zapis"), this);
    auto* csv = new QPushButton(tr8("Eksport CSV..."), this);
    m_scale = new QComboBox(this);
    for (const auto& item : vexor::oscScaleItems())
        m_scale->addItem(QString::fromStdString(item.text), item.value);
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
        auto* box = new QCheckBox(tr8(channels[static_cast<std::size_t>(c)].label), this);
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
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_chart, 1);
    layout->addLayout(boxes);
    layout->addWidget(m_cursorText);

    connect(m_chart, &CRecordingChart::cursorChanged, this, [this](long l) { showCursor(l); });
    connect(m_chart, &CRecordingChart::rangeChanged, this, [this] { showRange(); });
    scaleChosen();
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
    setWindowTitle(tr8("Przeglądarka zapisu") + QStringLiteral(" - ") +
                   QString::fromStdString(std::filesystem::path(path).filename().string()));
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
    for (int c = 0; c < vexor::kOscChannels; ++c)
        text += "   " + vexor::translate(channels[static_cast<std::size_t>(c)].label) + ": " +
                valueText(m_recording->value(at, c)) + " " +
                vexor::translate(vexor::recordingUnit(c));
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
