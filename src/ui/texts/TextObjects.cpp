#include "texts/TextObjects.h"

#include "maps/MapMenu.h"

#include "texts/AboutDlgTexts.h"
#include "texts/AdvancedPageTexts.h"
#include "texts/ChartDlgTexts.h"
#include "texts/ChartPageTexts.h"
#include "texts/ErrDlgTexts.h"
#include "texts/InjSizeDlgTexts.h"
#include "texts/LPGCNGDlgTexts.h"
#include "texts/LangDlgTexts.h"
#include "texts/MainCorrDlgTexts.h"
#include "texts/MainMenuTexts.h"
#include "texts/MapAddDlgTexts.h"
#include "texts/MapCreateTexts.h"
#include "texts/MapSetDlgTexts.h"
#include "texts/MapSubbDlgTexts.h"
#include "texts/MapTexts.h"
#include "texts/OBDPageTexts.h"
#include "texts/PanelGasTexts.h"
#include "texts/PanelGasolineTexts.h"
#include "texts/PasswdDlgTexts.h"
#include "texts/ServiceSetTexts.h"
#include "texts/ServiceTexts.h"
#include "texts/SettingsDlgTexts.h"
#include "texts/StatusTexts.h"
#include "texts/SwitchTexts.h"
#include "texts/ToolBarTexts.h"
#include "texts/ViewTexts.h"

namespace vexor {

namespace {

template <typename T> NamedTexts make(const char* name) {
    return NamedTexts{name, std::make_unique<T>()};
}

} // namespace

std::vector<NamedTexts> allTextObjects() {
    std::vector<NamedTexts> objects;
    objects.push_back(make<CAboutDlgTexts>("CAboutDlgTexts"));
    objects.push_back(make<CAdvancedPageTexts>("CAdvancedPageTexts"));
    objects.push_back(make<CChartDlgTexts>("CChartDlgTexts"));
    objects.push_back(make<CChartPageTexts>("CChartPageTexts"));
    objects.push_back(make<CErrDlgTexts>("CErrDlgTexts"));
    objects.push_back(make<CInjSizeDlgTexts>("CInjSizeDlgTexts"));
    objects.push_back(make<CLPGCNGDlgTexts>("CLPGCNGDlgTexts"));
    objects.push_back(make<CLangDlgTexts>("CLangDlgTexts"));
    objects.push_back(make<CMainCorrDlgTexts>("CMainCorrDlgTexts"));
    objects.push_back(make<CMainMenuTexts>("CMainMenuTexts"));
    objects.push_back(make<CMapAddDlgTexts>("CMapAddDlgTexts"));
    objects.push_back(make<CMapCreateTexts>("CMapCreateTexts"));
    objects.push_back(make<CMapSetDlgTexts>("CMapSetDlgTexts"));
    objects.push_back(make<CMapSubbDlgTexts>("CMapSubbDlgTexts"));
    objects.push_back(make<CMapTexts>("CMapTexts"));
    objects.push_back(make<COBDPageTexts>("COBDPageTexts"));
    objects.push_back(make<CPanelGasTexts>("CPanelGasTexts"));
    objects.push_back(make<CPanelGasolineTexts>("CPanelGasolineTexts"));
    objects.push_back(make<CPasswdDlgTexts>("CPasswdDlgTexts"));
    objects.push_back(make<CServiceSetTexts>("CServiceSetTexts"));
    objects.push_back(make<CServiceTexts>("CServiceTexts"));
    objects.push_back(make<CSettingsDlgTexts>("CSettingsDlgTexts"));
    objects.push_back(make<CStatusTexts>("CStatusTexts"));
    objects.push_back(make<CSwitchTexts>("CSwitchTexts"));
    objects.push_back(make<CToolBarTexts>("CToolBarTexts"));
    objects.push_back(make<CViewTexts>("CViewTexts"));
    return objects;
}

namespace {

// The context menu's items have no text object: each built-in language has a
// menu of its own, and the file languages look the Polish items up.
TextTable mapMenuTable() {
    using Item = const char* SMapMenuTexts::*;
    constexpr Item kItems[] = {&SMapMenuTexts::add, &SMapMenuTexts::subtract, &SMapMenuTexts::set,
                               &SMapMenuTexts::clear};
    TextTable table{"map menu", {}};
    for (Item item : kItems) {
        LangPairs pairs;
        for (int language = 0; language < kLanguageCount; ++language) {
            if (!isFileLanguage(language))
                pairs.emplace_back(language, mapMenuTexts(mapMenuId(language)).*item);
        }
        table.entries.push_back(std::move(pairs));
    }
    return table;
}

} // namespace

std::vector<TextTable> allTextTables() {
    std::vector<TextTable> tables;
    for (const NamedTexts& object : allTextObjects()) {
        TextTable table{object.name, {}};
        for (int id : object.texts->ids())
            table.entries.push_back(*object.texts->entry(id));
        tables.push_back(std::move(table));
    }
    tables.push_back(mapMenuTable());
    tables.push_back(phraseTable());
    return tables;
}

} // namespace vexor
