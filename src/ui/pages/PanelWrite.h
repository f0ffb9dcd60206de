#pragma once

#include "common/IError.h"
#include "device/SettingBlock.h"
#include "lang/Translate.h"
#include "platform/Seams.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

class IDocumentPort;

// What the panel pages share: the order of the controller writes after a
// change and the reporting of a failure.
namespace vexor {

inline constexpr const char* kMsgPanelWriteFailed =
    "Nie powiodło się wpisanie ustawień do urządzenia!";
inline constexpr const char* kMsgPanelResetFailed = "Nie powiodło się zresetowanie urządzenia!";
// An edit made while no controller is connected.
inline constexpr const char* kMsgPageNoConnection = "Brak połączenia";

// What comes around a page's block writes: some settings are taken only
// while the engine runs on petrol, some only at the controller's start.
enum PanelWriteFlags : unsigned {
    kPetrolFirst = 1,  // switch to petrol and wait until the controller runs on it
    kRestartAfter = 2, // restart the controller after the blocks
};

// Writes the blocks in order and stops at the first refusal, which it reports
// (a refused restart as a failed reset, anything else as a failed write).
// The image keeps the new values either way.
bool writePanelBlocks(IDocumentPort& doc, const Seams& seams,
                      std::initializer_list<SettingBlock> blocks, unsigned flags = 0);

// Takes a box's choice into an image field. False, with the field untouched,
// when nothing is chosen (a negative value) or the field already holds the
// choice: there is nothing to write then.
template <class T> bool takePanelChoice(T& field, double value) {
    if (value < 0 || value == field)
        return false;
    field = static_cast<T>(value);
    return true;
}

// Runs a handler body; an error thrown by a port or a thread is reported
// under the handler's name, its description in the user's language, and
// then released.
template <class F> void runPanelHandler(const Seams& seams, const char* reportName, F&& body) {
    try {
        body();
    } catch (IError* raw) {
        const std::unique_ptr<IError> error(raw);
        seams.message(std::string(reportName) + "\n" + vexor::translate(error->description()),
                      IUserPrompt::Icon::Error);
    }
}

// Whether there is an image to write to: a connected controller, or a
// settings file open for editing.
bool panelConnected(const IDocumentPort* doc);

} // namespace vexor
