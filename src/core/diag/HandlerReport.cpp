#include "diag/HandlerReport.h"

#include "common/IError.h"
#include "lang/Translate.h"

#include <string>

namespace vexor {

void reportHandlerError(const Seams& seams, const char* handler, std::unique_ptr<IError> error) {
    std::string text = handler;
    text += "\n";
    if (error)
        text += translate(error->description());
    seams.message(text, IUserPrompt::Icon::Error);
}

} // namespace vexor
