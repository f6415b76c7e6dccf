// The platform layer: text files, case-insensitive names, the launcher, the
// default error handler, the message service and the help viewer.
#include "fixture.h"
#include "testmain.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/helpviewer.h"
#include "platform/launcher.h"
#include "logic/qelerror.h"
#include "logic/strtoint.h"
#include "platform/textfiles.h"
#include "platform/widgets.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QTextBrowser>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

class ThrowingWidget : public QWidget {
protected:
    void mousePressEvent(QMouseEvent *) override { throw QelError("raised outside any guard"); }
};

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void init() { Dialogs::ClearRecord(); Dialogs::ClearQueues(); }

    // Lines as read, and the same bytes written back from them with their
    // line ends: every byte value, lone CRs and every kind of line end.
    void readsLinesAndWritesThemBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("no final line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("mixed line ends") << QByteArray("a\nb\r\nc\nd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("blank last line kept") << QByteArray("a\r\n\r\n") << QStringList{"a", ""};
        QTest::newRow("line ends only") << QByteArray("\n\r\n") << QStringList{"", ""};
        QTest::newRow("trailing blanks kept") << QByteArray(" x  \r\n") << QStringList{" x  "};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("lone CRs") << QByteArray("X1\r\r\nA\rB\r\nTHE-END\r\n")
                                  << QStringList{"X1\r", "A\rB", "THE-END"};
        QTest::newRow("CR at the end") << QByteArray("a\r") << QStringList{"a\r"};
        QTest::newRow("code page") << QByteArray("caf\xe9 \x80 \x93q\x94 \x96\r\n")
                                   << QStringList{QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D "
                                                                    "\xE2\x80\x93")};
        QTest::newRow("all 256 byte values") << all << QStringList{CodePage::Decode(all.left(10)),
                                                                   CodePage::Decode(all.mid(11))};
    }
    void readsLinesAndWritesThemBack()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        WorkDir dir(false);
        dir.writeBytes("IN.TXT", bytes);
        TextFiles::LineEnds ends;
        QCOMPARE(TextFiles::ReadLines("IN.TXT", &ends), lines);
        QCOMPARE(TextFiles::ReadLines("IN.TXT"), lines);
        TextFiles::WriteLines("OUT.TXT", lines, ends);
        QFile out(dir.file("OUT.TXT"));
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), bytes);
    }

    // The files' code page as Qt's converter has it: the five unassigned
    // bytes read as the C1 controls of their value and write back as
    // themselves; a character outside it is named, never written.
    void codePage_data()
    {
        QTest::addColumn<int>("byte");   // -1: the code page cannot hold it
        QTest::addColumn<uint>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("euro") << 0x80 << 0x20ACu << QString::fromUtf8("\"\xE2\x82\xAC\" (U+20AC)");
        QTest::newRow("unassigned 0x81") << 0x81 << 0x81u << "U+0081";
        QTest::newRow("unassigned 0x8D") << 0x8D << 0x8Du << "U+008D";
        QTest::newRow("unassigned 0x8F") << 0x8F << 0x8Fu << "U+008F";
        QTest::newRow("unassigned 0x90") << 0x90 << 0x90u << "U+0090";
        QTest::newRow("unassigned 0x9D") << 0x9D << 0x9Du << "U+009D";
        QTest::newRow("left double quote") << 0x93 << 0x201Cu << QString::fromUtf8("\"\xE2\x80\x9C\" (U+201C)");
        QTest::newRow("en dash") << 0x96 << 0x2013u << QString::fromUtf8("\"\xE2\x80\x93\" (U+2013)");
        QTest::newRow("Y diaeresis") << 0x9F << 0x178u << QString::fromUtf8("\"\xC5\xB8\" (U+0178)");
        QTest::newRow("no-break space") << 0xA0 << 0xA0u << QString::fromUtf8("\"\xC2\xA0\" (U+00A0)");
        QTest::newRow("line feed") << 0x0A << 0x0Au << "U+000A";
        QTest::newRow("C1 control U+0080") << -1 << 0x80u << "U+0080";
        QTest::newRow("A macron") << -1 << 0x100u << QString::fromUtf8("\"\xC4\x80\" (U+0100)");
        QTest::newRow("arrow") << -1 << 0x2192u << QString::fromUtf8("\"\xE2\x86\x92\" (U+2192)");
        QTest::newRow("line separator") << -1 << 0x2028u << "U+2028";
        QTest::newRow("lone CR mark") << -1 << uint(CodePage::LoneCrMark) << QString::fromUtf8("\"\xE2\x86\xB5\" (U+21B5)");
        QTest::newRow("outside the BMP") << -1 << 0x1F600u << QString::fromUtf8("\"\xF0\x9F\x98\x80\" (U+1F600)");
    }
    void codePage()
    {
        QFETCH(int, byte);
        QFETCH(uint, code);
        QFETCH(QString, name);
        const char32_t c = code;
        const QString text = QStringLiteral("a") + QString::fromUcs4(&c, 1);
        QCOMPARE(CodePage::NameOf(c), name);
        QCOMPARE(CodePage::Holds(c), byte >= 0);
        if (byte >= 0) {
            const QByteArray bytes = QByteArray("a") + char(byte);
            QCOMPARE(CodePage::Decode(bytes), text);
            QCOMPARE(CodePage::Encode(text), bytes);
            QVERIFY(!CodePage::FirstNotHeld(text));
            return;
        }
        QCOMPARE(CodePage::FirstNotHeld(text), std::optional<char32_t>(c));
        WorkDir dir(false);
        dir.writeBytes("OUT.TXT", "old\r\n");
        try {
            TextFiles::WriteLines("OUT.TXT", {"x", text});
            QFAIL("written");
        } catch (const QelError &error) {
            QCOMPARE(error.message(),
                     "Write error on file \"OUT.TXT\". The character " + name + " cannot be stored in the file.");
        }
        QFile kept(dir.file("OUT.TXT"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("old\r\n"));
    }

    // A file above the load limit is refused before a byte of it is read,
    // text or picture (sparse files make the sizes cheap); a line longer
    // than the line limit refuses the file too.
    void filesAboveTheLoadLimitAreRefused()
    {
        WorkDir dir(false);
        for (const QString name : {"BIG.TXT", "BIG.BMP"}) {
            QFile file(dir.file(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(TextFiles::LoadLimit + 1));
        }
        const QString expected = "File \"%1\" is too large to load (67108865 bytes; at most 67108864).";
        try {
            TextFiles::ReadLines("big.txt");
            QFAIL("loaded");
        } catch (const QelError &error) {
            QCOMPARE(error.message(), expected.arg("big.txt"));
        }
        TImage picture;
        try {
            picture.LoadFromFile("BIG.BMP");
            QFAIL("loaded");
        } catch (const QelError &error) {
            QCOMPARE(error.message(), expected.arg("BIG.BMP"));
        }
        TextFiles::CheckLoadSize("BIG.TXT", TextFiles::LoadLimit);   // at the limit: taken

        // So is a file with a line longer than a pane can lay out.
        const QByteArray longest(TextFiles::LineLimit, 'x');
        dir.writeBytes("LONG.TXT", "a\r\n" + longest + "\r\n" + longest + "x");
        try {
            TextFiles::ReadLines("LONG.TXT");
            QFAIL("loaded");
        } catch (const QelError &error) {
            QCOMPARE(error.message(), "File \"LONG.TXT\" is too large to load (line 3 has 65537 characters; at most 65536).");
        }
    }

    void writesCrLfAndRoundTrips()
    {
        WorkDir dir(false);
        const QStringList lines{QString::fromLatin1("\xe9t\xe9  "), "", "end"};
        dir.writeBytes("OUT.TXT", "old content that is longer\r\n");
        TextFiles::WriteLines("OUT.TXT", lines);
        QFile file(dir.file("OUT.TXT"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xe9t\xe9  \r\n\r\nend\r\n"));
        QCOMPARE(TextFiles::ReadLines("OUT.TXT"), lines);
    }

    // A write or a copy that cannot finish leaves the target byte for byte as
    // it was: a size limit that cuts the file, a directory under the name.
    void failedWritesKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("sizeLimit");
        QTest::addColumn<bool>("copy");
        QTest::newRow("write, size limit") << "OUT.TXT" << true << false;
        QTest::newRow("copy, size limit") << "OUT.TXT" << true << true;
        QTest::newRow("write, directory in the way") << "DIR.TXT" << false << false;
        QTest::newRow("copy, directory in the way") << "DIR.TXT" << false << true;
    }
    void failedWritesKeepTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, sizeLimit);
        QFETCH(bool, copy);
        WorkDir dir(false);
        const QByteArray old(5000, 'o');
        dir.writeBytes("OUT.TXT", old);
        QVERIFY(QDir(dir.path()).mkdir("DIR.TXT"));
        const QStringList lines(100, QString(58, QLatin1Char('n')));   // 6000 bytes
        dir.writeLines("SOURCE.TXT", lines);

        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        if (sizeLimit) {
            signal(SIGXFSZ, SIG_IGN);
            rlimit low = saved;
            low.rlim_cur = 4096;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &low), 0);
        }
        bool failed = false;
        QString message;
        if (copy) {
            failed = !Files::CopyFile("SOURCE.TXT", target);
        } else {
            try {
                TextFiles::WriteLines(target, lines);
            } catch (const QelError &error) {
                failed = true;
                message = error.message();
            }
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(failed);
        // The system's reason, not "Unknown error".
        if (!copy && sizeLimit)
            QCOMPARE(message, "Write error on file \"OUT.TXT\". File too large");
        if (!copy && !sizeLimit)
            QCOMPARE(message, "Cannot create file \"DIR.TXT\". Filename refers to a directory");
        QFile kept(dir.file("OUT.TXT"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), old);
        QVERIFY(QFileInfo(dir.file("DIR.TXT")).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);   // no leftovers
    }

    void integerRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("digits") << "10" << true << 10;
        QTest::newRow("leading blanks") << "   10" << true << 10;
        QTest::newRow("plus") << "+7" << true << 7;
        QTest::newRow("minus after blanks") << "  -7" << true << -7;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
        QTest::newRow("leading zeros") << "000000000000000000012" << true << 12;
        QTest::newRow("one past largest") << "2147483648" << false << 0;
        QTest::newRow("two past largest") << "2147483649" << false << 0;
        QTest::newRow("one past smallest") << "-2147483649" << false << 0;
        QTest::newRow("very long") << QString(400, QLatin1Char('9')) << false << 0;
        QTest::newRow("dollar") << "$1F" << true << 31;
        QTest::newRow("x") << "x10" << true << 16;
        QTest::newRow("X, upper case digits") << "XFF" << true << 255;
        QTest::newRow("0X after blanks, mixed case") << "  0XaB" << true << 171;
        QTest::newRow("0x") << "0x7fffffff" << true << 2147483647;
        QTest::newRow("0X, signed pattern") << "0XFFFFFFFF" << true << -1;
        QTest::newRow("hex smallest") << "$80000000" << true << int(-2147483647 - 1);
        QTest::newRow("hex leading zeros") << "$000000000001" << true << 1;
        QTest::newRow("hex too wide") << "$100000000" << false << 0;
        QTest::newRow("hex very long") << "$" + QString(300, QLatin1Char('F')) << false << 0;
        QTest::newRow("prefix alone") << "$" << false << 0;
        QTest::newRow("0x alone") << "0x" << false << 0;
        QTest::newRow("sign before prefix") << "-$10" << false << 0;
        QTest::newRow("plus before prefix") << "+0x10" << false << 0;
        QTest::newRow("hex digit out of range") << "$1G" << false << 0;
        QTest::newRow("blank after sign") << "- 5" << false << 0;
        QTest::newRow("letter inside") << "20x0" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("blanks only") << "   " << false << 0;
        QTest::newRow("sign alone") << "-" << false << 0;
        QTest::newRow("trailing blank") << "10 " << false << 0;
        QTest::newRow("inner blank") << "1 0" << false << 0;
        QTest::newRow("hex digit in decimal") << "1A" << false << 0;
        QTest::newRow("tab before") << "\t5" << false << 0;
    }
    void integerRule()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        QCOMPARE(TryStrToInt(text).has_value(), valid);
        if (valid) {
            QCOMPARE(StrToInt(text), value);
        } else {
            try {
                StrToInt(text);
                QFAIL("no error raised");
            } catch (const QelError &error) {
                QCOMPARE(error.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
            }
        }
    }

    void missingFileRaisesWithItsName()
    {
        WorkDir dir(false);
        try {
            TextFiles::ReadLines("MESSAGES.MVR");
            QFAIL("no error raised");
        } catch (const QelError &error) {
            QVERIFY2(error.message().contains("MESSAGES.MVR"), qPrintable(error.message()));
        }
    }

    void columnsOfShortLinesAreBlanks()
    {
        QCOMPARE(Columns::Take("GL              05JAN01", 17, 7), QString("05JAN01"));
        QCOMPARE(Columns::Take("GL   05", 17, 7), QString("       "));
        QCOMPARE(Columns::Take("", 1, 2), QString("  "));
        QCOMPARE(Columns::Take("G", 1, 2), QString("G "));
    }

    void namesMatchIgnoringCase()
    {
        WorkDir dir(false);
        dir.writeBytes("Splash.bmp", "x");
        QVERIFY(Files::FileExists("SPLASH.BMP"));
        QVERIFY(Files::FileExists("splash.bmp"));
        QVERIFY(!Files::FileExists("SPLASH.BM"));
        dir.writeBytes("COPY.BMP", "old");
        QVERIFY(Files::CopyFile("splash.BMP", "copy.bmp"));   // replaces the existing COPY.BMP
        QCOMPARE(dir.readLines("COPY.BMP"), QStringList{"x"});
        QVERIFY(!dir.exists("copy.bmp"));
        QVERIFY(Files::DeleteFile("SPLASH.bmp"));
        QVERIFY(!dir.exists("Splash.bmp"));
        QVERIFY(!Files::DeleteFile("SPLASH.BMP"));
    }

    void launcherRunsTheFileInTheCurrentDirectory()
    {
        WorkDir dir(false);
        dir.writeScript("MVR.DLL", "echo to-dev-null\necho \"$0\" > RAN.TXT\nexit 3");
        QCOMPARE(RunProgramAndWait("MVR.DLL", "MVR.DLL", true), 3u);
        QCOMPARE(TextFiles::ReadLines("RAN.TXT"), QStringList{"MVR.DLL"});

        // The child inherits none of our handles, even one left inheritable.
        const int opened = ::open("/dev/null", O_RDONLY);
        const int inheritable = ::dup2(opened, 57);
        ::close(opened);
        QCOMPARE(inheritable, 57);
        dir.writeScript("KQ4.DLL", "if [ -e /proc/self/fd/57 ]; then echo inherited; else echo none; fi > FDS.TXT");
        RunProgramAndWait("KQ4.DLL", "KQ4.DLL", true);
        ::close(inheritable);
        QCOMPARE(TextFiles::ReadLines("FDS.TXT"), QStringList{"none"});
    }

    void launcherReportsTheSystemErrorCode_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("missing file") << "PXD.DLL";
        QTest::newRow("on PATH but not here") << "sh";
    }
    void launcherReportsTheSystemErrorCode()
    {
        QFETCH(QString, program);
        WorkDir dir(false);
        try {
            RunProgramAndWait(program, program, true);
            QFAIL("no error raised");
        } catch (const QelError &error) {
            QCOMPARE(error.message(), "Failed to excecute program " + program + ". Error Code 2");
        }
    }

    void errorInAHandlerEndsOnlyThatHandler()
    {
        QPushButton button("raise");
        int after = 0;
        QObject::connect(&button, &QPushButton::clicked, &button, Guarded([&] {
            throw QelError("first handler failed");
            ++after;
        }));
        QObject::connect(&button, &QPushButton::clicked, &button, Guarded([&] { ++after; }));
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(after, 1);
        QCOMPARE(Dialogs::Shown().size(), 1);
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Error);
        QCOMPARE(Dialogs::Shown().first().text, QString("first handler failed"));

        // An error that escapes an event is still caught by the application.
        ThrowingWidget widget;
        widget.show();
        QTest::mousePress(&widget, Qt::LeftButton);
        QCOMPARE(Dialogs::Shown().size(), 2);
        QCOMPARE(Dialogs::Shown().last().text, QString("raised outside any guard"));
    }

    void messageServiceUsesQueuedAnswersThenDefaults()
    {
        Dialogs::QueueAnswer(btnNo);
        QCOMPARE(Dialogs::YesNoCancel("Save?"), int(btnNo));
        QCOMPARE(Dialogs::YesNoCancel("Save again?"), int(btnCancel));
        QCOMPARE(Dialogs::Shown().size(), 2);
        QCOMPARE(Dialogs::Shown().at(1).type, BoxType::Confirmation);
        QCOMPARE(Dialogs::Shown().at(1).answer, int(btnCancel));

        QDialog dialog;
        dialog.setObjectName("frmSomething");
        bool ranWhileShown = false;
        bool shownOnTop = false;
        Dialogs::QueueModalAction([&](QDialog *shown) {
            ranWhileShown = shown->isVisible();
            // Never under the control panel or the floating report.
            shownOnTop = shown->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        });
        Dialogs::ExecModal(&dialog);
        QVERIFY(ranWhileShown);
        QVERIFY(shownOnTop);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(Dialogs::ModalWindowsShown(), QStringList{"frmSomething"});
    }

    void messageBoxShownOverTheStayOnTopWindows()
    {
        // The real box: above the stay-on-top control panel and floating
        // report, from which warnings are raised, with its text as given.
        QWidget stayOnTop(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        stayOnTop.show();
        stayOnTop.activateWindow();
        Qt::WindowFlags flags;
        Qt::TextFormat format = Qt::AutoText;
        QString text;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            flags = box->windowFlags();
            format = box->textFormat();
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        Dialogs::SetScripted(false);
        const int answer = Dialogs::MessageBox(BoxType::Warning, "You must execute <b>\"MVR\"</b> first.", btnOk);
        Dialogs::SetScripted(true);
        QCOMPARE(answer, int(btnOk));
        QCOMPARE(text, QString("You must execute <b>\"MVR\"</b> first."));
        QVERIFY(flags & Qt::WindowStaysOnTopHint);
        QCOMPARE(format, Qt::PlainText);
    }

    void fileDialogsShownOverTheStayOnTopWindows()
    {
        // File > Open of the main window: its dialog must not open under the
        // control panel or the floating report, which it blocks.
        QWidget mainWindow;
        mainWindow.show();
        QWidget stayOnTop(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        stayOnTop.show();
        QList<bool> onTop;
        const auto closeNextDialog = [&] {
            QTimer::singleShot(0, [&] {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                onTop << dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                dialog->reject();
            });
        };
        Dialogs::SetScripted(false);
        closeNextDialog();
        const QStringList opened = Dialogs::OpenFileNames(&mainWindow, QDir::currentPath(), "All files(*.*)|*.*", 1, true);
        closeNextDialog();
        const QString saved = Dialogs::SaveFileName(&mainWindow, "Save", QDir::currentPath(), "*.par",
                                                    "Param Files(*.par)|*.par", "par");
        Dialogs::SetScripted(true);
        QVERIFY(opened.isEmpty() && saved.isEmpty());
        QCOMPARE(onTop, (QList<bool>{true, true}));
    }

    void helpViewerOpensOurHelpTexts()
    {
        WorkDir dir(false);
        HelpViewer::ShowContents("FASTART.HLP");
        QCOMPARE(HelpViewer::LastOpened(), QString("FASTART.HLP"));
        QVERIFY(HelpViewer::ShownText().contains("Every week"));
        QVERIFY(HelpViewer::Window()->isVisible());

        dir.writeLines("QEL5100.HLP", {"Local help of this installation"});
        HelpViewer::ShowContents("QEL5100.HLP");
        QCOMPARE(HelpViewer::ShownText(), QString("Local help of this installation"));
        // A help file in a binary format gives way to the shipped text.
        dir.writeBytes("QEL5100.HLP", QByteArray("?_\x03\0\0\0Local help", 16));
        HelpViewer::ShowContents("QEL5100.HLP");
        QVERIFY(HelpViewer::ShownText().startsWith("QEL-5100 Help - Contents"));
        // One too large for a window is refused as every file a window loads.
        {
            QFile big(dir.file("QEL5100.HLP"));
            QVERIFY(big.open(QIODevice::WriteOnly | QIODevice::Truncate) && big.resize(TextFiles::LoadLimit + 1));
        }
        try {
            HelpViewer::ShowContents("QEL5100.HLP");
            QFAIL("shown");
        } catch (const QelError &error) {
            QCOMPARE(error.message(), "File \"QEL5100.HLP\" is too large to load (67108865 bytes; at most 67108864).");
        }

        HelpViewer::ShowContents("NOSUCH.HLP");
        QCOMPARE(Dialogs::Shown().size(), 1);
        QVERIFY(Dialogs::Shown().first().text.contains("NOSUCH.HLP"));
        HelpViewer::Close();
    }
};

QEL_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
