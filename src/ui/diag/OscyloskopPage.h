#pragma once

#include "oscilloscope/OscilloscopeModel.h"
#include "pages/AppPropPage.h"
#include "texts/ChartPageTexts.h"

#include <array>
#include <string>

class CScrollChart;
class CValueCmbBox;
class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

// The oscilloscope: nine live quantities as traces of a scrolling chart, a
// scale in the unit the user picks, recording the live stream to a file and
// showing such a file again. Usable as a page of the main view and, through
// COscyloskopPageDlg, inside a dialog: attach() it to the document either way.
class COscyloskopPage : public CAppPropPage {
    Q_OBJECT
public:
    explicit COscyloskopPage(QWidget* parent = nullptr);

    void updatePage() override;
    void refreshLive() override;

    const COscilloscopeModel& model() const { return m_model; }
    CScrollChart* chart() const { return m_chart; }
    // How often a recording is checked for a write error while another page
    // is shown (the live refresh reaches only the shown page).
    static constexpr int kRecordingCheckMs = 1000;

    // Shown while polling records into a file: that it records, and where.
    QLabel* recordingIndicator() const { return m_recording; }
    QLabel* scaleLabel(int k) const { return m_scaleLabels[static_cast<std::size_t>(k)]; }

    void OnBtnRun();
    void OnBtnPause();
    void OnBtnRecord();
    // Ends a recording under way and says how many records its file holds;
    // the traces go on.
    void OnBtnStop();
    void OnBtnOpen();
    void OnSelendokCmbScale(int index);
    void OnChkChannel(int channel, bool visible);

private:
    void showScale();
    // Tells a write error that stopped the recording, then shows whether
    // and where polling records now.
    void showRecording();
    // The file a recording of this page writes now; empty when none.
    std::string recordingUnderWay() const;
    void tellRecordingEnded(const std::string& path, long lines);

    COscilloscopeModel m_model;
    CChartPageTexts m_texts;
    CScrollChart* m_chart;
    CValueCmbBox* m_scale;
    QLabel* m_recording;
    QPushButton* m_stop = nullptr;
    QTimer* m_recordingCheck;
    std::array<QCheckBox*, vexor::kOscChannels> m_channels{};
    std::array<QLabel*, vexor::kOscScaleLabels> m_scaleLabels{};
};
