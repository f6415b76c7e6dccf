#pragma once
// Main menus as the window designs give them: each menu and item under its
// design name, each item running its handler as a guarded event handler.
#include "errorhandler.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QMenu *AddMenu(QMenuBar *bar, const char *name, const char *caption);

template <typename Window>
QAction *AddMenuItem(QMenu *menu, const char *name, const char *caption, Window *window,
                     void (Window::*handler)())
{
    QAction *action = menu->addAction(QLatin1String(caption));
    action->setObjectName(QLatin1String(name));
    if (handler)
        QObject::connect(action, &QAction::triggered, window, Guarded([window, handler] { (window->*handler)(); }));
    return action;
}
