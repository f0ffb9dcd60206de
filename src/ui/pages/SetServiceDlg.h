#pragma once

#include "platform/Seams.h"
#include "texts/ServiceSetTexts.h"

#include <QDialog>

class CValueCmbBox;
class IDocumentPort;

// Sets the inspection reminder: the distance to the next inspection, turned
// into gas work time at an assumed 50 km per hour and written to the
// controller. A refused write keeps the dialog open.
class CSetServiceDlg : public QDialog {
    Q_OBJECT
public:
    CSetServiceDlg(IDocumentPort& doc, const Seams& seams, QWidget* parent = nullptr);

    CValueCmbBox* distance() const { return m_distance; }

public slots:
    void accept() override;

private:
    IDocumentPort& m_doc;
    Seams m_seams;
    CServiceSetTexts m_texts;
    CValueCmbBox* m_distance;
};
