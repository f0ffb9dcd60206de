#pragma once

#include "maps/InjMapModel.h"
#include "maps/MapEditor.h"
#include "maps/MapRegion.h"
#include "platform/Seams.h"

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class CLPGDevice;
class QLineEdit;
class QMenu;

// The injection map grid: header row and column, 19 x 15 coloured value
// cells, the mouse selection, the live-point marker with the trail of the
// last seconds and (on request) the visits as a heat overlay, the
// right-click menu with its value dialogs, undo / redo, copy / paste and
// smoothing, and an in-place editor over a cell. Every edit goes through
// CMapEditor, which sends it to the controller.
//
// Keys (the grid takes the focus by click or Tab): arrows move the cursor
// cell, Shift+arrows extend the selection, a digit opens the editor with it,
// Enter / F2 open it with the cell's value, + / - step the selection by one,
// Page Up / Page Down do the same when let go, Ctrl+Z / Ctrl+Y undo and
// redo, Ctrl+C / Ctrl+V copy and paste.
//
// Painting covers only the cells inside the invalidated area; a cell change
// invalidates just that cell, and a live refresh only the trail's area.
class CMapGrid : public QWidget {
    Q_OBJECT
public:
    // Asks the fitter for the value of an add / subtract / set; nothing means
    // Cancel. The default shows the value dialogs.
    using ValueAsker = std::function<std::optional<int>(vexor::MapOp)>;

    explicit CMapGrid(QWidget* parent = nullptr);
    ~CMapGrid() override;

    // The controller the edits go to; null leaves the grid on its own (edits
    // change only the grid).
    void setDevice(CLPGDevice* device);
    // Seams for the value dialogs' message.
    void setSeams(const Seams& seams);
    // Edits a settings file's image: nothing is sent, `edited` is told after
    // each change (see CMapEditor::setFileImage). Null edits the device's.
    void setFileImage(DeviceSettings* image, std::function<void()> edited = {});
    void setValueAsker(ValueAsker asker) { m_asker = std::move(asker); }

    CInjMapModel& model() { return m_model; }
    CMapEditor& editor() { return *m_editor; }
    const CInjMapModel& model() const { return m_model; }

    // The right-click menu resource for the interface language.
    void setMenuId(int menuId) { m_menuId = menuId; }
    int menuId() const { return m_menuId; }
    // The right-click menu as it would be shown now (the caller owns it).
    QMenu* createMenu(QWidget* parent);

    void setCellValue(int column, int row, double value);
    double cellValue(int column, int row) const;
    void clearAll();
    // Repaint the cells of the live point after the model moved it from
    // `previous`.
    void livePointMoved(SCellIndex previous);
    // After a live refresh: repaints where the trail was and is.
    void trailChanged();
    // The visits as a heat overlay over the cells.
    void setHeatShown(bool shown);
    bool heatShown() const { return m_heatShown; }
    QRect cellRect(SCellIndex cell) const;

    QLineEdit* cellEditor() const { return m_cellEdit; }
    // Opens the in-place editor over a cell with its text, or with `typed`
    // (the digit that opened it).
    void editCell(SCellIndex cell, const QString& typed = QString());
    bool isEditing() const { return m_editing.has_value(); }

    QSize sizeHint() const override;

public slots:
    void onMapAdd();
    void onMapSubb();
    void onMapSet();
    void onMapClear();
    void incrementSelected(int step);
    void onMapUndo();
    void onMapRedo();
    void onMapCopy();
    void onMapPaste();
    void onMapSmooth();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The cursor cell's frame shows only while the grid has the keyboard.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::optional<int> askValue(vexor::MapOp op);
    void repaintCells(const std::vector<SCellIndex>& cells);
    // The keys beyond the Part's Page keys; true when the key was used.
    bool editingKey(QKeyEvent* event);
    void commitEdit();
    // Draws headers and cells into m_cells.
    void renderCells();
    // The trail's area in pixels (empty without points).
    QRect trailRect() const;
    void cancelEdit();

    CInjMapModel m_model;
    // Stands in for the controller while no device was given: never
    // connected, so edits stay in the grid.
    std::unique_ptr<CLPGDevice> m_offline;
    std::unique_ptr<CMapEditor> m_editor;
    Seams m_seams;
    ValueAsker m_asker;
    int m_menuId;
    QLineEdit* m_cellEdit;
    std::optional<SCellIndex> m_editing;
    bool m_heatShown = false;
    QPixmap m_cells;
    unsigned m_cellsVersion = 0;
    bool m_cellsValid = false;
    QRect m_trailArea;
};
