#include "maps/CalibrationPageCore.h"

#include "common/IError.h"
#include "device/Conversions.h"
#include "device/LPGDevice.h"
#include "maps/MapFormat.h"
#include "maps/MapMessages.h"
#include "maps/MultiplierLine.h"

#include <algorithm>
#include <memory>

SCalibrationLive calibrationLiveValues(const CDiag& record, const DeviceSettings& settings) {
    using vexor::formatMapNumber;
    SCalibrationLive live;
    const vexor::SInjectorTimes times = record.injectorTimes(0);
    live.petrolMs = times.petrolMs;
    live.gasMs = times.gasMs;
    live.petrolText = formatMapNumber("%.2f [ms]", live.petrolMs);
    live.gasText = formatMapNumber("%.2f [ms]", live.gasMs);

    const auto& adv = settings.m_advancedSetup;
    live.manifoldKpa =
        std::max(0.0, vexor::manifoldFromRaw(record.manifoldRaw(), adv.m_advancedFlags,
                                             adv.m_advancedFlags2));
    live.lambda1 = vexor::voltFromRaw(record.lambda1Raw());
    live.lambda2 = vexor::voltFromRaw(record.lambda2Raw());
    live.lambda1Text = formatMapNumber("%.2f", live.lambda1);
    live.lambda2Text = formatMapNumber("%.2f", live.lambda2);
    live.gasPressure = vexor::pressureFromRaw(record.gasPressureRaw());
    const auto& sensors = settings.m_sensorsSetup;
    live.gasTempr = vexor::temprFromRaw(record.gasTemprRaw(), sensors.m_temprLPGSensor);
    live.reducerTempr = vexor::temprFromRaw(record.reducerTemprRaw(), sensors.m_temprEngineSensor);
    live.gasPressureText = formatMapNumber("%.0f", live.gasPressure);
    live.manifoldText = formatMapNumber("%.0f", live.manifoldKpa);
    live.gasTemprText = formatMapNumber("%.0f", live.gasTempr);
    live.reducerTemprText = formatMapNumber("%.0f", live.reducerTempr);
    return live;
}

CCalibrationPageCore::CCalibrationPageCore(CLPGDevice& device) : m_device(device) {}

std::string CCalibrationPageCore::petrolFillText() const {
    return vexor::loadMapFillText(m_petrolMap);
}

std::string CCalibrationPageCore::gasFillText() const {
    return vexor::loadMapFillText(m_gasMap);
}

bool CCalibrationPageCore::buttonsEnabled() const {
    return m_device.isConnected();
}

std::string CCalibrationPageCore::mainCorrectionText() const {
    return vexor::formatMapNumber("%.2f", m_device.settings().m_mainCorr.m_mainCorr[0]);
}

bool CCalibrationPageCore::idleWithController() const {
    return m_device.isConnected() && !m_calibrationRunning;
}

void CCalibrationPageCore::reloadChart() {
    m_chart.loadPoints(m_device.settings().m_setupTimes1);
}

void CCalibrationPageCore::textUpdate() {
    reloadChart();
    if (m_device.isConnected())
        readMaps();
}

std::optional<SCalibrationLive> CCalibrationPageCore::liveRefresh() {
    if (!m_device.isConnected())
        return std::nullopt;
    CDiag record;
    if (!m_device.diagData().latest(record))
        return std::nullopt;
    SCalibrationLive live = calibrationLiveValues(record, m_device.settings());
    m_chart.setLiveMarker(live.petrolMs, live.manifoldKpa);
    if (--m_refreshCounter <= 0) {
        m_refreshCounter = kRefreshCount;
        readMaps();
        live.mapsRead = true;
    }
    return live;
}

bool CCalibrationPageCore::readMaps() {
    if (!m_device.isConnected())
        return false;
    try {
        return readMapsNow();
    } catch (IError* e) {
        vexor::reportMapError(m_device.seams(), vexor::kHandlerReadMaps,
                              std::unique_ptr<IError>(e));
        return false;
    }
}

bool CCalibrationPageCore::readMapsNow() {
    CBusyScope busy(m_device.seams().cursor);
    LoadMap petrol;
    LoadMap gas;
    if (!m_device.readGasolineMap(petrol) || !m_device.readLpgMap(gas)) {
        vexor::showMapFailure(m_device.seams(), vexor::kMsgMapsRead);
        return false;
    }
    m_petrolMap = petrol;
    m_gasMap = gas;
    const auto& adv = m_device.settings().m_advancedSetup;
    m_columns.build(petrol, gas, adv.m_advancedFlags, adv.m_advancedFlags2);
    m_chart.setCloud(m_columns.cloudPoints());
    return true;
}

bool CCalibrationPageCore::mayChange() const {
    return !m_changeGuard || m_changeGuard();
}

bool CCalibrationPageCore::writeLine(const char* failure) {
    if (!m_device.writeSetupTimes()) {
        vexor::showMapFailure(m_device.seams(), failure);
        return false;
    }
    return true;
}

bool CCalibrationPageCore::computeLine() {
    if (!idleWithController() || !mayChange())
        return false;
    try {
        vexor::addLineCorrections(m_device.settings(), vexor::computeLineCorrections(m_columns));
        if (!writeLine(vexor::kMsgLineWrite))
            return false;
        reloadChart();
        return true;
    } catch (IError* e) {
        vexor::reportMapError(m_device.seams(), vexor::kHandlerCompute, std::unique_ptr<IError>(e));
        return false;
    }
}

bool CCalibrationPageCore::clearMap(bool petrol) {
    if (!idleWithController())
        return false;
    try {
        {
            CBusyScope busy(m_device.seams().cursor);
            if (!(petrol ? m_device.clearGasolineMap() : m_device.clearLpgMap())) {
                vexor::showMapFailure(m_device.seams(), vexor::kMsgSetDevice);
                return false;
            }
        }
        return readMapsNow();
    } catch (IError* e) {
        vexor::reportMapError(m_device.seams(),
                              petrol ? vexor::kHandlerClearPetrol : vexor::kHandlerClearGas,
                              std::unique_ptr<IError>(e));
        return false;
    }
}

bool CCalibrationPageCore::clearPetrolMap() {
    if (m_petrolClearLocked)
        return false;
    return clearMap(true);
}

bool CCalibrationPageCore::clearGasMap() {
    return clearMap(false);
}

bool CCalibrationPageCore::clearLine() {
    if (!idleWithController() || !mayChange())
        return false;
    try {
        vexor::clearLine(m_device.settings());
        if (!writeLine(vexor::kMsgSetDevice))
            return false;
        reloadChart();
        return true;
    } catch (IError* e) {
        vexor::reportMapError(m_device.seams(), vexor::kHandlerClearLine,
                              std::unique_ptr<IError>(e));
        return false;
    }
}

bool CCalibrationPageCore::onCorrChanged(int index, double factor) {
    if (!m_device.isConnected() || index < 0 || index >= vexor::kLinePoints)
        return false;
    DeviceSettings& s = m_device.settings();
    const int percent = vexor::linePercent(factor);
    double& point = s.m_setupTimes1[static_cast<std::size_t>(index)];
    if (percent == point || !mayChange())
        return false;
    point = std::clamp(static_cast<double>(percent), vexor::kLineMin, vexor::kLineMax);
    s.m_tableMask = 0;
    try {
        CBusyScope busy(m_device.seams().cursor);
        return writeLine(vexor::kMsgLineWrite);
    } catch (IError* e) {
        vexor::reportMapError(m_device.seams(), vexor::kHandlerCorrChanged,
                              std::unique_ptr<IError>(e));
        return false;
    }
}

bool CCalibrationPageCore::onIncrementAll(bool up) {
    if (!m_device.isConnected() || !mayChange())
        return false;
    try {
        vexor::incrementLine(m_device.settings(), up);
        if (!writeLine(vexor::kMsgLineWrite))
            return false;
        reloadChart();
        return true;
    } catch (IError* e) {
        vexor::reportMapError(m_device.seams(), vexor::kHandlerIncrementAll,
                              std::unique_ptr<IError>(e));
        return false;
    }
}

bool CCalibrationPageCore::handleChartAction(const CMultiplierChart::SAction& action) {
    using Kind = CMultiplierChart::SAction::Kind;
    switch (action.kind) {
    case Kind::PointChanged:
        return onCorrChanged(action.index, action.factor);
    case Kind::IncrementAll:
        return onIncrementAll(action.up);
    case Kind::None:
    case Kind::Repaint:
        break;
    }
    return false;
}
