#include "maps/autocal/AutoCalTexts.h"

#include "common/IError.h"
#include "common/Rounding.h"
#include "lang/Translate.h"

#include <cstdio>

namespace vexor::autocal {

namespace {

std::string tr(const char* polish) {
    return translate(polish);
}

std::string formatCorrection(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", round2(ms) + 0.0);
    return text;
}

} // namespace

std::string reducerColdText() {
    char limit[16];
    std::snprintf(limit, sizeof limit, "%d", roundInt(kAutoCalMinReducerTempr));
    return tr(kMsgReducerCold) + limit + " C";
}

std::string resetQuestionText(const SResetOffer& offer) {
    std::string text = tr(kMsgResetAdvice) + "\n" + tr(kMsgResetMainCorr);
    if (offer.multiplierLine)
        text += "\n" + tr(kMsgResetLine);
    if (offer.injectionMap)
        text += "\n" + tr(kMsgResetMap);
    return text;
}

std::string correctionText(const SCorrectionCheck& check) {
    const std::string value = tr(kMsgCorrection) + formatCorrection(check.correction);
    switch (check.verdict) {
    case CorrectionVerdict::TooSmall:
        return value + tr(kMsgTooSmall) + "\n" + tr(kMsgRange) + "\n" + tr(kMsgUseSmaller);
    case CorrectionVerdict::TooLarge:
        return value + tr(kMsgTooLarge) + "\n" + tr(kMsgRange) + "\n" + tr(kMsgUseLarger);
    case CorrectionVerdict::AdviseLarger:
        return value + tr(kMsgMs) + tr(kMsgOutsideHigh) + "\n" + tr(kMsgAdviseLarger);
    case CorrectionVerdict::AdviseSmaller:
        return value + tr(kMsgMs) + tr(kMsgOutsideLow) + "\n" + tr(kMsgAdviseSmaller);
    case CorrectionVerdict::InRange:
        break;
    }
    return {};
}

std::string procedureErrorText(const IError& error) {
    return tr(kMsgProcedureError) + "\n" + tr(error.description().c_str());
}

} // namespace vexor::autocal
