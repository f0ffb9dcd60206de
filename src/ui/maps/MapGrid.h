#pragma once

#include "maps/InjMapModel.h"
#include "maps/MapEditor.h"
#include "maps/MapRegion.h"
#include "platform/Seams.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class CLPGDevice;
class QLineEdit;
class QMenu;

// The injection map grid: header row and column, 19 x 15 coloured value
// cells, the mouse selection, the live-point marker, Page Up / Page Down on
// the selection, the right-click menu with its value dialogs, and an in-place
// editor opened by a double click on a cell. Every edit goes through
// CMapEditor, which sends it to the controller while one is connected.
//
// Painting covers only the cells inside the invalidated area; a cell change
// invalidates just that cell, so the live point can move on every display
// tick without redrawing the grid.
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
    void setSeams(const Seams& seams) { m_seams = seams; }
    void setValueAsker(ValueAsker asker) { m_asker = std::move(asker); }

    CInjMapModel& model() { return m_model; }
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
    QRect cellRect(SCellIndex cell) const;

    QLineEdit* cellEditor() const { return m_cellEdit; }
    // Opens the in-place editor over a cell with its text.
    void editCell(SCellIndex cell);
    bool isEditing() const { return m_editing.has_value(); }

    QSize sizeHint() const override;

public slots:
    void onMapAdd();
    void onMapSubb();
    void onMapSet();
    void onMapClear();
    void incrementSelected(int step);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<int> askValue(vexor::MapOp op);
    // After an edit: the selected cells changed.
    void repaintSelection();
    void repaintCells(const std::vector<SCellIndex>& cells);
    void commitEdit();
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
};
