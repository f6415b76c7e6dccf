#include "qelplash.h"

TfrmQelplash::TfrmQelplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmQelplash"));
    setWindowTitle(QStringLiteral(" QEL-5100"));
    setFixedSize(410, 300);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    imgSplash = new TImage(this);
    imgSplash->setObjectName(QStringLiteral("imgSplash"));
    Place(imgSplash, 0, 0, 410, 300);
    CentreOnScreen(this);
}

void TfrmQelplash::FormCreate()
{
    imgSplash->LoadFromFile(QStringLiteral("Splash.bmp"));
}
