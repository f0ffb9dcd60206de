#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

// A static text with its own text and background colour. Setting the text or a
// colour repaints only when something changed, so the live display can push
// every value on each tick and only the changed fields are painted.
class CColorStatic : public QWidget {
    Q_OBJECT
public:
    explicit CColorStatic(QWidget* parent = nullptr);

    const QString& text() const { return m_text; }
    // Returns true when the text changed.
    bool setText(const QString& text);

    std::uint32_t textColor() const { return m_textColor; }
    std::uint32_t backgroundColor() const { return m_background; }
    // Colours as 0x00BBGGRR values; return true when the colour changed.
    bool setTextColor(std::uint32_t ref);
    bool setBackgroundColor(std::uint32_t ref);

    void setAlignment(Qt::Alignment alignment);
    // A thin sunken frame around the field.
    void setFramed(bool framed);

    // How many times the widget has been painted; lets tests see that an
    // unchanged value causes no repaint.
    int paintCount() const { return m_paintCount; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    std::uint32_t m_textColor = 0x000000;
    std::uint32_t m_background = 0xFFFFFF;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    bool m_framed = false;
    int m_paintCount = 0;
};
