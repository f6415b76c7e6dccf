#include "qelplash.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QWindow>

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
    imgSplash = MakeChild<TImage>(this, "imgSplash", 0, 0, 410, 300);
    CentreOnScreen(this);
}

void TfrmQelplash::FormCreate()
{
    imgSplash->LoadFromFile(QStringLiteral("Splash.bmp"));
}

void TfrmQelplash::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // A paint before the window is exposed never reaches the screen; the
    // picture is painted in the same pass, right after the window itself.
    if (windowHandle() && windowHandle()->isExposed())
        m_paintedExposed = true;
}

void TfrmQelplash::ShowPainted(int limitMilliseconds)
{
    const QDeadlineTimer limit(limitMilliseconds);
    show();
    // Under a window manager the window is exposed some time after it was
    // shown; the expose event brings the paint.
    while (!m_paintedExposed && !limit.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!m_paintedExposed)
            QThread::msleep(2);
    }
    // Sends what was painted on to the display before the caller blocks.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
