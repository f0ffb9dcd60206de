#include "history/VehicleHistoryDlg.h"

#include "backup/LoadCompareDlg.h"
#include "lang/Translate.h"
#include "settings/LoadPreview.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr const char* kTitle = "Historia pojazdu";
constexpr const char* kCompare = "Porównaj te dwie wizyty";
constexpr const char* kNoBackup = "Jedna z wizyt nie ma kopii ustawień, z którą można porównać.";
constexpr const char* kSame = "Ustawienia nie różnią się";
constexpr const char* kSkipped = "Pominięto uszkodzony wpis historii pojazdu:";

// Index of the visit in history().visits, on its top-level item.
constexpr int kVisitRole = Qt::UserRole + 1;

QString tr8(const char* polish) {
    return QString::fromStdString(vexor::translate(polish));
}

QString kindText(const std::string& kind) {
    static const std::pair<const char*, const char*> names[] = {
        {"connected", "Połączenie"},    {"fault", "Błąd sterownika"},
        {"obd", "Kod błędu OBD"},       {"backup", "Kopia zapasowa"},
        {"jobsheet", "Karta zlecenia"}, {"setting", "Zmieniono ustawienie"},
    };
    for (const auto& [key, polish] : names) {
        if (kind == key)
            return tr8(polish);
    }
    return QString::fromStdString(kind);
}

QString details(const SVisitEvent& e) {
    if (e.kind == "setting" && e.fields.size() == 3)
        return QString::fromStdString(e.fields[0] + ": " + e.fields[1] + " \u2192 " + e.fields[2]);
    if (e.kind == "connected" && e.fields.size() == 2)
        return QStringLiteral("VEXOR %1, %2")
            .arg(QString::fromStdString(e.fields[0]), QString::fromStdString(e.fields[1]));
    QStringList parts;
    for (const std::string& f : e.fields)
        parts << QString::fromStdString(f);
    return parts.join(QStringLiteral("  "));
}

} // namespace

CVehicleHistoryDlg::CVehicleHistoryDlg(const std::string& dataFolder, const std::string& serial,
                                       const Seams& seams, QWidget* parent)
    : QDialog(parent), m_history(vexor::loadVehicleHistory(dataFolder, serial)), m_seams(seams),
      m_show([](CLoadCompareDlg& dlg) { dlg.exec(); }) {
    setWindowTitle(tr8(kTitle));
    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels({tr8("Czas"), tr8("Zdarzenie"), QString()});
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->header()->setStretchLastSection(true);
    m_tree->setMinimumSize(640, 360);
    m_damaged = new QLabel(this);
    m_damaged->setWordWrap(true);
    m_compare = new QPushButton(tr8(kCompare), this);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->addButton(m_compare, QDialogButtonBox::ActionRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_damaged);
    layout->addWidget(close);

    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_compare, &QPushButton::clicked, this, &CVehicleHistoryDlg::OnCompare);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CVehicleHistoryDlg::updateButtons);
    fill();
    updateButtons();
}

void CVehicleHistoryDlg::fill() {
    // Newest visit first; inside a visit the events in the order they came.
    for (int i = static_cast<int>(m_history.visits.size()) - 1; i >= 0; --i) {
        const SVisit& visit = m_history.visits[static_cast<std::size_t>(i)];
        auto* top = new QTreeWidgetItem(m_tree);
        top->setText(0, QString::fromStdString(visit.day));
        top->setText(1, QString::fromStdString(visit.serial));
        top->setData(0, kVisitRole, i);
        for (const SVisitEvent& e : visit.events) {
            auto* row = new QTreeWidgetItem(top);
            row->setText(0, QString::fromStdString(e.time.substr(11)));
            row->setText(1, kindText(e.kind));
            row->setText(2, details(e));
            row->setFlags(Qt::ItemIsEnabled);
        }
    }
    if (m_tree->topLevelItemCount() > 0)
        m_tree->topLevelItem(0)->setExpanded(true);
    m_tree->resizeColumnToContents(0);
    m_tree->resizeColumnToContents(1);

    QStringList damaged;
    for (const std::string& d : m_history.damaged)
        damaged << tr8(kSkipped) + QStringLiteral(" ") + QString::fromStdString(d);
    m_damaged->setText(damaged.join(QLatin1Char('\n')));
    m_damaged->setVisible(!damaged.isEmpty());
}

void CVehicleHistoryDlg::updateButtons() {
    m_compare->setEnabled(m_tree->selectedItems().size() == 2);
}

void CVehicleHistoryDlg::OnCompare() {
    const auto picked = m_tree->selectedItems();
    if (picked.size() != 2)
        return;
    int a = picked[0]->data(0, kVisitRole).toInt();
    int b = picked[1]->data(0, kVisitRole).toInt();
    if (a > b)
        std::swap(a, b);
    DeviceSettings older;
    DeviceSettings newer;
    if (!vexor::visitSettings(m_history.visits[static_cast<std::size_t>(a)], older) ||
        !vexor::visitSettings(m_history.visits[static_cast<std::size_t>(b)], newer)) {
        m_seams.message(vexor::translate(kNoBackup), IUserPrompt::Icon::Information);
        return;
    }
    const auto changes = vexor::loadChanges(older, newer);
    if (changes.empty()) {
        m_seams.message(vexor::translate(kSame), IUserPrompt::Icon::Information);
        return;
    }
    CLoadCompareDlg comparison(changes, this);
    comparison.setViewOnly();
    m_show(comparison);
}
