#pragma once

#include "report/JobSheet.h"

#include <string>

namespace vexor {

// The job sheet as one self-contained HTML page in the current language. The
// markup keeps to what a plain rich-text engine lays out (tables with cell
// colours, headings, no scripts or style sheets from outside), so the same
// page is saved as .html and printed or turned into PDF by the window
// program and the command line.
std::string jobSheetHtml(const CJobSheet& sheet);

// Text made safe to put between tags or in an attribute.
std::string htmlEscaped(const std::string& text);

} // namespace vexor
