#pragma once

#include "maps/DriveFilter.h"
#include "maps/DriveRecord.h"
#include "maps/MapGeometry.h"
#include "maps/MapValues.h"

#include <array>
#include <cstdint>
#include <vector>

// The injection map proposed from drives on petrol and on gas.
//
// At the same engine speed and manifold pressure the car's computer should
// command the same petrol time on either fuel; where it commands p % more on
// gas, its fuel trims are making up for a gas mixture p % lean, and the cell
// the controller uses there should rise by p.
//
// Operating points are bins of 100 rpm by 1 kPa. A kilopascal is the
// resolution a recording keeps the manifold pressure in, and petrol time
// follows that pressure almost in proportion, so a coarser bin would mix
// times several per cent apart at idle; within 100 rpm the engine's filling
// hardly changes, and the bins never straddle a map column. Each gas record
// of a bin that also holds petrol records gives a difference against the
// petrol mean of that bin; the bin belongs to the cell of its engine speed and
// its petrol mean (the petrol time the controller will see there once the gas
// mixture is right).
namespace vexor {

// The fitter's choices. The defaults are the plain rule: a cell with at
// least minSamples records on each fuel takes its value plus the mean
// difference, rounded, kept to -50..+50.
struct SProposalOptions {
    int minSamples = 20;
    SDriveFilter filter;
    // A bin counts towards the (up to four) cells around it, in proportion
    // to how close it lies to each cell's centre.
    bool neighbours = false;
    // The current value weighs like this many gas records: thin evidence
    // moves a cell little.
    double resistance = 0.0;
    // Share of the difference taken in one round (0..1].
    double damping = 1.0;
    // Largest change of a cell in one round, either way (0: no limit).
    int maxChange = 0;
    // A cell whose difference is within this many per cent is settled: the
    // data agree with it, it keeps its value (negative: off).
    double settledPercent = -1.0;
    // Cells the fitter locked, or left out of this proposal.
    std::array<std::array<bool, kMapColumnCount>, kMapRowCount> locked{};
    std::array<std::array<bool, kMapColumnCount>, kMapRowCount> leftOut{};
};

enum class ProposalCell {
    TooFew,    // fewer records on a fuel than asked for: keeps its value
    Unchanged, // enough records, the rounded change is 0
    Changed,
    Settled,
    Locked,
    LeftOut
};

struct SProposalCellInfo {
    ProposalCell state = ProposalCell::TooFew;
    int current = 0;
    int proposed = 0;
    // Records on each fuel (weighted when neighbours share them).
    double petrolRecords = 0.0;
    double gasRecords = 0.0;
    // Mean difference of gas against petrol and its standard deviation over
    // the gas records, in per cent (0 without records).
    double differencePercent = 0.0;
    double spreadPercent = 0.0;
};

struct SMapProposal {
    std::array<std::array<SProposalCellInfo, kMapColumnCount>, kMapRowCount> cells{};
    MapValues proposed{};
    int changed = 0;
    int tooFew = 0;
    // Records read, and those the filter kept, on each fuel.
    std::size_t records = 0;
    std::size_t keptPetrol = 0;
    std::size_t keptGas = 0;

    const SProposalCellInfo& at(SCellIndex cell) const { return cells[cell.row][cell.column]; }
};

// Collects drives and proposes the map from them. Runs are filtered one by
// one (a transient or a fuel switch never spans two files); the operating
// points of all runs are pooled.
class CMapProposal {
public:
    explicit CMapProposal(const SProposalOptions& options = {}) : m_options(options) {}

    void setOptions(const SProposalOptions& options) { m_options = options; }
    const SProposalOptions& options() const { return m_options; }

    void addRun(const DriveRun& run) { m_runs.push_back(run); }
    void clear() { m_runs.clear(); }
    const std::vector<DriveRun>& runs() const { return m_runs; }

    // The proposal for the current map; corrMapFlags say how the petrol-time
    // axis counts.
    SMapProposal propose(const MapValues& current, std::uint8_t corrMapFlags) const;

private:
    SProposalOptions m_options;
    std::vector<DriveRun> m_runs;
};

} // namespace vexor
