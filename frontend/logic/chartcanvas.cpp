#include "logic/chartcanvas.h"

#include <algorithm>
#include <cstdlib>

ChartCanvas::ChartCanvas(uint32_t *bits, int width, int height, int stride)
    : m_bits(bits), m_width(width), m_height(height), m_stride(stride)
{
}

uint32_t ChartCanvas::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return m_bits[static_cast<size_t>(y) * m_stride + x];
}

void ChartCanvas::Plot(int x, int y, uint32_t pixel)
{
    if (x >= 0 && y >= 0 && x < m_width && y < m_height)
        m_bits[static_cast<size_t>(y) * m_stride + x] = pixel;
}

void ChartCanvas::Span(int x1, int x2, int y, uint32_t pixel)
{
    if (y < 0 || y >= m_height)
        return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, m_width);
    uint32_t *row = m_bits + static_cast<size_t>(y) * m_stride;
    for (int x = x1; x < x2; ++x)
        row[x] = pixel;
}

void ChartCanvas::Fill(TColor color)
{
    for (int y = 0; y < m_height; ++y)
        Span(0, m_width, y, CanvasPixel(color));
}

void ChartCanvas::Pixel(int x, int y, TColor color)
{
    Plot(x, y, CanvasPixel(color));
}

void ChartCanvas::Line(int x1, int y1, int x2, int y2, TColor color)
{
    const uint32_t pixel = CanvasPixel(color);
    if (y1 == y2) {
        // Horizontal: from x1 towards x2, x2 excluded.
        if (x1 <= x2)
            Span(x1, x2, y1, pixel);
        else
            Span(x2 + 1, x1 + 1, y1, pixel);
        return;
    }
    if (x1 == x2) {
        if (x1 < 0 || x1 >= m_width)
            return;
        const int from = y1 < y2 ? y1 : y2 + 1;
        const int to = y1 < y2 ? y2 : y1 + 1;
        for (int y = std::max(from, 0); y < std::min(to, m_height); ++y)
            m_bits[static_cast<size_t>(y) * m_stride + x1] = pixel;
        return;
    }
    // Any other slope: Bresenham's steps, stopping before the end point.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        Plot(x, y, pixel);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void ChartCanvas::Rectangle(int left, int top, int right, int bottom, TColor edge, TColor fill)
{
    if (right <= left || bottom <= top)
        return;
    for (int y = top + 1; y < bottom - 1; ++y)
        Span(left + 1, right - 1, y, CanvasPixel(fill));
    Line(left, top, right, top, edge);
    Line(left, bottom - 1, right, bottom - 1, edge);
    Line(left, top, left, bottom, edge);
    Line(right - 1, top, right - 1, bottom, edge);
}

void ChartCanvas::Text(int x, int y, const QString &text, TColor color, std::optional<TColor> background)
{
    m_texts.append({x, y, text, color, background});
}
