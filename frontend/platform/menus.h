#pragma once
// Main menus as the window designs give them: each menu and item under its
// design name, each item running its handler as a guarded event handler.
#include "errorhandler.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <functional>

QMenu *AddMenu(QMenuBar *bar, const char *name, const char *caption);

// Menus of one window's menu bar whose items run the window's handlers.
template <typename Window>
class MenuBuilder {
public:
    MenuBuilder(QMenuBar *bar, Window *window) : m_bar(bar), m_window(window) {}
    QMenu *Menu(const char *name, const char *caption) { return AddMenu(m_bar, name, caption); }
    QAction *Item(QMenu *menu, const char *name, const char *caption, void (Window::*handler)())
    {
        return AddMenuItem(menu, name, caption, m_window, handler);
    }

private:
    QMenuBar *m_bar;
    Window *m_window;
};

class QDialog;

// A menu bar over a client area of the given size: the window takes the
// size of both; controls are placed on the returned client area.
QWidget *MenuAndClient(QDialog *form, QMenuBar **bar, int width, int height);

// Alt+letter keys that a button shares with a menu title of its window go to
// the button, on every press; the toolkit would take such a key as ambiguous
// and only move the focus. The menus stay reachable by the mouse and by F10,
// which opens the first of them.
void ButtonKeysBeforeMenus(QMenuBar *bar);

// A menu item whose handler runs under the default error handler.
QAction *AddMenuItem(QMenu *menu, const char *name, const char *caption, std::function<void()> handler);

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
