#pragma once
// Tests run in the front end's own application object, with every dialog
// answered by the message service.
#include "platform/dialogs.h"
#include "platform/errorhandler.h"

#include <QtTest>

#define QEL_TEST_MAIN(TestClass)                                                                   \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        QelApplication app(argc, argv);                                                            \
        QApplication::setQuitOnLastWindowClosed(false);                                            \
        Dialogs::SetScripted(true);                                                                \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
