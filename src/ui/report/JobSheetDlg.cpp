#include "report/JobSheetDlg.h"

#include "PagedHtml.h"
#include "app/IDocumentPort.h"
#include "doc/KorvantisDoc.h"
#include "lang/Translate.h"
#include "platform/AtomicFile.h"
#include "platform/StationCode.h"
#include "report/BackupBaseline.h"
#include "report/JobSheetBuilder.h"
#include "report/JobSheetHtml.h"
#include "report/JobSheetPhrases.h"
#include "report/JobSheetSession.h"
#include "report/Workshop.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#ifdef VEXOR_HAVE_PRINTER
#include <QPrintDialog>
#include <QPrinter>
#endif

#include <cstdio>
#include <ctime>
#include <optional>
#include <tuple>

namespace {

constexpr const char* kMsgWrite = "Nie można zapisać karty zlecenia do pliku";

QString tr8(const char* polish) {
    return QString::fromStdString(vexor::translate(polish));
}

} // namespace

CJobSheetDlg::CJobSheetDlg(IDocumentPort& doc, const Seams& seams, CJobSheetSession& session,
                           QWidget* parent)
    : QDialog(parent), m_doc(doc), m_seams(seams) {
    setWindowTitle(tr8(vexor::jobsheet::kTitle));
    const SWorkshop workshop = vexor::loadWorkshop(configFolder());
    m_name = new QLineEdit(QString::fromStdString(workshop.name), this);
    m_address = new QPlainTextEdit(QString::fromStdString(workshop.address), this);
    m_address->setMaximumHeight(m_address->fontMetrics().lineSpacing() * 4);
    m_preview = new QTextBrowser(this);

    auto* form = new QFormLayout;
    form->addRow(tr8("Nazwa warsztatu"), m_name);
    form->addRow(tr8("Adres warsztatu"), m_address);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* pdf = buttons->addButton(tr8("Zapisz PDF..."), QDialogButtonBox::ActionRole);
    QPushButton* html = buttons->addButton(tr8("Zapisz HTML..."), QDialogButtonBox::ActionRole);
#ifdef VEXOR_HAVE_PRINTER
    QPushButton* print = buttons->addButton(tr8("Drukuj..."), QDialogButtonBox::ActionRole);
    connect(print, &QPushButton::clicked, this, [this] { OnPrint(); });
#endif
    QPushButton* close = buttons->addButton(tr8("Zamknij"), QDialogButtonBox::RejectRole);
    connect(pdf, &QPushButton::clicked, this, [this] { OnSavePdf(); });
    connect(html, &QPushButton::clicked, this, [this] { OnSaveHtml(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_preview, 1);
    layout->addWidget(buttons);
    resize(760, 820);

    gather(session);
    connect(m_name, &QLineEdit::editingFinished, this, [this] { workshopEdited(); });
    connect(m_address, &QPlainTextEdit::textChanged, this, [this] { workshopEdited(); });
}

std::string CJobSheetDlg::configFolder() const {
    const CKorvantisDoc* doc = m_doc.document();
    return doc ? doc->registry().folder() : std::string();
}

void CJobSheetDlg::gather(CJobSheetSession& session) {
    SJobSheetInputs inputs;
    inputs.settings = &m_doc.settings();
    inputs.when = std::time(nullptr);
    inputs.demo = m_doc.isDemo();
    vexor::stationCode(inputs.thisStation.data());
    CDiag record;
    if (m_doc.latestRecord(record))
        inputs.liveRecord = record;
    std::optional<DeviceSettings> baseline;
    CKorvantisDoc* doc = m_doc.document();
    if (doc && m_doc.isConnected()) {
        std::tie(inputs.atConnection, inputs.now) = session.read(*doc);
        LoadMap map;
        if (doc->readGasolineMap(map))
            inputs.petrolLoadMap = map;
        if (doc->readLpgMap(map))
            inputs.gasLoadMap = map;
        if (!m_doc.isDemo())
            baseline = vexor::dayBaseline(doc->dataFolder(), m_doc.settings().m_devInfo.m_serial,
                                          inputs.when);
    }
    if (doc)
        inputs.calibration = doc->lastAutoCalibration();
    inputs.baseline = baseline ? &*baseline : nullptr;
    m_sheet = vexor::buildJobSheet(inputs);
    workshopEdited();
}

void CJobSheetDlg::workshopEdited() {
    m_sheet.workshopName = m_name->text().toStdString();
    m_sheet.workshopAddress = m_address->toPlainText().toStdString();
    m_preview->setHtml(QString::fromStdString(html()));
    const SWorkshop workshop{m_sheet.workshopName, m_sheet.workshopAddress};
    if (!(workshop == vexor::loadWorkshop(configFolder())))
        vexor::saveWorkshop(configFolder(), workshop);
}

void CJobSheetDlg::run(IDocumentPort& doc, const Seams& seams, QWidget* parent) {
    // One session for the program run: the first sheet of a controller
    // keeps what was found then.
    static CJobSheetSession session;
    CJobSheetDlg dialog(doc, seams, session, parent);
    dialog.exec();
}

std::string CJobSheetDlg::html() const {
    return vexor::jobSheetHtml(m_sheet);
}

void CJobSheetDlg::failed() const {
    m_seams.message(vexor::translate(kMsgWrite), IUserPrompt::Icon::Error);
}

bool CJobSheetDlg::OnSavePdf() {
    if (!m_seams.chooser)
        return false;
    const std::string path = m_seams.chooser->savePath(
        m_doc.document() ? m_doc.document()->dataFolder() : std::string(), "pdf", "job-sheet.pdf");
    if (path.empty())
        return false;
    std::string error;
    if (!vexor::print::writePdf(html(), vexor::translate(vexor::jobsheet::kTitle), path, error)) {
        failed();
        return false;
    }
    return true;
}

bool CJobSheetDlg::OnSaveHtml() {
    if (!m_seams.chooser)
        return false;
    const std::string path =
        m_seams.chooser->savePath(m_doc.document() ? m_doc.document()->dataFolder() : std::string(),
                                  "html", "job-sheet.html");
    if (path.empty())
        return false;
    const std::string text = html();
    CAtomicFile file;
    if (!file.open(path) ||
        std::fwrite(text.data(), 1, text.size(), file.stream()) != text.size() || !file.commit()) {
        failed();
        return false;
    }
    return true;
}

void CJobSheetDlg::OnPrint() {
#ifdef VEXOR_HAVE_PRINTER
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    vexor::print::paintHtml(html(), printer);
#endif
}
