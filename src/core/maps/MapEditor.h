#pragma once

#include "device/DeviceSettings.h"
#include "maps/InjMapModel.h"
#include "maps/MapHistory.h"
#include "maps/MapPatch.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CLPGDevice;

// The grid's edit commands: each changes the selected cells in the grid,
// sends the change as map-region records, makes the controller take it over
// and copies the grid into the document's map. Every edit the controller
// accepted becomes a step of the undo history.
//
// The grid and the document hold only what the controller accepted:
// - without a controller an edit is refused ("Brak połączenia") and nothing
//   changes;
// - when a region record or the commit is refused or unanswered, "Nie
//   powiodło się wpisanie mapy wtrysków do urządzenia!" names the blocks that
//   were not written, the map is read back from the controller (the nine
//   chunks with their check sum) and the grid and the document show what it
//   holds. A failed read-back leaves both at the last accepted map and says
//   so. A port error is reported under the command's name and read back the
//   same way.
//
// The value dialogs belong to the window: it asks only when canEdit() and a
// cell is selected, checks the typed value with acceptMapAmount /
// acceptMapSetValue and passes the result here.
class CMapEditor {
public:
    enum class Result {
        NothingSelected, // nothing changed
        Refused,         // no controller or unusable input: nothing changed, told why
        Sent,            // the controller and the document took the change
        Cancelled,       // the fitter said no to the preview: nothing changed
        Failed           // refused on the way; the grid shows the controller's map
    };

    CMapEditor(CInjMapModel& model, CLPGDevice& device);

    // Whether an edit may start; says "Brak połączenia" when it may not.
    bool canEdit() const;
    // Edits a settings file's image instead of the controller: nothing is
    // sent, every edit is taken, undo and redo start from the image, and
    // `edited` is told after each change. Null goes back to the controller.
    void setFileImage(DeviceSettings* image, std::function<void()> edited = {});
    bool editsFile() const { return m_file != nullptr; }
    // Asked before a change is made, once the controller is known to be
    // there (the window program backs the controller up then); false stops
    // the change before anything is changed or sent.
    void setChangeGuard(std::function<bool()> guard) { m_changeGuard = std::move(guard); }

    // Adds / subtracts an amount (kept to 0..50) to / from every selected cell.
    Result onMapAdd(int amount);
    Result onMapSubb(int amount);
    // Sets every selected cell to the value (kept to -50..+50).
    Result onMapSet(int value);
    Result onMapClear();
    // Page Up (+1) and Page Down (-1), and the + / - keys. The controller is
    // told to add for a step of 1 or more and to subtract -step otherwise, so
    // it never sees a negative amount; cells already at a limit stay there.
    Result incrementSelected(int step);

    // The in-place editor's commit: the cell takes mapEditText(typed) and the
    // controller gets it as one cell, then the commit. An empty text changes
    // nothing: the cell keeps the value the controller holds.
    Result commitCellEdit(SCellIndex cell, const std::string& typed);

    // Undo / redo one step: the controller's map is read back first and must
    // still be what the step left (otherwise the history is dropped, the
    // grid shows what the controller holds and the fitter is told); then the
    // fewest "set" blocks of equal values restore the other side, and the
    // commit.
    Result undo();
    Result redo();
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    CMapHistory& history() { return m_history; }

    // "Smooth" on the selected rectangle (at least 3 x 3): the grid shows the
    // smoothed values, `preview` lets the window draw them, and the fitter is
    // asked; on Yes they go out as the fewest "set" blocks and the commit,
    // on No the grid shows the map as before.
    Result smooth(const std::function<void()>& preview);
    // A whole proposed map: `guard` takes the place of the change guard (the
    // window program backs the controller up for it every time), then the
    // fewest "set" blocks and the commit; one step of the undo history.
    Result applyMap(const vexor::MapValues& target, const std::function<bool()>& guard);
    // The selected rectangle as TAB-separated text; nothing (and a message)
    // without a single selected rectangle.
    std::optional<std::string> copyText() const;
    // Clipboard text into the selection (see pasteBlock): the shape and every
    // value are checked first; any problem is told and nothing changes.
    Result paste(const std::string& text);

    // The page shows the document's map again (or checks it on a live
    // refresh): a history that does not end at that map (the map was loaded,
    // reset or rewritten whole meanwhile) or a lost connection drops it.
    void documentShown();

private:
    std::function<bool()> m_changeGuard;
    using BlockSender = std::function<bool(const vexor::SCellBlock&)>;

    Result edit(vexor::MapOp gridOp, int gridValue, vexor::MapOp sentOp, int sentValue,
                const char* handler);
    // Sends the blocks one by one, then the commit. On failure: the message
    // naming the blocks not written, and the read-back (the history stays
    // only if the controller still holds `before`). True when all went out.
    bool sendBlocks(const std::vector<vexor::SCellBlock>& blocks, const BlockSender& send,
                    const vexor::MapValues& before, const char* handler);
    // Turns the controller's map from `from` into `to` (fewest set blocks),
    // updating grid and document; on failure the read-back.
    bool sendValues(const vexor::MapValues& from, const vexor::MapValues& to, const char* handler);
    // Reads the map back from the controller into the document and the grid.
    // The history stays only when the controller holds `keepIf`.
    void readBack(const std::optional<vexor::MapValues>& keepIf, const char* handler);
    // Makes sure the controller holds `expected` before a step is played.
    bool controllerHolds(const vexor::MapValues& expected, const char* handler);
    Result play(bool undoing);
    void showValues(const vexor::MapValues& values);
    vexor::MapValues documentValues() const;

    // Where the map edits land: the file's image or the controller's.
    DeviceSettings& target() const;
    void changed() const;

    CInjMapModel& m_model;
    CLPGDevice& m_device;
    DeviceSettings* m_file = nullptr;
    std::function<void()> m_edited;
    CMapHistory m_history;
};
