#pragma once

#include "backup/SelectiveLoad.h"
#include "doc/DocResult.h"
#include "platform/Seams.h"
#include "texts/SettingsDlgTexts.h"

#include <QDialog>

class IDocumentPort;
class QProgressDialog;

// Starts the document's whole-image actions: read settings from a file, write
// them to a file, restore the factory settings, update the firmware; and
// shows the controller's automatic backups and compares a file with the
// controller. Reading a file (or restoring a backup) first shows what it
// would change and writes only the settings left ticked. Each button runs
// its action (which reports its failures itself), confirms a success and
// closes the dialog.
class CSettingsDlg : public QDialog {
    Q_OBJECT
public:
    CSettingsDlg(IDocumentPort& doc, const Seams& seams, QWidget* parent = nullptr);
    ~CSettingsDlg() override;

    // The progress display of the last firmware update (null before one).
    QProgressDialog* progress() const { return m_progress; }
    // The comparison shown before a load (tests answer it).
    CSelectiveLoad& selectiveLoad() { return m_load; }

public slots:
    void OnFileReadSettings();
    void OnFileWriteSettings();
    void OnDefaultValues();
    void OnDeviceUpdate();
    // The backups of the connected controller, newest first: "Compare…"
    // shows what the backup differs in, "Restore…" loads it as a file is
    // loaded (comparison first, only the ticked settings written).
    void OnBackups();
    // Shows what a settings file differs in from the controller; writes
    // nothing.
    void OnCompareWithFile();

private:
    // Pages done of the pages to send; shows the display when it is hidden.
    void showProgress(int done, int total);
    void confirm(DocResult result, const char* polishDone);
    // A settings file through the comparison; "" when the choice was cancelled.
    std::string chooseSettingsFile() const;

    IDocumentPort& m_doc;
    Seams m_seams;
    CSettingsDlgTexts m_texts;
    QProgressDialog* m_progress = nullptr;
    CSelectiveLoad m_load;
};
