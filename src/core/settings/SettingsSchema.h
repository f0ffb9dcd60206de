#pragma once

#include "device/DeviceSettings.h"
#include "device/SettingBlock.h"
#include "settings/SettingChoices.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One table that describes every key of a settings file: which member it
// holds, which controller block (and so which write command) carries it,
// where the window program edits it and what it accepts. The command line
// checks offline edits against it, the comparison names settings with it.
namespace vexor {

// Where the window program edits a member.
enum class SettingPage {
    None,
    Gasoline,
    Gas,
    Switch,
    Calibration,
    Map,
    Advanced,
    Service,
    Corrections
};

enum class SettingKind {
    Number, // accepts the entries of `choice`, or else a number inside `range`
    Text,   // accepts a text of at most `maxText` bytes, without control characters
    Flags   // a byte of flag bits, some of them set by check boxes (`flags`)
};

// One bit of a flags byte and the control that sets it.
struct SettingFlag {
    std::uint8_t mask = 0;
    SettingPage page = SettingPage::None;
    const char* label = ""; // Polish text of the check box or combo box
};

struct SettingInfo {
    std::string key;
    SettingBlock block = SettingBlock::None;
    SettingPage page = SettingPage::None;
    const char* group = ""; // Polish caption of the control's group, "" for none
    const char* label = ""; // Polish text of the control, "" for none
    const char* unit = "";
    SettingKind kind = SettingKind::Number;
    Choice choice = Choice::None; // the list a window offers; None: `range`
    ChoiceRange range;            // what the member holds when no list applies
    std::size_t maxText = 0;
    std::vector<SettingFlag> flags;
    // Some window changes the member, on its own or together with another
    // control (the injector type brings its drive values).
    bool windowEdits = false;
    // Identity, statistics and the time stamp: never changed by an edit.
    bool readOnly = false;
    // What the member's type takes: a whole number in memberMin..memberMax
    // for integer members; any finite number for the others.
    bool integral = false;
    double memberMin = 0;
    double memberMax = 0;

    std::function<double(const DeviceSettings&)> number;
    std::function<void(DeviceSettings&, double)> setNumber;
    std::function<std::string(const DeviceSettings&)> text;
    std::function<void(DeviceSettings&, const std::string&)> setText;
};

// Whether a number read from a file fits the member: finite, and for an
// integer member a whole number its type holds.
bool fitsMember(const SettingInfo& info, double value);

// Every key in the order a settings file holds them.
const std::vector<SettingInfo>& settingsSchema();
// The key's description, or null for a key no settings file has.
const SettingInfo* findSetting(const std::string& key);

// Polish caption of a page ("" for None).
const char* pageCaption(SettingPage page);

// Longest text a text member takes, in bytes.
inline constexpr std::size_t kMaxSettingText = 63;

// The entries a window offers for a number member (for a controller of this
// firmware version), or the entries of its range; empty for texts and flags.
std::vector<ChoiceEntry> settingChoices(const SettingInfo& info, std::int32_t version);

// Checks `value` (the text given on a command line) against what the member
// accepts and stores it in settings. False, settings untouched and what is
// accepted in `accepts` otherwise, written with numbers and entry texts only
// ("500 .. 5000 (+100)", "1 = 0 - 1 Volt, 6 = ..."), the entry texts in the
// current language. A text entry may also be given by its text.
bool setSettingFromText(const SettingInfo& info, DeviceSettings& settings, const std::string& value,
                        std::string& accepts);

// The member's value in the words the window uses: an entry's text (Polish),
// a number at its precision, a text as it is, a flags byte as a number.
std::string settingDisplayText(const SettingInfo& info, const DeviceSettings& settings);

} // namespace vexor
