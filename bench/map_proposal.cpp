// The map proposal judged on a simulated car whose gas mixture is off by a
// hidden smooth error of up to 15 %: record a petrol drive and a gas drive
// over the whole map, propose, apply, drive on gas again, propose, apply.
// Prints, per seed of the hidden error, the mean absolute error the fuel
// trims still make up (over the cells the drive visits) before and after each
// round, and the ratio to the error before.
//
//   bench-map_proposal [SEEDS]      seeds 1..SEEDS (default 8)
//   bench-map_proposal --neighbours the same with the tuner's neighbour sharing
//
// The goal is a ratio of at most 0.3 after one round and 0.1 after two.
#include "../tests/support/SimDriveRecorder.h"
#include "diag/RecordingLoader.h"
#include "maps/MapProposal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

vexor::DriveRun runOf(const std::string& text) {
    vexor::DriveRun run;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        vexor::OscLine line{};
        if (vexor::parseRecordingLine(std::string_view(text).substr(start, end - start), line))
            run.push_back(vexor::driveRecordOf(line));
        start = end + 1;
    }
    return run;
}

vexor::MapValues mapOf(const CSimController& c) {
    vexor::MapValues values{};
    for (int r = 0; r < vexor::kMapRowCount; ++r)
        for (int col = 0; col < vexor::kMapColumnCount; ++col)
            values[r][col] = c.mapCell(r, col);
    return values;
}

} // namespace

int main(int argc, char** argv) {
    int seeds = 8;
    vexor::SProposalOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--neighbours") == 0)
            options.neighbours = true;
        else
            seeds = std::max(1, std::atoi(argv[i]));
    }
    options.filter.switchTemprC = DeviceSettings{}.m_base.m_switchTempr;
    std::printf("seed\tcells\terror0\terror1\terror2\tratio1\tratio2\n");
    double sum1 = 0.0, sum2 = 0.0, worst1 = 0.0, worst2 = 0.0;
    for (int seed = 1; seed <= seeds; ++seed) {
        CSimController controller;
        controller.engine().setMixtureSeed(static_cast<uint32_t>(seed));
        vexor::test::CSimDriveRecorder recorder(controller);
        const auto [error0, cells] = recorder.remainingError();
        const vexor::DriveRun petrol = runOf(recorder.drive(false));
        double errors[3] = {error0, 0.0, 0.0};
        for (int round = 1; round <= 2; ++round) {
            vexor::CMapProposal proposal(options);
            proposal.addRun(petrol);
            proposal.addRun(runOf(recorder.drive(true)));
            const vexor::SMapProposal p =
                proposal.propose(mapOf(controller), controller.mapFlags());
            for (int r = 0; r < vexor::kMapRowCount; ++r)
                for (int c = 0; c < vexor::kMapColumnCount; ++c)
                    controller.setMapCell(r, c, p.proposed[r][c]);
            errors[round] = recorder.remainingError().first;
        }
        const double ratio1 = errors[1] / errors[0];
        const double ratio2 = errors[2] / errors[0];
        sum1 += ratio1;
        sum2 += ratio2;
        worst1 = std::max(worst1, ratio1);
        worst2 = std::max(worst2, ratio2);
        std::printf("%d\t%d\t%.4f\t%.4f\t%.4f\t%.3f\t%.3f\n", seed, cells, errors[0], errors[1],
                    errors[2], ratio1, ratio2);
    }
    std::printf("mean\t\t\t\t\t%.3f\t%.3f\nworst\t\t\t\t\t%.3f\t%.3f\n", sum1 / seeds, sum2 / seeds,
                worst1, worst2);
    return 0;
}
