#include "menus.h"

QMenu *AddMenu(QMenuBar *bar, const char *name, const char *caption)
{
    QMenu *menu = bar->addMenu(QLatin1String(caption));
    menu->setObjectName(QLatin1String(name));
    return menu;
}
