#include "menus.h"

#include <QAbstractButton>
#include <QDialog>
#include <QShortcut>
#include <QShortcutEvent>
#include <QVBoxLayout>

namespace {
// Whichever of the two the toolkit hands a shared key to, the button runs.
class ButtonKeys : public QObject {
public:
    ButtonKeys(const QList<QAbstractButton *> &buttons, QObject *parent) : QObject(parent), m_buttons(buttons) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Shortcut) {
            const QKeySequence key = static_cast<QShortcutEvent *>(event)->key();
            for (QAbstractButton *button : m_buttons) {
                if (button->shortcut() == key && button->isVisible() && button->isEnabled()) {
                    button->animateClick();
                    return true;
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QList<QAbstractButton *> m_buttons;
};
} // namespace

QMenu *AddMenu(QMenuBar *bar, const char *name, const char *caption)
{
    QMenu *menu = bar->addMenu(QLatin1String(caption));
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QWidget *MenuAndClient(QDialog *form, QMenuBar **bar, int width, int height)
{
    auto *layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    *bar = new QMenuBar(form);
    layout->setMenuBar(*bar);
    auto *client = new QWidget(form);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(width, height);
    layout->addWidget(client);
    return client;
}

void ButtonKeysBeforeMenus(QMenuBar *bar)
{
    QList<QKeySequence> titleKeys;
    for (QAction *title : bar->actions())
        titleKeys << QKeySequence::mnemonic(title->text());
    QList<QAbstractButton *> buttons;
    for (QAbstractButton *button : bar->window()->findChildren<QAbstractButton *>()) {
        if (!button->shortcut().isEmpty() && titleKeys.contains(button->shortcut()))
            buttons << button;
    }
    auto *filter = new ButtonKeys(buttons, bar);
    bar->installEventFilter(filter);
    for (QAbstractButton *button : buttons)
        button->installEventFilter(filter);

    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar->window());
    QObject::connect(f10, &QShortcut::activated, bar, [bar] {
        for (QAction *title : bar->actions()) {
            if (title->isVisible() && title->isEnabled()) {
                bar->setActiveAction(title);
                return;
            }
        }
    });
}

QAction *AddMenuItem(QMenu *menu, const char *name, const char *caption, std::function<void()> handler)
{
    QAction *action = menu->addAction(QLatin1String(caption));
    action->setObjectName(QLatin1String(name));
    QObject::connect(action, &QAction::triggered, menu, Guarded(std::move(handler)));
    return action;
}
