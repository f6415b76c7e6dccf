// Times one drawing pass of the plotter's price chart in the Large layout
// (188 bars with month separators, close marks, frame, price scale and
// title) on the real window, offscreen. Prints the median and extremes.
//
// chart_bench [--runs N]
#include "CTrades.h"
#include "platform/textfiles.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// 400 weeks of bars with every code, rolls and stochastic values.
QStringList ChartFile()
{
    static const char *months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const QString codes = QStringLiteral("XLSBRPVYO");
    QStringList lines;
    for (int i = 0; i < 400; ++i) {
        const int ticks = 3400 + (i * 37) % 300;
        const QString roll = i % 13 == 0 ? QStringLiteral("-012") : QStringLiteral(" 000");
        lines << QStringLiteral("%1%2%3%4%5%6%7")
                     .arg(7 + (i % 4) * 7, 2, 10, QLatin1Char('0'))
                     .arg(QLatin1String(months[(i / 4) % 12]))
                     .arg(2000 + i / 48)
                     .arg(i, 4)
                     .arg(static_cast<qint64>(ticks + 40) * 31250, 9)
                     .arg(static_cast<qint64>(ticks - 40) * 31250, 9)
                     .arg(static_cast<qint64>(ticks) * 31250, 9)
                 + roll + codes.at(i % 9) + QStringLiteral("%1%2").arg((i * 71) % 10000, 4).arg((i * 53) % 10000, 4)
                 + QStringLiteral("+%1 %2").arg(1000 * i, 7).arg(500 * i, 7);
    }
    lines << QStringLiteral("END");
    return lines;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int runs = 200;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));
    }
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    TextFiles::WriteLines(QStringLiteral("TCHART.TCH"), ChartFile());
    TextFiles::WriteBytes(QStringLiteral("QEL5100.EXE"), QByteArray());
    for (int i = 0; i < 14; ++i)
        ChartPalette[i] = RgbColor(20 * i, 255 - 10 * i, 128);

    TfrmTChart plotter;
    frmTChart = &plotter;
    plotter.FormCreate();
    plotter.show();
    plotter.cbTChart->setCurrentIndex(plotter.cbTChart->count() - 1);
    plotter.btnPlotClick();
    plotter.LargeCharts1Click();
    if (plotter.LastBar - plotter.FirstBar + 1 != 188) {
        std::fprintf(stderr, "expected 188 bars, plotted %d\n", plotter.LastBar - plotter.FirstBar + 1);
        return 1;
    }

    std::vector<double> millis;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        plotter.DrawPriceChart();
        millis.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(millis.begin(), millis.end());
    std::printf("price chart pass, Large layout, 188 bars: median %.3f ms, min %.3f ms, max %.3f ms (%d runs)\n",
                millis[millis.size() / 2], millis.front(), millis.back(), runs);
    frmTChart = nullptr;
    return 0;
}
