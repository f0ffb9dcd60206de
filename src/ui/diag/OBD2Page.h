#pragma once

#include "obd/ObdPageView.h"
#include "pages/AppPropPage.h"
#include "texts/OBDPageTexts.h"

#include <array>
#include <memory>
#include <vector>

class CColorStatic;
class CObdPageModel;
class CValueCmbBox;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class CObdScanWidgets;

// The OBD page: switches the controller's OBD link, shows the car's OBD
// values while the page is shown, reads and clears the car's trouble codes,
// and sets up the controller's OBD-based gas correction. The logic lives in
// CObdPageModel; the page forwards its handlers there and shows the result.
class COBD2Page : public CAppPropPage {
    Q_OBJECT
public:
    explicit COBD2Page(QWidget* parent = nullptr);
    ~COBD2Page() override;

    // The page's texts, then the controls from the controller's OBD set-up
    // (searching the car's bus when the link is on). The texts go first so
    // that an air-flow car keeps its "g/s" label rather than the page's
    // default manifold-pressure label.
    void updatePage() override;
    // Every second call queues one poll, which runs after the refresh.
    void refreshLive() override;

    // Null until the page is attached to a document with a device behind it.
    const CObdPageModel* model() const { return m_model.get(); }

    void OnMessageGetDiag();
    void OnGetObdErr();
    void OnObdErrClear();
    void OnReadScanData();
    void OnSelendokCmbEnable(int index);
    void OnChkObdCorrEnable();
    void OnSelendokCmbObdCorrAverage(int index);
    void OnSelendokCmbObdCorrMax(int index);
    void onInjActive(int cylinder, int bank);

private:
    CObdPageModel* ensureModel();
    void applyTexts();
    void showView();
    void showCorrectionControls(bool visible);
    // The note that polling waits for the link, and the values greyed.
    void showLinkPaused(bool paused);

    COBDPageTexts m_texts;
    std::unique_ptr<CObdPageModel> m_model;
    CValueCmbBox* m_link;
    CValueCmbBox* m_period;
    CValueCmbBox* m_maximum;
    QPushButton* m_readCodes;
    QPushButton* m_clearCodes;
    QCheckBox* m_correction;
    QListWidget* m_codes;
    CColorStatic* m_standard;
    CColorStatic* m_protocol;
    CColorStatic* m_bank1Corr;
    CColorStatic* m_bank2Corr;
    QLabel* m_loadLabel;
    QLabel* m_linkNote = nullptr;
    QLabel* m_loadUnit;
    QTabWidget* m_codeTabs;
    QLabel* m_calibrationLabel;
    std::unique_ptr<CObdScanWidgets> m_scan;
    std::array<CColorStatic*, SObdPageView::kValues> m_values{};
    std::array<QCheckBox*, SObdPageView::kCylinders> m_bank1{};
    std::array<QCheckBox*, SObdPageView::kCylinders> m_bank2{};
    // Everything shown or hidden with "Czytanie korekty z OBD".
    std::vector<QWidget*> m_correctionControls;
};
