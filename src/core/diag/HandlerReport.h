#pragma once

#include "platform/Seams.h"

#include <memory>

class IError;

namespace vexor {

// Tells the user that a port error ended a handler: the handler's report name
// ("COBD2Page::OnGetObdErr()"), a line break and the error's description,
// in an error box. The error is dropped afterwards.
void reportHandlerError(const Seams& seams, const char* handler, std::unique_ptr<IError> error);

} // namespace vexor
