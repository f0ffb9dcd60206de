#pragma once

#include "maps/tools/MainCorrEditor.h"
#include "texts/MainCorrDlgTexts.h"

#include <QDialog>

#include <array>

class CUpDownCtrl;
class IDocumentPort;
class QCheckBox;
class QLabel;
class QLineEdit;

// "Korekcje": the constant-time correction per cylinder. Each up-down step
// changes one field (or all of them with "Zmiana dla wszystkich") and writes
// all eight corrections to the controller at once.
class CMainCorrDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 144;

    CMainCorrDlg(IMainCorrDevice& device, const Seams& seams, QWidget* parent = nullptr);

    // The toolbar command: the dialog over the document's device, shown
    // modally. Does nothing when no device stands behind the document.
    static void run(IDocumentPort& doc, const Seams& seams, QWidget* parent);
    // Asked before a correction is written (the controller's backup).
    void setChangeGuard(std::function<bool()> guard) { m_editor.setChangeGuard(std::move(guard)); }

    QLineEdit* field(int row) const { return m_fields[static_cast<size_t>(row)]; }
    CUpDownCtrl* fineSpin(int row) const { return m_fine[static_cast<size_t>(row)]; }
    CUpDownCtrl* coarseSpin(int row) const { return m_coarse[static_cast<size_t>(row)]; }
    QCheckBox* changeAllBox() const { return m_changeAll; }

    // OK: what was typed is written before the dialog closes.
    void onOk();
    // One up-down step on a row (delta -1 raises the value).
    void onDeltaSpinMainCorr(int row, int delta, CMainCorrEditor::Spin spin);

private:
    void showFields();
    void enableSpins();

    CMainCorrDlgTexts m_texts;
    CMainCorrEditor m_editor;
    std::array<QLineEdit*, CMainCorrEditor::kRows> m_fields{};
    std::array<CUpDownCtrl*, CMainCorrEditor::kRows> m_fine{};
    std::array<CUpDownCtrl*, CMainCorrEditor::kRows> m_coarse{};
    std::array<QWidget*, CMainCorrEditor::kRows> m_rowWidgets{};
    QCheckBox* m_changeAll;
};
