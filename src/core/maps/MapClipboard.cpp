#include "maps/MapClipboard.h"

#include "maps/MapCellText.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace vexor {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::string trimmed(const std::string& field) {
    const auto first = field.find_first_not_of(" \r");
    if (first == std::string::npos)
        return {};
    const auto last = field.find_last_not_of(" \r");
    return field.substr(first, last - first + 1);
}

// A whole number, optionally signed and followed by "%"; nothing else.
bool wholeNumber(const std::string& field, long long& value) {
    std::string text = trimmed(field);
    if (!text.empty() && text.back() == '%')
        text = trimmed(text.substr(0, text.size() - 1));
    if (!text.empty() && text.front() == '+')
        text.erase(0, 1);
    if (text.empty() || text.front() == '+')
        return false;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

} // namespace

std::string mapClipboardText(const MapValues& values, const SCellBlock& block) {
    std::string text;
    for (int r = block.row; r < block.row + block.rows; ++r) {
        for (int c = block.column; c < block.column + block.columns; ++c) {
            if (c != block.column)
                text += '\t';
            text += std::to_string(values[r][c]);
        }
        text += '\n';
    }
    return text;
}

SMapClip parseMapClipboard(const std::string& text) {
    SMapClip clip;
    std::vector<std::string> lines = split(text, '\n');
    while (!lines.empty() && trimmed(lines.back()).empty())
        lines.pop_back();
    if (lines.empty()) {
        clip.problem = ClipProblem::NotANumber;
        return clip;
    }
    bool outOfRange = false;
    for (const std::string& line : lines) {
        std::vector<int> row;
        for (const std::string& field : split(line, '\t')) {
            long long value = 0;
            if (!wholeNumber(field, value)) {
                clip.rows.clear();
                clip.problem = ClipProblem::NotANumber;
                clip.badField = trimmed(field);
                return clip;
            }
            outOfRange = outOfRange || value < kMapMinValue || value > kMapMaxValue;
            row.push_back(static_cast<int>(std::clamp<long long>(value, -1000, 1000)));
        }
        clip.rows.push_back(std::move(row));
    }
    for (const auto& row : clip.rows)
        if (row.size() != clip.rows.front().size())
            clip.problem = ClipProblem::Shape;
    if (clip.problem == ClipProblem::None && outOfRange)
        clip.problem = ClipProblem::Range;
    if (clip.problem != ClipProblem::None)
        clip.rows.clear();
    return clip;
}

std::optional<SCellBlock> selectedRectangle(const CMapSelection& selection) {
    const std::vector<SCellBlock> blocks = selectionBlocks(selection);
    if (blocks.size() != 1)
        return std::nullopt;
    return blocks.front();
}

ClipProblem pasteBlock(const CMapSelection& selection, int rows, int columns, SCellBlock& block) {
    const std::optional<SCellBlock> target = selectedRectangle(selection);
    if (!target)
        return ClipProblem::Selection;
    if (target->rows == 1 && target->columns == 1) {
        if (target->row + rows > kMapRowCount || target->column + columns > kMapColumnCount)
            return ClipProblem::Shape;
        block = {target->row, target->column, rows, columns};
        return ClipProblem::None;
    }
    if (target->rows != rows || target->columns != columns)
        return ClipProblem::Shape;
    block = *target;
    return ClipProblem::None;
}

} // namespace vexor
