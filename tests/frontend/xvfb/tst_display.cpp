// The front end on a real X server with a window manager, where windows are
// exposed and stacked as on a desktop: the splash's picture during the
// start-up wait, the order of the stay-on-top windows, help opened from a
// modal window, and the control panel after a minimise. The test starts
// its own virtual server and window manager and stops them at the end.
#include "fixture.h"

#include "ChildProcess.hpp"

#include "CTrades.h"
#include "controlpanel.h"
#include "fullreport.h"
#include "qelMain.h"
#include "qelparam.h"
#include "platform/dialogs.h"
#include "platform/errorhandler.h"
#include "platform/helpviewer.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QtTest>

#include <xcb/xcb.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A connection of the test's own to the display, apart from the toolkit's:
// it reads the window manager's properties and the screen's pixels, and may
// be used from a second thread while the GUI thread is blocked.
class XClient {
public:
    explicit XClient(const QByteArray &display)
    {
        m_connection = xcb_connect(display.constData(), nullptr);
        if (xcb_connection_has_error(m_connection))
            return;
        const xcb_setup_t *setup = xcb_get_setup(m_connection);
        m_root = xcb_setup_roots_iterator(setup).data->root;
        m_lsbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    }
    ~XClient() { xcb_disconnect(m_connection); }
    XClient(const XClient &) = delete;
    XClient &operator=(const XClient &) = delete;

    bool connected() const { return !xcb_connection_has_error(m_connection); }

    xcb_atom_t atom(const char *name) const
    {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return atom;
    }

    // A property of the root window that holds 32-bit values (window ids, atoms).
    QList<quint32> rootList(const char *property) const { return list(m_root, property); }

    // The same of any window.
    QList<quint32> list(xcb_window_t window, const char *property) const
    {
        QList<quint32> values;
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, atom(property), XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
            nullptr);
        if (reply && reply->format == 32) {
            const auto *data = static_cast<const quint32 *>(xcb_get_property_value(reply));
            const int count = xcb_get_property_value_length(reply) / 4;
            for (int i = 0; i < count; ++i)
                values.append(data[i]);
        }
        free(reply);
        return values;
    }

    // A request about a window to the window manager, as a pager sends it.
    void request(xcb_window_t window, const char *type, const QList<quint32> &data)
    {
        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atom(type);
        for (int i = 0; i < data.size() && i < 5; ++i)
            message.data.data32[i] = data.at(i);
        xcb_send_event(m_connection, 0, m_root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&message));
        xcb_flush(m_connection);
    }

    // The screen's pixels in a rectangle, as the display shows them now.
    QImage grab(const QRect &area) const
    {
        xcb_get_image_reply_t *reply = xcb_get_image_reply(
            m_connection,
            xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, int16_t(area.x()), int16_t(area.y()),
                          uint16_t(area.width()), uint16_t(area.height()), ~0u),
            nullptr);
        QImage image;
        // A 24-bit screen sends 32 bits a pixel, blue first in LSB order.
        if (reply && reply->depth == 24 && m_lsbFirst
            && xcb_get_image_data_length(reply) == area.width() * area.height() * 4) {
            image = QImage(xcb_get_image_data(reply), area.width(), area.height(), QImage::Format_RGB32).copy();
        }
        free(reply);
        return image;
    }

private:
    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    bool m_lsbFirst = true;
};

// Waits, polling, until the condition holds or the limit has passed.
template <typename Condition>
bool PollUntil(Condition condition, int limitMilliseconds, int stepMilliseconds = 20)
{
    const QDeadlineTimer limit(limitMilliseconds);
    while (!condition()) {
        if (limit.hasExpired())
            return false;
        usleep(useconds_t(stepMilliseconds) * 1000);
    }
    return true;
}

// A virtual X server on the first free display of a range, and a window
// manager on it. Both are children of this process and end with it.
class XSession {
public:
    ~XSession() { stop(); }

    // Starts both; returns why it could not, or an empty text.
    QString start()
    {
        const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString manager = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (server.isEmpty() || manager.isEmpty())
            return QStringLiteral("Xvfb or openbox is not installed (Debian packages xvfb and openbox; scripts/setup installs them)");
        char logName[] = "/tmp/qel-display-XXXXXX";
        m_log = mkstemp(logName);
        if (m_log < 0)
            return QStringLiteral("cannot make a log file for the X server");
        // Read through its descriptor only, so nothing is left behind.
        unlink(logName);

        QString why = QStringLiteral("no free display in :%1..:%2").arg(FirstDisplay).arg(LastDisplay);
        for (int number = FirstDisplay; number <= LastDisplay && m_server < 0; ++number) {
            const QByteArray lock = QByteArray("/tmp/.X") + QByteArray::number(number) + "-lock";
            const QByteArray socket = QByteArray("/tmp/.X11-unix/X") + QByteArray::number(number);
            if (access(lock.constData(), F_OK) == 0 || access(socket.constData(), F_OK) == 0)
                continue;
            const QByteArray name = ':' + QByteArray::number(number);
            const pid_t pid = devtools::StartChild(server.toStdString(),
                                                   {name.toStdString(), "-screen", "0", "1280x1024x24", "-nolisten",
                                                    "tcp", "-noreset"},
                                                   {.outputFd = m_log});
            // Ready when its socket is there and the lock is its own (another
            // test may have taken the same number a moment earlier).
            bool exited = false;
            const bool ready = PollUntil(
                [&] {
                    if (waitpid(pid, nullptr, WNOHANG) == pid)
                        return exited = true;
                    return access(socket.constData(), F_OK) == 0 && LockOwner(lock) == pid && canConnect(name);
                },
                30000);
            if (ready && !exited) {
                m_server = pid;
                m_display = name;
            } else if (!exited) {
                // A server that hangs would hang on the next display too.
                devtools::StopChild(pid);
                why = QStringLiteral("Xvfb on %1 did not become ready within 30 s").arg(QString::fromLatin1(name));
                break;
            }
        }
        if (m_server < 0)
            return why + log();

        m_manager = devtools::StartChild(manager.toStdString(), {"--sm-disable"},
                                         {.outputFd = m_log, .env = {{"DISPLAY", m_display.toStdString()}}});
        // The manager owns the screen once it announces itself on the root
        // window, with the hints it supports.
        XClient client(m_display);
        const bool managed = PollUntil(
            [&] {
                return waitpid(m_manager, nullptr, WNOHANG) == 0 && !client.rootList("_NET_SUPPORTING_WM_CHECK").isEmpty()
                       && client.rootList("_NET_SUPPORTED").contains(client.atom("_NET_CLIENT_LIST_STACKING"));
            },
            30000);
        if (!managed)
            return QStringLiteral("openbox did not take the screen of %1 within 30 s").arg(QString::fromLatin1(m_display))
                   + log();
        return {};
    }

    void stop()
    {
        devtools::StopChild(m_manager);
        devtools::StopChild(m_server);
        m_manager = m_server = -1;
        if (m_log >= 0) {
            close(m_log);
            m_log = -1;
        }
    }

    QByteArray display() const { return m_display; }

private:
    static constexpr int FirstDisplay = 90;
    static constexpr int LastDisplay = 120;

    static pid_t LockOwner(const QByteArray &lock)
    {
        char text[32] = {};
        const int fd = open(lock.constData(), O_RDONLY);
        if (fd < 0)
            return -1;
        const ssize_t size = read(fd, text, sizeof text - 1);
        close(fd);
        return size > 0 ? pid_t(atol(text)) : -1;
    }

    static bool canConnect(const QByteArray &display)
    {
        XClient client(display);
        return client.connected();
    }

    QString log() const
    {
        QByteArray text(8192, '\0');
        const ssize_t size = pread(m_log, text.data(), text.size(), 0);
        text.truncate(size > 0 ? int(size) : 0);
        return text.isEmpty() ? QString() : QStringLiteral("\nserver and manager said:\n") + QString::fromLocal8Bit(text);
    }

    pid_t m_server = -1;
    pid_t m_manager = -1;
    QByteArray m_display;
    int m_log = -1;
};

QByteArray displayName;

// Where a window stands in the stacking order, 0 at the bottom; -1 when the
// window manager does not list it.
int StackIndex(const QList<quint32> &stacking, QWidget *window)
{
    return int(stacking.indexOf(quint32(window->winId())));
}

QString Describe(const QList<quint32> &stacking)
{
    QStringList names;
    for (quint32 id : stacking) {
        QString name = QStringLiteral("0x%1").arg(id, 0, 16);
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->internalWinId() == id)
                name = window->objectName();
        names << name;
    }
    return names.join(QStringLiteral(" < "));
}

// The window manager's stacking order, bottom to top, once it has settled:
// every window asked for is listed and the order has stood unchanged for
// half a second. The GUI thread handles its events meanwhile.
QList<quint32> SettledStacking(const QList<QWidget *> &windows)
{
    XClient client(displayName);
    QList<quint32> last;
    int unchanged = 0;
    QDeadlineTimer limit(30000);
    while (!limit.hasExpired()) {
        QTest::qWait(50);
        const QList<quint32> now = client.rootList("_NET_CLIENT_LIST_STACKING");
        bool listed = true;
        for (QWidget *window : windows)
            listed = listed && StackIndex(now, window) >= 0;
        unchanged = listed && now == last ? unchanged + 1 : 0;
        last = now;
        if (unchanged >= 10)
            break;
    }
    return last;
}

quint32 ActiveWindow()
{
    XClient client(displayName);
    const QList<quint32> active = client.rootList("_NET_ACTIVE_WINDOW");
    return active.isEmpty() ? 0 : active.first();
}

// Waits until the window manager shows the front end's two first windows.
bool StartedOnScreen()
{
    return QTest::qWaitForWindowExposed(frmQEL5100, 30000) && QTest::qWaitForWindowExposed(frmControlPanel, 30000);
}

} // namespace

class TestDisplay : public QObject {
    Q_OBJECT
private slots:
    void systemRunLeavesThePanelAboveTheStopLossReport()
    {
        WorkDir dir;
        dir.writeFakePrograms();
        FrontEnd frontEnd;
        QVERIFY(StartedOnScreen());
        for (QPushButton *button : {frmControlPanel->btnMVR, frmControlPanel->btnKQ4, frmControlPanel->btnQEL})
            QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(BoxTexts(), QStringList{});
        QVERIFY(frmFullReport->isVisible());

        const QList<quint32> stacking = SettledStacking({frmControlPanel, frmFullReport});
        QVERIFY2(StackIndex(stacking, frmFullReport) >= 0, qPrintable(Describe(stacking)));
        QVERIFY2(StackIndex(stacking, frmControlPanel) > StackIndex(stacking, frmFullReport),
                 qPrintable(Describe(stacking)));
    }

    void controlPanelStaysAboveTheMainWindow()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        QVERIFY(StartedOnScreen());
        // An ordinary window over the main window shows when the main window
        // has been brought up.
        frmTChart->show();
        QVERIFY(QTest::qWaitForWindowExposed(frmTChart, 30000));

        frmQEL5100->activateWindow();
        frmQEL5100->raise();
        const quint32 main = quint32(frmQEL5100->winId());
        QVERIFY2(QTest::qWaitFor([&] { return ActiveWindow() == main; }, 30000), "the main window was not activated");
        const QList<quint32> stacking = SettledStacking({frmQEL5100, frmControlPanel, frmTChart});
        QVERIFY2(StackIndex(stacking, frmQEL5100) > StackIndex(stacking, frmTChart), qPrintable(Describe(stacking)));
        QVERIFY2(StackIndex(stacking, frmControlPanel) > StackIndex(stacking, frmQEL5100), qPrintable(Describe(stacking)));
    }

    void plotterKeepsItsSize()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        QVERIFY(StartedOnScreen());
        frmTChart->show();
        QVERIFY(QTest::qWaitForWindowExposed(frmTChart, 30000));
        XClient client(displayName);
        const quint32 window = quint32(frmTChart->winId());
        // The window manager offers neither resizing nor maximising.
        QList<quint32> allowed;
        QVERIFY(QTest::qWaitFor([&] { return !(allowed = client.list(window, "_NET_WM_ALLOWED_ACTIONS")).isEmpty(); },
                                30000));
        for (const char *action : {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"})
            QVERIFY2(!allowed.contains(client.atom(action)), action);
        // A request to maximise it changes nothing.
        const QSize size = frmTChart->size();
        client.request(window, "_NET_WM_STATE",
                       {1, client.atom("_NET_WM_STATE_MAXIMIZED_VERT"), client.atom("_NET_WM_STATE_MAXIMIZED_HORZ"), 1});
        QTest::qWait(500);
        QCOMPARE(frmTChart->size(), size);
        QVERIFY(!client.list(window, "_NET_WM_STATE").contains(client.atom("_NET_WM_STATE_MAXIMIZED_VERT")));
    }

    // Help opened from a modal window comes up above it and above the
    // stay-on-top windows, whole on screen, and closes while the modal window
    // stays open; afterwards the main window opens it again.
    void helpAboveAModalWindow()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        QVERIFY(StartedOnScreen());
        frmFullReport->show();
        XClient client(displayName);
        const auto closeByWindowManager = [&client](QWidget *window) {
            client.request(quint32(window->winId()), "_NET_CLOSE_WINDOW", {0, 2});
            return QTest::qWaitFor([window] { return window->isHidden(); }, 30000);
        };
        bool checked = false;
        Dialogs::QueueModalAction([&](QDialog *panel) {
            QVERIFY(QTest::qWaitForWindowExposed(panel, 30000));
            frmQelparam->Help2->trigger();
            QTextBrowser *help = HelpViewer::Window();
            QVERIFY(help && QTest::qWaitForWindowExposed(help, 30000));
            const QList<quint32> stacking = SettledStacking({panel, help, frmControlPanel, frmFullReport});
            for (QWidget *below : QList<QWidget *>{panel, frmControlPanel, frmFullReport})
                QVERIFY2(StackIndex(stacking, help) > StackIndex(stacking, below), qPrintable(Describe(stacking)));
            const QRect screen = QGuiApplication::primaryScreen()->geometry();
            QVERIFY2(screen.contains(help->frameGeometry()), qPrintable(QDebug::toString(help->frameGeometry())));
            QVERIFY2(closeByWindowManager(help), "the help window could not be closed");
            QVERIFY(panel->isVisible());
            checked = true;
        });
        frmQEL5100->ChangeParams1->trigger();
        QVERIFY(checked);
        QVERIFY(!frmQelparam->isVisible());

        frmQEL5100->Help2->trigger();
        QTextBrowser *help = HelpViewer::Window();
        QVERIFY(QTest::qWaitForWindowExposed(help, 30000));
        QVERIFY2(closeByWindowManager(help), "the help window could not be closed");
        QCOMPARE(BoxTexts(), QStringList{});
    }

    // Minimised through the window manager, the control panel comes back
    // normal and on top by View > Control Panel.
    void controlPanelBackAfterAMinimise()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        QVERIFY(StartedOnScreen());
        XClient client(displayName);
        const quint32 panel = quint32(frmControlPanel->winId());
        constexpr quint32 IconicState = 3;
        client.request(panel, "WM_CHANGE_STATE", {IconicState});
        QVERIFY2(QTest::qWaitFor([] { return frmControlPanel->isMinimized(); }, 30000), "the panel was not minimised");

        frmQEL5100->ControlPanel1->trigger();
        constexpr quint32 NormalState = 1;
        QVERIFY2(QTest::qWaitFor([&] { return client.list(panel, "WM_STATE").value(0) == NormalState; }, 30000),
                 "the panel did not come back");
        QVERIFY(!frmControlPanel->isMinimized());
        const QList<quint32> stacking = SettledStacking({frmQEL5100, frmControlPanel});
        QVERIFY2(StackIndex(stacking, frmControlPanel) > StackIndex(stacking, frmQEL5100), qPrintable(Describe(stacking)));
    }

    void splashShowsItsPictureDuringTheWait()
    {
        WorkDir dir;
        const QColor colour(0x1E, 0xA0, 0x5A);
        QImage picture(410, 300, QImage::Format_RGB32);
        picture.fill(colour);
        QVERIFY(picture.save(dir.file("Splash.bmp"), "BMP"));

        // The splash is centred on the screen; its corners and its centre
        // are looked at, a little inside its edges.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect splash(screen.x() + (screen.width() - 410) / 2, screen.y() + (screen.height() - 300) / 2, 410, 300);
        const QList<QPoint> spots{{10, 10}, {399, 10}, {205, 150}, {10, 289}, {399, 289}};

        // The wait blocks the GUI thread, so the screen is looked at from a
        // second thread with its own connection.
        constexpr int splashMilliseconds = 2000;
        std::atomic<bool> stop{false};
        std::atomic<qint64> firstSeen{-1};
        std::atomic<int> grabs{0};
        QElapsedTimer clock;
        clock.start();
        std::thread watcher([&] {
            XClient client(displayName);
            while (!stop && client.connected()) {
                const QImage image = client.grab(splash);
                const qint64 at = clock.elapsed();
                ++grabs;
                bool shown = !image.isNull();
                for (const QPoint &spot : spots)
                    shown = shown && QColor(image.pixel(spot)) == colour;
                if (shown && firstSeen < 0)
                    firstSeen = at;
                usleep(10000);
            }
        });
        {
            FrontEnd frontEnd(splashMilliseconds);
            stop = true;
            watcher.join();
        }
        QCOMPARE(BoxTexts(), QStringList{});
        QVERIFY(grabs > 0);
        QVERIFY2(firstSeen >= 0, "the splash's picture never showed on screen");
        // Seen while start-up still waited: the wait ends no sooner than the
        // splash time after the clock started.
        QVERIFY2(firstSeen < splashMilliseconds, qPrintable(QString::number(firstSeen)));
    }
};

int main(int argc, char **argv)
{
    XSession session;
    const QString failure = session.start();
    if (!failure.isEmpty()) {
        fprintf(stderr, "FAIL: no X server with a window manager for this test: %s\n", qPrintable(failure));
        return 1;
    }
    displayName = session.display();
    qputenv("DISPLAY", displayName);
    qputenv("QT_QPA_PLATFORM", "xcb");
    // Screen pixels and window geometry are compared one to one.
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    int status;
    {
        QelApplication app(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        Dialogs::SetScripted(true);
        TestDisplay test;
        status = QTest::qExec(&test, argc, argv);
    }
    session.stop();
    return status;
}

#include "tst_display.moc"
