#pragma once

#include "diag/ChoiceList.h"
#include "diag/OscChannels.h"
#include "diag/ScrollChartModel.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

class CLPGDevice;
class CKorvantisDoc;
class CRecording;

// The logic of the oscilloscope page: nine live quantities as traces of a
// scrolling chart, the vertical scale in the unit the user picks, recording
// the live stream to a file and showing such a file again.
//
// Paused at first; Run or Record start the traces, Pause stops them (and
// ends a recording). The page calls refreshLive() on every live refresh
// while it is shown. User interface thread only.
class COscilloscopeModel {
public:
    static constexpr float kSampleStep = 5.0f;
    static constexpr std::size_t kMaxPoints = 10000;
    static constexpr const char* kExtension = "osc";

    static constexpr const char* kHandlerPause = "COscyloskopPage::OnBtnPause()";
    static constexpr const char* kHandlerRecord = "COscyloskopPage::OnBtnRecord()";
    static constexpr const char* kMsgNoController = "Nagrywanie wymaga połączenia ze sterownikiem";
    static constexpr const char* kMsgFile = "Nie można utworzyć pliku zapisu";
    static constexpr const char* kMsgRecording = "Nagrywanie do pliku";
    static constexpr const char* kMsgWrite = "Nie można zapisać pliku z zapisem przebiegu:";
    static constexpr const char* kMsgRecordingEnded =
        "Nagrywanie zakończone. Liczba zapisanych rekordów:";
    static constexpr const char* kMsgStopped =
        "Nagrywanie zostało zatrzymane. Wiersze zapisane do tej chwili pozostały w pliku.";

    enum class RecordResult {
        Cancelled,    // no file chosen; nothing changed
        Started,      // polling records into the file, the traces run
        NoController, // no controller (or no live data): the user was told
        FileError     // the file cannot be written: the user was told
    };

    COscilloscopeModel();

    const CScrollChartModel& chart() const { return m_chart; }
    CScrollChartModel& chart() { return m_chart; }
    bool paused() const { return m_paused; }
    // Where the next sample goes on the x axis.
    float nextX() const { return m_nextX; }

    bool channelVisible(int channel) const;
    // A channel's check box changed.
    void setChannelVisible(int channel, bool visible);

    // The scale choice and the texts of its eleven labels, bottom to top.
    const CChoiceList& scale() const { return m_scale; }
    const std::array<std::string, vexor::kOscScaleLabels>& scaleLabels() const { return m_labels; }
    // Refills the scale choice in the current language, keeping the
    // selection, and relabels the scale.
    void updatePage();
    void selectScale(int index);

    // Adds the second-newest live record to the traces, while the controller
    // is connected and the page is not paused. True when a sample was added.
    bool refreshLive(const CLPGDevice& device);

    // Run: an empty chart from x = 0, traces running.
    void run();
    // Pause: traces stop; polling starts again without a recording file.
    // Returns the lines the recording that ended holds.
    long pause(CKorvantisDoc& doc);
    // Stop: the recording ends, polling starts again without a file and the
    // traces go on. Returns the lines the recording holds.
    long stopRecording(CKorvantisDoc& doc);
    // What the user is told when a recording ends: how many records the
    // file holds, and which file.
    static std::string recordingEndedText(const std::string& path, long lines);
    // Record: without a controller says so and asks nothing; otherwise asks
    // for a file to save and, when it can be written, polling starts again
    // recording into it and the traces run on an empty chart. A file that
    // cannot be written is reported and leaves polling as it was.
    RecordResult record(CKorvantisDoc& doc);
    // The file polling records into now; empty while nothing is recorded,
    // also once a write error has stopped the recording.
    static std::string recordingPath(const CKorvantisDoc& doc);
    // True from a Record that started until Pause or until a write error
    // stopped it and was told.
    bool recording() const { return !m_recordFile.empty(); }
    // Once a write error (a full disk) has stopped the recording this model
    // started: tells the user which file, why, and that the lines written so
    // far are kept. True when it told.
    bool reportRecordingError(CKorvantisDoc& doc);
    // Asks for a recording to open; empty when the user cancelled.
    static std::string choose(CKorvantisDoc& doc);
    // Open: asks for a recording and shows it from x = 0. Returns the number
    // of records shown, or -1 when the user cancelled.
    int open(CKorvantisDoc& doc);
    // Shows a recording from x = 0; the number of records shown (0 for a
    // file that cannot be read). A damaged line ends it.
    int showFile(const std::string& path);
    // Shows a recording read before, from x = 0, as if its lines had come
    // live one after another.
    int showRecording(const CRecording& recording);

    // The same in three steps, so that hours of driving go into the chart on
    // another thread: a copy of the chart, emptied (the channels keep their
    // colours); that copy filled by replay(), which touches nothing of the
    // model; the filled copy shown. replay() returns the next x, or nothing
    // when progress (0..1) asked to cancel.
    CScrollChartModel emptyChart() const;
    static std::optional<float> replay(CScrollChartModel& chart, const CRecording& recording,
                                       const std::function<bool(double)>& progress = {});
    void adopt(CScrollChartModel chart, float nextX);

    // Adds one sample to every trace at nextX() and moves nextX() on.
    void addSample(const vexor::OscSample& sample);

private:
    static void addSampleTo(CScrollChartModel& chart, float x, const vexor::OscSample& sample);
    void clearChart();
    void relabel();

    CScrollChartModel m_chart;
    CChoiceList m_scale;
    std::array<std::string, vexor::kOscScaleLabels> m_labels;
    bool m_paused = true;
    float m_nextX = 0.0f;
    // The file of the recording Record started, until it ends.
    std::string m_recordFile;
};
