#pragma once
// The surface the chart passes draw on: a 32-bit pixel buffer (0xFFRRGGBB a
// pixel, the toolkit's own image format) with the drawing rules of the
// charts, and hooks for what needs a window (text, caption, animation).
//
// Lines colour their start and each pixel up to their end, the end
// excluded; a zero-length line colours nothing. Rectangles exclude their
// right and bottom edges. Everything is clipped to the buffer.
#include "logic/tcolor.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

constexpr uint32_t CanvasPixel(TColor color)
{
    return 0xFF000000u | static_cast<uint32_t>(RedOf(color)) << 16 | static_cast<uint32_t>(GreenOf(color)) << 8
        | static_cast<uint32_t>(BlueOf(color));
}

struct CanvasText {
    int x;
    int y;   // top-left corner
    QString text;
    TColor color;
    std::optional<TColor> background;   // none: transparent
};

class ChartCanvas {
public:
    // stride: pixels from one row to the next.
    ChartCanvas(uint32_t *bits, int width, int height, int stride);
    virtual ~ChartCanvas() = default;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    uint32_t At(int x, int y) const;

    void Fill(TColor color);
    void Line(int x1, int y1, int x2, int y2, TColor color);
    void Pixel(int x, int y, TColor color);
    // Edge in the edge colour, inside filled: x left .. right - 1, y top .. bottom - 1.
    void Rectangle(int left, int top, int right, int bottom, TColor edge, TColor fill);

    // Texts are kept in the order drawn; a window also paints them.
    virtual void Text(int x, int y, const QString &text, TColor color, std::optional<TColor> background);
    virtual void SetCaption(const QString &caption) { m_caption = caption; }
    // One animated bar is on the canvas: a window shows it and waits.
    virtual void BarDrawn() { ++m_barsDrawn; }

    const QList<CanvasText> &Texts() const { return m_texts; }
    std::optional<QString> Caption() const { return m_caption; }
    int BarsDrawn() const { return m_barsDrawn; }

private:
    void Plot(int x, int y, uint32_t pixel);
    void Span(int x1, int x2, int y, uint32_t pixel);   // x1 .. x2 - 1 on row y

    uint32_t *m_bits;
    int m_width;
    int m_height;
    int m_stride;
    QList<CanvasText> m_texts;
    std::optional<QString> m_caption;
    int m_barsDrawn = 0;
};
