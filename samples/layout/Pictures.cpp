#include "Pictures.hpp"

#include "FileText.hpp"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace layout {

namespace {

QFont Font(int pixels, bool bold = false)
{
    QFont f("DejaVu Sans");
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void Text(QPainter& p, const QRect& r, const QString& s, int pixels, QColor c, bool bold = false,
          int flags = Qt::AlignCenter)
{
    // Shrink the text until it fits the box, with a little room on each side.
    while (pixels > 8 && QFontMetrics(Font(pixels, bold)).horizontalAdvance(s) > r.width() - 8)
        --pixels;
    p.setFont(Font(pixels, bold));
    p.setPen(c);
    p.drawText(r, flags, s);
}

// A little weekly bar chart, for decoration.
void Bars(QPainter& p, const QRect& r, QColor c, int seed)
{
    p.setPen(QPen(c, 2));
    const int n = r.width() / 8;
    double level = 0.5;
    unsigned x = unsigned(seed) * 2654435761u;
    for (int i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        level = std::clamp(level + (int((x >> 16) % 21) - 10) / 100.0, 0.15, 0.85);
        const int mid = r.bottom() - int(level * r.height());
        const int half = 4 + int((x >> 8) % 8);
        const int px = r.left() + 4 + i * 8;
        p.drawLine(px, mid - half, px, mid + half);
        p.drawLine(px, mid, px + 3, mid);
    }
}

void Arrow(QPainter& p, QPoint tip, int size, bool up, QColor c)
{
    const int dir = up ? 1 : -1;
    QPolygon poly;
    poly << tip << QPoint(tip.x() - size, tip.y() + dir * size)
         << QPoint(tip.x() - size / 3, tip.y() + dir * size)
         << QPoint(tip.x() - size / 3, tip.y() + dir * 2 * size)
         << QPoint(tip.x() + size / 3, tip.y() + dir * 2 * size)
         << QPoint(tip.x() + size / 3, tip.y() + dir * size)
         << QPoint(tip.x() + size, tip.y() + dir * size);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(c);
    p.drawPolygon(poly);
}

QImage Blank(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

}  // namespace

QImage SplashPicture()
{
    QImage img = Blank(kSplashWidth, kSplashHeight, QColor(0, 0, 0));
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, kSplashHeight);
    g.setColorAt(0, QColor(10, 30, 70));
    g.setColorAt(1, QColor(0, 0, 0));
    p.fillRect(img.rect(), g);
    Bars(p, QRect(20, 150, 370, 110), QColor(60, 180, 90), 7);
    Text(p, QRect(0, 30, kSplashWidth, 60), "QEL-5100", 44, QColor(240, 240, 255), true);
    Text(p, QRect(0, 90, kSplashWidth, 24), "Weekly method for T-Bond futures", 15,
         QColor(190, 200, 230));
    Text(p, QRect(0, 268, kSplashWidth, 20), "Sample working directory", 11,
         QColor(150, 150, 170));
    return img;
}

QImage AboutPicture()
{
    QImage img = Blank(462, 230, QColor(128, 128, 128));
    QPainter p(&img);
    p.fillRect(QRect(10, 10, 442, 210), QColor(20, 40, 80));
    Bars(p, QRect(20, 110, 420, 100), QColor(230, 200, 60), 11);
    Text(p, QRect(10, 20, 442, 50), "QEL-5100", 34, Qt::white, true);
    Text(p, QRect(10, 70, 442, 24), "Weekly T-Bond futures method", 14, QColor(200, 210, 240));
    return img;
}

QImage RunPicture(const std::string& program)
{
    struct Look { QColor back; const char* title; const char* text; };
    const Look look = program == "MVR"   ? Look{QColor(30, 60, 120), "MVR", "Main indicators"}
                      : program == "KQ4" ? Look{QColor(90, 40, 110), "KQ4", "Chaos indicators"}
                                         : Look{QColor(20, 90, 60), "QEL-5100", "System run"};
    QImage img = Blank(kPanelPictureWidth, kPanelPictureHeight, look.back);
    QPainter p(&img);
    Bars(p, QRect(140, 10, 95, 70), QColor(255, 255, 255, 160), int(program.size()) + program[0]);
    Text(p, QRect(8, 10, 130, 40), look.title, 24, Qt::white, true, Qt::AlignLeft | Qt::AlignVCenter);
    Text(p, QRect(8, 50, 130, 30), look.text, 12, QColor(220, 220, 220), false,
         Qt::AlignLeft | Qt::AlignVCenter);
    return img;
}

QImage SignalPicture(const std::string& fileName)
{
    struct Look { const char* name; const char* title; QColor back; int arrow; };  // arrow: 1 up, -1 down, 0 none
    static const Look looks[] = {
        {"BUY.BMP", "BUY", QColor(0, 140, 0), 1},
        {"SELL.BMP", "SELL", QColor(190, 0, 0), -1},
        {"PULLBACK.BMP", "PULLBACK", QColor(220, 140, 0), -1},
        {"RALLY.BMP", "RALLY", QColor(0, 150, 170), 1},
        {"STAYLONG.BMP", "STAY LONG", QColor(0, 90, 0), 0},
        {"STAYXORT.BMP", "STAY SHORT", QColor(120, 0, 0), 0},
        {"GETOUT.BMP", "GET OUT", QColor(90, 90, 90), 0},
        {"STAYOUT.BMP", "STAY OUT", QColor(150, 150, 150), 0},
    };
    const auto it = std::find_if(std::begin(looks), std::end(looks),
                                 [&](const Look& l) { return fileName == l.name; });
    if (it == std::end(looks)) throw std::invalid_argument("no signal picture " + fileName);
    QImage img = Blank(kPanelPictureWidth, kPanelPictureHeight, it->back);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(3, 3, kPanelPictureWidth - 7, kPanelPictureHeight - 7);
    if (it->arrow != 0)
        Arrow(p, it->arrow > 0 ? QPoint(45, 18) : QPoint(45, 73), 22, it->arrow > 0, Qt::white);
    else if (std::string(it->title) == "STAY OUT") {
        p.setPen(QPen(Qt::white, 6));
        p.drawEllipse(QPoint(45, 45), 20, 20);   // out and staying out: an empty ring
    } else if (std::string(it->title).rfind("STAY", 0) == 0) {
        p.setPen(QPen(Qt::white, 6));
        p.drawLine(22, 45, 68, 45);   // holding: a level line
    } else {
        p.setPen(QPen(Qt::white, 6));
        p.drawLine(25, 25, 65, 65);   // out: a cross
        p.drawLine(65, 25, 25, 65);
    }
    Text(p, QRect(85, 0, kPanelPictureWidth - 90, kPanelPictureHeight), it->title, 22, Qt::white, true);
    return img;
}

QImage GlobePicture()
{
    QImage img = Blank(kChartWidth, kChartHeight, Qt::black);
    QPainter p(&img);
    const QPoint c(kChartWidth / 2, kChartHeight / 2 - 10);
    const int r = 180;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 60, 150));
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 180, 255), 2));
    for (int k = 1; k < 6; ++k) {                       // meridians
        const int rx = int(r * std::cos(k * M_PI / 6));
        p.drawEllipse(c, rx, r);
    }
    for (int k = -2; k <= 2; ++k) {                     // parallels
        const int y = c.y() + k * r / 3;
        const int half = int(std::sqrt(double(r * r - (y - c.y()) * (y - c.y()))));
        p.drawLine(c.x() - half, y, c.x() + half, y);
    }
    p.setPen(QPen(QColor(200, 220, 255), 3));
    p.drawEllipse(c, r, r);
    Text(p, QRect(0, kChartHeight - 60, kChartWidth, 40), "Choose a chart from the list", 18,
         QColor(200, 200, 200));
    return img;
}

QImage YearChartPicture(const std::vector<PriceBar>& bars, const std::string& title)
{
    QImage img = Blank(kChartWidth, kChartHeight, Qt::white);
    QPainter p(&img);
    const QRect area(20, 40, kChartWidth - 90, kChartHeight - 80);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(area);
    Text(p, QRect(0, 8, kChartWidth, 26), QString::fromStdString(title), 16, Qt::black, true);
    if (bars.empty()) return img;
    long lo = bars[0].low, hi = bars[0].high;
    for (const PriceBar& b : bars) {
        lo = std::min(lo, b.low);
        hi = std::max(hi, b.high);
    }
    const int ticksPerPoint = 32;
    lo = lo / ticksPerPoint * ticksPerPoint;
    hi = (hi / ticksPerPoint + 1) * ticksPerPoint;
    const double scale = double(area.height() - 10) / double(std::max(1L, hi - lo));
    auto y = [&](long ticks) { return area.bottom() - 5 - int((ticks - lo) * scale); };
    p.setFont(Font(10));
    for (long pt = lo; pt <= hi; pt += ticksPerPoint) {   // a grid line and label a point
        p.setPen(QColor(220, 220, 220));
        p.drawLine(area.left() + 1, y(pt), area.right() - 1, y(pt));
        p.setPen(Qt::black);
        p.drawText(area.right() + 6, y(pt) + 4, QString::number(pt / ticksPerPoint));
    }
    const double step = double(area.width() - 20) / double(bars.size());
    std::string month;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const PriceBar& b = bars[i];
        const int x = area.left() + 10 + int(i * step);
        if (b.date.substr(2, 3) != month) {
            month = b.date.substr(2, 3);
            p.setPen(QColor(180, 180, 240));
            p.drawLine(x - 2, area.top() + 1, x - 2, area.bottom() - 1);
            p.setPen(Qt::black);
            p.drawText(x - 2, area.bottom() + 14, QString::fromStdString(month.substr(0, 1)));
        }
        const bool up = i == 0 || b.close >= bars[i - 1].close;
        p.setPen(QPen(up ? QColor(0, 128, 0) : QColor(200, 0, 0), 3));
        p.drawLine(x, y(b.high), x, y(b.low));
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(x + 1, y(b.close), x + 4, y(b.close));
    }
    return img;
}

RgbImage ToRgbImage(const QImage& source)
{
    const QImage img = source.convertToFormat(QImage::Format_RGB32);
    RgbImage out;
    out.width = img.width();
    out.height = img.height();
    out.pixels.reserve(std::size_t(out.width) * std::size_t(out.height));
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) out.pixels.push_back(row[x] & 0xFFFFFF);
    }
    return out;
}

void SavePicture(const QImage& image, const std::string& fileName)
{
    const std::string lower = [&] {
        std::string s = fileName;
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        return s;
    }();
    if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".gif") == 0) {
        devtools::WriteFile(fileName, EncodeGif(ToRgbImage(image)));
        return;
    }
    if (!image.save(QString::fromStdString(fileName), "BMP"))
        throw std::runtime_error("cannot write " + fileName);
}

}  // namespace layout
