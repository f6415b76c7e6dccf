#include "menus.h"

#include <QDialog>
#include <QVBoxLayout>

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

QAction *AddMenuItem(QMenu *menu, const char *name, const char *caption, std::function<void()> handler)
{
    QAction *action = menu->addAction(QLatin1String(caption));
    action->setObjectName(QLatin1String(name));
    QObject::connect(action, &QAction::triggered, menu, Guarded(std::move(handler)));
    return action;
}
