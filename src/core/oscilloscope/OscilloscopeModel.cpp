#include "oscilloscope/OscilloscopeModel.h"

#include "common/IError.h"
#include "device/LPGDevice.h"
#include "diag/HandlerReport.h"
#include "diag/Recording.h"
#include "diag/RecordingLoader.h"
#include "doc/KorvantisDoc.h"
#include "lang/Translate.h"
#include "live/DiagFile.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// 0 when a recording can be written at path, else the errno that says why
// not. Nothing is created or emptied: an existing recording must survive a
// refused start. Only a regular file (or a new name in a writable folder) is
// a recording target.
int writableRecordingTarget(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        if (!S_ISREG(st.st_mode))
            return EINVAL;
        return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
    }
    if (errno != ENOENT)
        return errno;
    const std::size_t slash = path.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

} // namespace

COscilloscopeModel::COscilloscopeModel() {
    m_chart.setMaxPoints(kMaxPoints);
    int series = 0;
    for (const vexor::SOscChannel& channel : vexor::oscChannels())
        m_chart.addSeries(series++, channel.colour);
    relabel();
}

bool COscilloscopeModel::channelVisible(int channel) const {
    const auto* s = m_chart.series(channel);
    return s && s->visible;
}

void COscilloscopeModel::setChannelVisible(int channel, bool visible) {
    m_chart.setSeriesVisible(channel, visible);
}

void COscilloscopeModel::updatePage() {
    m_scale.refill(vexor::oscScaleItems(), 0);
    relabel();
}

void COscilloscopeModel::selectScale(int index) {
    m_scale.select(index);
    relabel();
}

void COscilloscopeModel::relabel() {
    // Before the first refill the scale reads in rpm, the first entry.
    m_labels = vexor::oscScaleLabels(static_cast<int>(m_scale.selectedValue(vexor::OscScaleRpm)));
}

bool COscilloscopeModel::refreshLive(const CLPGDevice& device) {
    if (m_paused)
        return false;
    if (!device.isConnected()) {
        // Time goes on while the link is down: the traces show the hole
        // rather than a line drawn across it.
        if (m_nextX == 0.0f)
            return false;
        for (int i = 0; i < vexor::kOscChannels; ++i)
            m_chart.addGap(i, m_nextX);
        m_nextX += kSampleStep;
        return true;
    }
    const CDiagData& history = device.diagData();
    const int count = history.count();
    if (count < 2)
        return false;
    // The traces run one record behind the newest.
    std::vector<CDiag> records;
    history.copyRange(records, count - 2, count - 1);
    if (records.empty())
        return false;
    addSample(vexor::oscSampleFromRecord(records.front(),
                                         vexor::SRecordUnits::fromSettings(device.settings())));
    return true;
}

void COscilloscopeModel::addSample(const vexor::OscSample& sample) {
    addSampleTo(m_chart, m_nextX, sample);
    m_nextX += kSampleStep;
}

void COscilloscopeModel::addSampleTo(CScrollChartModel& chart, float x,
                                     const vexor::OscSample& sample) {
    for (int i = 0; i < vexor::kOscChannels; ++i)
        chart.addPoint(i, x, sample[i]);
}

void COscilloscopeModel::clearChart() {
    m_chart.clear();
    m_nextX = 0.0f;
}

void COscilloscopeModel::run() {
    clearChart();
    m_paused = false;
}

long COscilloscopeModel::pause(CKorvantisDoc& doc) {
    m_paused = true;
    return stopRecording(doc);
}

long COscilloscopeModel::stopRecording(CKorvantisDoc& doc) {
    m_recordFile.clear();
    long lines = 0;
    try {
        doc.stopPolling();
        // Counted once the polling thread has let go of the file, before the
        // next run starts a count of its own.
        lines = doc.recordedLines();
        doc.startPolling();
    } catch (IError* error) {
        vexor::reportHandlerError(doc.seams(), kHandlerPause, std::unique_ptr<IError>(error));
    }
    return lines;
}

std::string COscilloscopeModel::recordingEndedText(const std::string& path, long lines) {
    return vexor::translate(kMsgRecordingEnded) + " " + std::to_string(lines) + "\n" + path;
}

COscilloscopeModel::RecordResult COscilloscopeModel::record(CKorvantisDoc& doc) {
    // Traces running as if recording while nothing is written would be
    // worse than no recording at all: every failure is said.
    if (!doc.isConnected()) {
        doc.seams().message(vexor::translate(kMsgNoController), IUserPrompt::Icon::Error);
        return RecordResult::NoController;
    }
    IFileChooser* chooser = doc.seams().chooser;
    const std::string path =
        chooser ? chooser->savePath(doc.oscilloscopeFolder(), kExtension, "") : "";
    if (path.empty())
        return RecordResult::Cancelled;
    if (const int error = writableRecordingTarget(path)) {
        doc.seams().message(vexor::translate(kMsgFile) + "\n" + path + "\n" + std::strerror(error),
                            IUserPrompt::Icon::Error);
        return RecordResult::FileError;
    }
    try {
        doc.stopPolling();
        clearChart();
        doc.startPolling(path);
    } catch (IError* error) {
        vexor::reportHandlerError(doc.seams(), kHandlerRecord, std::unique_ptr<IError>(error));
        return RecordResult::NoController;
    }
    if (!doc.isRunning()) {
        // The controller sends no live data: polling did not start.
        doc.seams().message(vexor::translate(kMsgNoController), IUserPrompt::Icon::Error);
        return RecordResult::NoController;
    }
    m_paused = false;
    m_recordFile = path;
    return RecordResult::Started;
}

std::string COscilloscopeModel::recordingPath(const CKorvantisDoc& doc) {
    return doc.isRunning() && doc.recordingError() == 0 ? doc.logPath() : std::string();
}

bool COscilloscopeModel::reportRecordingError(CKorvantisDoc& doc) {
    const int error = doc.recordingError();
    // Polling restarted elsewhere (a firmware update) ends the recording
    // without an error of its own; a later one belongs to another recording.
    if (m_recordFile.empty() || doc.logPath() != m_recordFile)
        m_recordFile.clear();
    if (m_recordFile.empty() || error == 0)
        return false;
    // Cleared before the message: its box runs events that may ask again.
    const std::string file = std::move(m_recordFile);
    m_recordFile.clear();
    doc.seams().message(vexor::translate(kMsgWrite) + "\n" + file + "\n" + std::strerror(error) +
                            "\n" + vexor::translate(kMsgStopped),
                        IUserPrompt::Icon::Error);
    return true;
}

std::string COscilloscopeModel::choose(CKorvantisDoc& doc) {
    IFileChooser* chooser = doc.seams().chooser;
    return chooser ? chooser->openPath(doc.oscilloscopeFolder(), kExtension) : "";
}

int COscilloscopeModel::open(CKorvantisDoc& doc) {
    const std::string path = choose(doc);
    if (path.empty())
        return -1;
    return showFile(path);
}

int COscilloscopeModel::showFile(const std::string& path) {
    CRecording recording;
    vexor::loadRecording(path, recording);
    return showRecording(recording);
}

int COscilloscopeModel::showRecording(const CRecording& recording) {
    CScrollChartModel chart = emptyChart();
    const float next = replay(chart, recording).value_or(0.0f);
    adopt(std::move(chart), next);
    return static_cast<int>(recording.size());
}

CScrollChartModel COscilloscopeModel::emptyChart() const {
    // The file starts at x = 0: left where live samples had got to, it would
    // be drawn beyond the window the cleared chart shows.
    CScrollChartModel chart = m_chart;
    chart.clear();
    return chart;
}

std::optional<float> COscilloscopeModel::replay(CScrollChartModel& chart,
                                                const CRecording& recording,
                                                const std::function<bool(double)>& progress) {
    constexpr std::size_t kProgressEvery = 4096;
    float x = 0.0f;
    vexor::OscLine line{};
    for (std::size_t i = 0; i < recording.size(); ++i) {
        if (progress && i % kProgressEvery == 0 &&
            !progress(static_cast<double>(i) / static_cast<double>(recording.size())))
            return std::nullopt;
        for (int c = 0; c < vexor::kOscChannels; ++c)
            line[static_cast<std::size_t>(CRecording::fieldOf(c))] = recording.value(i, c);
        addSampleTo(chart, x, vexor::oscSampleFromLine(line));
        x += kSampleStep;
    }
    return x;
}

void COscilloscopeModel::adopt(CScrollChartModel chart, float nextX) {
    // A channel hidden meanwhile stays hidden.
    for (const auto& [number, series] : m_chart.allSeries())
        chart.setSeriesVisible(number, series.visible);
    m_chart = std::move(chart);
    m_nextX = nextX;
}
