#include "app/PortReportDlg.h"

#include "app/QtUserPrompt.h"
#include "connect/PortDoctor.h"
#include "lang/Translate.h"
#include "platform/PortTable.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kTxtHeading = "Porty szeregowe";
constexpr const char* kTxtDetails = "Szczegóły…";
constexpr const char* kTxtNoPorts = "Brak portów szeregowych do sprawdzenia";

QString tr8(const char* polish) {
    return QString::fromStdString(vexor::translate(polish));
}

} // namespace

CPortReportDlg::CPortReportDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(CQtUserPrompt::kCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr8(kTxtHeading), this));
    auto* report = new QPlainTextEdit(this);
    report->setObjectName(QStringLiteral("portReport"));
    report->setReadOnly(true);
    report->setLineWrapMode(QPlainTextEdit::NoWrap);
    report->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    report->setPlainText(QString::fromStdString(reportText()));
    report->setMinimumWidth(640);
    layout->addWidget(report);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

std::string CPortReportDlg::reportText() {
    const std::vector<std::string> table = vexor::currentPortTable();
    if (table.empty())
        return vexor::translate(kTxtNoPorts) + "\n";
    const vexor::CPortDoctor doctor;
    std::string text;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const vexor::SPortFinding finding = doctor.examine(table[i], static_cast<int>(i + 1), {});
        text += finding.path + ": " + finding.detail + "\n";
    }
    return text;
}

void addPortReportButton(QMessageBox& box) {
    QPushButton* details = box.addButton(tr8(kTxtDetails), QMessageBox::HelpRole);
    details->setObjectName(QStringLiteral("portDetails"));
    // Cut from the box's own handling, so the click opens the report instead
    // of answering the question.
    details->disconnect();
    QObject::connect(details, &QPushButton::clicked, &box, [&box] {
        CPortReportDlg dialog(&box);
        dialog.exec();
    });
}
