#pragma once

#include "doc/DocResult.h"
#include "platform/Seams.h"
#include "texts/SettingsDlgTexts.h"

#include <QDialog>

class IDocumentPort;
class QProgressDialog;

// Starts the document's whole-image actions: read settings from a file, write
// them to a file, restore the factory settings, update the firmware. Each
// button runs its action (which reports its failures itself), confirms a
// success and closes the dialog.
class CSettingsDlg : public QDialog {
    Q_OBJECT
public:
    CSettingsDlg(IDocumentPort& doc, const Seams& seams, QWidget* parent = nullptr);
    ~CSettingsDlg() override;

    // The progress display of the last firmware update (null before one).
    QProgressDialog* progress() const { return m_progress; }

public slots:
    void OnFileReadSettings();
    void OnFileWriteSettings();
    void OnDefaultValues();
    void OnDeviceUpdate();

private:
    // Pages done of the pages to send; shows the display when it is hidden.
    void showProgress(int done, int total);
    void confirm(DocResult result, const char* polishDone);

    IDocumentPort& m_doc;
    Seams m_seams;
    CSettingsDlgTexts m_texts;
    QProgressDialog* m_progress = nullptr;
};
