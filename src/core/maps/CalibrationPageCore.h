#pragma once

#include "device/LoadMap.h"
#include "maps/LoadMapColumns.h"
#include "maps/MultiplierChart.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

class CLPGDevice;
class CDiag;

// What the calibration page shows on each live refresh.
struct SCalibrationLive {
    double petrolMs = 0.0;  // injector 0: the longer petrol time of its channels
    double gasMs = 0.0;     // injector 0: that time with its gas correction
    std::string petrolText; // "%.2f [ms]"
    std::string gasText;
    double manifoldKpa = 0.0; // never below 0
    double lambda1 = 0.0;     // volts
    double lambda2 = 0.0;
    std::string lambda1Text; // "%.2f"
    std::string lambda2Text;
    double gasPressure = 0.0;
    double gasTempr = 0.0;
    double reducerTempr = 0.0;
    std::string gasPressureText; // "%.0f" each
    std::string manifoldText;
    std::string gasTemprText;
    std::string reducerTemprText;
    // The refresh counter ran out and the maps were read again.
    bool mapsRead = false;
};

// The live values of one record as the calibration page shows them.
SCalibrationLive calibrationLiveValues(const CDiag& record, const DeviceSettings& settings);

// The logic of the "Kalibracja" page: the two load maps read from the
// controller and laid out as chart columns, their fill levels, the multiplier
// line and its edits, and the live values. Every controller exchange shows
// its failure message through the device's prompt seam and reports a port
// error under the button's name; the document keeps the values it was given
// when a write fails.
//
// The automatic calibration runs on this page: while it does (see
// setCalibrationRunning), the buttons that change maps or the line do
// nothing.
class CCalibrationPageCore {
public:
    // Live refreshes between two reads of the maps.
    static constexpr int kRefreshCount = 50;

    explicit CCalibrationPageCore(CLPGDevice& device);

    CMultiplierChart& chart() { return m_chart; }
    const CMultiplierChart& chart() const { return m_chart; }
    const CLoadMapColumns& columns() const { return m_columns; }
    const LoadMap& petrolMap() const { return m_petrolMap; }
    const LoadMap& gasMap() const { return m_gasMap; }
    // "%.0f %%" of the map fill levels, from the last successful read.
    std::string petrolFillText() const;
    std::string gasFillText() const;

    // The line, map and clear buttons work only with a controller.
    bool buttonsEnabled() const;
    // Asked before a change is made, once the controller is known to be
    // there (the window program backs the controller up then); false stops
    // the change before anything is changed or sent.
    void setChangeGuard(std::function<bool()> guard) { m_changeGuard = std::move(guard); }
    // The main constant-time correction (the first cylinder's) as "%.2f".
    std::string mainCorrectionText() const;

    bool calibrationRunning() const { return m_calibrationRunning; }
    void setCalibrationRunning(bool running) { m_calibrationRunning = running; }
    // "Blokada": while set, "Kasuj benzynę" does nothing.
    bool petrolClearLocked() const { return m_petrolClearLocked; }
    void setPetrolClearLocked(bool locked) { m_petrolClearLocked = locked; }
    int refreshCounter() const { return m_refreshCounter; }

    // The chart's line from m_setupTimes1.
    void reloadChart();
    // On activation, a language change and from the automatic calibration:
    // the line into the chart and, with a controller, the maps read again.
    void textUpdate();
    // Only with a controller and a live record: the values to show; the live
    // marker moves to (petrol time, manifold pressure); every kRefreshCount
    // refreshes the maps are read again.
    std::optional<SCalibrationLive> liveRefresh();

    // Petrol map, then gas map (wait cursor). A failed read shows
    // "Nie powiodło się odczytanie ustawień urządzenia!" and keeps the chart
    // as it was.
    bool readMaps();
    // "Oblicz nastawy": adds the computed corrections to the line and writes
    // it. Not while a calibration runs.
    bool computeLine();
    // "Kasuj benzynę" (not while "Blokada" is set) / "Kasuj gaz": clears the
    // map in the controller and reads the maps again. Not while a
    // calibration runs.
    bool clearPetrolMap();
    bool clearGasMap();
    // "Kasuj nastawy": every point of both setup-time rows to 0, written.
    // Not while a calibration runs.
    bool clearLine();
    // A point moved on the chart: the nearest whole percent is stored and
    // written unless the point already holds it. True when written.
    bool onCorrChanged(int index, double factor);
    // Page Up / Page Down on the chart: every point +1 / -1, written.
    bool onIncrementAll(bool up);
    // Passes a chart action (a key or a mouse release) on.
    bool handleChartAction(const CMultiplierChart::SAction& action);

private:
    // The controller is there and the change guard lets the change go ahead.
    bool mayChange() const;
    std::function<bool()> m_changeGuard;
    bool readMapsNow();
    bool clearMap(bool petrol);
    // Writes the line; failure shows `failure`. True on success.
    bool writeLine(const char* failure);
    bool idleWithController() const;

    CLPGDevice& m_device;
    CMultiplierChart m_chart;
    CLoadMapColumns m_columns;
    LoadMap m_petrolMap;
    LoadMap m_gasMap;
    bool m_calibrationRunning = false;
    bool m_petrolClearLocked = false;
    int m_refreshCounter = kRefreshCount;
};
