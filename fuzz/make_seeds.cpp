// Writes the seed corpus of every fuzz target: a few valid inputs made by the
// project's own writers, and controller replies as the simulator gives them.
//   fuzz-make-seeds <corpus folder>
// Each target's seeds go to <corpus folder>/<target>/.
#include "SimController.h"
#include "SimFrame.h"
#include "SimFrameParser.h"
#include "support/EncodedMembers.h"

#include "device/Diag.h"
#include "device/ISerialPort.h"
#include "device/LPGDevice.h"
#include "device/LoadMap.h"
#include "device/codecs/BlockCodecs.h"
#include "files/FirmwareFile.h"
#include "files/FirmwareFileBuilder.h"
#include "lang/Utf16.h"
#include "obd/ObdDiagnostic.h"
#include "obd/ObdPageModel.h"
#include "settings/SettingsFileIo.h"

#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::filesystem::path g_root;

void save(const std::string& target, const std::string& name, const Bytes& bytes) {
    const auto folder = g_root / target;
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

void append(Bytes& to, const Bytes& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

// A port wired to the simulated controller: every frame written is answered
// at once, and every answer byte is also recorded, so a command's replies
// become a port script for the fuzz targets.
class CLoopbackPort : public ISerialPort {
public:
    CSimController controller;
    Bytes recorded;

    void open(int) override {}
    bool close() override { return true; }
    bool isOpen() const override { return true; }
    int portNumber() const override { return 1; }
    void configure() override {}
    int read(std::uint8_t* buffer, int count) override {
        int n = 0;
        while (n < count && !m_rx.empty()) {
            buffer[n++] = m_rx.front();
            m_rx.pop_front();
        }
        return n;
    }
    int write(const std::uint8_t* buffer, int count) override {
        const auto now = CSimFrameParser::Clock::now();
        m_parser.feed(buffer, static_cast<std::size_t>(count), now);
        while (auto parsed = m_parser.next(now)) {
            if (auto reply = controller.handle(parsed->frame)) {
                const Bytes wire = reply->encode();
                m_rx.insert(m_rx.end(), wire.begin(), wire.end());
                append(recorded, wire);
            }
        }
        return count;
    }
    void purgeIn() override { m_rx.clear(); }
    void purgeOut() override {}
    std::uint32_t clearCommError() override { return 0; }

private:
    CSimFrameParser m_parser;
    std::deque<std::uint8_t> m_rx;
};

// The port script of CReplyPort for replies that arrive whole.
Bytes portScript(const Bytes& replies) {
    Bytes script = {0, 0};
    append(script, replies);
    return script;
}

void settingsSeeds() {
    DeviceSettings image;
    vexor::stampTime(image, 1262304000);
    save("settings_file", "defaults.xset", bytesOf(vexor::formatSettingsFile(image)));

    image.m_carInfo.m_vendor = "Škoda";
    image.m_carInfo.m_model = "Octavia\t1.6";
    image.m_base.m_switchRPM = 1500;
    image.m_base.m_pressureGain = 0.996;
    image.m_devInfo.m_statistic.gas = 1234567;
    image.m_mainCorr.m_mainCorr[3] = -0.25;
    image.m_injMapTable[4][7] = -12;
    std::string crlf;
    for (char c : vexor::formatSettingsFile(image)) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    save("settings_file", "edited-crlf.xset", bytesOf(crlf));
    save("settings_file", "short.xset",
         bytesOf("m_timeStamp\t01-01-2010-00:00:00\nm_devInfo.m_version\t520\nm_base.m_flags\t144\n"
                 "m_base.m_flags\t0\nno tab here\n"));
}

void firmwareSeeds() {
    // The target takes the file unrotated.
    auto plain = [](Bytes stored) {
        for (auto& b : stored)
            b = vexor::firmwarePlainByte(b);
        return stored;
    };
    Bytes image(8400);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    save("firmware_file", "smallest.img",
         plain(vexor::buildFirmwareFile(image, 0x0208, "KORVANTIS")));
    image.resize(8600, 0x5A);
    save("firmware_file", "with-text.img",
         plain(vexor::buildFirmwareFile(image, 0x0305, "KORVANTIS", 0x0101, "release")));
    save("firmware_file", "other-tag.img",
         plain(vexor::buildFirmwareFile(Bytes(8500, 0xFF), 0x0100, "OTHER", 0x0202)));
}

void langSeeds() {
    auto file = [](const std::string& key, const std::string& utf8Lines) {
        Bytes out = {static_cast<std::uint8_t>(key.size())};
        append(out, bytesOf(key));
        out.push_back(0xFF);
        out.push_back(0xFE);
        for (char16_t unit : vexor::utf8ToUtf16(utf8Lines)) {
            out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
            out.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        return out;
    };
    save("lang_file", "czech.csv",
         file("Tak", "Nie\t\tNe\r\nTak\t\tAno\r\nBrak połączenia\t\tŽádné spojení\r\n"));
    save("lang_file", "thai.csv",
         file("Brak połączenia", "Brak połączenia\tx\tไม่มีการเชื่อมต่อ\r\nTak\t\t\r\n"));
    save("lang_file", "no-line-end.csv", file("Zapisz", "Zapisz\t\tUložit"));
}

void registrySeeds() {
    save("registry_store", "port", bytesOf("Last RS nr=3\n"));
    save("registry_store", "others-crlf", bytesOf("Window=10,20\r\nLast RS nr=12\r\n# note\r\n"));
    save("registry_store", "not-a-number", bytesOf("Last RS nr=99999999999\nLast RS nr=2\n=x\n"));
}

void codecSeeds() {
    const DeviceSettings image;
    auto record = [](std::uint8_t decoder, const auto& payload) {
        Bytes out = {decoder, static_cast<std::uint8_t>(payload.size())};
        out.insert(out.end(), payload.begin(), payload.end());
        return out;
    };
    // Decoder numbers follow the enum in block_codecs.cpp.
    CLoopbackPort sim;
    const Bytes devInfo = sim.controller.deviceInfo();
    Bytes all;
    append(all, record(7, vexor::encodeSensorsSetup(image)));
    append(all, record(2, vexor::encodeBase(image)));
    append(all, record(3, vexor::encodeAdv(image)));
    append(all, record(4, vexor::encodeAdvancedSetup(image)));
    append(all, record(5, vexor::encodeMainCorr(image)));
    append(all, record(6, vexor::encodeSetupTimes(image)));
    save("block_codecs", "settings-blocks", all);

    const auto map = vexor::encodeInjMap(image);
    Bytes identity = record(0, devInfo);
    append(identity, record(1, Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    append(identity, record(8, Bytes(map.begin(), map.begin() + 255)));
    save("block_codecs", "identity-and-map", identity);

    CDiag live;
    live.setWorkMode(2);
    live.setIgnitionPeriod(5000);
    for (int k = 0; k < CDiag::kChannelCount; ++k) {
        live.setPetrolWord(k, static_cast<std::uint16_t>(100 + 10 * k));
        live.setGasCorrWord(k, k % 2 ? 65530 : 20);
    }
    Bytes liveAndMore = record(9, live.bytes());
    Bytes loadMap(LoadMap::kPayloadLength, 0);
    loadMap[0] = 0x40;
    loadMap[124] = 3;
    append(liveAndMore, record(10, loadMap));
    append(liveAndMore,
           record(11, Bytes{'A', 'B', 'C', '1', '2', '3', '4', 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    Bytes obd = {2, 0};
    for (int e = 0; e < 2; ++e)
        append(obd, Bytes{0xE8, 7, 0, 0, 3, 0x41, 0x0C, 0x1A, 0xF8, 0, 0, 0});
    append(obd, Bytes{0, 0, 0, 0});
    append(liveAndMore, record(12, obd));
    append(liveAndMore, record(13, Bytes{0x81, 0x02, 0x40, 0x10}));
    append(liveAndMore, record(14, Bytes{0, 1, 2, 3, 4, 5, 6, 7}));
    save("block_codecs", "live-load-serial-obd-errors", liveAndMore);
}

void transportSeeds() {
    auto seed = [](bool fast, std::uint8_t length, std::uint8_t command, const Bytes& script) {
        Bytes out = {static_cast<std::uint8_t>(fast), length, command};
        append(out, script);
        return out;
    };
    const Bytes ack = CSimFrame(2, {4, 0, 0, 0, 0x10, 0}).encode();
    save("frame_transport", "ack", seed(false, 6, 2, portScript(ack)));
    CDiag live;
    live.setIgnitionPeriod(3000);
    const Bytes liveFrame = CSimFrame(1, Bytes(live.bytes().begin(), live.bytes().end())).encode();
    save("frame_transport", "live-fast", seed(true, 6, 2, portScript(liveFrame)));
    // The same reply stalling after 20 bytes.
    Bytes split = {0x20, 0, 20};
    append(split, liveFrame);
    save("frame_transport", "live-split", seed(false, 6, 2, split));
    save("frame_transport", "bad-status",
         seed(false, 6, 2, portScript(CSimFrame(2, {4, 0, 0, 0, 1, 0}).encode())));
}

void deviceSeeds() {
    // Command numbers follow the enum in device_replies.cpp.
    auto seed = [](const Bytes& commands, std::uint16_t address, const Bytes& replies) {
        Bytes out = {static_cast<std::uint8_t>(commands.size() - 1)};
        append(out, commands);
        out.push_back(static_cast<std::uint8_t>(address));
        out.push_back(static_cast<std::uint8_t>(address >> 8));
        append(out, portScript(replies));
        return out;
    };
    auto run = [&](const std::string& name, const Bytes& commands, auto&& calls) {
        CLoopbackPort port;
        CLPGDevice device(&port);
        calls(device);
        save("device_replies", name, seed(commands, 320, port.recorded));
    };
    run("identity", {0, 1, 2}, [](CLPGDevice& d) {
        d.handshake();
        d.readDevInfo();
        d.readStatistic();
    });
    run("sensors-base-adv-setup", {8, 3, 4, 5}, [](CLPGDevice& d) {
        d.readSensorsSetup();
        d.readBase();
        d.readAdv();
        d.readAdvancedSetup();
    });
    run("corr-times-memory", {6, 7, 9}, [](CLPGDevice& d) {
        d.readMainCorr();
        d.readSetupTimes();
        CLPGDevice::MemoryChunk chunk{};
        d.readMemory(320, chunk);
    });
    run("injection-map", {10}, [](CLPGDevice& d) { d.readInjMap(); });
    run("live-errors-obd", {11, 12, 13, 14}, [](CLPGDevice& d) {
        CDiag record;
        d.readDiag(record);
        CLPGDeviceErr::ErrorBytes bytes{};
        d.readErrors(bytes);
        vexor::ObdSetup setup{};
        d.readObdSetup(setup);
        vexor::ObdCorr corr{};
        d.readObdCorr(corr);
    });
    run("load-maps", {15, 16}, [](CLPGDevice& d) {
        LoadMap map;
        d.readGasolineMap(map);
        d.readLpgMap(map);
    });
    run("writes", {17, 18}, [](CLPGDevice& d) {
        d.writeBase();
        d.writeInjMap();
    });
    run("programming-fuel", {19, 20, 21}, [](CLPGDevice& d) {
        d.enterProgramming();
        d.endProgramming();
        d.switchToAuto();
    });
}

void obdSeeds() {
    auto request = [](std::uint8_t service, int pid) {
        vexor::ObdRequest r{};
        const std::uint32_t ids[3] = {0x7DF, 0x7E8, 0x7E8};
        for (int i = 0; i < 3; ++i)
            for (int b = 0; b < 4; ++b)
                r[static_cast<std::size_t>(4 * i + b)] =
                    static_cast<std::uint8_t>(ids[i] >> (8 * b));
        r[12] = pid < 0 ? 1 : 2;
        r[13] = service;
        r[14] = static_cast<std::uint8_t>(pid < 0 ? 0 : pid);
        return r;
    };
    auto single = [&](const std::string& name, std::uint8_t service, int pid,
                      const std::vector<std::uint16_t>& codes) {
        CLoopbackPort port;
        port.controller.obd().setTroubleCodes(codes);
        CLPGDevice device(&port);
        ObdReply reply;
        const auto r = request(service, pid);
        device.obdRequest(r, reply);
        Bytes out = {0};
        append(out, Bytes(r.begin(), r.end()));
        out.push_back(static_cast<std::uint8_t>(codes.size()));
        append(out, portScript(port.recorded));
        save("obd_reply", name, out);
    };
    single("supported-pids", 1, 0x00, {});
    single("engine-speed", 1, 0x0C, {});
    single("seven-codes", 3, -1, {0x171, 0x300, 0x301, 0x302, 0x303, 0x304, 0x420});

    CLoopbackPort port;
    CLPGDevice device(&port);
    vexor::ObdMultiRequest multi{};
    const auto head = request(1, 0x0C);
    std::copy(head.begin(), head.begin() + 12, multi.begin());
    multi[12] = 2;
    multi[13] = 1;
    multi[14] = 0x0C;
    multi[18] = 0x0D;
    ObdReply reply;
    device.obdMultiRequest(multi, reply);
    Bytes out = {2};
    append(out, Bytes(multi.begin(), multi.end()));
    out.push_back(0);
    append(out, portScript(port.recorded));
    save("obd_reply", "several", out);

    // The pages' actions; numbers follow runPages() in obd_reply.cpp.
    auto pages = [](const std::string& name, const Bytes& actions, auto&& calls) {
        CLoopbackPort port;
        port.controller.obd().setTroubleCodes({0x171, 0x300, 0x301});
        CLPGDevice device(&port);
        device.setConnected(true);
        device.settings().m_devInfo.m_flags1 = 1;
        calls(device);
        Bytes out = {1, static_cast<std::uint8_t>(actions.size() - 1)};
        append(out, actions);
        append(out, portScript(port.recorded));
        save("obd_reply", name, out);
    };
    pages("page-open-poll-codes", {0, 1, 2}, [](CLPGDevice& device) {
        CObdPageModel page(device);
        page.updatePage();
        page.poll();
        page.readTroubleCodes();
    });
    pages("value-poller", {6, 7, 7}, [](CLPGDevice& device) {
        CObdDiagnostic values(device);
        values.initialise();
        values.onGetDiag();
        values.onGetDiag();
    });
}

void simSeeds() {
    auto arrival = [](std::uint8_t pause, const Bytes& bytes) {
        Bytes out = {pause, static_cast<std::uint8_t>(bytes.size())};
        append(out, bytes);
        return out;
    };
    Bytes session;
    append(session, arrival(0, CSimFrame(2, {0xCC, 0, 0, 0, 0, 0}).encode()));
    append(session, arrival(5, CSimFrame(2, {13, 0, 0, 0, 0, 0}).encode()));
    append(session, arrival(5, CSimFrame(2, {0x0B, 0, 0x40, 0x01, 0, 0}).encode()));
    const DeviceSettings image;
    const auto base = vexor::encodeBase(image);
    append(session, arrival(1, CSimFrame(3, Bytes(base.begin(), base.end())).encode()));
    save("sim_frame_parser", "session", session);

    // Garbage, a false start, a frame split over a stall and a bad check sum.
    Bytes noisy = arrival(0, {0x00, 0xAA, 0x00, 0xAA});
    const Bytes live = CSimFrame(2, {6, 0, 0, 0, 0, 0}).encode();
    append(noisy, arrival(3, Bytes(live.begin(), live.begin() + 5)));
    append(noisy, arrival(200, Bytes(live.begin() + 5, live.end())));
    append(noisy, arrival(1, CSimFrame(2, {5, 0, 0, 0, 0, 0}).encode(true)));
    append(noisy, arrival(1, live));
    save("sim_frame_parser", "noisy", noisy);

    Bytes programming;
    const std::string code = CSimController::kAccessCode;
    append(programming, arrival(0, CSimFrame(250, Bytes(code.begin(), code.end())).encode()));
    Bytes page(2 + 128, 0x11);
    page[0] = 0x80;
    page[1] = 0;
    append(programming, arrival(0, CSimFrame(251, page).encode()));
    append(programming, arrival(0, CSimFrame(2, {0x60, 0, 0, 0, 0, 0}).encode()));
    save("sim_frame_parser", "programming", programming);
}

// The factory image and one full of values no field takes, as the encoders
// target reads them: eight bytes per numeric member in settings file order.
void encoderSeeds() {
    auto image = [](double override) {
        const DeviceSettings settings;
        Bytes bytes;
        for (const vexor::SettingInfo* info : vexor::fuzz::encodedNumberRows()) {
            std::uint8_t raw[sizeof(double)] = {};
            const double value = info->number(settings);
            if (info->integral) {
                // The member's own bytes, low first, the rest zero.
                const auto whole = static_cast<std::uint32_t>(static_cast<std::int64_t>(value));
                std::memcpy(raw, &whole, vexor::fuzz::integerMemberBytes(*info));
            } else {
                const double put = override != 0 ? override : value;
                std::memcpy(raw, &put, sizeof put);
            }
            bytes.insert(bytes.end(), raw, raw + sizeof raw);
        }
        return bytes;
    };
    save("encoders", "factory", image(0));
    save("encoders", "huge", image(1e300));
    save("encoders", "negative", image(-1e6));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    g_root = argv[1];
    settingsSeeds();
    firmwareSeeds();
    langSeeds();
    registrySeeds();
    codecSeeds();
    transportSeeds();
    deviceSeeds();
    obdSeeds();
    simSeeds();
    encoderSeeds();
    return 0;
}
