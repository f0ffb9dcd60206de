#pragma once

#include "platform/Seams.h"
#include "texts/MultiLangDlgWnd.h"

#include <QDialog>

#include <memory>
#include <optional>

class QLineEdit;

// The value dialogs of the map grid's menu: one whole-number field that opens
// with 5, a "%" label and OK. "Dodaj..." and "Odejmij..." take an amount
// (a negative one is refused with a message and the dialog stays open, above
// 50 counts as 50); "Ustaw..." takes any value, kept to -50..+50.
class CMapValueDlg : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Add, Subtract, Set };

    CMapValueDlg(Kind kind, const Seams& seams, QWidget* parent = nullptr);
    ~CMapValueDlg() override;

    Kind kind() const { return m_kind; }
    QLineEdit* edit() const { return m_edit; }
    // The accepted value; meaningful after OK.
    int value() const { return m_value; }

public slots:
    void accept() override;

private:
    Kind m_kind;
    Seams m_seams;
    std::unique_ptr<CMultiLangDlgWnd> m_texts;
    QLineEdit* m_edit;
    int m_value = 0;
};

// The three dialogs under their own names, each with its own texts.
class CMapAddDlg : public CMapValueDlg {
    Q_OBJECT
public:
    explicit CMapAddDlg(const Seams& seams, QWidget* parent = nullptr)
        : CMapValueDlg(Kind::Add, seams, parent) {}
};

class CMapSubbDlg : public CMapValueDlg {
    Q_OBJECT
public:
    explicit CMapSubbDlg(const Seams& seams, QWidget* parent = nullptr)
        : CMapValueDlg(Kind::Subtract, seams, parent) {}
};

class CMapSetDlg : public CMapValueDlg {
    Q_OBJECT
public:
    explicit CMapSetDlg(const Seams& seams, QWidget* parent = nullptr)
        : CMapValueDlg(Kind::Set, seams, parent) {}
};
