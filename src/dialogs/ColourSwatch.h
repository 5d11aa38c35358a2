#pragma once
// A colour swatch of the options dialog: a small framed area whose background is the colour
// it edits, as the program stores colours (red in the low byte). A click asks for another.

#include <QLabel>

#include <cstdint>

class ColourSwatch : public QLabel
{
    Q_OBJECT

public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    [[nodiscard]] std::uint32_t colour() const { return m_colour; }
    void setColour(std::uint32_t colour);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::uint32_t m_colour = 0;
};
