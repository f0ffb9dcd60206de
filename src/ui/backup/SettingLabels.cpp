#include "backup/SettingLabels.h"

#include "common/IError.h"
#include "lang/Translate.h"
#include "pages/SettingTextIds.h"
#include "settings/SettingNames.h"
#include "texts/AdvancedPageTexts.h"
#include "texts/PanelGasTexts.h"
#include "texts/PanelGasolineTexts.h"
#include "texts/ServiceSetTexts.h"
#include "texts/SwitchTexts.h"

#include <QStringList>

#include <memory>
#include <string>

namespace vexor {

namespace {

// The text of an entry of a page's text table in the current language;
// empty when the table has none.
template <class Texts> std::string textOf(int id) {
    try {
        return Texts().text(id);
    } catch (IError* error) {
        std::unique_ptr<IError> owned(error);
        return {};
    }
}

std::string pageText(SettingPage page, int id) {
    if (id < 0)
        return {};
    switch (page) {
    case SettingPage::Gasoline:
        return textOf<CPanelGasolineTexts>(id);
    case SettingPage::Gas:
        return textOf<CPanelGasTexts>(id);
    case SettingPage::Switch:
        return textOf<CSwitchTexts>(id);
    case SettingPage::Advanced:
        return textOf<CAdvancedPageTexts>(id);
    case SettingPage::Service:
        return textOf<CServiceSetTexts>(id);
    default:
        return {};
    }
}

} // namespace

QString settingLabel(const SettingInfo& info) {
    const std::string polish = *info.label ? info.label : info.group;
    if (polish.empty())
        return QString::fromStdString(info.key);
    std::string text = pageText(info.page, settingTextId(info));
    if (text.empty())
        text = translate(polish);
    // One control sets several values: each row says which one it is.
    if (const char* own = settingOwnName(info.key))
        text += ": " + translate(own);
    return QString::fromStdString(text);
}

QString settingFlagsText(const SettingInfo& info, unsigned value, unsigned other) {
    const auto state = [](bool on) { return translate(on ? "Włączony" : "Wyłączony"); };
    QStringList lines;
    unsigned left = (value ^ other) & 0xFFu;
    for (const SettingFlag& flag : info.flags) {
        if (((value ^ other) & flag.mask) == 0 || *flag.label == '\0')
            continue;
        left &= ~static_cast<unsigned>(flag.mask);
        std::string name = pageText(flag.page, settingFlagTextId(info, flag));
        if (name.empty())
            name = translate(flag.label);
        std::string shown;
        if ((flag.mask & (flag.mask - 1)) == 0) {
            shown = state((value & flag.mask) != 0);
        } else {
            unsigned shift = 0;
            while (((flag.mask >> shift) & 1u) == 0)
                ++shift;
            shown = std::to_string((value & flag.mask) >> shift);
        }
        lines << QString::fromStdString(name + ": " + shown);
    }
    for (unsigned bit = 0; bit < 8; ++bit) {
        if (left & (1u << bit))
            lines << QString::fromStdString("bit " + std::to_string(bit) + ": " +
                                            state((value & (1u << bit)) != 0));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace vexor
