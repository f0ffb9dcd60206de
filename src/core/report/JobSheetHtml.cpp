#include "report/JobSheetHtml.h"

#include "lang/Translate.h"
#include "lang/UnitText.h"
#include "maps/MapCellText.h"
#include "report/JobSheetBuilder.h"
#include "report/JobSheetPhrases.h"

#include <cstdio>
#include <tuple>

namespace vexor {

namespace {

using namespace jobsheet;

std::string tr(const char* polish) {
    return htmlEscaped(translate(polish));
}

std::string colourAttr(const SRgb& c) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

std::string number(double value, int decimals) {
    return jobSheetNumber(value, decimals);
}

std::string multiline(const std::string& text) {
    std::string out;
    for (char c : htmlEscaped(text))
        out += c == '\n' ? std::string("<br>") : std::string(1, c);
    return out;
}

void heading(std::string& html, const char* polish) {
    html += "<h2>" + tr(polish) + "</h2>\n";
}

void fieldTable(std::string& html, const std::vector<SJobSheetField>& fields) {
    html += "<table cellspacing=\"0\" cellpadding=\"2\">\n";
    for (const SJobSheetField& f : fields)
        html += "<tr><td width=\"220\" valign=\"top\">" + htmlEscaped(translate(f.label)) +
                "</td><td><b>" + multiline(f.translatedValue ? translate(f.value) : f.value) +
                "</b></td></tr>\n";
    html += "</table>\n";
}

void listOrNote(std::string& html, bool read, const std::vector<std::string>& items) {
    if (!read) {
        html += "<i>" + tr(kNotRead) + "</i>";
        return;
    }
    if (items.empty()) {
        html += tr(kNone);
        return;
    }
    for (std::size_t i = 0; i < items.size(); ++i)
        html += (i ? "<br>" : "") + htmlEscaped(items[i]);
}

void findingsTable(std::string& html, const char* polish, const SJobSheetFindings& atConnection,
                   const SJobSheetFindings& now, bool obd) {
    heading(html, polish);
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n<tr><th "
            "width=\"50%\" align=\"left\">" +
            tr(kAtConnection) + "</th><th align=\"left\">" + tr(kNow) + "</th></tr>\n<tr><td>";
    if (obd)
        listOrNote(html, atConnection.obdRead, atConnection.obdCodes);
    else
        listOrNote(html, atConnection.faultsRead, atConnection.faults);
    html += "</td><td>";
    if (obd)
        listOrNote(html, now.obdRead, now.obdCodes);
    else
        listOrNote(html, now.faultsRead, now.faults);
    html += "</td></tr>\n</table>\n";
}

// Codes by kind beside the stored ones, and the readiness of the monitors,
// as read when the sheet was made.
void scanTables(std::string& html, const SJobSheetFindings& now) {
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n";
    for (auto [label, codes, note] :
         {std::tuple{kPendingCodes, &now.pendingCodes, &now.pendingNote},
          std::tuple{kPermanentCodes, &now.permanentCodes, &now.permanentNote}}) {
        html += "<tr><td width=\"50%\">" + tr(label) + "</td><td>";
        if (!note->empty())
            html += "<i>" + tr(note->c_str()) + "</i>";
        else
            listOrNote(html, true, *codes);
        html += "</td></tr>\n";
    }
    html += "</table>\n";
    heading(html, kReadiness);
    if (!now.readinessNote.empty())
        html += "<p><i>" + tr(now.readinessNote.c_str()) + "</i></p>\n";
    else
        fieldTable(html, now.readiness);
}

void changesTable(std::string& html, const CJobSheet& sheet) {
    heading(html, kChanges);
    if (!sheet.baselineKnown) {
        html += "<p><i>" + tr(kNoBaseline) + "</i></p>\n";
        return;
    }
    if (sheet.changes.empty()) {
        html += "<p>" + tr(kNoChanges) + "</p>\n";
        return;
    }
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">\n<tr><th "
            "align=\"left\">" +
            tr(kSetting) + "</th><th>" + tr(kUnit) + "</th><th>" + tr(kBefore) + "</th><th>" +
            tr(kAfter) + "</th></tr>\n";
    for (const SJobSheetChange& c : sheet.changes) {
        const std::string name =
            (c.group.empty() ? std::string() : translate(c.group) + ": ") + translate(c.label);
        auto value = [&](const std::string& v) {
            return htmlEscaped(c.listEntries ? translate(v) : v);
        };
        html += "<tr><td>" + htmlEscaped(name) + "</td><td>" + htmlEscaped(unitText(c.unit)) +
                "</td><td align=\"right\">" + value(c.before) + "</td><td align=\"right\">" +
                value(c.after) + "</td></tr>\n";
    }
    html += "</table>\n";
}

void mapGrid(std::string& html, const CJobSheet& sheet) {
    // The grid and what follows it start a page, so a printed map is never
    // split between two sheets.
    html += "<h2 style=\"page-break-before: always\">" + tr(kMap) + "</h2>\n";
    const std::string header = colourAttr(kMapHeaderBackground);
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"1\">\n<tr><td bgcolor=\"" +
            header + "\"><small>" + htmlEscaped(kMapCornerLabel) + "</small></td>";
    for (int c = 0; c < kMapColumnCount; ++c)
        html += "<td bgcolor=\"" + header + "\" align=\"center\"><small>" + mapColumnLabel(c) +
                "</small></td>";
    html += "</tr>\n";
    for (int r = 0; r < kMapRowCount; ++r) {
        html += "<tr><td bgcolor=\"" + header + "\"><small>" + htmlEscaped(mapRowLabel(r)) +
                "</small></td>";
        for (int c = 0; c < kMapColumnCount; ++c) {
            const double v = sheet.map[r][c];
            html += "<td bgcolor=\"" + colourAttr(mapValueColour(v)) +
                    "\" align=\"center\"><small>" + htmlEscaped(formatMapValue(v)) +
                    "</small></td>";
        }
        html += "</tr>\n";
    }
    html += "</table>\n";
}

void multiplierLine(std::string& html, const std::array<double, 20>& line) {
    heading(html, kMultiplierLine);
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n<tr><th>ms</th>";
    for (std::size_t k = 0; k < line.size(); ++k)
        html += "<th><small>" + std::to_string(k) + "</small></th>";
    html += "</tr>\n<tr><td>%</td>";
    for (double v : line)
        html += "<td align=\"right\"><small>" + number(v, 0) + "</small></td>";
    html += "</tr>\n</table>\n";
}

// Average petrol injection time of a bin in ms (sums count 0.004 ms).
std::string binAverage(const LoadMap& map, int bin) {
    if (map.counts[bin] == 0)
        return "";
    return number(map.sums[bin] * 0.004 / map.counts[bin], 2);
}

void loadMaps(std::string& html, const CJobSheet& sheet) {
    heading(html, kLoadMaps);
    const LoadMap none;
    const LoadMap& petrol = sheet.petrolLoadMap ? *sheet.petrolLoadMap : none;
    const LoadMap& gas = sheet.gasLoadMap ? *sheet.gasLoadMap : none;
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n<tr><th>#</th><th>" +
            tr(kPetrolMap) + " (ms)</th><th>" + tr(kSamples) + "</th><th>" + tr(kGasMap) +
            " (ms)</th><th>" + tr(kSamples) + "</th></tr>\n";
    for (int bin = 0; bin < LoadMap::kBins; ++bin) {
        if (petrol.counts[bin] == 0 && gas.counts[bin] == 0)
            continue;
        html += "<tr><td>" + std::to_string(bin) + "</td><td align=\"right\">" +
                binAverage(petrol, bin) + "</td><td align=\"right\">" +
                std::to_string(petrol.counts[bin]) + "</td><td align=\"right\">" +
                binAverage(gas, bin) + "</td><td align=\"right\">" +
                std::to_string(gas.counts[bin]) + "</td></tr>\n";
    }
    html += "</table>\n";
}

void liveTable(std::string& html, const CJobSheet& sheet) {
    heading(html, kLive);
    html += "<table cellspacing=\"0\" cellpadding=\"2\">\n";
    for (const SJobSheetLiveValue& v : sheet.live)
        html += "<tr><td width=\"220\">" + htmlEscaped(translate(v.label)) +
                "</td><td align=\"right\"><b>" +
                htmlEscaped(v.translatedValue ? translate(v.value) : v.value) + "</b></td><td>" +
                htmlEscaped(unitText(v.unit)) + "</td></tr>\n";
    html += "</table>\n";
}

} // namespace

std::string htmlEscaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string jobSheetHtml(const CJobSheet& sheet) {
    std::string html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                       tr(kTitle) + "</title>\n</head>\n<body>\n";
    html += "<table width=\"100%\"><tr><td><h1>" + tr(kTitle) + "</h1></td><td align=\"right\">";
    if (!sheet.workshopName.empty())
        html += "<b>" + htmlEscaped(sheet.workshopName) + "</b><br>";
    html += multiline(sheet.workshopAddress) + "</td></tr></table>\n";
    html += "<p>" + tr(kIssued) + ": <b>" + htmlEscaped(sheet.issued) + "</b>";
    if (sheet.demo)
        html += " &mdash; " + tr(kDemo);
    html += "</p>\n";

    heading(html, kController);
    fieldTable(html, sheet.identity);
    heading(html, kVehicle);
    fieldTable(html, sheet.vehicle);
    if (!sheet.customer.empty()) {
        heading(html, kCustomer);
        fieldTable(html, sheet.customer);
    }
    heading(html, kStatistics);
    fieldTable(html, sheet.statistics);
    findingsTable(html, kFaults, sheet.atConnection, sheet.now, false);
    findingsTable(html, kObdCodes, sheet.atConnection, sheet.now, true);
    if (sheet.now.obdRead)
        scanTables(html, sheet.now);
    changesTable(html, sheet);
    mapGrid(html, sheet);
    if (sheet.multiplierLine)
        multiplierLine(html, *sheet.multiplierLine);
    if (sheet.petrolLoadMap || sheet.gasLoadMap)
        loadMaps(html, sheet);
    if (!sheet.calibration.empty()) {
        heading(html, kCalibration);
        fieldTable(html, sheet.calibration);
    }
    if (!sheet.live.empty())
        liveTable(html, sheet);
    html += "</body>\n</html>\n";
    return html;
}

} // namespace vexor
