#include "controlpanel.h"

#include "logic/qelerror.h"
#include "platform/errorhandler.h"
#include "platform/files.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QGuiApplication>
#include <QTimer>

TfrmControlPanel *frmControlPanel = nullptr;

const QStringList TfrmControlPanel::DesignText = {
    QString(),
    QStringLiteral("                   Check here for messages."),
    QStringLiteral(" "),
    QStringLiteral("    Functions..."),
    QString(),
    QStringLiteral("    MVR  -  Create the Main Indicators."),
    QStringLiteral("    KQ4  -  Create the Chaos Indicators."),
    QStringLiteral("    QEL-5100 - Run the QEL-5100 System."),
    QString(),
    QStringLiteral("  "),
};

const QStringList TfrmControlPanel::ComponentFiles = {
    QStringLiteral("WPA.DLL"), QStringLiteral("WPB.DLL"), QStringLiteral("WPC.DLL"), QStringLiteral("WPD.DLL"),
    QStringLiteral("WPE.DLL"), QStringLiteral("WPF.DLL"), QStringLiteral("WPG.DLL"), QStringLiteral("WPK.DLL"),
};

namespace {
// Calls show once no mouse button is held any more.
void ShowErrorAfterPress(QObject *context, std::function<void()> show)
{
    QTimer::singleShot(0, context, [context, show = std::move(show)]() mutable {
        if (QGuiApplication::mouseButtons() != Qt::NoButton)
            QTimer::singleShot(20, context, [context, show = std::move(show)]() mutable {
                ShowErrorAfterPress(context, std::move(show));
            });
        else
            show();
    });
}

QFont PanelFont(const char *family, int pixelHeight, bool bold)
{
    return DesignFont(QLatin1String(family), pixelHeight, bold);
}

// The picture the panel carries from its design, before any run.
QPixmap DesignPicture()
{
    QPixmap pixmap(243, 91);
    pixmap.fill(QColor(0x10, 0x20, 0x40));
    QPainter painter(&pixmap);
    painter.setPen(QColor(0xE0, 0xC0, 0x50));
    painter.setFont(PanelFont("Arial", 22, true));
    painter.drawText(QRect(0, 8, 243, 40), Qt::AlignCenter, QStringLiteral("QEL-5100"));
    painter.setPen(QColor(0xC0, 0xC8, 0xD8));
    painter.setFont(PanelFont("Arial", 11, false));
    painter.drawText(QRect(0, 50, 243, 30), Qt::AlignCenter, QStringLiteral("Weekly Treasury futures method"));
    return pixmap;
}
} // namespace

TfrmControlPanel::TfrmControlPanel(QWidget *parent)
    : TForm(QStringLiteral("frmControlPanel"), parent)
{
    setWindowTitle(QStringLiteral("Control Panel"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint);
    SetClientSize(253, 322);
    SetFaceColor(clSilver);
    setFont(PanelFont("MS Sans Serif", 11, false));

    mmControlPanel = MakeChild<TMemo>(this, "mmControlPanel", 5, 7, 243, 154);
    mmControlPanel->SetReadOnly(true);
    mmControlPanel->setFrameStyle(QFrame::NoFrame);
    mmControlPanel->setFont(PanelFont("MS Sans Serif", 11, false));
    mmControlPanel->SetLines(DesignText);

    auto button = [this](const char *name, const char *caption, int x, int w) {
        auto *b = MakeChild<QPushButton>(this, name, x, 167, w, 25, QLatin1String(caption));
        b->setFont(PanelFont("Arial", 11, true));
        b->setAutoDefault(false);
        b->installEventFilter(this);
        return b;
    };
    btnMVR = button("btnMVR", "MVR", 5, 80);
    btnKQ4 = button("btnKQ4", "KQ4", 87, 79);
    btnQEL = button("btnQEL", "QEL-5100", 168, 80);

    pnlTradingSignal = MakeChild<TPanel>(this, "pnlTradingSignal", 5, 197, 243, 25);
    pnlTradingSignal->SetColor(clWhite);
    pnlTradingSignal->setFont(PanelFont("MS Sans Serif", 13, false));
    pnlTradingSignal->setText(QStringLiteral("Weekly Trading Signal"));

    imgControlPanel = MakeChild<TImage>(this, "imgControlPanel", 5, 226, 243, 91);
    imgControlPanel->setPixmap(DesignPicture());

    connect(btnMVR, &QPushButton::clicked, this, Guarded([this] { btnMVRClick(); }));
    connect(btnKQ4, &QPushButton::clicked, this, Guarded([this] { btnKQ4Click(); }));
    connect(btnQEL, &QPushButton::clicked, this, Guarded([this] { btnQELClick(); }));
    connect(imgControlPanel, &TImage::clicked, this, Guarded([this] { imgControlPanelClick(); }));
}

void TfrmControlPanel::FormCreate()
{
    bool complete = true;
    for (const QString &name : ComponentFiles) {
        if (!Files::FileExists(name))
            complete = false;
    }
    if (!complete)
        setEnabled(false);
}

void TfrmControlPanel::FormHide()
{
    setVisible(false);
}

void TfrmControlPanel::hideEvent(QHideEvent *event)
{
    TForm::hideEvent(event);
    // A minimise by the window manager arrives as a hide too; the panel stays
    // shown then, minimised, for the window manager to restore.
    if (!event->spontaneous())
        ErrorHandler::Run([this] { FormHide(); });
}

bool TfrmControlPanel::eventFilter(QObject *watched, QEvent *event)
{
    // A press of any mouse button over a run button gives the run's
    // feedback before the click, whichever button it was.
    if (event->type() == QEvent::MouseButtonPress && isEnabled()) {
        if (watched == btnMVR)
            RunMouseDown([this] { btnMVRMouseDown(); });
        else if (watched == btnKQ4)
            RunMouseDown([this] { btnKQ4MouseDown(); });
        else if (watched == btnQEL)
            RunMouseDown([this] { btnQELMouseDown(); });
    }
    // Enter on a focused run button clicks it, as Space does, with no
    // mouse-down feedback.
    if (event->type() == QEvent::KeyPress && (watched == btnMVR || watched == btnKQ4 || watched == btnQEL)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            static_cast<QPushButton *>(watched)->click();
            return true;
        }
    }
    return TForm::eventFilter(watched, event);
}

void TfrmControlPanel::RunMouseDown(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const std::exception &error) {
        // A box opened inside the press would take the release from the
        // button and leave it drawn pressed: wait until the press is over.
        const QString text = QString::fromStdString(error.what());
        ShowErrorAfterPress(this, [error = QelError(text)] { ErrorHandler::Report(error); });
    }
}

void TfrmControlPanel::btnMVRClick()
{
    IndicatorsStarted = QLatin1Char('A');
    if (m_runs.mvr)
        m_runs.mvr();
}

void TfrmControlPanel::btnKQ4Click()
{
    if (m_runs.kq4)
        m_runs.kq4();
}

void TfrmControlPanel::btnQELClick()
{
    if (m_runs.system)
        m_runs.system();
}

void TfrmControlPanel::ShowRunPicture(const QString &picture)
{
    imgControlPanel->LoadFromFile(picture);
}

void TfrmControlPanel::SetMessages(const QStringList &lines)
{
    mmControlPanel->SetLines(lines);
}

void TfrmControlPanel::AppendMessages(const QStringList &lines)
{
    for (const QString &line : lines)
        mmControlPanel->AppendLine(line);
}

void TfrmControlPanel::ShowSignal(const QString &caption)
{
    pnlTradingSignal->setText(caption);
}

// The window manager may offer a minimise button although the panel asks
// for none.
void TfrmControlPanel::ShowAbove()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
}

bool TfrmControlPanel::OnScreen() const
{
    return isVisible() && !isMinimized();
}

void TfrmControlPanel::btnMVRMouseDown()
{
    imgControlPanel->LoadFromFile(QStringLiteral("MVR.BMP"));
    pnlTradingSignal->setText(QStringLiteral("Creating Main Indicators"));
}

void TfrmControlPanel::btnKQ4MouseDown()
{
    if (IndicatorsStarted != QLatin1Char('A'))
        return;
    imgControlPanel->LoadFromFile(QStringLiteral("KQ4.BMP"));
    pnlTradingSignal->setText(QStringLiteral("Creating Chaos Indicators"));
}

void TfrmControlPanel::btnQELMouseDown()
{
    imgControlPanel->LoadFromFile(QStringLiteral("PXD.BMP"));
    pnlTradingSignal->setText(QStringLiteral("Running the QEL-5100 System"));
}

void TfrmControlPanel::imgControlPanelClick()
{
    setVisible(false);
}
