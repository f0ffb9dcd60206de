#include "maps/MapProposal.h"

#include "maps/LivePoint.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace vexor {

namespace {

constexpr double kBinRpm = 100.0;
constexpr double kBinKpa = 1.0;

struct SBin {
    long rpmBin = 0;
    std::size_t petrol = 0;
    double petrolSum = 0.0;
    std::size_t gas = 0;
    double gasSum = 0.0;
    double gasSquares = 0.0;
};

struct SCellSums {
    double petrol = 0.0;
    double gas = 0.0;
    double diff = 0.0;    // sum over gas records of (t / P - 1)
    double squares = 0.0; // sum of its squares
};

long binOf(double value, double width) {
    // Far beyond any engine; keeps the key arithmetic inside a long.
    return static_cast<long>(std::floor(std::clamp(value, -1e6, 1e6) / width));
}

// Map coordinates with cell (row, column) centred on whole numbers.
double columnCoordinate(double rpm) {
    return std::clamp(rpm / 500.0 - 1.5, 0.0, kMapColumnCount - 1.0);
}
double rowCoordinate(double petrolMs, std::uint8_t flags) {
    const double t = (flags & kCorrMapHalfMs) != 0 ? 2.0 * petrolMs : petrolMs;
    return std::clamp(t - 1.5, 0.0, kMapRowCount - 1.0);
}

// Splits a weight 1 between the two cells around a coordinate.
struct SSplit {
    int low = 0;
    int high = 0;
    double highShare = 0.0;
};
SSplit split(double coordinate, int count) {
    SSplit s;
    s.low = std::min(static_cast<int>(std::floor(coordinate)), count - 1);
    s.high = std::min(s.low + 1, count - 1);
    s.highShare = s.high == s.low ? 0.0 : coordinate - s.low;
    return s;
}

void add(SCellSums& cell, const SBin& bin, double petrolMean, double weight) {
    const double ratioSum = bin.gasSum / petrolMean;
    cell.petrol += weight * static_cast<double>(bin.petrol);
    cell.gas += weight * static_cast<double>(bin.gas);
    cell.diff += weight * (ratioSum - static_cast<double>(bin.gas));
    cell.squares += weight * (bin.gasSquares / (petrolMean * petrolMean) - 2.0 * ratioSum +
                              static_cast<double>(bin.gas));
}

// Removes the last bits of floating-point noise, so a difference of exactly
// 2.5 % rounds as 2.5 and not as 2.4999999.
double tidy(double percent) {
    return std::round(percent * 1e9) / 1e9;
}

} // namespace

SMapProposal CMapProposal::propose(const MapValues& current, std::uint8_t corrMapFlags) const {
    SMapProposal out;
    std::unordered_map<long long, SBin> bins;
    for (const DriveRun& run : m_runs) {
        const std::vector<DriveSkip> verdicts = filterDrive(run, m_options.filter);
        out.records += run.size();
        for (std::size_t i = 0; i < run.size(); ++i) {
            if (verdicts[i] != DriveSkip::Kept)
                continue;
            const SDriveRecord& r = run[i];
            const long rpmBin = binOf(r.rpm, kBinRpm);
            const long kpaBin = binOf(r.manifoldKpa, kBinKpa);
            SBin& bin = bins[static_cast<long long>(rpmBin) * 4000000LL + kpaBin];
            bin.rpmBin = rpmBin;
            const double t = r.petrolMs;
            if (r.workMode == kDriveOnPetrol) {
                ++bin.petrol;
                bin.petrolSum += t;
                ++out.keptPetrol;
            } else {
                ++bin.gas;
                bin.gasSum += t;
                bin.gasSquares += t * t;
                ++out.keptGas;
            }
        }
    }

    std::array<std::array<SCellSums, kMapColumnCount>, kMapRowCount> sums{};
    for (const auto& [key, bin] : bins) {
        if (bin.petrol == 0 || bin.gas == 0)
            continue;
        const double petrolMean = bin.petrolSum / static_cast<double>(bin.petrol);
        const double rpm = (static_cast<double>(bin.rpmBin) + 0.5) * kBinRpm;
        if (!m_options.neighbours) {
            const SCellIndex cell = mapCellFor(rpm, petrolMean, corrMapFlags);
            add(sums[cell.row][cell.column], bin, petrolMean, 1.0);
            continue;
        }
        const SSplit rows = split(rowCoordinate(petrolMean, corrMapFlags), kMapRowCount);
        const SSplit cols = split(columnCoordinate(rpm), kMapColumnCount);
        const double rowShares[2] = {1.0 - rows.highShare, rows.highShare};
        const double colShares[2] = {1.0 - cols.highShare, cols.highShare};
        const int rowAt[2] = {rows.low, rows.high};
        const int colAt[2] = {cols.low, cols.high};
        for (int a = 0; a < 2; ++a)
            for (int b = 0; b < 2; ++b)
                if (rowShares[a] * colShares[b] > 0.0)
                    add(sums[rowAt[a]][colAt[b]], bin, petrolMean, rowShares[a] * colShares[b]);
    }

    const SProposalOptions& o = m_options;
    const double minimum = std::max(1, o.minSamples);
    for (int row = 0; row < kMapRowCount; ++row) {
        for (int col = 0; col < kMapColumnCount; ++col) {
            const SCellSums& s = sums[row][col];
            SProposalCellInfo& cell = out.cells[row][col];
            cell.current = std::clamp(current[row][col], -50, 50);
            cell.proposed = cell.current;
            cell.petrolRecords = s.petrol;
            cell.gasRecords = s.gas;
            if (s.gas > 0.0) {
                const double mean = s.diff / s.gas;
                cell.differencePercent = tidy(100.0 * mean);
                cell.spreadPercent =
                    100.0 * std::sqrt(std::max(0.0, s.squares / s.gas - mean * mean));
            }
            // A weighted count may miss a whole number by a rounding error.
            const bool enough = s.petrol + 1e-9 >= minimum && s.gas + 1e-9 >= minimum;
            if (o.leftOut[row][col])
                cell.state = ProposalCell::LeftOut;
            else if (o.locked[row][col])
                cell.state = ProposalCell::Locked;
            else if (!enough)
                cell.state = ProposalCell::TooFew;
            else if (o.settledPercent >= 0.0 &&
                     std::fabs(cell.differencePercent) <= o.settledPercent)
                cell.state = ProposalCell::Settled;
            else {
                double change = cell.differencePercent * std::clamp(o.damping, 0.0, 1.0);
                if (o.resistance > 0.0)
                    change *= s.gas / (s.gas + o.resistance);
                if (o.maxChange > 0)
                    change = std::clamp(change, -static_cast<double>(o.maxChange),
                                        static_cast<double>(o.maxChange));
                const double target = tidy(cell.current + change);
                cell.proposed = static_cast<int>(std::clamp(std::round(target), -50.0, 50.0));
                cell.state =
                    cell.proposed == cell.current ? ProposalCell::Unchanged : ProposalCell::Changed;
            }
            out.proposed[row][col] = cell.proposed;
            if (cell.state == ProposalCell::Changed)
                ++out.changed;
            else if (cell.state == ProposalCell::TooFew)
                ++out.tooFew;
        }
    }
    return out;
}

} // namespace vexor
