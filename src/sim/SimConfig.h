#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Start-up configuration of a simulated controller. Everything here can also be changed
// later through CSimController (under the server's lock).
struct SimConfig {
    // Identity, as the device-info read reports it.
    uint16_t version = 0x0208;             // major in the high byte: 2.8
    std::string serialText = "GAS1000042"; // plain-text serial number, at most 15 characters
    // When set, these 16 bytes are sent in the serial field instead of the text (an
    // enciphered serial number; the simulator does not encipher anything itself).
    std::optional<std::array<uint8_t, 16>> serialBlock;
    uint16_t productionDay = 2000; // days after 1 April 2004
    uint8_t injectorCount = 4;
    uint32_t flags1 = 5; // bit 0: the controller has an OBD link
    uint32_t flags2 = 0;
    uint8_t deviceId = 1;

    // The four fault bytes the error read returns (cleared by a restart).
    std::array<uint8_t, 4> errorBytes{};
    // Trouble codes stored in the simulated engine computer, e.g. 0x0171 for P0171.
    std::vector<uint16_t> troubleCodes;
    // What a scan tool reads besides: pending and permanent codes, the VIN (17 characters;
    // empty: the car does not report one), the calibration ID (at most 16 characters), the
    // readiness bytes B, C, D of PID 0x01, and the services the car refuses (negative answer).
    std::vector<uint16_t> pendingCodes;
    std::vector<uint16_t> permanentCodes;
    std::string vin;
    std::string calibrationId;
    std::array<uint8_t, 3> readiness{0x07, 0x65, 0x00};
    std::vector<uint8_t> refusedServices;

    // Time from a gas (or automatic) request until the live record reports gas, and from a
    // petrol request until it reports petrol.
    std::chrono::milliseconds gasSwitchDelay{500};
    std::chrono::milliseconds petrolSwitchDelay{0};

    // Answer at this line speed (10 bit times per byte); 0 answers as fast as the pty goes.
    unsigned paceBaud = 0;
    // Seed of the engine model's noise, so a run can be repeated.
    uint32_t seed = 1;

    // The 16 bytes `--enciphered` sends when no block is given. Its first byte is a digit, so
    // a reader takes the field for an enciphered block rather than plain text.
    static constexpr std::array<uint8_t, 16> kFixedCipherBlock = {
        0x37, 0xA2, 0x5C, 0x11, 0xE8, 0x04, 0x9B, 0x6D,
        0xC3, 0x2F, 0x70, 0x8E, 0x15, 0xD9, 0x46, 0xB1};
};
