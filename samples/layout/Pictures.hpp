// The pictures of a sample working directory, drawn by our own code.
// QImage and QPainter need no display; text needs a QGuiApplication (the
// offscreen platform serves).
#pragma once

#include "GifWriter.hpp"
#include "SampleFiles.hpp"

#include <QImage>
#include <string>

namespace layout {

constexpr int kSplashWidth = 410, kSplashHeight = 300;
constexpr int kPanelPictureWidth = 243, kPanelPictureHeight = 91;  // the control panel's picture
constexpr int kChartWidth = 638, kChartHeight = 467;               // the chart viewer's picture

QImage SplashPicture();
QImage AboutPicture();
QImage RunPicture(const std::string& program);      // "MVR", "KQ4", "PXD"
QImage SignalPicture(const std::string& fileName);   // "BUY.BMP" .. "STAYOUT.BMP"
QImage GlobePicture();
QImage YearChartPicture(const std::vector<PriceBar>& yearBars, const std::string& title);

RgbImage ToRgbImage(const QImage& image);
// Writes a BMP or, for a name ending ".gif" / ".GIF", a GIF of our own.
void SavePicture(const QImage& image, const std::string& fileName);

}  // namespace layout
