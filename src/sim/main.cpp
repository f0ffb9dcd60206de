// vexor-sim: serves a simulated controller on a pseudo-terminal until SIGINT or SIGTERM.
// The first line of output is "port: /dev/pts/N", for scripts to pick up.

#include "SimCipher.h"
#include "SimObd.h"
#include "SimServer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iterator>
#include <optional>
#include <pthread.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

void printHelp() {
    std::printf(
        "Usage: vexor-sim [options]\n"
        "Serves a simulated gas-injection controller on a pseudo-terminal. The first output\n"
        "line is \"port: /dev/pts/N\"; the program serves until SIGINT or SIGTERM.\n"
        "\n"
        "  --link PATH          also make PATH a symbolic link to the port (an existing\n"
        "                       link there is replaced; removed again at exit)\n"
        "  --pace-baud N        answer at the speed of an N-baud line, 10 bit times per\n"
        "                       byte (0: as fast as the pseudo-terminal goes; default 0)\n"
        "  --version 0xHHHH     firmware version to report (default 0x0208: 2.8)\n"
        "  --serial TEXT        plain-text serial number, at most 15 characters\n"
        "                       (default GAS1000042)\n"
        "  --enciphered         send the serial field as an enciphered 16-byte block\n"
        "                       instead of text: the --serial TEXT enciphered under the\n"
        "                       controllers' key; without --serial (and --serial-bytes)\n"
        "                       the fixed block 37A25C11E8049B6DC32F708E15D946B1\n"
        "  --serial-bytes HEX32 the 16 raw bytes of the serial field as 32 hex digits\n"
        "                       (implies --enciphered)\n"
        "  --injectors N        number of gas injectors, 1..8 (default 4)\n"
        "  --errors HHHHHHHH    the four fault bytes, byte 0 first (default 00000000)\n"
        "  --dtc LIST           trouble codes stored in the engine computer, comma-separated,\n"
        "                       at most 20, each a letter P, C, B or U and four digits\n"
        "                       (for example P0171,U0100,C0035,B1234)\n"
        "  --pending LIST       pending trouble codes (service 7), as --dtc\n"
        "  --permanent LIST     permanent trouble codes (service 0x0A), as --dtc\n"
        "  --vin TEXT           the car's VIN, 17 characters (default: the car reports none)\n"
        "  --calid TEXT         calibration ID of the engine computer, at most 16 characters\n"
        "  --readiness HHHHHH   bytes B, C, D of the readiness answer (default 076500:\n"
        "                       petrol engine, every supported monitor complete)\n"
        "  --refuse LIST        services the car refuses as not supported, hex,\n"
        "                       comma-separated (e.g. 02,07,09,0A)\n"
        "  --image-dump FILE    write the programmed image to FILE when programming ends\n"
        "  --switch-delay MS    time from a gas request until the engine runs on gas\n"
        "                       (default 500)\n"
        "  --seed N             seed of the engine model's noise (default 1)\n"
        "  --drive              the engine drives a cycle over the whole injection map (idle,\n"
        "                       accelerations, cruise at speeds 1250..6250 rpm and loads\n"
        "                       10..90 %% in steps of 5, about 18 minutes a round) instead\n"
        "                       of idling, with the reducer already warm\n"
        "  --mixture-seed N     the car runs lean or rich on gas by a hidden smooth error of\n"
        "                       at most 15 %% drawn from N; the car's computer stretches the\n"
        "                       petrol time on gas by that error less the controller's map\n"
        "  --hang-up-every S    close the line every S seconds (a pulled adapter)\n"
        "  --return-after MS    after each hang-up the controller loses power and answers\n"
        "                       again MS later on a new pseudo-terminal; use with --link,\n"
        "                       which follows it\n"
        "  --help               show this text\n");
}

[[noreturn]] void usageError(const std::string& message) {
    std::fprintf(stderr, "vexor-sim: %s (see --help)\n", message.c_str());
    std::exit(2);
}

unsigned long parseNumber(const std::string& option, const std::string& text, int base,
                          unsigned long max) {
    errno = 0;
    char* end = nullptr;
    const unsigned long v = std::strtoul(text.c_str(), &end, base);
    if (text.empty() || *end != '\0' || errno != 0 || v > max || text[0] == '-')
        usageError("bad value for " + option + ": " + text);
    return v;
}

std::vector<uint8_t> parseHex(const std::string& option, const std::string& text,
                              std::size_t bytes) {
    if (text.size() != 2 * bytes)
        usageError(option + " needs " + std::to_string(2 * bytes) + " hex digits");
    std::vector<uint8_t> out;
    for (std::size_t i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(parseNumber(option, text.substr(2 * i, 2), 16, 255)));
    return out;
}

std::vector<uint8_t> parseServices(const std::string& text) {
    std::vector<uint8_t> services;
    std::size_t start = 0;
    while (!text.empty() && start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::string item =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        services.push_back(static_cast<uint8_t>(parseNumber("--refuse", item, 16, 255)));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return services;
}

bool printableAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c > 0x20 && c < 0x7F; });
}

std::vector<uint16_t> parseCodes(const std::string& text) {
    std::vector<uint16_t> codes;
    if (text.empty())
        return codes; // a car without stored codes
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::string item =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::optional<uint16_t> code = CSimObd::parseTroubleCode(item);
        if (!code)
            usageError("bad trouble code: " + item + " (a letter P, C, B or U and four digits)");
        codes.push_back(*code);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (codes.size() > CSimObd::kMaxTroubleCodes)
        usageError("--dtc takes at most " + std::to_string(CSimObd::kMaxTroubleCodes) + " codes");
    return codes;
}

} // namespace

int main(int argc, char** argv) {
    SimConfig config;
    std::string linkPath;
    std::string imageDump;
    bool enciphered = false;
    long hangUpEvery = 0;
    std::optional<std::chrono::milliseconds> returnAfter;
    bool serialGiven = false;
    bool drive = false;
    std::optional<uint32_t> mixtureSeed;

    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            printHelp();
            return 0;
        }
        if (option == "--enciphered") {
            enciphered = true;
            continue;
        }
        if (option == "--drive") {
            drive = true;
            continue;
        }
        static const char* const kValueOptions[] = {
            "--link",      "--pace-baud",     "--version",      "--serial",     "--serial-bytes",
            "--injectors", "--errors",        "--dtc",          "--image-dump", "--switch-delay",
            "--seed",      "--hang-up-every", "--return-after", "--pending",    "--permanent",
            "--vin",       "--calid",         "--readiness",    "--refuse",     "--mixture-seed"};
        if (std::find(std::begin(kValueOptions), std::end(kValueOptions), option) ==
            std::end(kValueOptions))
            usageError("unknown option: " + option);
        if (i + 1 >= argc)
            usageError(option + " needs a value");
        const std::string value = argv[++i];
        if (option == "--link") {
            linkPath = value;
        } else if (option == "--pace-baud") {
            config.paceBaud = static_cast<unsigned>(parseNumber(option, value, 10, 4000000));
        } else if (option == "--version") {
            config.version = static_cast<uint16_t>(parseNumber(option, value, 0, 0xFFFF));
        } else if (option == "--serial") {
            if (value.size() > 15)
                usageError("--serial takes at most 15 characters");
            config.serialText = value;
            serialGiven = true;
        } else if (option == "--serial-bytes") {
            const std::vector<uint8_t> bytes = parseHex(option, value, 16);
            std::array<uint8_t, 16> block{};
            std::copy(bytes.begin(), bytes.end(), block.begin());
            config.serialBlock = block;
            enciphered = true;
        } else if (option == "--injectors") {
            config.injectorCount = static_cast<uint8_t>(parseNumber(option, value, 10, 8));
            if (config.injectorCount == 0)
                usageError("--injectors must be 1..8");
        } else if (option == "--errors") {
            const std::vector<uint8_t> bytes = parseHex(option, value, 4);
            std::copy(bytes.begin(), bytes.end(), config.errorBytes.begin());
        } else if (option == "--dtc") {
            config.troubleCodes = parseCodes(value);
        } else if (option == "--pending") {
            config.pendingCodes = parseCodes(value);
        } else if (option == "--permanent") {
            config.permanentCodes = parseCodes(value);
        } else if (option == "--vin") {
            if (value.size() != 17 || !printableAscii(value))
                usageError("--vin takes 17 printable characters");
            config.vin = value;
        } else if (option == "--calid") {
            if (value.empty() || value.size() > 16 || !printableAscii(value))
                usageError("--calid takes 1 to 16 printable characters");
            config.calibrationId = value;
        } else if (option == "--readiness") {
            const std::vector<uint8_t> bytes = parseHex(option, value, 3);
            std::copy(bytes.begin(), bytes.end(), config.readiness.begin());
        } else if (option == "--refuse") {
            config.refusedServices = parseServices(value);
        } else if (option == "--image-dump") {
            imageDump = value;
        } else if (option == "--switch-delay") {
            config.gasSwitchDelay =
                std::chrono::milliseconds(parseNumber(option, value, 10, 3600000));
        } else if (option == "--hang-up-every") {
            hangUpEvery = static_cast<long>(parseNumber(option, value, 10, 86400));
        } else if (option == "--return-after") {
            returnAfter = std::chrono::milliseconds(parseNumber(option, value, 10, 3600000));
        } else if (option == "--mixture-seed") {
            mixtureSeed = static_cast<uint32_t>(parseNumber(option, value, 10, 0xFFFFFFFFul));
        } else if (option == "--seed") {
            config.seed = static_cast<uint32_t>(parseNumber(option, value, 10, 0xFFFFFFFFul));
        }
    }
    if (enciphered && !config.serialBlock)
        config.serialBlock =
            serialGiven ? simcipher::serialField(config.serialText) : SimConfig::kFixedCipherBlock;

    // Signals are taken with sigwait below; block them before the server thread starts so
    // that it inherits the mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    if (!linkPath.empty()) {
        struct stat st {};
        if (lstat(linkPath.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "vexor-sim: %s exists and is not a symbolic link\n",
                         linkPath.c_str());
            return 1;
        }
    }

    CSimServer server(config);
    server.withController([&](CSimController& c) {
        c.engine().setDriveCycle(drive);
        if (drive)
            c.engine().setReducerTemperatureRaw(23); // warm: the drive starts after warm-up
        if (mixtureSeed)
            c.engine().setMixtureSeed(*mixtureSeed);
    });
    // The server keeps the link pointing at its current line, also after a return.
    server.setLink(linkPath);
    server.setReturnAfterHangUp(returnAfter);
    try {
        server.start();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vexor-sim: %s\n", e.what());
        return 1;
    }
    const std::string port = server.slavePath();

    if (!imageDump.empty()) {
        server.withController([&](CSimController& c) {
            c.setProgrammingEndHandler([imageDump](const CSimController& controller) {
                if (!controller.dumpImage(imageDump))
                    std::fprintf(stderr, "vexor-sim: cannot write %s\n", imageDump.c_str());
            });
        });
    }

    std::printf("port: %s\n", port.c_str());
    std::fflush(stdout);

    for (;;) {
        if (hangUpEvery <= 0) {
            int signal = 0;
            sigwait(&signals, &signal);
            break;
        }
        const timespec period{hangUpEvery, 0};
        if (sigtimedwait(&signals, nullptr, &period) >= 0)
            break;
        server.hangUp();
        std::printf("hang-up\n");
        std::fflush(stdout);
    }
    const std::string lastPort = server.slavePath();
    server.stop();

    if (!linkPath.empty()) {
        // Remove the link only while it still points at this run's port.
        char target[4096] = {};
        const ssize_t n = readlink(linkPath.c_str(), target, sizeof target - 1);
        if (n > 0 && lastPort == std::string(target, static_cast<std::size_t>(n)))
            unlink(linkPath.c_str());
    }
    return 0;
}
