#pragma once

#include "device/DeviceSettings.h"

#include <string>

namespace vexor {

// Why a settings file was refused, with what the user needs to mend it.
struct SSettingsFileProblem {
    enum class Kind {
        None,
        Unreadable, // missing, or no permission
        NotRegular, // a folder, a FIFO, a device
        TooLarge,
        Binary,     // zero bytes or other control characters (line)
        LongLine,   // a line the reader would split (line)
        MissingKey, // key
        BadValue    // key; for a load also line, value and holds
    };
    Kind kind = Kind::None;
    std::string key;   // the missing or refused key
    int line = 0;      // line of a refused value or a damaged line, from 1
    std::string value; // a refused value as the file has it
    std::string holds; // what the member can hold, "0..255"
    std::string path;  // the file, for a file that could not be read at all
    int error = 0;     // why it could not be read (errno)

    bool ok() const { return kind == Kind::None; }
    // The problem's Polish title for an edit or a comparison, translated
    // when shown ("" for None).
    const char* title() const;
    // The thing the problem is about: the key, the line number, or else the
    // file itself.
    std::string subject(const std::string& path) const;
    // One line in the current language naming what a load refused; empty
    // when there is nothing to add to the load's own message.
    std::string describe() const;
};

// A refused load's message: the heading (Polish, translated here) and below
// it what was refused.
std::string refusedLoadText(const char* heading, const SSettingsFileProblem& problem);

// What the file is read for.
enum class SettingsFileUse {
    // A load that goes to the controller: values are checked against the
    // controller's fields, map cells are pinned.
    Load,
    // An offline edit or a comparison: anything the program could not have
    // written is refused, and the image is left default on a problem.
    Edit
};

// Reads a settings file. For a load that will go to the controller, besides
// the plain read's refusals (no such file, a missing key) it refuses, before
// anything is sent, a value that the member it lands in cannot hold: a
// number outside a byte or integer member, not a number or infinite, or
// outside what the controller's field holds after scaling (a speed of 0, a
// switching time of hours). Map cells are pinned to -50..+50 instead
// (not-a-number cells to 0). Members the load does not send (identity,
// vehicle, time stamp) are read as they are. False with problem filled.
// For an edit, see SettingsFileUse.
bool readSettingsFileChecked(const std::string& path, DeviceSettings& target,
                             SSettingsFileProblem& problem,
                             SettingsFileUse use = SettingsFileUse::Load);

// The first member a load sends (in file order) whose value its controller
// field cannot hold, with that field's range. False when every one fits.
bool findUnholdable(const DeviceSettings& image, std::string& key, std::string& holds);

} // namespace vexor
