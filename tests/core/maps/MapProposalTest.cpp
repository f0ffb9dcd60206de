#include "maps/MapProposal.h"
#include "maps/DriveFilter.h"
#include "maps/LivePoint.h"

#include <gtest/gtest.h>

namespace vexor {
namespace {

SDriveRecord rec(std::uint8_t mode, double rpm, double kpa, double ms, double reducerC = 60) {
    SDriveRecord r;
    r.workMode = mode;
    r.gasInjecting = mode == kDriveOnGas;
    r.rpm = rpm;
    r.manifoldKpa = kpa;
    r.petrolMs = ms;
    r.reducerC = reducerC;
    r.lambda1 = 0.45;
    return r;
}

void steady(DriveRun& run, int count, std::uint8_t mode, double rpm, double kpa, double ms) {
    for (int i = 0; i < count; ++i)
        run.push_back(rec(mode, rpm, kpa, ms));
}

// Cell of 2000 rpm at about 5 ms: row "6" (index 4), column "2000" (index 3).
constexpr SCellIndex kCell{4, 3};

TEST(MapProposal, plainRuleAddsTheRoundedDifferenceOnlyWhereBothFuelsHaveEnoughRecords) {
    DriveRun petrol, gas;
    steady(petrol, 20, kDriveOnPetrol, 2200, 50, 5.0);
    steady(gas, 20, kDriveOnGas, 2200, 50, 5.37); // 7.4 % lean
    // A second cell with one gas record too few.
    steady(petrol, 30, kDriveOnPetrol, 4200, 80, 9.0);
    steady(gas, 19, kDriveOnGas, 4200, 80, 9.9);
    // Near the limits: +45 and 9 % lean is kept at +50; -45 and 8 % rich at -50.
    steady(petrol, 25, kDriveOnPetrol, 6200, 95, 14.0);
    steady(gas, 25, kDriveOnGas, 6200, 95, 15.26);
    steady(petrol, 25, kDriveOnPetrol, 1200, 30, 2.5);
    steady(gas, 25, kDriveOnGas, 1200, 30, 2.3);

    MapValues current{};
    current[0][0] = 7; // a cell without data keeps what it holds
    current[13][11] = 45;
    current[1][1] = -45;
    CMapProposal proposal;
    proposal.addRun(petrol);
    proposal.addRun(gas);
    const SMapProposal p = proposal.propose(current, 0);

    MapValues expected = current;
    expected[13][11] = 50;
    expected[1][1] = -50;
    expected[kCell.row][kCell.column] = 7;
    EXPECT_EQ(p.proposed, expected);
    EXPECT_EQ(p.changed, 3);
    EXPECT_EQ(p.tooFew, kMapRowCount * kMapColumnCount - 3);
    // 4200 rpm at 9 ms had one gas record too few: unchanged.
    EXPECT_EQ(p.at({8, 7}).state, ProposalCell::TooFew);
    EXPECT_DOUBLE_EQ(p.at({8, 7}).gasRecords, 19.0);
    EXPECT_NEAR(p.at(kCell).differencePercent, 7.4, 1e-9);
    EXPECT_NEAR(p.at(kCell).spreadPercent, 0.0, 1e-6);
}

TEST(MapProposal, comparesAtMatchingOperatingPointsNotCellMeans) {
    // Two operating points in one cell, both 10 % lean, with the records
    // spread unevenly between the fuels: comparing the cell's means would
    // make it 14 %. Gas records at a point never driven on petrol say
    // nothing and are not counted.
    DriveRun run;
    steady(run, 40, kDriveOnPetrol, 2100, 48, 5.0);
    steady(run, 20, kDriveOnPetrol, 2300, 52, 5.6);
    steady(run, 20, kDriveOnGas, 2100, 48, 5.5);
    steady(run, 40, kDriveOnGas, 2300, 52, 6.16);
    steady(run, 50, kDriveOnGas, 2400, 58, 5.9);
    CMapProposal proposal;
    proposal.addRun(run);
    const SMapProposal p = proposal.propose(MapValues{}, 0);
    EXPECT_NEAR(p.at(kCell).differencePercent, 10.0, 1e-9);
    EXPECT_DOUBLE_EQ(p.at(kCell).gasRecords, 60.0);
    EXPECT_DOUBLE_EQ(p.at(kCell).petrolRecords, 60.0);
    EXPECT_EQ(p.proposed[kCell.row][kCell.column], 10);
    EXPECT_EQ(p.keptGas, 110u);
}

TEST(MapProposal, rowFollowsThePetrolTimeOnPetrolAndTheHalfMillisecondAxis) {
    // 4.9 ms on petrol, 5.3 ms on gas: the cell is the petrol time's row "5",
    // where the controller will work once the gas mixture is right.
    DriveRun run;
    steady(run, 20, kDriveOnPetrol, 2200, 50, 4.9);
    steady(run, 20, kDriveOnGas, 2200, 50, 5.3);
    CMapProposal proposal;
    proposal.addRun(run);
    EXPECT_EQ(proposal.propose(MapValues{}, 0).proposed[3][3], 8);
    // Counting half milliseconds, 4.9 ms is 9.8 on the axis: row "10".
    EXPECT_EQ(proposal.propose(MapValues{}, kCorrMapHalfMs).proposed[8][3], 8);
}

TEST(DriveFilter, steadyWarmRecordsAlwaysCountAndOnlyChangesUnderWayAreTransients) {
    DriveRun run;
    steady(run, 3, kDriveOnPetrol, 2000, 50, 5.0);
    run.push_back(rec(kDriveOnPetrol, 2300, 50, 5.0)); // an acceleration under way
    run.push_back(rec(kDriveOnPetrol, 2600, 50, 5.0)); // arrives: one jump only
    run.push_back(rec(kDriveOnPetrol, 2000, 50, 5.0)); // jumps back: the edge of a stretch
    run.push_back(rec(kDriveOnPetrol, 2000, 30, 5.0)); // the pressure falls off ...
    run.push_back(rec(kDriveOnPetrol, 2000, 58, 5.0)); // ... an outlier both ways: kept
    run.push_back(rec(kDriveOnPetrol, 2000, 50, 5.0));
    steady(run, 2, kDriveOnGas, 4000, 90, 9.0);         // fuel switch and a new point at once
    run.push_back(rec(kDriveOnGas, 4000, 90, 9.0, 20)); // cold reducer
    run.push_back(rec(kDriveOnGas, 4000, 90, 0.0));     // no injection
    run.push_back(rec(1, 4000, 90, 9.0));               // neither fuel
    SDriveFilter filter;
    filter.switchTemprC = 35;
    const std::vector<DriveSkip> v = filterDrive(run, filter);
    std::vector<DriveSkip> expected(14, DriveSkip::Kept);
    expected[3] = DriveSkip::Transient;
    expected[11] = DriveSkip::Cold;
    expected[12] = DriveSkip::NoInjection;
    expected[13] = DriveSkip::NoFuel;
    EXPECT_EQ(v, expected);

    // The fitter's stricter choices: the seconds after a switch, the lambda
    // rails (the second probe only at its upper rail) and cut gas injectors.
    DriveRun strict;
    steady(strict, 5, kDriveOnPetrol, 2000, 50, 5.0);
    steady(strict, 25, kDriveOnGas, 2000, 50, 5.0);
    strict[27].lambda1 = 0.98;
    strict[28].lambda2 = 0.0;
    strict[29].gasInjecting = false;
    filter.afterSwitchSeconds = 2.0;
    filter.skipLambdaRails = true;
    filter.skipGasIdle = true;
    const std::vector<DriveSkip> s = filterDrive(strict, filter);
    EXPECT_EQ(s[4], DriveSkip::Kept);
    EXPECT_EQ(s[5], DriveSkip::AfterSwitch);
    EXPECT_EQ(s[24], DriveSkip::AfterSwitch);
    EXPECT_EQ(s[25], DriveSkip::Kept);
    EXPECT_EQ(s[27], DriveSkip::LambdaRail);
    EXPECT_EQ(s[28], DriveSkip::Kept);
    EXPECT_EQ(s[29], DriveSkip::GasIdle);
}

TEST(MapProposal, linesOfTwoSteadyPointsWrittenInTurnAllCount) {
    DriveRun run;
    for (int i = 0; i < 20; ++i) {
        run.push_back(rec(kDriveOnPetrol, 2200, 50, 5.0));
        run.push_back(rec(kDriveOnPetrol, 4200, 80, 9.0));
    }
    for (int i = 0; i < 20; ++i) {
        run.push_back(rec(kDriveOnGas, 2200, 50, 5.5));
        run.push_back(rec(kDriveOnGas, 4200, 80, 8.1));
    }
    CMapProposal proposal;
    proposal.addRun(run);
    const SMapProposal p = proposal.propose(MapValues{}, 0);
    EXPECT_EQ(p.proposed[4][3], 10);
    EXPECT_EQ(p.proposed[8][7], -10);
    EXPECT_EQ(p.keptPetrol + p.keptGas, 80u);
}

TEST(MapProposal, coldAndTransientRecordsDoNotReachTheCount) {
    DriveRun run;
    steady(run, 20, kDriveOnPetrol, 2200, 50, 5.0);
    steady(run, 19, kDriveOnGas, 2200, 50, 5.5);
    run.push_back(rec(kDriveOnGas, 2200, 50, 5.5, 10)); // twentieth, but cold
    CMapProposal proposal;
    proposal.addRun(run);
    EXPECT_EQ(proposal.propose(MapValues{}, 0).at(kCell).state, ProposalCell::TooFew);
    // Without the cold filter it would count.
    SProposalOptions options;
    options.filter.skipCold = false;
    proposal.setOptions(options);
    EXPECT_EQ(proposal.propose(MapValues{}, 0).at(kCell).state, ProposalCell::Changed);
}

TEST(MapProposal, tunerChoicesShareRecordsResistDampCapLockAndSettle) {
    DriveRun run;
    // 2250 rpm at 5.5 ms lies at the centre of column "2000", row "6".
    steady(run, 40, kDriveOnPetrol, 2250, 50, 5.5);
    steady(run, 40, kDriveOnGas, 2250, 50, 6.6); // 20 % lean
    CMapProposal proposal;
    proposal.addRun(run);

    SProposalOptions o;
    o.resistance = 40; // the current value weighs as much as the 40 gas records
    proposal.setOptions(o);
    EXPECT_EQ(proposal.propose(MapValues{}, 0).proposed[4][3], 10);
    o = {};
    o.maxChange = 6;
    proposal.setOptions(o);
    EXPECT_EQ(proposal.propose(MapValues{}, 0).proposed[4][3], 6);
    o = {};
    o.damping = 0.5;
    proposal.setOptions(o);
    EXPECT_EQ(proposal.propose(MapValues{}, 0).proposed[4][3], 10);
    o = {};
    o.locked[4][3] = true;
    proposal.setOptions(o);
    SMapProposal p = proposal.propose(MapValues{}, 0);
    EXPECT_EQ(p.proposed[4][3], 0);
    EXPECT_EQ(p.at({4, 3}).state, ProposalCell::Locked);
    EXPECT_EQ(p.tooFew, kMapRowCount * kMapColumnCount - 1);
    // Settled: a round whose data agree with the map within 2 % keeps it.
    o = {};
    o.settledPercent = 2.0;
    proposal.setOptions(o);
    EXPECT_EQ(proposal.propose(MapValues{}, 0).at({4, 3}).state, ProposalCell::Changed);
    DriveRun agreeing;
    steady(agreeing, 40, kDriveOnPetrol, 2250, 50, 5.5);
    steady(agreeing, 40, kDriveOnGas, 2250, 50, 5.6); // 1.8 % lean
    CMapProposal second(o);
    second.addRun(agreeing);
    MapValues current{};
    current[4][3] = 20;
    p = second.propose(current, 0);
    EXPECT_EQ(p.at({4, 3}).state, ProposalCell::Settled);
    EXPECT_EQ(p.proposed[4][3], 20);

    // Shared with neighbours: the bin of 2500..2599 rpm lies 0.6 of the way
    // from the centre of column "2000" to that of "2500", so of 60 records
    // each fuel the first cell gets 24 and the second 36.
    DriveRun between;
    steady(between, 60, kDriveOnPetrol, 2500, 50, 5.5);
    steady(between, 60, kDriveOnGas, 2500, 50, 6.05);
    CMapProposal shared;
    shared.addRun(between);
    o = {};
    o.neighbours = true;
    shared.setOptions(o);
    p = shared.propose(MapValues{}, 0);
    EXPECT_NEAR(p.at({4, 3}).gasRecords, 24.0, 1e-9);
    EXPECT_NEAR(p.at({4, 4}).petrolRecords, 36.0, 1e-9);
    EXPECT_EQ(p.proposed[4][3], 10);
    EXPECT_EQ(p.proposed[4][4], 10);
    EXPECT_EQ(p.changed, 2);
}

} // namespace
} // namespace vexor
