#pragma once

#include <cstdint>

// Which requests a fault or a log query applies to. A request is named by its command and,
// for command-2 reads and actions, by its selector (payload byte 0). -1 means "any".
struct SimMatch {
    int command = -1;
    int selector = -1;

    static SimMatch any() { return {}; }
    // A command-2 request with this selector (handshake 0xCC, live read 6, ...).
    static SimMatch read(uint8_t selector) { return {2, selector}; }
    // Any request with this command (block writes, memory writes, OBD, programming, ...).
    static SimMatch cmd(uint8_t command) { return {command, -1}; }

    bool matches(uint8_t requestCommand, int requestSelector) const {
        if (command >= 0 && command != requestCommand)
            return false;
        return selector < 0 || selector == requestSelector;
    }
};
