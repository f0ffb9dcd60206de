#include "report/Workshop.h"

#include "platform/RegistryStore.h"

namespace vexor {

namespace {

constexpr const char* kNameKey = "Workshop name";
constexpr const char* kAddressKey = "Workshop address";

// The store keeps one line per value: line breaks and backslashes travel as
// "\n" and "\\"; a carriage return is dropped.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
            out += text[i] == 'n' ? '\n' : text[i];
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

SWorkshop loadWorkshop(const std::string& folder) {
    const CRegistryStore store(folder);
    SWorkshop workshop;
    workshop.name = unescaped(store.value(kNameKey).value_or(""));
    workshop.address = unescaped(store.value(kAddressKey).value_or(""));
    return workshop;
}

bool saveWorkshop(const std::string& folder, const SWorkshop& workshop) {
    CRegistryStore store(folder);
    return store.setValue(kNameKey, escaped(workshop.name)) &&
           store.setValue(kAddressKey, escaped(workshop.address));
}

namespace {

struct SVehicleKey {
    const char* name;
    std::string SVehicleRecord::*member;
};

constexpr SVehicleKey kVehicleKeys[] = {{"make", &SVehicleRecord::make},
                                        {"model", &SVehicleRecord::model},
                                        {"registration", &SVehicleRecord::registration},
                                        {"odometer", &SVehicleRecord::odometer},
                                        {"customer", &SVehicleRecord::customer},
                                        {"work", &SVehicleRecord::workDone}};

std::string vehicleStoreKey(const std::string& serial, const char* name) {
    return "Vehicle " + serial + " " + name;
}

// A serial as the controller reports it goes into a store key: only what a
// key line can carry.
bool storableSerial(const std::string& serial) {
    if (serial.empty())
        return false;
    for (char c : serial) {
        if (c == '=' || c == '\n' || c == '\r' || c == '\0')
            return false;
    }
    return true;
}

} // namespace

SVehicleRecord loadVehicleRecord(const std::string& folder, const std::string& serial) {
    SVehicleRecord record;
    if (!storableSerial(serial))
        return record;
    const CRegistryStore store(folder);
    for (const SVehicleKey& key : kVehicleKeys)
        record.*key.member = unescaped(store.value(vehicleStoreKey(serial, key.name)).value_or(""));
    return record;
}

bool saveVehicleRecord(const std::string& folder, const std::string& serial,
                       const SVehicleRecord& record) {
    if (!storableSerial(serial))
        return false;
    CRegistryStore store(folder);
    for (const SVehicleKey& key : kVehicleKeys) {
        if (!store.setValue(vehicleStoreKey(serial, key.name), escaped(record.*key.member)))
            return false;
    }
    return true;
}

const std::vector<std::string>& vehicleFieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const SVehicleKey& key : kVehicleKeys)
            all.emplace_back(key.name);
        return all;
    }();
    return names;
}

bool setVehicleField(SVehicleRecord& record, const std::string& name, const std::string& value) {
    for (const SVehicleKey& key : kVehicleKeys) {
        if (name == key.name) {
            record.*key.member = value;
            return true;
        }
    }
    return false;
}

} // namespace vexor
