#include "diag/OscilloscopeModel.h"

#include "common/IError.h"
#include "device/LPGDevice.h"
#include "diag/HandlerReport.h"
#include "diag/OscRecordingReader.h"
#include "doc/KorvantisDoc.h"
#include "threads/DiagFile.h"

#include <memory>
#include <vector>

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
    if (!device.isConnected() || m_paused)
        return false;
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
    for (int i = 0; i < vexor::kOscChannels; ++i)
        m_chart.addPoint(i, m_nextX, sample[i]);
    m_nextX += kSampleStep;
}

void COscilloscopeModel::clearChart() {
    m_chart.clear();
    m_nextX = 0.0f;
}

void COscilloscopeModel::run() {
    clearChart();
    m_paused = false;
}

void COscilloscopeModel::pause(CKorvantisDoc& doc) {
    m_paused = true;
    try {
        doc.stopPolling();
        doc.startPolling();
    } catch (IError* error) {
        vexor::reportHandlerError(doc.seams(), kHandlerPause, std::unique_ptr<IError>(error));
    }
}

bool COscilloscopeModel::record(CKorvantisDoc& doc) {
    IFileChooser* chooser = doc.seams().chooser;
    const std::string path =
        chooser ? chooser->savePath(doc.oscilloscopeFolder(), kExtension, "") : "";
    if (path.empty())
        return false;
    try {
        doc.stopPolling();
        clearChart();
        doc.startPolling(path);
        m_paused = false;
    } catch (IError* error) {
        vexor::reportHandlerError(doc.seams(), kHandlerRecord, std::unique_ptr<IError>(error));
    }
    return true;
}

int COscilloscopeModel::open(CKorvantisDoc& doc) {
    IFileChooser* chooser = doc.seams().chooser;
    const std::string path = chooser ? chooser->openPath(doc.oscilloscopeFolder(), kExtension) : "";
    if (path.empty())
        return -1;
    return showFile(path);
}

int COscilloscopeModel::showFile(const std::string& path) {
    // The file starts at x = 0: left where live samples had got to, it would
    // be drawn beyond the window the cleared chart shows.
    clearChart();
    COscRecordingReader reader;
    if (!reader.open(path))
        return 0;
    int records = 0;
    vexor::OscLine line;
    while (reader.next(line)) {
        addSample(vexor::oscSampleFromLine(line));
        ++records;
    }
    return records;
}
