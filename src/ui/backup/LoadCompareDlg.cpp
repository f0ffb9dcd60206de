#include "backup/LoadCompareDlg.h"

#include "backup/SettingLabels.h"
#include "lang/Translate.h"
#include "lang/UnitText.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using vexor::LoadChange;
using vexor::SettingPage;

namespace {

QString tr8(const std::string& polish) {
    return QString::fromStdString(vexor::translate(polish));
}

// Each row keeps its keys (one, or every differing map cell).
constexpr int kKeysRole = Qt::UserRole + 1;
constexpr int kCellPixels = 4;

enum Column { ColSetting, ColUnit, ColController, ColFile };

bool isMapCell(const LoadChange& change) {
    return change.info->key.rfind("m_injMapTable[", 0) == 0;
}

// Row and column of a map cell from its key "m_injMapTable[R][C]".
bool cellOf(const std::string& key, int& row, int& col) {
    int band = 0;
    int rpm = 0;
    if (std::sscanf(key.c_str(), "m_injMapTable[%d][%d]", &band, &rpm) != 2)
        return false;
    row = band - 2;
    col = (rpm - 1000) / 500;
    return true;
}

// The map with its differing cells marked, row "< 2" at the bottom as the
// map page draws it.
QPixmap mapPicture(const std::vector<const LoadChange*>& cells) {
    QPixmap picture(DeviceSettings::kMapCols * kCellPixels, DeviceSettings::kMapRows * kCellPixels);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::gray);
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::red);
    for (const LoadChange* cell : cells) {
        int row = 0;
        int col = 0;
        if (cellOf(cell->info->key, row, col))
            painter.drawRect(col * kCellPixels, (DeviceSettings::kMapRows - 1 - row) * kCellPixels,
                             kCellPixels, kCellPixels);
    }
    return picture;
}

} // namespace

CLoadCompareDlg::CLoadCompareDlg(const std::vector<LoadChange>& changes, QWidget* parent)
    : QDialog(parent), m_changes(changes) {
    setWindowTitle(tr8("Porównanie ustawień"));
    auto* layout = new QVBoxLayout(this);
    m_note = new QLabel(this);
    layout->addWidget(m_note);
    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(4);
    m_tree->setHeaderLabels({tr8("Ustawienie"), tr8("Jednostka"), tr8("Sterownik"), tr8("Plik")});
    m_tree->setIconSize(
        QSize(DeviceSettings::kMapCols * kCellPixels, DeviceSettings::kMapRows * kCellPixels));
    layout->addWidget(m_tree);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_write = new QPushButton(tr8("Zapisz zaznaczone"), this);
    auto* cancel = new QPushButton(tr8(m_changes.empty() ? "Zamknij" : "Anuluj"), this);
    buttons->addWidget(m_write);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_write, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    std::vector<const LoadChange*> cells;
    for (const LoadChange& change : m_changes) {
        if (isMapCell(change)) {
            cells.push_back(&change);
            continue;
        }
        const auto* info = change.info;
        const QString label = vexor::settingLabel(*info);
        auto* item = new QTreeWidgetItem(pageItem(info->page));
        item->setText(ColSetting, label);
        item->setToolTip(ColSetting, QString::fromStdString(info->key));
        item->setText(ColUnit, QString::fromStdString(vexor::unitText(info->unit)));
        if (info->kind == vexor::SettingKind::Flags) {
            // A flags byte reads as the options that differ, not as numbers.
            const auto controller = static_cast<unsigned>(std::atoi(change.controller.c_str()));
            const auto file = static_cast<unsigned>(std::atoi(change.file.c_str()));
            item->setText(ColController, vexor::settingFlagsText(*info, controller, file));
            item->setText(ColFile, vexor::settingFlagsText(*info, file, controller));
        } else {
            item->setText(ColController, tr8(change.controller));
            item->setText(ColFile, tr8(change.file));
        }
        item->setCheckState(ColSetting, Qt::Checked);
        item->setData(ColSetting, kKeysRole, QStringList{QString::fromStdString(info->key)});
    }
    if (!cells.empty())
        addMapRow(cells);

    m_tree->expandAll();
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    fitToContent();
    m_note->setText(m_changes.empty() ? tr8("Ustawienia nie różnią się") : QString());
    m_note->setVisible(m_changes.empty());
    connect(m_tree, &QTreeWidget::itemChanged, this, [this] { updateWriteButton(); });
    updateWriteButton();
}

void CLoadCompareDlg::fitToContent() {
    // Every column in view from the start, the file's too, as far as the
    // screen allows.
    m_tree->header()->resizeSections(QHeaderView::ResizeToContents);
    int width = m_tree->header()->length() + m_tree->verticalScrollBar()->sizeHint().width() +
                2 * m_tree->frameWidth() + 40;
    int height = sizeHint().height() + 20 * m_tree->fontMetrics().height();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
        height = std::min(height, screen->availableGeometry().height() * 8 / 10);
    }
    resize(std::max(width, 500), std::max(height, 300));
}

QTreeWidgetItem* CLoadCompareDlg::pageItem(SettingPage page) {
    const QString caption = tr8(vexor::pageCaption(page));
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        if (m_tree->topLevelItem(i)->text(ColSetting) == caption)
            return m_tree->topLevelItem(i);
    }
    auto* item = new QTreeWidgetItem(m_tree);
    item->setText(ColSetting, caption);
    item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
    return item;
}

void CLoadCompareDlg::addMapRow(const std::vector<const LoadChange*>& cells) {
    auto* item = new QTreeWidgetItem(pageItem(SettingPage::Map));
    item->setText(ColSetting, tr8("Komórki mapy") + ": " + QString::number(cells.size()));
    item->setText(ColUnit, QStringLiteral("%"));
    item->setIcon(ColFile, QIcon(mapPicture(cells)));
    item->setCheckState(ColSetting, Qt::Checked);
    QStringList keys;
    for (const LoadChange* cell : cells)
        keys << QString::fromStdString(cell->info->key);
    item->setData(ColSetting, kKeysRole, keys);
}

std::vector<std::string> CLoadCompareDlg::tickedKeys() const {
    std::vector<std::string> keys;
    for (int p = 0; p < m_tree->topLevelItemCount(); ++p) {
        const QTreeWidgetItem* page = m_tree->topLevelItem(p);
        for (int r = 0; r < page->childCount(); ++r) {
            const QTreeWidgetItem* row = page->child(r);
            if (row->checkState(ColSetting) != Qt::Checked)
                continue;
            for (const QString& key : row->data(ColSetting, kKeysRole).toStringList())
                keys.push_back(key.toStdString());
        }
    }
    return keys;
}

QTreeWidgetItem* CLoadCompareDlg::rowOf(const std::string& key) const {
    const QString wanted = QString::fromStdString(key);
    for (int p = 0; p < m_tree->topLevelItemCount(); ++p) {
        QTreeWidgetItem* page = m_tree->topLevelItem(p);
        for (int r = 0; r < page->childCount(); ++r) {
            if (page->child(r)->data(ColSetting, kKeysRole).toStringList().contains(wanted))
                return page->child(r);
        }
    }
    return nullptr;
}

void CLoadCompareDlg::updateWriteButton() {
    m_write->setEnabled(!m_viewOnly && !tickedKeys().empty());
    m_write->setVisible(!m_viewOnly && !m_changes.empty());
}

void CLoadCompareDlg::setViewOnly() {
    m_viewOnly = true;
    for (int p = 0; p < m_tree->topLevelItemCount(); ++p) {
        QTreeWidgetItem* page = m_tree->topLevelItem(p);
        for (int r = 0; r < page->childCount(); ++r) {
            page->child(r)->setData(ColSetting, Qt::CheckStateRole, QVariant());
            page->child(r)->setFlags(page->child(r)->flags() & ~Qt::ItemIsUserCheckable);
        }
    }
    updateWriteButton();
}
