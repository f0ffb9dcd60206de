#pragma once

#include "maps/InjMapModel.h"

#include <string>

class CLPGDevice;

// The grid's edit commands: each changes the selected cells in the grid and,
// while a controller is connected, sends the change as map-region records,
// makes the controller take it over, and copies the grid into the document's
// map. Without a controller only the grid changes. Every edit sets the
// grid's modified flag.
//
// The value dialogs belong to the window: it asks only when a cell is
// selected, checks the typed value with acceptMapAmount / acceptMapSetValue
// and passes the result here.
//
// A refused or unanswered command shows "Nie powiodło się wpisanie mapy
// wtrysków do urządzenia!"; the grid keeps its new values and the document
// keeps its old ones. A port error is reported under the command's name.
class CMapEditor {
public:
    enum class Result {
        NothingSelected, // nothing changed
        GridOnly,        // no controller: the grid changed, nothing was sent
        Sent,            // the controller and the document took the change
        Failed           // the grid changed, the controller refused or failed
    };

    CMapEditor(CInjMapModel& model, CLPGDevice& device);

    // Adds / subtracts an amount (kept to 0..50) to / from every selected cell.
    Result onMapAdd(int amount);
    Result onMapSubb(int amount);
    // Sets every selected cell to the value (kept to -50..+50).
    Result onMapSet(int value);
    Result onMapClear();
    // Page Up (+1) and Page Down (-1). The controller is told to add for a
    // step of 1 or more and to subtract -step otherwise, so it never sees a
    // negative amount; cells already at a limit stay there in the grid.
    Result incrementSelected(int step);

    // The in-place editor's commit: the cell shows mapEditText(typed); a
    // non-empty value goes to the controller as one cell, then the map is
    // committed and copied into the document. An empty text is only shown.
    Result commitCellEdit(SCellIndex cell, const std::string& typed);

private:
    Result edit(vexor::MapOp gridOp, int gridValue, vexor::MapOp sentOp, int sentValue,
                const char* handler);
    // The controller's part of an edit; false after a failure was shown.
    bool sendSelection(vexor::MapOp op, int value);
    bool commitAndStore();

    CInjMapModel& m_model;
    CLPGDevice& m_device;
};
