#include "maps/tools/MainCorrEditor.h"

#include "common/IError.h"
#include "common/Rounding.h"
#include "lang/Translate.h"
#include "maps/tools/MainCorrRange.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>

namespace {

bool validRow(int row) {
    return row >= 0 && row < CMainCorrEditor::kRows;
}

std::string formatMs(double ms) {
    char text[32];
    // Adding 0.0 turns a negative zero into 0, which would show as "-0.00".
    std::snprintf(text, sizeof text, "%.2f", vexor::round2(ms) + 0.0);
    return text;
}

} // namespace

CMainCorrEditor::CMainCorrEditor(IMainCorrDevice& device, const Seams& seams)
    : m_device(device), m_seams(seams) {
    open();
}

void CMainCorrEditor::open() {
    const auto& corr = m_device.settings().m_mainCorr.m_mainCorr;
    for (int row = 0; row < kRows; ++row)
        showValue(row, corr[static_cast<std::size_t>(row)]);
    m_changeAll = true;
}

const std::string& CMainCorrEditor::fieldText(int row) const {
    static const std::string none;
    return validRow(row) ? m_fields[static_cast<std::size_t>(row)] : none;
}

void CMainCorrEditor::setFieldText(int row, std::string text) {
    if (validRow(row))
        m_fields[static_cast<std::size_t>(row)] = std::move(text);
}

bool CMainCorrEditor::rowVisible(int row) const {
    return validRow(row) && row < m_device.settings().m_devInfo.m_injCount;
}

bool CMainCorrEditor::spinEnabled(int row) const {
    if (!validRow(row) || !m_device.isConnected())
        return false;
    return !m_changeAll || row == 0;
}

double CMainCorrEditor::fieldValue(int row) const {
    if (!validRow(row))
        return 0.0;
    const double stored = m_device.settings().m_mainCorr.m_mainCorr[static_cast<std::size_t>(row)];
    const std::string& text = m_fields[static_cast<std::size_t>(row)];
    const char* first = text.data();
    const char* last = first + text.size();
    while (first != last && (*first == ' ' || *first == '\t'))
        ++first;
    if (first != last && *first == '+')
        ++first;
    double value = 0.0;
    const auto parsed = std::from_chars(first, last, value);
    if (parsed.ec != std::errc())
        return stored;
    return value;
}

CMainCorrEditor::Result CMainCorrEditor::onDeltaSpin(int row, int delta, Spin spin) {
    if (!validRow(row) || !m_device.isConnected())
        return Result::Ignored;
    const double step = spin == Spin::Fine ? kFineStepMs : kCoarseStepMs;
    const double value = fieldValue(row) - delta * step;
    if (value < vexor::kMainCorrMin || value > vexor::kMainCorrMax)
        return Result::Ignored;
    if (m_changeAll) {
        for (int i = 0; i < kRows; ++i)
            showValue(i, value);
    } else {
        showValue(row, value);
    }
    return writeFields();
}

CMainCorrEditor::Result CMainCorrEditor::acceptTyped() {
    if (!m_device.isConnected())
        return Result::Ignored;
    const auto& corr = m_device.settings().m_mainCorr.m_mainCorr;
    bool typed = false;
    for (int row = 0; row < kRows && !typed; ++row) {
        const double shown = vexor::clampMainCorr(fieldValue(row));
        typed = vexor::round2(shown) != vexor::round2(corr[static_cast<std::size_t>(row)]);
    }
    return typed ? writeFields() : Result::Ignored;
}

CMainCorrEditor::Result CMainCorrEditor::writeFields() {
    CBusyScope busy(m_seams.cursor);
    auto& corr = m_device.settings().m_mainCorr.m_mainCorr;
    if (m_changeGuard && !m_changeGuard()) {
        // Nothing changes: the fields show the controller's values again.
        for (int row = 0; row < kRows; ++row)
            showValue(row, corr[static_cast<std::size_t>(row)]);
        return Result::Refused;
    }
    // A typed value the controller cannot use is limited to the range rather
    // than sent as it is.
    std::array<double, kRows> values{};
    for (int row = 0; row < kRows; ++row)
        values[static_cast<std::size_t>(row)] = vexor::clampMainCorr(fieldValue(row));
    for (int row = 0; row < kRows; ++row) {
        corr[static_cast<std::size_t>(row)] = values[static_cast<std::size_t>(row)];
        showValue(row, values[static_cast<std::size_t>(row)]);
    }
    try {
        if (m_device.writeMainCorr())
            return Result::Written;
        m_seams.message(vexor::translate(kMsgSetDevice), IUserPrompt::Icon::Error);
        return Result::Refused;
    } catch (IError* raw) {
        std::unique_ptr<IError> error(raw);
        m_seams.message(std::string(kHandlerName) + "\n" + vexor::translate(error->description()),
                        IUserPrompt::Icon::Error);
        return Result::PortError;
    }
}

void CMainCorrEditor::showValue(int row, double ms) {
    m_fields[static_cast<std::size_t>(row)] = formatMs(ms);
}
