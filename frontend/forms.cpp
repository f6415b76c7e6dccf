#include "forms.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QVBoxLayout>

TForm::TForm(const QString &name, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(name);
    setSizeGripEnabled(false);
}

void TForm::SetClientSize(int width, int height, bool fixed)
{
    if (fixed)
        setFixedSize(width, height);
    else
        resize(width, height);
}

void TForm::SetFaceColor(TColor color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    setPalette(palette);
    setAutoFillBackground(true);
}

void TForm::SetStayOnTop()
{
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void TForm::ShowCentred()
{
    show();
    raise();
}

QMenuBar *TForm::AddMenuBar(QWidget *client)
{
    auto *menuBar = new QMenuBar(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(client);
    return menuBar;
}

void TForm::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        CentreOnScreen(this);
        m_placed = true;
    }
    QDialog::showEvent(event);
}

void TForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
