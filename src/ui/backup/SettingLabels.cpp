#include "backup/SettingLabels.h"

#include "common/IError.h"
#include "lang/Translate.h"
#include "settings/SettingNames.h"
#include "texts/AdvancedPageTexts.h"
#include "texts/PanelGasTexts.h"
#include "texts/PanelGasolineTexts.h"
#include "texts/ServiceSetTexts.h"
#include "texts/SwitchTexts.h"

#include <QStringList>

#include <map>
#include <memory>
#include <string>

namespace vexor {

namespace {

// A page's text object that also knows the id of each Polish text: filled a
// second time, it sees every entry pass by.
template <class Texts> class CPolishIndex : public Texts {
public:
    CPolishIndex() { this->fill(); }
    void add(int id, const TextSlots& entry) override {
        m_ids.emplace(std::string(entry[0]), id);
        Texts::add(id, entry);
    }
    // The text in the current language of the entry whose Polish text this
    // is; empty when there is none.
    std::string translated(const std::string& polish) const {
        const auto it = m_ids.find(polish);
        if (it == m_ids.end())
            return {};
        try {
            return this->text(it->second);
        } catch (IError* error) {
            std::unique_ptr<IError> owned(error);
            return {};
        }
    }

private:
    std::map<std::string, int> m_ids;
};

std::string pageText(SettingPage page, const std::string& polish) {
    switch (page) {
    case SettingPage::Gasoline:
        return CPolishIndex<CPanelGasolineTexts>().translated(polish);
    case SettingPage::Gas:
        return CPolishIndex<CPanelGasTexts>().translated(polish);
    case SettingPage::Switch:
        return CPolishIndex<CSwitchTexts>().translated(polish);
    case SettingPage::Advanced:
        return CPolishIndex<CAdvancedPageTexts>().translated(polish);
    case SettingPage::Service:
        return CPolishIndex<CServiceSetTexts>().translated(polish);
    default:
        return {};
    }
}

} // namespace

QString settingLabel(const SettingInfo& info) {
    const std::string polish = *info.label ? info.label : info.group;
    if (polish.empty())
        return QString::fromStdString(info.key);
    std::string text = pageText(info.page, polish);
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
        std::string name = pageText(flag.page, flag.label);
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
