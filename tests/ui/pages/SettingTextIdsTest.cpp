// A setting is named by the text of the control that edits it: the id a row
// names must hold, in the page's own table, the row's Polish label, and every
// row a page edits must have one.

#include "pages/SettingTextIds.h"
#include "lang/Language.h"
#include "settings/SettingsSchema.h"
#include "texts/AdvancedPageTexts.h"
#include "texts/PanelGasTexts.h"
#include "texts/PanelGasolineTexts.h"
#include "texts/ServiceSetTexts.h"
#include "texts/SwitchTexts.h"

#include <QTest>

#include <memory>
#include <string>

using namespace vexor;

namespace {

std::unique_ptr<CMultiLangText> pageTexts(SettingPage page) {
    switch (page) {
    case SettingPage::Gasoline:
        return std::make_unique<CPanelGasolineTexts>();
    case SettingPage::Gas:
        return std::make_unique<CPanelGasTexts>();
    case SettingPage::Switch:
        return std::make_unique<CSwitchTexts>();
    case SettingPage::Advanced:
        return std::make_unique<CAdvancedPageTexts>();
    case SettingPage::Service:
        return std::make_unique<CServiceSetTexts>();
    default:
        return nullptr;
    }
}

// The id names the Polish text on the page; a page with a text table names
// every control it edits.
void expectNamed(const std::string& what, SettingPage page, const std::string& polish, int id) {
    const auto texts = pageTexts(page);
    if (texts == nullptr || polish.empty()) {
        QVERIFY2(id < 0,
                 qPrintable(QString::fromStdString(what + ": an id on a page without texts")));
        return;
    }
    QVERIFY2(id >= 0, qPrintable(QString::fromStdString(what + ": no text id")));
    QVERIFY2(texts->contains(id),
             qPrintable(QString::fromStdString(what + ": id not in the table")));
    QCOMPARE(QString::fromStdString(texts->text(id)), QString::fromStdString(polish));
}

} // namespace

class SettingTextIdsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { setCurrentLanguage(kLangPolish); }

    void everyEditedRowIsNamedByItsPageText() {
        int named = 0;
        for (const SettingInfo& info : settingsSchema()) {
            if (info.kind == SettingKind::Flags)
                continue;
            const std::string polish = *info.label ? info.label : info.group;
            expectNamed(info.key, info.page, polish, settingTextId(info));
            named += settingTextId(info) >= 0 ? 1 : 0;
        }
        QVERIFY(named > 30);
    }

    void everyFlagBitIsNamedByItsCheckBox() {
        int named = 0;
        for (const SettingInfo& info : settingsSchema()) {
            for (const SettingFlag& flag : info.flags) {
                const std::string what = info.key + " bit " + std::to_string(flag.mask);
                expectNamed(what, flag.page, flag.label, settingFlagTextId(info, flag));
                named += settingFlagTextId(info, flag) >= 0 ? 1 : 0;
            }
            // A flags row is named by its bits, never as a whole.
            if (info.kind == SettingKind::Flags)
                QCOMPARE(settingTextId(info), -1);
        }
        QVERIFY(named > 10);
    }
};

QTEST_MAIN(SettingTextIdsTest)
#include "SettingTextIdsTest.moc"
