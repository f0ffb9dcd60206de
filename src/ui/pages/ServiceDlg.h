#pragma once

#include "platform/Seams.h"
#include "texts/ServiceTexts.h"

#include <QDialog>

class IDocumentPort;
class QLabel;
class QPushButton;

// Vehicle information: petrol and gas work times, the station code of the
// computer that last wrote the settings and of this one, and the gas hours
// left until the next inspection. Nothing is filled without a controller.
class CServiceDlg : public QDialog {
    Q_OBJECT
public:
    CServiceDlg(IDocumentPort& doc, const Seams& seams, QWidget* parent = nullptr);

public slots:
    // Opens the inspection-interval dialog, then shows the inspection anew.
    void OnBtnSetService();

private:
    void OnInitDialog();
    void showInspection();

    IDocumentPort& m_doc;
    Seams m_seams;
    CServiceTexts m_texts;
    QLabel* m_petrolTime;
    QLabel* m_gasTime;
    QLabel* m_lastModified;
    QLabel* m_thisStation;
    QLabel* m_hoursLeft;
    QLabel* m_hoursUnit;
};
