#include "maps/MapEditor.h"

#include "common/IError.h"
#include "device/LPGDevice.h"
#include "maps/MapCellText.h"
#include "maps/MapFormat.h"
#include "maps/MapMessages.h"

#include <algorithm>
#include <memory>

using vexor::MapOp;

namespace {
constexpr int kMaxAmount = static_cast<int>(vexor::kMapMaxValue);
} // namespace

CMapEditor::CMapEditor(CInjMapModel& model, CLPGDevice& device)
    : m_model(model), m_device(device) {}

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
    m_model.applyToSelection(gridOp, gridValue);
    m_model.setModified(true);
    if (!m_device.isConnected())
        return Result::GridOnly;
    try {
        return sendSelection(sentOp, sentValue) && commitAndStore() ? Result::Sent : Result::Failed;
    } catch (IError* e) {
        vexor::reportMapError(m_device.seams(), handler, std::unique_ptr<IError>(e));
        return Result::Failed;
    }
}

bool CMapEditor::sendSelection(MapOp op, int value) {
    for (const vexor::SCellBlock& block : vexor::selectionBlocks(m_model.selection())) {
        if (!m_device.mapRegionOp(vexor::mapRegion(block, op, value).bytes())) {
            vexor::showMapFailure(m_device.seams(), vexor::kMsgMapWrite);
            return false;
        }
    }
    return true;
}

bool CMapEditor::commitAndStore() {
    if (!m_device.commitMap()) {
        vexor::showMapFailure(m_device.seams(), vexor::kMsgMapWrite);
        return false;
    }
    m_model.storeInto(m_device.settings());
    return true;
}

CMapEditor::Result CMapEditor::commitCellEdit(SCellIndex cell, const std::string& typed) {
    const std::string text = vexor::mapEditText(typed);
    m_model.setModified(true);
    if (text.empty()) {
        m_model.setCellText(cell, text);
        return Result::GridOnly;
    }
    const int value = vexor::leadingInt(text);
    m_model.setCellValue(cell, value);
    if (!m_device.isConnected())
        return Result::GridOnly;
    try {
        if (!m_device.writeMapCell(static_cast<std::uint8_t>(cell.row),
                                   static_cast<std::uint8_t>(cell.column), value)) {
            vexor::showMapFailure(m_device.seams(), vexor::kMsgMapWrite);
            return Result::Failed;
        }
        return commitAndStore() ? Result::Sent : Result::Failed;
    } catch (IError* e) {
        vexor::reportMapError(m_device.seams(), vexor::kHandlerMapEdit, std::unique_ptr<IError>(e));
        return Result::Failed;
    }
}
