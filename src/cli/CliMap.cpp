// `map`: shows the injection map or changes one region of it, as the map grid
// of the window program does.

#include "CliCommands.h"
#include "CliFormat.h"
#include "CliJson.h"
#include "CliOutput.h"
#include "lang/Translate.h"

#include <algorithm>
#include <array>

using namespace vexor::cli;

namespace {

constexpr const char* kMsgMapWrite = "Nie powiodło się wpisanie mapy wtrysków do urządzenia!";
constexpr const char* kMsgPositive = "Wprowadź dodatnią liczbę";
constexpr const char* kMsgNotCommitted =
    "Obszar mapy w urządzeniu został zmieniony, ale urządzenie nie potwierdziło przyjęcia zmiany.";
constexpr int kMinCell = -50;
constexpr int kMaxCell = 50;
constexpr int kCellOffset = 100;

// Operations of the region record.
constexpr std::uint8_t kOpSet = 1;
constexpr std::uint8_t kOpAdd = 2;
constexpr std::uint8_t kOpSub = 3;
constexpr std::uint8_t kOpClear = 4;

// What the controller's map holds after a region operation that failed, so
// that nobody runs the command again on a map it already changed.
const char* regionStateText(vexor::MapRegionState state) {
    switch (state) {
    case vexor::MapRegionState::Unchanged:
        return "Mapa w urządzeniu nie została zmieniona.";
    case vexor::MapRegionState::Other:
        return "Obszar mapy w urządzeniu ma inne wartości niż przed zmianą i niż po niej; "
               "sprawdź mapę przed ponowieniem.";
    case vexor::MapRegionState::Unconfirmed:
        return kMsgNotCommitted;
    case vexor::MapRegionState::Changed:
    case vexor::MapRegionState::Unknown:
        break;
    }
    return "Nie udało się odczytać mapy z urządzenia: nie wiadomo, czy została zmieniona; "
           "sprawdź mapę przed ponowieniem.";
}

} // namespace

int CCliCommands::cmdMap(const Args& args) {
    if (args.empty())
        return usage("map needs show, set, add, sub, clear or propose");
    const std::string& what = args[0];
    if (what == "propose")
        return cmdMapPropose(args);
    if (what == "show") {
        if (args.size() != 1)
            return usage("map show takes no further arguments");
        if (const int status = connectController())
            return status;
        if (!m_doc.readInjMap()) {
            message(CKorvantisDoc::kMsgSettingsRead);
            return kExitFailed;
        }
        printOut(m_options.json ? mapJson(m_doc.settings()) : mapLines(m_doc.settings()));
        return kExitDone;
    }

    std::uint8_t op = 0;
    if (what == "set")
        op = kOpSet;
    else if (what == "add")
        op = kOpAdd;
    else if (what == "sub")
        op = kOpSub;
    else if (what == "clear")
        op = kOpClear;
    else
        return usage("unknown map command " + what);

    const std::size_t wanted = op == kOpClear ? 5 : 6;
    if (args.size() != wanted)
        return usage(op == kOpClear ? "map clear needs ROW COL NROWS NCOLS"
                                    : "map " + what + " needs ROW COL NROWS NCOLS VALUE");
    const long rows = DeviceSettings::kMapRows;
    const long cols = DeviceSettings::kMapCols;
    long row = 0, col = 0, nrows = 0, ncols = 0, value = 0;
    if (!parseInt(args[1], 0, rows - 1, row) || !parseInt(args[2], 0, cols - 1, col))
        return usage("ROW must be 0..18 and COL 0..14");
    if (!parseInt(args[3], 1, rows - row, nrows) || !parseInt(args[4], 1, cols - col, ncols))
        return usage("NROWS and NCOLS must be at least 1 and stay inside the map");
    if (op != kOpClear && !parseInt(args[5], -1000000, 1000000, value))
        return usage("VALUE must be a whole number");

    std::uint8_t operand = 0;
    if (op == kOpSet) {
        value = std::clamp<long>(value, kMinCell, kMaxCell);
        operand = static_cast<std::uint8_t>(value + kCellOffset);
    } else if (op == kOpAdd || op == kOpSub) {
        if (value < 0) {
            message(kMsgPositive);
            return kExitUsage;
        }
        value = std::min<long>(value, kMaxCell);
        operand = static_cast<std::uint8_t>(value);
    }

    if (const int status = connectController())
        return status;
    const std::array<std::uint8_t, 6> region = {static_cast<std::uint8_t>(row),
                                                static_cast<std::uint8_t>(col),
                                                static_cast<std::uint8_t>(nrows),
                                                static_cast<std::uint8_t>(ncols),
                                                op,
                                                operand};
    if (!takeBackup("map"))
        return kExitUsage;
    if (!m_doc.mapRegionOp(region)) {
        messageWith(kMsgMapWrite, vexor::translate(regionStateText(m_doc.lastRegionState())));
        return kExitFailed;
    }
    if (!m_doc.commitMap()) {
        messageWith(kMsgMapWrite, vexor::translate(kMsgNotCommitted));
        return kExitFailed;
    }

    // The document's copy follows the controller, as after an edit in the grid.
    auto& map = m_doc.settings().m_injMapTable;
    for (long r = row; r < row + nrows; ++r) {
        for (long c = col; c < col + ncols; ++c) {
            double& cell = map[r][c];
            switch (op) {
            case kOpSet:
                cell = static_cast<double>(value);
                break;
            case kOpAdd:
                cell = std::clamp<double>(cell + value, kMinCell, kMaxCell);
                break;
            case kOpSub:
                cell = std::clamp<double>(cell - value, kMinCell, kMaxCell);
                break;
            default:
                cell = 0;
                break;
            }
        }
    }
    return kExitDone;
}
