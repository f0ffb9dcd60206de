#include "maps/MapMessages.h"

#include "common/IError.h"
#include "lang/Translate.h"

namespace vexor {

void showMapFailure(const Seams& seams, const char* polish) {
    seams.message(translate(polish), IUserPrompt::Icon::Error);
}

void reportMapError(const Seams& seams, const char* handler, std::unique_ptr<IError> error) {
    std::string text = handler;
    text += "\n";
    if (error)
        text += translate(error->description());
    seams.message(text, IUserPrompt::Icon::Error);
}

} // namespace vexor
