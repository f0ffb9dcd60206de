#pragma once

#include "platform/Seams.h"

class IDocumentPort;

namespace vexor {

// Asks for a settings file and opens it for editing without the controller.
// An edited file already open is only dropped after the user agrees; a file
// that cannot be read is named with the reason and nothing changes. True
// when a file was opened.
bool openSettingsFile(IDocumentPort& doc, const Seams& seams);

} // namespace vexor
