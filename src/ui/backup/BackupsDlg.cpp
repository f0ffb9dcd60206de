#include "backup/BackupsDlg.h"

#include "lang/Translate.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString tr8(const char* polish) {
    return QString::fromStdString(vexor::translate(polish));
}

} // namespace

const char* CBackupsDlg::reasonText(const std::string& reason) {
    if (reason == "load")
        return "Wczytanie ustawień";
    if (reason == "defaults")
        return "Przywrócenie ustawień fabrycznych";
    if (reason == "restore")
        return "Przywrócenie kopii";
    if (reason == "flash")
        return "Aktualizacja oprogramowania";
    if (reason == "map")
        return "Zmiana mapy";
    if (reason == "edit")
        return "Zmiana ustawień";
    return "";
}

CBackupsDlg::CBackupsDlg(const CBackupStore& store, const std::string& serial, QWidget* parent)
    : QDialog(parent), m_entries(store.list(serial)) {
    std::reverse(m_entries.begin(), m_entries.end());
    setWindowTitle(tr8("Kopie zapasowe"));
    auto* layout = new QVBoxLayout(this);
    m_table = new QTableWidget(static_cast<int>(m_entries.size()), 3, this);
    m_table->setHorizontalHeaderLabels({tr8("Czas kopii"), tr8("Powód"), tr8("Numer seryjny")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    for (int row = 0; row < static_cast<int>(m_entries.size()); ++row) {
        const CBackupStore::SEntry& e = m_entries[static_cast<std::size_t>(row)];
        const char* reason = reasonText(e.reason);
        m_table->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(e.time)));
        m_table->setItem(
            row, 1, new QTableWidgetItem(*reason ? tr8(reason) : QString::fromStdString(e.reason)));
        m_table->setItem(row, 2, new QTableWidgetItem(QString::fromStdString(e.serial)));
    }
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_table);

    auto* buttons = new QHBoxLayout;
    m_compare = new QPushButton(tr8("Porównaj…"), this);
    m_restore = new QPushButton(tr8("Przywróć…"), this);
    auto* close = new QPushButton(tr8("Zamknij"), this);
    buttons->addWidget(m_compare);
    buttons->addWidget(m_restore);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_compare, &QPushButton::clicked, this, [this] { finish(Action::Compare); });
    connect(m_restore, &QPushButton::clicked, this, [this] { finish(Action::Restore); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    const auto enable = [this] {
        const bool chosen = m_table->currentRow() >= 0 && !m_table->selectedItems().isEmpty();
        m_compare->setEnabled(chosen);
        m_restore->setEnabled(chosen);
    };
    connect(m_table, &QTableWidget::itemSelectionChanged, this, enable);
    enable();
}

void CBackupsDlg::finish(Action action) {
    const int row = m_table->currentRow();
    if (row < 0 || row >= static_cast<int>(m_entries.size()))
        return;
    m_action = action;
    m_chosen = m_entries[static_cast<std::size_t>(row)];
    accept();
}
