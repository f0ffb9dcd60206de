#include "maps/MapEditor.h"

#include "common/IError.h"
#include "device/LPGDevice.h"
#include "lang/Translate.h"
#include "maps/MapCellText.h"
#include "maps/MapClipboard.h"
#include "maps/MapFormat.h"
#include "maps/MapMessages.h"
#include "maps/MapSmooth.h"

#include <algorithm>
#include <memory>

using vexor::MapOp;
using vexor::MapValues;

namespace {

constexpr int kMaxAmount = static_cast<int>(vexor::kMapMaxValue);

std::string span(const std::string& first, const std::string& last) {
    return first == last ? first : first + "–" + last;
}

// "6–8 ms / 2000–3000 RPM; 12 ms / 500 RPM": the blocks by their labels.
std::string describeBlocks(const std::vector<vexor::SCellBlock>& blocks) {
    std::string text;
    for (const vexor::SCellBlock& b : blocks) {
        if (!text.empty())
            text += "; ";
        text +=
            span(vexor::mapRowLabel(b.row), vexor::mapRowLabel(b.row + b.rows - 1)) + " ms / " +
            span(vexor::mapColumnLabel(b.column), vexor::mapColumnLabel(b.column + b.columns - 1)) +
            " RPM";
    }
    return text;
}

} // namespace

CMapEditor::CMapEditor(CInjMapModel& model, CLPGDevice& device)
    : m_model(model), m_device(device) {}

void CMapEditor::setFileImage(DeviceSettings* image, std::function<void()> edited) {
    if (image != m_file)
        m_history.clear();
    m_file = image;
    m_edited = std::move(edited);
}

DeviceSettings& CMapEditor::target() const {
    return m_file != nullptr ? *m_file : m_device.settings();
}

void CMapEditor::changed() const {
    if (m_file != nullptr && m_edited)
        m_edited();
}

bool CMapEditor::canEdit() const {
    if (m_file != nullptr)
        return true;
    if (m_device.isConnected())
        return !m_changeGuard || m_changeGuard();
    vexor::showMapFailure(m_device.seams(), vexor::kMsgNoConnection);
    return false;
}

MapValues CMapEditor::documentValues() const {
    return vexor::mapValuesOf(target());
}

void CMapEditor::showValues(const MapValues& values) {
    m_model.setValues(values);
}

CMapEditor::Result CMapEditor::onMapAdd(int amount) {
    const int a = std::clamp(amount, 0, kMaxAmount);
    return edit(MapOp::Add, a, MapOp::Add, a, vexor::kHandlerMapAdd);
}

CMapEditor::Result CMapEditor::onMapSubb(int amount) {
    const int a = std::clamp(amount, 0, kMaxAmount);
    return edit(MapOp::Subtract, a, MapOp::Subtract, a, vexor::kHandlerMapSubb);
}

CMapEditor::Result CMapEditor::onMapSet(int value) {
    const int v = vexor::acceptMapSetValue(value);
    return edit(MapOp::Set, v, MapOp::Set, v, vexor::kHandlerMapSet);
}

CMapEditor::Result CMapEditor::onMapClear() {
    return edit(MapOp::Clear, 0, MapOp::Clear, 0, vexor::kHandlerMapClear);
}

CMapEditor::Result CMapEditor::incrementSelected(int step) {
    const int s = std::clamp(step, -kMaxAmount, kMaxAmount);
    if (s >= 1)
        return edit(MapOp::Add, s, MapOp::Add, s, vexor::kHandlerMapIncrement);
    return edit(MapOp::Add, s, MapOp::Subtract, -s, vexor::kHandlerMapIncrement);
}

CMapEditor::Result CMapEditor::edit(MapOp gridOp, int gridValue, MapOp sentOp, int sentValue,
                                    const char* handler) {
    if (!m_model.selection().any())
        return Result::NothingSelected;
    if (!canEdit())
        return Result::Refused;
    // The edit starts from the document's map, not from whatever the grid
    // last showed (a settings file may have been loaded since): only the
    // selected cells may differ from the document afterwards.
    const MapValues before = documentValues();
    showValues(before);
    m_model.applyToSelection(gridOp, gridValue);
    m_model.setModified(true);
    const std::vector<vexor::SCellBlock> blocks = vexor::selectionBlocks(m_model.selection());
    const bool sent = sendBlocks(
        blocks,
        [&](const vexor::SCellBlock& block) {
            return m_device.mapRegionOp(vexor::mapRegion(block, sentOp, sentValue).bytes());
        },
        before, handler);
    if (!sent)
        return Result::Failed;
    m_model.storeInto(target());
    changed();
    m_history.push(before, documentValues());
    return Result::Sent;
}

bool CMapEditor::sendBlocks(const std::vector<vexor::SCellBlock>& blocks, const BlockSender& send,
                            const MapValues& before, const char* handler) {
    if (m_file != nullptr)
        return true; // a file takes every edit; nothing goes anywhere
    CBusyScope busy(m_device.seams().cursor);
    std::size_t done = 0;
    try {
        while (done < blocks.size() && send(blocks[done]))
            ++done;
        if (done == blocks.size() && m_device.commitMap())
            return true;
    } catch (IError* e) {
        // The port itself failed: reading back through it would only fail
        // again (or hang on its time-outs). The grid goes back to the last
        // map the controller accepted, and no step is played onto a map
        // nobody has seen.
        vexor::reportMapError(m_device.seams(), handler, std::unique_ptr<IError>(e));
        showValues(documentValues());
        m_history.clear();
        return false;
    }
    std::string text = vexor::translate(vexor::kMsgMapWrite);
    if (done < blocks.size()) {
        const std::vector<vexor::SCellBlock> missing(blocks.begin() + static_cast<long>(done),
                                                     blocks.end());
        text +=
            "\n" + vexor::translate(vexor::kMsgMapCellsNotWritten) + " " + describeBlocks(missing);
    }
    m_device.seams().message(text, IUserPrompt::Icon::Error);
    readBack(before, handler);
    return false;
}

void CMapEditor::readBack(const std::optional<MapValues>& keepIf, const char* handler) {
    bool read = false;
    try {
        read = m_device.readInjMap();
    } catch (IError* e) {
        vexor::reportMapError(m_device.seams(), handler, std::unique_ptr<IError>(e));
    }
    const MapValues now = documentValues();
    showValues(now);
    if (!read) {
        // What the controller holds is unknown now: no step may be played
        // onto it.
        vexor::showMapFailure(m_device.seams(), vexor::kMsgMapsRead);
        m_history.clear();
        return;
    }
    if (!keepIf || now != *keepIf)
        m_history.clear();
}

bool CMapEditor::controllerHolds(const MapValues& expected, const char* handler) {
    if (m_file != nullptr) {
        // Nothing but this editor changes the file's map while it is open.
        const MapValues now = documentValues();
        showValues(now);
        if (now != expected)
            m_history.clear();
        return now == expected;
    }
    CBusyScope busy(m_device.seams().cursor);
    bool read = false;
    try {
        read = m_device.readInjMap();
    } catch (IError* e) {
        vexor::reportMapError(m_device.seams(), handler, std::unique_ptr<IError>(e));
        return false;
    }
    if (!read) {
        vexor::showMapFailure(m_device.seams(), vexor::kMsgMapsRead);
        return false;
    }
    const MapValues now = documentValues();
    showValues(now);
    if (now == expected)
        return true;
    m_history.clear();
    vexor::showMapFailure(m_device.seams(), vexor::kMsgMapChanged);
    return false;
}

bool CMapEditor::sendValues(const MapValues& from, const MapValues& to, const char* handler) {
    const std::vector<vexor::SMapSet> sets = vexor::mapPatch(from, to);
    std::vector<vexor::SCellBlock> blocks;
    for (const vexor::SMapSet& set : sets)
        blocks.push_back(set.block);
    showValues(to);
    m_model.setModified(true);
    std::size_t next = 0;
    const bool sent = sendBlocks(
        blocks,
        [&](const vexor::SCellBlock&) {
            const vexor::SMapSet& set = sets[next++];
            return m_device.mapRegionOp(vexor::mapRegion(set.block, MapOp::Set, set.value).bytes());
        },
        from, handler);
    if (!sent)
        return false;
    vexor::storeMapValues(target(), to);
    changed();
    return true;
}

CMapEditor::Result CMapEditor::play(bool undoing) {
    const std::optional<CMapHistory::Step> step =
        undoing ? m_history.nextUndo() : m_history.nextRedo();
    if (!step)
        return Result::NothingSelected;
    if (!canEdit())
        return Result::Refused;
    const char* handler = undoing ? vexor::kHandlerMapUndo : vexor::kHandlerMapRedo;
    const MapValues& from = undoing ? step->after : step->before;
    const MapValues& to = undoing ? step->before : step->after;
    if (!controllerHolds(from, handler))
        return Result::Failed;
    if (!sendValues(from, to, handler))
        return Result::Failed;
    if (undoing)
        m_history.undone();
    else
        m_history.redone();
    return Result::Sent;
}

CMapEditor::Result CMapEditor::undo() {
    return play(true);
}

CMapEditor::Result CMapEditor::redo() {
    return play(false);
}

CMapEditor::Result CMapEditor::smooth(const std::function<void()>& preview) {
    if (!canEdit())
        return Result::Refused;
    const std::optional<vexor::SCellBlock> block = vexor::selectedRectangle(m_model.selection());
    const MapValues before = documentValues();
    const std::optional<MapValues> target =
        block ? vexor::smoothBlock(before, *block) : std::nullopt;
    if (!target) {
        m_device.seams().message(vexor::translate(vexor::kMsgSmoothSize),
                                 IUserPrompt::Icon::Warning);
        return Result::Refused;
    }
    const int changed = vexor::changedCellCount(before, *target);
    if (changed == 0)
        return Result::NothingSelected;
    showValues(*target);
    if (preview)
        preview();
    const std::string question =
        vexor::translate(vexor::kAskSmooth) + " " + std::to_string(changed);
    if (!m_device.seams().ask(question, true)) {
        showValues(before);
        return Result::Cancelled;
    }
    if (!sendValues(before, *target, vexor::kHandlerMapSmooth))
        return Result::Failed;
    m_history.push(before, *target);
    return Result::Sent;
}

CMapEditor::Result CMapEditor::applyMap(const MapValues& target,
                                        const std::function<bool()>& guard) {
    if (!m_device.isConnected()) {
        vexor::showMapFailure(m_device.seams(), vexor::kMsgNoConnection);
        return Result::Refused;
    }
    const MapValues before = documentValues();
    if (target == before)
        return Result::NothingSelected;
    if (guard && !guard())
        return Result::Cancelled;
    if (!sendValues(before, target, vexor::kHandlerMapPropose))
        return Result::Failed;
    m_history.push(before, target);
    return Result::Sent;
}

std::optional<std::string> CMapEditor::copyText() const {
    const std::optional<vexor::SCellBlock> block = vexor::selectedRectangle(m_model.selection());
    if (!block) {
        m_device.seams().message(vexor::translate(vexor::kMsgSelectRectangle),
                                 IUserPrompt::Icon::Warning);
        return std::nullopt;
    }
    return vexor::mapClipboardText(m_model.values(), *block);
}

CMapEditor::Result CMapEditor::paste(const std::string& text) {
    if (!canEdit())
        return Result::Refused;
    const vexor::SMapClip clip = vexor::parseMapClipboard(text);
    vexor::SCellBlock block;
    vexor::ClipProblem problem = clip.problem;
    if (problem == vexor::ClipProblem::None)
        problem =
            vexor::pasteBlock(m_model.selection(), clip.rowCount(), clip.columnCount(), block);
    std::string message;
    switch (problem) {
    case vexor::ClipProblem::None:
        break;
    case vexor::ClipProblem::NotANumber:
        message = vexor::translate(vexor::kMsgPasteNotNumber) + " \"" + clip.badField + "\"";
        break;
    case vexor::ClipProblem::Shape:
        message = vexor::translate(vexor::kMsgPasteShape);
        break;
    case vexor::ClipProblem::Range:
        message = vexor::translate(vexor::kMsgPasteRange);
        break;
    case vexor::ClipProblem::Selection:
        message = vexor::translate(vexor::kMsgSelectRectangle);
        break;
    }
    if (!message.empty()) {
        m_device.seams().message(message, IUserPrompt::Icon::Warning);
        return Result::Refused;
    }
    const MapValues before = documentValues();
    MapValues target = before;
    for (int r = 0; r < block.rows; ++r)
        for (int c = 0; c < block.columns; ++c)
            target[block.row + r][block.column + c] = clip.rows[r][c];
    m_model.selection().clear();
    for (int r = 0; r < block.rows; ++r)
        for (int c = 0; c < block.columns; ++c)
            m_model.selection().setSelected({block.row + r, block.column + c}, true);
    if (target == before)
        return Result::Sent;
    if (!sendValues(before, target, vexor::kHandlerMapPaste))
        return Result::Failed;
    m_history.push(before, target);
    return Result::Sent;
}

CMapEditor::Result CMapEditor::commitCellEdit(SCellIndex cell, const std::string& typed) {
    const std::string text = vexor::mapEditText(typed);
    if (text.empty())
        return Result::NothingSelected;
    if (!canEdit())
        return Result::Refused;
    const MapValues before = documentValues();
    showValues(before);
    const int value = vexor::leadingInt(text);
    m_model.setCellValue(cell, value);
    m_model.setModified(true);
    const bool sent = sendBlocks(
        {{cell.row, cell.column, 1, 1}},
        [&](const vexor::SCellBlock&) {
            return m_device.writeMapCell(static_cast<std::uint8_t>(cell.row),
                                         static_cast<std::uint8_t>(cell.column), value);
        },
        before, vexor::kHandlerMapEdit);
    if (!sent)
        return Result::Failed;
    m_model.storeInto(target());
    changed();
    m_history.push(before, documentValues());
    return Result::Sent;
}

void CMapEditor::documentShown() {
    if (m_file == nullptr && !m_device.isConnected()) {
        m_history.clear();
        return;
    }
    const std::optional<MapValues> expected = m_history.expected();
    if (expected && *expected != documentValues())
        m_history.clear();
}
