#include "diag/ObdScanWidgets.h"

#include "controls/ColorStatic.h"
#include "controls/CtrlId.h"
#include "diag/DiagIds.h"
#include "lang/Translate.h"

#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

using namespace vexor::ids::diag;

namespace {

QString tr8(const char* polish) {
    return QString::fromStdString(vexor::translate(polish));
}

template <class T> T* withId(T* widget, int id) {
    vexor::setCtrlId(widget, id);
    return widget;
}

QTreeWidget* table(QWidget* parent, int id, int columns) {
    auto* tree = withId(new QTreeWidget(parent), id);
    tree->setColumnCount(columns);
    tree->setRootIsDecorated(false);
    tree->setHeaderHidden(true);
    tree->setSelectionMode(QAbstractItemView::NoSelection);
    tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < columns; ++c)
        tree->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    tree->header()->setStretchLastSection(false);
    return tree;
}

// Rows of a table, or the note on a row of its own when there are none.
template <std::size_t N>
void fillTable(QTreeWidget* tree, const std::vector<std::array<std::string, N>>& rows,
               const std::string& note) {
    tree->clear();
    for (const auto& row : rows) {
        QStringList cells;
        for (const std::string& cell : row)
            cells << QString::fromStdString(cell);
        tree->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    if (rows.empty() && !note.empty())
        tree->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromStdString(note)}));
}

void fillList(QListWidget* list, const std::vector<std::string>& lines, const std::string& note) {
    list->clear();
    for (const std::string& line : lines)
        list->addItem(QString::fromStdString(line));
    if (lines.empty() && !note.empty()) {
        list->addItem(QString::fromStdString(note));
        list->item(0)->setFlags(Qt::NoItemFlags);
    }
}

} // namespace

CObdScanWidgets::CObdScanWidgets(QWidget* parent)
    : m_dataTabs(withId(new QTabWidget(parent), kScanTabs)),
      m_readiness(table(parent, kReadinessTable, 2)), m_freeze(table(parent, kFreezeTable, 3)),
      m_pending(withId(new QListWidget(parent), kPendingList)),
      m_permanent(withId(new QListWidget(parent), kPermanentList)),
      m_read(withId(new QPushButton(parent), kBtnReadScan)),
      m_vin(withId(new CColorStatic(parent), kVinField)),
      m_calibration(withId(new CColorStatic(parent), kCalibrationField)) {
    m_dataTabs->addTab(m_readiness, QString());
    m_dataTabs->addTab(m_freeze, QString());
    for (CColorStatic* field : {m_vin, m_calibration}) {
        field->setFramed(true);
        field->setMinimumWidth(160);
    }
}

void CObdScanWidgets::addCodeTabs(QTabWidget* codeTabs) {
    codeTabs->addTab(m_pending, QString());
    codeTabs->addTab(m_permanent, QString());
}

void CObdScanWidgets::applyTexts(QTabWidget* codeTabs) {
    m_dataTabs->setTabText(0, tr8("Gotowość OBD"));
    m_dataTabs->setTabText(1, tr8("Zamrożona ramka"));
    codeTabs->setTabText(0, tr8("Zapisane"));
    codeTabs->setTabText(1, tr8("Oczekujące"));
    codeTabs->setTabText(2, tr8("Stałe"));
    m_read->setText(tr8("Wczytaj dane diagnostyczne"));
}

void CObdScanWidgets::show(const SObdPageView& v) {
    fillTable(m_readiness, v.readiness, v.readinessNote);
    fillTable(m_freeze, v.freezeFrame, v.freezeNote);
    fillList(m_pending, v.pendingCodes, v.pendingNote);
    fillList(m_permanent, v.permanentCodes, v.permanentNote);
    m_vin->setText(QString::fromStdString(v.vin));
    m_calibration->setText(QString::fromStdString(v.calibrationId));
    m_read->setEnabled(v.codeButtonsEnabled);
}
