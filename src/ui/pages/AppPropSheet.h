#pragma once

#include <QTabWidget>

class CAppPropPage;

// The main view's page set: a tab widget that lets the shown page refuse to be
// left and the new page refuse to be shown.
class CAppPropSheet : public QTabWidget {
    Q_OBJECT
public:
    explicit CAppPropSheet(QWidget* parent = nullptr);

    int addPage(CAppPropPage* page, const QString& caption);
    CAppPropPage* page(int index) const;
    CAppPropPage* activePage() const;
    int pageCount() const { return count(); }

private:
    void onCurrentChanged(int index);

    int m_shown = -1;
    bool m_switching = false;
};
