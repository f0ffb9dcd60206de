#pragma once

#include "SimController.h"
#include "device/DeviceSettings.h"
#include "device/Diag.h"
#include "live/DiagFile.h"
#include "maps/LivePoint.h"
#include "maps/MapLayout.h"

#include <chrono>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace vexor::test {

// Drives a simulated car on its drive cycle in simulated time (a tenth of a
// second a record, as the polling thread records) and writes what the
// oscilloscope would record. The controller's clock becomes the recorder's.
class CSimDriveRecorder {
public:
    explicit CSimDriveRecorder(CSimController& controller)
        : m_controller(controller), m_now(std::make_shared<CSimController::Clock::time_point>(
                                        CSimController::Clock::time_point{})) {
        m_controller.setClock([now = m_now] { return *now; });
        m_controller.engine().setDriveCycle(true);
        m_controller.engine().setReducerTemperatureRaw(23); // warm
    }

    // One round of the drive cycle on a fuel: the recording's text.
    std::string drive(bool gas) {
        m_controller.forceFuel(gas);
        const SRecordUnits units = SRecordUnits::fromSettings(DeviceSettings{});
        const double seconds = m_controller.engine().cycle().length();
        std::string text;
        for (int i = 0; i < static_cast<int>(seconds * 10.0); ++i) {
            *m_now += std::chrono::milliseconds(100);
            const std::vector<uint8_t> bytes = m_controller.liveRecord();
            CDiag record;
            record.fromPayload(bytes.data(), bytes.size());
            text += recordLine(record, units);
            text += '\n';
        }
        return text;
    }

    // Mean absolute mixture error left on gas over the cells one round of
    // the cycle visits (each cell's own mean error, then their mean), and the
    // number of cells. The cell is where the controller works once the
    // mixture is right: the petrol time on petrol.
    std::pair<double, int> remainingError() const {
        std::map<std::pair<int, int>, std::pair<double, int>> cells;
        const CSimEngine& engine = m_controller.engine();
        for (double t = 0.0; t < engine.cycle().length(); t += 0.1) {
            const CSimDriveCycle::Point p = engine.cycle().at(t);
            const double petrolMs = engine.basePetrolTimeAt(p.load, p.rpm);
            const SCellIndex cell = mapCellFor(p.rpm, petrolMs, m_controller.mapFlags());
            auto& sum = cells[{cell.row, cell.column}];
            sum.first += m_controller.remainingMixtureError(p.rpm, p.load);
            ++sum.second;
        }
        double total = 0.0;
        for (const auto& [cell, sum] : cells)
            total += std::fabs(sum.first / sum.second);
        return {total / static_cast<double>(cells.size()), static_cast<int>(cells.size())};
    }

private:
    CSimController& m_controller;
    std::shared_ptr<CSimController::Clock::time_point> m_now;
};

} // namespace vexor::test
