#pragma once

#include "maps/MapCorrPageCore.h"
#include "pages/AppPropPage.h"
#include "texts/MapTexts.h"

#include <memory>

class CMapGrid;
class QPushButton;

// The "Mapa" page: the injection map grid, open only to the service fitter.
// Showing the page asks for the service password once per run, then fills
// the grid from the document's map; every live refresh moves the grid's
// live-point marker. Edits go from the grid straight to the controller.
class CMapCorrPage : public CAppPropPage {
    Q_OBJECT
public:
    static constexpr const char* kHandlerActivate = "CMapCorrPage::activate()";

    explicit CMapCorrPage(QWidget* parent = nullptr);
    ~CMapCorrPage() override;

    bool activate() override;
    void refreshLive() override;
    void updatePage() override;

    CMapGrid* grid() const { return m_grid; }
    // "Zaproponuj mapę z jazd...": the proposal dialog over this page's grid,
    // so that the grid's Undo takes an applied proposal back.
    void OnProposeMap();
    QPushButton* proposeButton() const { return m_propose; }
    // The page's logic once a device stands behind the page, else null.
    CMapCorrPageCore* core() const { return m_core.get(); }

private:
    // Binds the grid and the page logic to the document's device once the
    // page has been attached; false when no device stands behind the page.
    bool bindDevice();

    CMapTexts m_texts;
    CMapGrid* m_grid;
    QPushButton* m_propose;
    std::unique_ptr<CMapCorrPageCore> m_core;
};
