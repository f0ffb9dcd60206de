#include "backup/SettingLabels.h"

#include "common/IError.h"
#include "lang/Translate.h"
#include "texts/AdvancedPageTexts.h"
#include "texts/PanelGasTexts.h"
#include "texts/PanelGasolineTexts.h"
#include "texts/ServiceSetTexts.h"
#include "texts/SwitchTexts.h"

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
    return QString::fromStdString(text);
}

} // namespace vexor
