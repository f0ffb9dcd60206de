#include "maps/MapMessages.h"

#include "common/IError.h"
#include "diag/HandlerReport.h"
#include "lang/Translate.h"

#include <utility>

namespace vexor {

void showMapFailure(const Seams& seams, const char* polish) {
    seams.message(translate(polish), IUserPrompt::Icon::Error);
}

void reportMapError(const Seams& seams, const char* handler, std::unique_ptr<IError> error) {
    reportHandlerError(seams, handler, std::move(error));
}

} // namespace vexor
