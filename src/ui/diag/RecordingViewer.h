#pragma once

#include "diag/Recording.h"
#include "diag/RecordingLoader.h"
#include "platform/Seams.h"

#include <QWidget>

#include <array>
#include <memory>
#include <string>

class CRecordingChart;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// A window beside the live oscilloscope for recordings of any length: the
// same channels, colours and scales, a cursor that shows every channel's
// value at a moment, zoom to a time range, and export of the shown range as
// CSV. Files are read in the background with a progress bar that can cancel.
class CRecordingViewer : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kMsgCsv = "Nie można zapisać pliku CSV";

    // folder: where the file chooser starts (the oscilloscope folder).
    CRecordingViewer(const Seams& seams, std::string folder, QWidget* parent = nullptr);
    ~CRecordingViewer() override;

    // Reads path in the background (progress bar, cancel); what was read
    // before a damaged line is shown and the line named in a message.
    SRecordingLoad openFile(const std::string& path);
    // The window alone, for `vexor --open-recording FILE`: no controller is
    // looked for. Returns the application's exit code.
    static int runStandalone(const std::string& path, const std::string& folder);

    // "Otwórz...", "Eksport CSV..." through the file chooser.
    void OnOpen();
    // Every text in the current language (after a language change).
    void refreshTexts();
    bool OnExportCsv();

    const CRecording& recording() const { return *m_recording; }
    CRecordingChart* chart() const { return m_chart; }
    QLabel* cursorText() const { return m_cursorText; }
    QCheckBox* channelBox(int channel) const { return m_boxes[static_cast<std::size_t>(channel)]; }
    QComboBox* scaleCombo() const { return m_scale; }

private:
    void showCursor(long line);
    void showRange();
    void scaleChosen();

    Seams m_seams;
    std::string m_folder;
    std::string m_path;
    std::unique_ptr<CRecording> m_recording;
    CRecordingChart* m_chart = nullptr;
    QLabel* m_cursorText = nullptr;
    QLabel* m_rangeText = nullptr;
    QComboBox* m_scale = nullptr;
    std::array<QCheckBox*, vexor::kOscChannels> m_boxes{};
    std::array<QPushButton*, 3> m_buttons{};
};
