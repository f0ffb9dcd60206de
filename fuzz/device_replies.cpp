// The controller commands against a peer that answers with the fuzz input:
// every reply a damaged cable or a foreign device can give must leave the
// command layer and the image it fills without a fault. Input: a byte whose
// low two bits plus one count the commands, one byte per command (which one),
// a 16-bit memory address, then the port script of CReplyPort. The commands
// share the peer's bytes in order, so a sensors read can set up a base read.
#include "support/EncodeEveryBlock.h"
#include "support/FuzzInput.h"
#include "support/InstantSleep.h"
#include "support/ReplyPort.h"

#include "common/IError.h"
#include "device/LPGDevice.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

enum Command : std::uint8_t {
    Handshake,
    DevInfo,
    Statistic,
    Base,
    Adv,
    AdvancedSetup,
    MainCorr,
    SetupTimes,
    Sensors,
    Memory,
    InjMap,
    Live,
    Errors,
    ObdSetup,
    ObdCorr,
    PetrolLoadMap,
    GasLoadMap,
    WriteBase,
    WriteInjMap,
    EnterProgramming,
    EndProgramming,
    FuelAuto,
    CommandCount
};

// Runs one command; false when it failed and so must have left the image as
// it was (every command but the base write, which stores this computer's
// station code before it sends).
bool run(CLPGDevice& device, Command command, std::uint16_t address) {
    switch (command) {
    case Handshake:
        return device.handshake();
    case DevInfo:
        return device.readDevInfo();
    case Statistic:
        return device.readStatistic();
    case Base:
        return device.readBase();
    case Adv:
        return device.readAdv();
    case AdvancedSetup:
        return device.readAdvancedSetup();
    case MainCorr:
        return device.readMainCorr();
    case SetupTimes:
        return device.readSetupTimes();
    case Sensors:
        return device.readSensorsSetup();
    case Memory: {
        CLPGDevice::MemoryChunk chunk{};
        device.readMemory(address, chunk);
        break;
    }
    case InjMap:
        return device.readInjMap();
    case Live: {
        CDiag record;
        if (device.readDiag(record) == CLPGDevice::kDiagOk)
            device.diagData().append(record);
        break;
    }
    case Errors: {
        CLPGDeviceErr::ErrorBytes bytes{};
        if (device.readErrors(bytes))
            device.describeErrors(bytes);
        break;
    }
    case ObdSetup: {
        vexor::ObdSetup setup{};
        device.readObdSetup(setup);
        break;
    }
    case ObdCorr: {
        vexor::ObdCorr corr{};
        device.readObdCorr(corr);
        break;
    }
    case PetrolLoadMap: {
        LoadMap map;
        device.readGasolineMap(map);
        break;
    }
    case GasLoadMap: {
        LoadMap map;
        device.readLpgMap(map);
        break;
    }
    case WriteBase:
        device.writeBase();
        break;
    case WriteInjMap:
        return device.writeInjMap();
    case EnterProgramming:
        return device.enterProgramming();
    case EndProgramming:
        return device.endProgramming();
    case FuelAuto:
        return device.switchToAuto();
    case CommandCount:
        break;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexor::fuzz::CInstantSleep instant;
    vexor::fuzz::CFuzzInput in(data, size);
    const int count = 1 + (in.byte() & 3);
    std::vector<Command> commands;
    for (int i = 0; i < count; ++i)
        commands.push_back(static_cast<Command>(in.byte() % CommandCount));
    const std::uint16_t address = in.word();
    vexor::fuzz::CReplyPort port(in);

    CLPGDevice device(&port);
    try {
        for (Command command : commands) {
            const DeviceSettings before = device.settings();
            if (!run(device, command, address) && !(device.settings() == before))
                std::abort();
        }
        // What the replies left in the image must encode again.
        vexor::fuzz::encodeEveryBlock(device.settings());
    } catch (IError* error) {
        std::unique_ptr<IError> owned(error);
        owned->description();
    }
    return 0;
}
