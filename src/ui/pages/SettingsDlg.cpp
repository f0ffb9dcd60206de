#include "pages/SettingsDlg.h"

#include "app/IDocumentPort.h"
#include "app/OpenSettingsFile.h"
#include "backup/BackupStore.h"
#include "backup/BackupsDlg.h"
#include "controls/CtrlId.h"
#include "lang/Translate.h"
#include "pages/AdvancedPageIds.h"
#include "pages/PanelWrite.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

using namespace vexor::ids;

namespace {
constexpr const char* kMsgLoaded = "Ustawienia wczytane z pliku zostały zapisane w sterowniku.";
constexpr const char* kMsgSaved = "Ustawienia zapisano do pliku.";
constexpr const char* kMsgDefaults = "Przywrócono ustawienia fabryczne.";
constexpr const char* kMsgUpdated = "Aktualizacja firmware zakończona.";
constexpr const char* kBtnBackups = "Kopie zapasowe";
constexpr const char* kBtnCompare = "Porównaj z plikiem…";
constexpr const char* kBtnOpenFile = "Otwórz plik ustawień…";
constexpr const char* kBtnToController = "Zapisz do sterownika";
} // namespace

CSettingsDlg::CSettingsDlg(IDocumentPort& doc, const Seams& seams, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_seams(seams), m_load(doc, seams, this) {
    auto* layout = new QVBoxLayout(this);
    const auto button = [this, layout](int id, void (CSettingsDlg::*slot)()) {
        auto* btn = new QPushButton(this);
        btn->setAutoDefault(false);
        vexor::setCtrlId(btn, id);
        layout->addWidget(btn);
        connect(btn, &QPushButton::clicked, this, slot);
    };
    button(kSetBtnRead, &CSettingsDlg::OnFileReadSettings);
    button(kSetBtnWrite, &CSettingsDlg::OnFileWriteSettings);
    button(kSetBtnDefaults, &CSettingsDlg::OnDefaultValues);
    button(kSetBtnFirmware, &CSettingsDlg::OnDeviceUpdate);
    m_texts.apply(this);
    // Without a controller a settings file can be edited by itself.
    if (!m_doc.isConnected()) {
        auto* btn = new QPushButton(QString::fromStdString(vexor::translate(kBtnOpenFile)), this);
        btn->setAutoDefault(false);
        btn->setObjectName(QString::fromUtf8(kBtnOpenFile));
        layout->addWidget(btn);
        connect(btn, &QPushButton::clicked, this, &CSettingsDlg::OnOpenSettingsFile);
    }
    if (m_doc.isOffline()) {
        auto* btn =
            new QPushButton(QString::fromStdString(vexor::translate(kBtnToController)), this);
        btn->setAutoDefault(false);
        btn->setObjectName(QString::fromUtf8(kBtnToController));
        layout->addWidget(btn);
        connect(btn, &QPushButton::clicked, this, &CSettingsDlg::OnWriteToController);
    }
    // Backups and comparisons need the controller's own image.
    if (m_doc.controller() != nullptr) {
        for (const auto& [text, slot] :
             {std::pair{kBtnBackups, &CSettingsDlg::OnBackups},
              std::pair{kBtnCompare, &CSettingsDlg::OnCompareWithFile}}) {
            auto* btn = new QPushButton(QString::fromStdString(vexor::translate(text)), this);
            btn->setAutoDefault(false);
            btn->setObjectName(QString::fromUtf8(text));
            layout->addWidget(btn);
            connect(btn, &QPushButton::clicked, this, slot);
        }
    }
}

CSettingsDlg::~CSettingsDlg() = default;

std::string CSettingsDlg::chooseSettingsFile() const {
    if (m_doc.controller() == nullptr || m_seams.chooser == nullptr)
        return {};
    return m_seams.chooser->openPath(m_doc.folder(IDocumentPort::Folder::Settings), "xset");
}

void CSettingsDlg::OnFileReadSettings() {
    // An edited file takes another file in its place; nothing is loaded
    // into a controller.
    if (m_doc.isOffline()) {
        OnOpenSettingsFile();
        return;
    }
    // Without the controller's image there is nothing to compare with: the
    // document loads the whole file.
    const DocResult result = m_doc.controller() == nullptr
                                 ? m_doc.readSettingsFile()
                                 : m_load.run(chooseSettingsFile(), "load");
    confirm(result, kMsgLoaded);
    accept();
}

void CSettingsDlg::OnOpenSettingsFile() {
    if (vexor::openSettingsFile(m_doc, m_seams))
        accept();
}

void CSettingsDlg::OnWriteToController() {
    IDocumentPort* controller = m_doc.controllerPort();
    if (controller == nullptr)
        return;
    bool connected = controller->isConnected();
    if (!connected) {
        CBusyScope busy(m_seams.cursor);
        vexor::runPanelHandler(m_seams, CSelectiveLoad::kHandler,
                               [&] { connected = controller->reconnect(); });
    }
    if (!connected) {
        m_seams.message(vexor::translate(vexor::kMsgPageNoConnection), IUserPrompt::Icon::Warning);
        return;
    }
    confirm(m_load.runImage(*controller, m_doc.settings()), kMsgLoaded);
    accept();
}

void CSettingsDlg::OnCompareWithFile() {
    m_load.show(chooseSettingsFile());
}

void CSettingsDlg::OnBackups() {
    if (m_doc.controller() == nullptr)
        return;
    const CBackupStore store(m_doc.dataFolder());
    // A comparison is a look before deciding: the list comes back after it,
    // until a backup is restored or the list is closed.
    for (;;) {
        CBackupsDlg backups(store, m_doc.settings().m_devInfo.m_serial, this);
        if (backups.exec() != QDialog::Accepted)
            return;
        if (backups.action() == CBackupsDlg::Action::Compare) {
            m_load.show(backups.chosen().path);
            continue;
        }
        if (backups.action() == CBackupsDlg::Action::Restore) {
            confirm(m_load.restore(backups.chosen().path), kMsgLoaded);
            accept();
        }
        return;
    }
}

void CSettingsDlg::OnFileWriteSettings() {
    confirm(m_doc.writeSettingsFile(), kMsgSaved);
    accept();
}

void CSettingsDlg::OnDefaultValues() {
    confirm(m_doc.restoreDefaults(), kMsgDefaults);
    accept();
}

void CSettingsDlg::OnDeviceUpdate() {
    const DocResult result =
        m_doc.updateFirmware([this](int done, int total) { showProgress(done, total); });
    if (m_progress != nullptr)
        m_progress->hide();
    confirm(result, kMsgUpdated);
    accept();
}

// The document has said what failed; only a success is still unsaid. A
// cancelled action ends quietly.
void CSettingsDlg::confirm(DocResult result, const char* polishDone) {
    if (result == DocResult::Done)
        m_seams.message(vexor::translate(polishDone), IUserPrompt::Icon::Information);
}

void CSettingsDlg::showProgress(int done, int total) {
    if (m_progress == nullptr) {
        // Flashing cannot be stopped half way without leaving the controller
        // without a program, so the display has no cancel button.
        m_progress = new QProgressDialog(this);
        m_progress->setCancelButton(nullptr);
        m_progress->setMinimumDuration(0);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setWindowTitle(m_texts.qtext(kSetBtnFirmware));
        m_progress->setLabelText(m_texts.qtext(kSetBtnFirmware));
    }
    m_progress->setMaximum(total > 0 ? total : 1);
    m_progress->setValue(done);
    if (!m_progress->isVisible())
        m_progress->show();
    // The update runs on this thread: let the display repaint between pages.
    m_seams.pumpEvents();
}
