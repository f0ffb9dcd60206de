#pragma once

#include <string>

class QPagedPaintDevice;

// Lays an HTML page out on A4 pages with Qt's text engine and paints it onto
// a paged device: a PDF writer or a printer. Needs a running QGuiApplication.
namespace vexor::print {

// Margins of every page, millimetres.
inline constexpr double kMarginMm = 12.0;

void paintHtml(const std::string& html, QPagedPaintDevice& device);

// Writes the page as an A4 PDF file titled `title`. False when the file
// cannot be written; the reason (the system's text) goes to error.
bool writePdf(const std::string& html, const std::string& title, const std::string& path,
              std::string& error);

} // namespace vexor::print
