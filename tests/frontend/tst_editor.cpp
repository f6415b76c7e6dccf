// The price editor and the rollover calculator, driven by their control
// names in a fresh working directory: load and save, leaving with unsaved
// changes, End of File, the Edit menu, backup and restore, the merge run
// with the TLQ stand-in, and the calculator.
#include "fixture.h"
#include "testmain.h"

#include "edItormain.h"
#include "qelMain.h"
#include "rollover.h"
#include "platform/codepage.h"
#include "platform/helpviewer.h"
#include "platform/textfiles.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {
const QString Question = "Do you want to save your changes now?";
const QString Missing = "<missing>";   // file states in the tables
const QString Directory = "<dir>";

QString Describe(const BoxRecord &box)
{
    static const char *const kinds[] = {"Warning", "Information", "Error", "Confirmation", "Plain"};
    return QLatin1String(kinds[static_cast<int>(box.type)]) + ": " + box.text;
}

QStringList Boxes()
{
    QStringList boxes;
    for (const BoxRecord &box : Dialogs::Shown())
        boxes << Describe(box);
    return boxes;
}

QByteArray ReadAll(const WorkDir &dir, const QString &name)
{
    QFile file(dir.file(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file's state for the tables: its bytes, Missing or Directory.
QString StateOf(const WorkDir &dir, const QString &name)
{
    const QFileInfo info(dir.file(name));
    if (!info.exists())
        return Missing;
    if (info.isDir())
        return Directory;
    return QString::fromLatin1(ReadAll(dir, name));
}

void SetState(const WorkDir &dir, const QString &name, const QString &state)
{
    dir.remove(name);
    if (state == Directory)
        QDir(dir.path()).mkdir(name);
    else if (state != Missing)
        dir.writeBytes(name, state.toLatin1());
}

// Every file of the directory but the named ones, with its bytes.
QMap<QString, QByteArray> Snapshot(const WorkDir &dir, const QStringList &except)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files)) {
        if (!except.contains(name))
            files.insert(name, ReadAll(dir, name));
    }
    return files;
}

// Writes beyond the given size fail (the signal that would end the process
// is ignored) until the object goes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

void ClearClipboard()
{
    QGuiApplication::clipboard()->clear();
}

// Opens the Edit menu as the user would, so its states are set.
void OpenEditMenu(TfrmEditorMain *editor)
{
    emit editor->Edit1->aboutToShow();
}

void SelectInPane(TMemo *pane, int line, int from, int to)
{
    const QTextBlock block = pane->document()->findBlockByNumber(line);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + from);
    cursor.setPosition(block.position() + to, QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
}

// The editor up on its own, as a test window.
TfrmEditorMain *ShowEditor()
{
    frmEditorMain->show();
    return frmEditorMain;
}

// The editor up and active, so that keys typed reach it; null when it could
// not be activated.
TfrmEditorMain *ActiveEditor()
{
    TfrmEditorMain *editor = ShowEditor();
    editor->activateWindow();
    return QTest::qWaitForWindowActive(editor) ? editor : nullptr;
}

// A merge program that leaves one line in each message file.
const QString OneLineMerge = "printf 'w\\r\\n' > MESSAGES.TLW; printf 'f\\r\\n' > MESSAGES.TLF";

#ifdef TLQ_PROGRAM
bool InstallStandIn(const WorkDir &dir)
{
    return QFile::copy(TLQ_PROGRAM, dir.file("TLQ.DLL"))
        && QFile::setPermissions(dir.file("TLQ.DLL"), QFile::ReadOwner | QFile::ExeOwner);
}
#endif

QStringList MergePaneLines(const QStringList &systemLines, const QStringList &historyLines)
{
    const QString rule = " " + QString(59, '=');
    return QStringList{" Creating the System File, check for errors.", rule, " "} + systemLines
        + QStringList{" ", " ", " Verify Historical File, check for errors.", rule, " "} + historyLines;
}

// The calculator's price box as the user leaves it: the text typed, then
// the given positions emptied with Delete.
void EnterPrice(QLineEdit *box, const QString &text, const QList<int> &blanks = {})
{
    box->setText(text);
    for (int at : blanks) {
        box->setCursorPosition(at);
        QTest::keyClick(box, Qt::Key_Delete);
    }
}

QRadioButton *Month(int index)
{
    return qobject_cast<QRadioButton *>(frmRollover->rdgRolloverItems->button(index));
}
} // namespace

class TestEditor : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Dialogs::ClearRecord();
        Dialogs::ClearQueues();
    }

    void editorDesign()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmEditorMain *ed = frmEditorMain;
        QCOMPARE(ed->windowTitle(), QString("QEL-5100 Price Editor"));
        QCOMPARE(ed->pnlHeader->text(), QString("30 Year T-Bonds Weekly Price File"));
        QVERIFY(ed->pnlHeader->font().bold());
        QCOMPARE(ed->mmWKY->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(ed->mmWKY->font(), FixedPitchFont(13));
        QVERIFY(!ed->mmWKY->isReadOnly());
        QVERIFY(ed->mmMerge->isHidden());
        QCOMPARE(ed->mmMerge->geometry(), ed->mmWKY->geometry());
        QCOMPARE(ed->mmMerge->Color(), RgbColor(0xFF, 0xFB, 0xDF));
        QCOMPARE(ed->mmMerge->lineWrapMode(), QPlainTextEdit::WidgetWidth);   // long messages stay in sight

        const struct {
            QPushButton *button;
            const char *caption, *hint;
        } buttons[] = {
            {ed->btnEND, "&EOF", "Goto End-of-File"}, {ed->btnRollover, "&Rollover", "Calculate Rollover"},
            {ed->btnSave, "&Save", ""},               {ed->sbtMerge, "&Merge", ""},
            {ed->btnExit, "E&xit", ""},               {ed->btnCopy, "&Copy", ""},
            {ed->btnPaste, "&Paste", ""},
        };
        int x = -1;
        for (const auto &b : buttons) {
            QCOMPARE(b.button->text(), QString(b.caption));
            QCOMPARE(b.button->toolTip(), QString(b.hint));
            QVERIFY(!b.button->autoDefault());
        }
        for (int i = 0; i < 5; ++i) {   // left to right along the bottom
            QVERIFY(buttons[i].button->x() > x);
            x = buttons[i].button->x();
            QVERIFY(buttons[i].button->geometry().bottom() < ed->height());
        }
        QVERIFY(ed->btnCopy->y() >= ed->height());
        QVERIFY(ed->btnPaste->y() >= ed->height());
        QCOMPARE(ed->height() - ed->MainMenu1->height(), 377);
        QCOMPARE(ed->width(), 394);

        QList<QPair<QString, QStringList>> menus;
        for (QAction *menu : ed->MainMenu1->actions()) {
            QStringList items;
            for (QAction *item : menu->menu()->actions())
                items << (item->isSeparator() ? QString("-") : item->text());
            menus.append({menu->text() + (menu->isEnabled() ? "" : " x"), items});
        }
        const QList<QPair<QString, QStringList>> expected{
            {"&File", {"Save", "Merge", "Backup", "Restore", "End of File", "Exit"}},
            {"&Edit",
             {"Undo        Ctrl+z", "-", "Cut            Ctrl+x", "Copy         Ctrl+c", "Paste        Ctrl+v",
              "Delete       Del"}},
            {"&Tools", {"Rollover"}},
            {"&Merge x", {"Check", "Verify", "Close"}},
            {"&Help", {"Contents"}},
        };
        QCOMPARE(menus, expected);
        // The shortcut texts are captions only: the pane has the keys.
        QCOMPARE(ed->Undo1->shortcut(), QKeySequence());
    }

    // Loaded as the lines of the file and saved back unedited byte for byte;
    // an edit at the end keeps every other byte, lone CRs and line ends too.
    void loadAndSave_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("edited");   // after an X typed at the end
        QTest::newRow("CR LF") << QByteArray("05JAN01 1\r\nTHE-END\r\n") << QStringList{"05JAN01 1", "THE-END"}
                               << QByteArray("05JAN01 1\r\nTHE-ENDX\r\n");
        QTest::newRow("CR LF, no last line end") << QByteArray("05JAN01 1\r\nTHE-END")
                                                 << QStringList{"05JAN01 1", "THE-END"}
                                                 << QByteArray("05JAN01 1\r\nTHE-ENDX");
        QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"} << QByteArray("a\nbX\n");
        QTest::newRow("LF, no last line end") << QByteArray("a\nb") << QStringList{"a", "b"} << QByteArray("a\nbX");
        QTest::newRow("blank last line") << QByteArray("a\r\n\r\n") << QStringList{"a", ""}
                                         << QByteArray("a\r\nX\r\n");
        QTest::newRow("lone CRs") << QByteArray("X1\r\r\nA\rB\r\nTHE-END\r\n")
                                  << QStringList{"X1\r", "A\rB", "THE-END"}
                                  << QByteArray("X1\r\r\nA\rB\r\nTHE-ENDX\r\n");
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QTest::newRow("all 256 byte values") << all
                                             << QStringList{CodePage::Decode(all.left(10)), CodePage::Decode(all.mid(11))}
                                             << all + "X";
        QTest::newRow("empty file") << QByteArray() << QStringList{} << QByteArray("X\r\n");
    }
    void loadAndSave()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, edited);
        WorkDir dir;
        dir.writeBytes("BONDS.WWW", bytes);
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();
        QCOMPARE(ed->mmWKY->Lines(), lines);
        QCOMPARE(ed->mmWKY->blockCount(), qMax(1, int(lines.size())));   // a lone CR breaks no line
        QVERIFY(!ed->mmWKY->document()->isModified());
        const auto others = Snapshot(dir, {"BONDS.WWW"});

        ed->btnSave->click();
        QCOMPARE(ReadAll(dir, "BONDS.WWW"), bytes);
        QCOMPARE(Snapshot(dir, {"BONDS.WWW"}), others);
        QCOMPARE(Boxes(), QStringList{});

        // An edit, saved through the menu, clears the flag; the window was
        // left as it stood and shows the same text next time.
        ed->mmWKY->moveCursor(QTextCursor::End);
        QTest::keyClicks(ed->mmWKY, "X");
        QVERIFY(ed->mmWKY->document()->isModified());
        ed->Save1->trigger();
        QVERIFY(!ed->mmWKY->document()->isModified());
        QCOMPARE(ReadAll(dir, "BONDS.WWW"), edited);
        ed->hide();
        ed->show();
        QCOMPARE(ed->mmWKY->Lines().last().right(1), QString("X"));
        QCOMPARE(Boxes(), QStringList{});
    }

    // A lone CR shows as a mark in its line; the mark copied and pasted is
    // a CR again in the file.
    void loneCrShowsAsAMark()
    {
        WorkDir dir;
        dir.writeBytes("BONDS.WWW", "A\rB\r\nTHE-END\r\n");
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();
        QCOMPARE(ed->mmWKY->document()->firstBlock().text(), QString("A") + QChar(0x21B5) + "B");
        SelectInPane(ed->mmWKY, 0, 0, 3);
        ed->btnCopy->click();
        ed->mmWKY->moveCursor(QTextCursor::End);
        ed->btnPaste->click();
        ed->btnSave->click();
        QCOMPARE(ReadAll(dir, "BONDS.WWW"), QByteArray("A\rB\r\nTHE-ENDA\rB\r\n"));
        QCOMPARE(Boxes(), QStringList{});
    }

    // Lines joined, split, cut or replaced and the edit undone: every line
    // saves with the end it was loaded with. A line split by Enter keeps its
    // end too.
    void editsKeepTheLineEnds()
    {
        const QByteArray bytes("A\nB\r\nC\rD\nTHE-END");
        WorkDir dir;
        dir.writeBytes("BONDS.WWW", bytes);
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();
        const auto key = [ed](int line, int column, Qt::Key k) {
            PlaceCaret(ed->mmWKY, line, column);
            QTest::keyClick(ed->mmWKY, k);
        };
        const QList<std::function<void()>> edits{
            [&] { key(1, 0, Qt::Key_Backspace); },
            [&] { key(0, 1, Qt::Key_Delete); },
            [&] { key(1, 0, Qt::Key_Return); },
            [&] { SelectInPane(ed->mmWKY, 0, 0, 1), ed->mmWKY->moveCursor(QTextCursor::Down, QTextCursor::KeepAnchor),
                  ed->Cut1->trigger(); },
            [&] { ed->mmWKY->selectAll(), QTest::keyClick(ed->mmWKY, 'X'); },
        };
        for (qsizetype i = 0; i < edits.size(); ++i) {
            edits.at(i)();
            ed->Undo1->trigger();
            ed->btnSave->click();
            QVERIFY2(ReadAll(dir, "BONDS.WWW") == bytes, qPrintable(QString::number(i)));
        }
        key(0, 0, Qt::Key_Return);
        key(2, 1, Qt::Key_Return);
        ed->btnSave->click();
        QCOMPARE(ReadAll(dir, "BONDS.WWW"), QByteArray("\nA\nB\r\n\r\nC\rD\nTHE-END"));
        QCOMPARE(Boxes(), QStringList{});
    }

    // Shift+Enter breaks the line as Enter does; the pane holds nothing
    // that the file cannot.
    void shiftEnterBreaksTheLine()
    {
        WorkDir dir;
        dir.writeBytes("BONDS.WWW", "AB\r\nTHE-END\r\n");
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();
        PlaceCaret(ed->mmWKY, 0, 1);
        QTest::keyClick(ed->mmWKY, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(ed->mmWKY->Lines(), (QStringList{"A", "B", "THE-END"}));
        ed->btnSave->click();
        QCOMPARE(ReadAll(dir, "BONDS.WWW"), QByteArray("A\r\nB\r\nTHE-END\r\n"));
        QCOMPARE(Boxes(), QStringList{});
    }

    // Typed, pasted or committed by an input method: a character the file
    // cannot hold is refused with a warning that names it, and the pane and
    // its modified flag stay as they were; the code page's own characters go
    // in and are saved as its bytes.
    void charactersOutsideTheCodePageAreRefused()
    {
        WorkDir dir;
        dir.writeBytes("BONDS.WWW", "THE-END\r\n");
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();
        ed->mmWKY->moveCursor(QTextCursor::Start);
        const QString arrow = QString::fromUtf8("\xE2\x86\x92");
        TypeText(ed->mmWKY, "a" + arrow);
        QGuiApplication::clipboard()->setText(QString::fromUtf8("x\xC4\x80y"));
        ed->btnPaste->click();
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8("\xF0\x9F\x98\x80"));
        QApplication::sendEvent(ed->mmWKY, &commit);
        QCOMPARE(ed->mmWKY->Lines(), QStringList{"aTHE-END"});
        const QString warning = "Warning: The character %1 cannot be stored in the file and was not entered.";
        QCOMPARE(Boxes(), (QStringList{warning.arg("\"" + arrow + "\" (U+2192)"),
                                       warning.arg(QString::fromUtf8("\"\xC4\x80\" (U+0100)")),
                                       warning.arg(QString::fromUtf8("\"\xF0\x9F\x98\x80\" (U+1F600)"))}));
        ed->mmWKY->document()->undo();
        QVERIFY(!ed->mmWKY->document()->isModified());

        Dialogs::ClearRecord();
        TypeText(ed->mmWKY, QString::fromUtf8("E\xE2\x82\xAC"));
        QGuiApplication::clipboard()->setText(QString::fromUtf8("\xE2\x80\x9Cq\xE2\x80\x9D \xE2\x80\x93 "));
        ed->btnPaste->click();
        ed->btnSave->click();
        QCOMPARE(ReadAll(dir, "BONDS.WWW"), QByteArray("E\x80\x93q\x94 \x96 THE-END\r\n"));
        QCOMPARE(Boxes(), QStringList{});
    }

    // A file too large for the pane is refused as a missing one is: the
    // error box names it, the pane keeps its design line and start-up goes on.
    void noEntryFileAtStartUp_data()
    {
        QTest::addColumn<bool>("tooLarge");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << false << "Error: Cannot open file \"BONDS.WWW\". No such file or directory";
        QTest::newRow("too large") << true
                                   << "Error: File \"BONDS.WWW\" is too large to load (67108865 bytes; at most 67108864).";
    }
    void noEntryFileAtStartUp()
    {
        QFETCH(bool, tooLarge);
        QFETCH(QString, error);
        WorkDir dir;
        dir.remove("BONDS.WWW");
        if (tooLarge) {
            QFile big(dir.file("BONDS.WWW"));
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(TextFiles::LoadLimit + 1));
        }
        FrontEnd frontEnd;
        QCOMPARE(Boxes(), QStringList{error});
        QCOMPARE(frmEditorMain->mmWKY->Lines(), QStringList{""});
        QVERIFY(frmRollover);   // start-up went on past the editor
        // A missing file is made by a save; one that was there but not
        // loaded is never replaced by the pane's design line.
        Dialogs::ClearRecord();
        ShowEditor()->btnSave->click();
        if (!tooLarge) {
            QCOMPARE(ReadAll(dir, "BONDS.WWW"), QByteArray("\r\n"));
            return;
        }
        QCOMPARE(Boxes(), QStringList{"Error: File \"BONDS.WWW\" was not loaded at start-up and is kept as it is; "
                                      "nothing was saved."});
        QCOMPARE(QFileInfo(dir.file("BONDS.WWW")).size(), TextFiles::LoadLimit + 1);
    }

    // Exit, File > Exit and the close box by modified state and answer.
    void leaving_data()
    {
        QTest::addColumn<int>("way");   // 0 Exit button, 1 File > Exit, 2 close box
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("modifiedAfter");
        const char *const ways[] = {"Exit", "File Exit", "close box"};
        for (int way = 0; way < 3; ++way) {
            const QByteArray w(ways[way]);
            QTest::newRow(w + ", unmodified") << way << false << int(btnNone) << false << false << false << false;
            QTest::newRow(w + ", Yes") << way << true << int(btnYes) << true << true << false << false;
            QTest::newRow(w + ", No") << way << true << int(btnNo) << true << false << false << (way == 2);
            QTest::newRow(w + ", Cancel") << way << true << int(btnCancel) << true << false << true << true;
        }
    }
    void leaving()
    {
        QFETCH(int, way);
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, written);
        QFETCH(bool, open);
        QFETCH(bool, modifiedAfter);
        WorkDir dir;
        FrontEnd frontEnd;
        const QByteArray before = ReadAll(dir, "BONDS.WWW");
        TfrmEditorMain *ed = ShowEditor();
        if (modified)
            QTest::keyClicks(ed->mmWKY, "X");
        if (answer != btnNone)
            Dialogs::QueueAnswer(answer);
        const auto leave = [ed, way] {
            if (way == 0)
                ed->btnExit->click();
            else if (way == 1)
                ed->Exit1->trigger();
            else
                ed->close();
        };
        leave();
        QCOMPARE(Boxes(), asked ? QStringList{"Confirmation: " + Question} : QStringList{});
        QCOMPARE(ReadAll(dir, "BONDS.WWW") != before, written);
        QCOMPARE(ed->isVisible(), open);
        QCOMPARE(ed->mmWKY->document()->isModified(), modifiedAfter);
        QCOMPARE(ed->mmWKY->Lines().first().startsWith("X"), modified);   // the text stays

        // The next close asks exactly when the flag is still set.
        Dialogs::ClearRecord();
        ed->show();
        Dialogs::QueueAnswer(btnCancel);
        ed->close();
        QCOMPARE(Boxes().size(), modifiedAfter ? 1 : 0);
        Dialogs::ClearQueues();
    }

    void escapeAsksNothing()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();
        QTest::keyClicks(ed->mmWKY, "X");
        QTest::keyClick(ed->mmWKY, Qt::Key_Escape);
        QTest::keyClick(ed, Qt::Key_Escape);
        QVERIFY(ed->isVisible());
        QCOMPARE(Boxes(), QStringList{});
        QVERIFY(ed->mmWKY->document()->isModified());
    }

    // From the main window the editor is modal; leaving it ends that showing.
    void shownModallyFromTheMainWindow()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        Dialogs::QueueModalAction([](QDialog *window) {
            auto *ed = qobject_cast<TfrmEditorMain *>(window);
            QVERIFY(ed && ed->isModal());
            QTest::keyClicks(ed->mmWKY, "Y");
            Dialogs::QueueAnswer(btnYes);
            ed->btnExit->click();
            QVERIFY(!ed->isVisible());
        });
        frmQEL5100->PriceEditor1->trigger();
        QCOMPARE(Boxes(), QStringList{"Confirmation: " + Question});
        QVERIFY(ReadAll(dir, "BONDS.WWW").startsWith("Y05JAN01"));
    }

    void failedSave_data()
    {
        QTest::addColumn<bool>("directory");   // else a write cut by the size limit
        QTest::addColumn<int>("way");          // 0 Save, 1 Exit and Yes, 2 close box and Yes
        for (int way = 0; way < 3; ++way) {
            QTest::newRow(QByteArray("directory, way ") + char('0' + way)) << true << way;
            QTest::newRow(QByteArray("size limit, way ") + char('0' + way)) << false << way;
        }
    }
    void failedSave()
    {
        QFETCH(bool, directory);
        QFETCH(int, way);
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();
        QTest::keyClicks(ed->mmWKY, QString(200, 'X'));
        const QByteArray before = ReadAll(dir, "BONDS.WWW");
        if (directory) {
            dir.remove("BONDS.WWW");
            QVERIFY(QDir(dir.path()).mkdir("BONDS.WWW"));
        }
        if (way != 0)
            Dialogs::QueueAnswer(btnYes);
        {
            FileSizeLimit limit(directory ? RLIM_INFINITY : 100);
            if (way == 0)
                ed->btnSave->click();
            else if (way == 1)
                ed->btnExit->click();
            else
                ed->close();
        }
        const QStringList boxes = Boxes();
        QCOMPARE(boxes.size(), way == 0 ? 1 : 2);
        const QString error = directory ? "Error: Cannot create file \"BONDS.WWW\". "
                                        : "Error: Write error on file \"BONDS.WWW\". File too large";
        QVERIFY2(boxes.last().startsWith(error), qPrintable(boxes.last()));
        if (directory)
            QVERIFY(QFileInfo(dir.file("BONDS.WWW")).isDir());
        else
            QCOMPARE(ReadAll(dir, "BONDS.WWW"), before);
        QCOMPARE(QDir(dir.path()).entryList({"*BONDS.WWW*"}, QDir::Files | QDir::Dirs).size(), 1);
        QVERIFY(ed->mmWKY->document()->isModified());
        QVERIFY(ed->isVisible());
    }

    void endOfFile_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("line");   // -1: no marker, the caret stays
        QTest::addColumn<int>("column");
        QTest::newRow("no marker") << QStringList{"05JAN01", "the-end"} << -1 << 0;
        QTest::newRow("line 0") << QStringList{"THE-END", "x"} << 0 << 0;
        QTest::newRow("inside a line") << QStringList{"a", "05JAN01 THE-END"} << 1 << 8;
        QTest::newRow("several markers") << QStringList{"a", "  THE-END", "THE-END"} << 1 << 2;
        QTest::newRow("lines of different lengths")
            << QStringList{"", "05JAN01NN114220115010113300114240000000", "xy", "", "THE-END"} << 4 << 0;
    }
    void endOfFile()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, line);
        QFETCH(int, column);
        WorkDir dir;
        dir.writeLines("BONDS.WWW", lines);
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();
        for (int round = 0; round < 2; ++round) {   // the button, then File > End of File
            ed->btnSave->setFocus();
            SelectInPane(ed->mmWKY, 0, 0, 1);
            if (round == 0)
                ed->btnEND->click();
            else
                ed->EndofFile1->trigger();
            const QTextCursor caret = ed->mmWKY->textCursor();
            if (line < 0) {
                QCOMPARE(caret.selectedText(), lines.first().left(1));
                QCOMPARE(ed->focusWidget(), ed->btnSave);
                continue;
            }
            QCOMPARE(caret.blockNumber(), line);
            QCOMPARE(caret.positionInBlock(), column);
            QVERIFY(!caret.hasSelection());
            QCOMPARE(ed->focusWidget(), ed->mmWKY);
        }
        QVERIFY(!ed->mmWKY->document()->isModified());
    }

    void editMenu()
    {
        WorkDir dir;
        dir.writeLines("BONDS.WWW", {"05JAN01 abc", "THE-END"});
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();
        const auto states = [ed] {
            OpenEditMenu(ed);
            QString s;
            for (QAction *a : {ed->Undo1, ed->Cut1, ed->Copy1, ed->Paste1, ed->Delete1})
                s += a->isEnabled() ? "1" : "0";
            return s;
        };

        ClearClipboard();
        QCOMPARE(states(), QString("00000"));   // nothing changed, selected or on the clipboard

        SelectInPane(ed->mmWKY, 0, 8, 11);
        QCOMPARE(states(), QString("01101"));
        ed->Copy1->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("abc"));
        QCOMPARE(states(), QString("01111"));

        ed->Cut1->trigger();
        QCOMPARE(ed->mmWKY->Lines().first(), QString("05JAN01 "));
        QCOMPARE(states(), QString("10010"));   // modified, no selection, text to paste

        ed->Paste1->trigger();
        ed->Paste1->trigger();
        QCOMPARE(ed->mmWKY->Lines().first(), QString("05JAN01 abcabc"));

        SelectInPane(ed->mmWKY, 0, 0, 2);
        QCOMPARE(states(), QString("11111"));
        ed->Delete1->trigger();
        QCOMPARE(ed->mmWKY->Lines().first(), QString("JAN01 abcabc"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("abc"));

        OpenEditMenu(ed);
        ed->Undo1->trigger();
        QCOMPARE(ed->mmWKY->Lines().first(), QString("05JAN01 abcabc"));

        // Typing, then undo back to the saved text.
        ed->btnSave->click();
        QCOMPARE(states().left(1), QString("0"));   // Undo off right after a save
        ed->mmWKY->moveCursor(QTextCursor::End);
        QTest::keyClicks(ed->mmWKY, "Z");
        QCOMPARE(states().left(1), QString("1"));
        ed->Undo1->trigger();
        QCOMPARE(ed->mmWKY->Lines(), (QStringList{"05JAN01 abcabc", "THE-END"}));
        QVERIFY(!ed->mmWKY->document()->isModified());

        // Text on the clipboard from elsewhere enables Paste.
        QGuiApplication::clipboard()->setText("12JAN01");
        QCOMPARE(states().mid(3, 1), QString("1"));
    }

    // Copy and Paste lie below the visible area and answer Alt+C, Alt+P.
    void copyAndPasteKeys()
    {
        WorkDir dir;
        dir.writeLines("BONDS.WWW", {"05JAN01 abc", "THE-END"});
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ActiveEditor();
        QVERIFY(ed);
        ClearClipboard();
        ed->mmWKY->setFocus();
        SelectInPane(ed->mmWKY, 0, 0, 7);
        QTest::keyClick(ed->mmWKY, Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QString("05JAN01"));
        ed->mmWKY->moveCursor(QTextCursor::End);
        QTest::keyClick(ed->mmWKY, Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(ed->mmWKY->Lines().last(), QString("THE-END05JAN01"));
        QCOMPARE(ed->focusWidget(), ed->mmWKY);

        // Tab leaves the pane without a tab character, and never lands on
        // the buttons out of sight.
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(ed->focusWidget() != ed->btnCopy && ed->focusWidget() != ed->btnPaste);
        }
        QVERIFY(!ed->mmWKY->toPlainText().contains('\t'));
    }

    // Alt+E and Alt+M are the EOF and Merge buttons' keys, not the Edit and
    // Merge menus': every press runs the button. F10 opens the menus.
    void buttonKeysBeforeMenus()
    {
        WorkDir dir;
        dir.writeLines("BONDS.WWW", {"05JAN01 abc", "  THE-END"});
        dir.writeScript("TLQ.DLL", OneLineMerge);
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ActiveEditor();
        QVERIFY(ed);
        for (int press = 0; press < 2; ++press) {
            ed->btnSave->setFocus();
            PlaceCaret(ed->mmWKY, 0, 0);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
            QTRY_COMPARE(ed->focusWidget(), ed->mmWKY);
            QCOMPARE(ed->mmWKY->textCursor().blockNumber(), 1);
            QCOMPARE(ed->mmWKY->textCursor().positionInBlock(), 2);
            QVERIFY(!QApplication::activePopupWidget());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
        QTRY_VERIFY(ed->mmMerge->isVisible());
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(Boxes(), QStringList{});

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
        QTRY_COMPARE(QApplication::activePopupWidget(), ed->File1);
        QTest::keyClick(ed->File1, Qt::Key_Escape);
    }

    // While the merge pane covers the price text, no key reaches that text:
    // the merge run gives the keyboard to the merge pane, End of File and
    // Paste do nothing. Merge > Close brings the text back and deletes the
    // message files.
    void mergePaneTakesTheKeyboard()
    {
        WorkDir dir;
        dir.writeLines("BONDS.WWW", {"05JAN01", "THE-END"});
        dir.writeScript("TLQ.DLL", OneLineMerge);
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ActiveEditor();
        QVERIFY(ed);
        QGuiApplication::clipboard()->setText("P");
        const auto typeW = [] { QTest::keyClick(QApplication::focusWidget(), 'W'); };

        ed->mmWKY->setFocus();
        ed->Merge1->trigger();
        QCOMPARE(QApplication::focusWidget(), ed->mmMerge);
        typeW();
        ed->btnEND->click();
        typeW();
        ed->EndofFile1->trigger();
        typeW();
        ed->btnPaste->click();
        QCOMPARE(ed->mmWKY->Lines(), (QStringList{"05JAN01", "THE-END"}));
        QVERIFY(!ed->mmWKY->document()->isModified());

        ed->Close1->trigger();
        QVERIFY(!dir.exists("MESSAGES.TLW"));
        QVERIFY(!dir.exists("MESSAGES.TLF"));
        ed->btnEND->click();
        typeW();
        QCOMPARE(ed->mmWKY->Lines(), (QStringList{"05JAN01", "WTHE-END"}));
    }

    void backupAndRestore_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::addColumn<QStringList>("before");   // BONDS.WKY, BONDS.BAK, BONDS.TP2
        QTest::addColumn<int>("sizeLimit");        // 0: none
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("after");
        const QString backedUp = "Information: File: BONDS.WKY backed to BONDS.BAK.";
        const QString backupFailed = "Warning: File: BONDS.WKY backup failed.";
        const QString restored = "Information: File: BONDS.WKY restored from BONDS.BAK.";
        const QString restoreFailed = "Warning: File: BONDS.WKY restore failed.";
        const QString wky = "history\r\n", bak = "backup of the history\r\n", tp2 = "safety\r\n";

        QTest::newRow("backup") << false << QStringList{wky, Missing, tp2} << 0 << backedUp
                                << QStringList{wky, wky, tp2};
        QTest::newRow("backup over a backup") << false << QStringList{wky, bak, Missing} << 0 << backedUp
                                              << QStringList{wky, wky, Missing};
        QTest::newRow("backup, no history keeps the backup")
            << false << QStringList{Missing, bak, tp2} << 0 << backupFailed << QStringList{Missing, bak, tp2};
        QTest::newRow("backup, history a directory")
            << false << QStringList{Directory, bak, tp2} << 0 << backupFailed << QStringList{Directory, bak, tp2};
        QTest::newRow("backup onto a directory")
            << false << QStringList{wky, Directory, tp2} << 0 << backupFailed << QStringList{wky, Directory, tp2};
        QTest::newRow("backup cut by the size limit")
            << false << QStringList{QString(300, 'h'), bak, tp2} << 100 << backupFailed
            << QStringList{QString(300, 'h'), bak, tp2};

        QTest::newRow("restore") << true << QStringList{wky, bak, tp2} << 0 << restored << QStringList{bak, bak, wky};
        QTest::newRow("restore, no safety copy before")
            << true << QStringList{wky, bak, Missing} << 0 << restored << QStringList{bak, bak, wky};
        QTest::newRow("restore, no history") << true << QStringList{Missing, bak, tp2} << 0 << restored
                                             << QStringList{bak, bak, tp2};
        QTest::newRow("restore, no backup changes nothing")
            << true << QStringList{wky, Missing, tp2} << 0 << restoreFailed << QStringList{wky, Missing, tp2};
        QTest::newRow("restore, backup a directory")
            << true << QStringList{wky, Directory, tp2} << 0 << restoreFailed << QStringList{wky, Directory, tp2};
        QTest::newRow("restore, safety copy onto a directory")
            << true << QStringList{wky, bak, Directory} << 0 << restoreFailed << QStringList{wky, bak, Directory};
        QTest::newRow("restore onto a directory")
            << true << QStringList{Directory, bak, tp2} << 0 << restoreFailed << QStringList{Directory, bak, tp2};
        QTest::newRow("restore, safety copy cut by the size limit")
            << true << QStringList{QString(300, 'h'), bak, tp2} << 100 << restoreFailed
            << QStringList{QString(300, 'h'), bak, tp2};
        // The safety copy is whole; the history stays as it was.
        QTest::newRow("restore cut by the size limit")
            << true << QStringList{wky, QString(300, 'b'), tp2} << 100 << restoreFailed
            << QStringList{wky, QString(300, 'b'), wky};
    }
    void backupAndRestore()
    {
        QFETCH(bool, restore);
        QFETCH(QStringList, before);
        QFETCH(int, sizeLimit);
        QFETCH(QString, box);
        QFETCH(QStringList, after);
        WorkDir dir;
        FrontEnd frontEnd;
        const QStringList names{"BONDS.WKY", "BONDS.BAK", "BONDS.TP2"};
        for (int i = 0; i < 3; ++i)
            SetState(dir, names[i], before[i]);
        const auto others = Snapshot(dir, names);
        TfrmEditorMain *ed = ShowEditor();
        {
            FileSizeLimit limit(sizeLimit ? rlim_t(sizeLimit) : RLIM_INFINITY);
            (restore ? ed->Restore1 : ed->Backup1)->trigger();
        }
        QCOMPARE(Boxes(), QStringList{box});
        QStringList states;
        for (const QString &name : names)
            states << StateOf(dir, name);
        QCOMPARE(states, after);
        QCOMPARE(Snapshot(dir, names), others);   // no other file, no leftover temporary file
    }

    void mergeWithTheStandIn()
    {
#ifndef TLQ_PROGRAM
        QSKIP("the TLQ stand-in is not in this build");
#else
        WorkDir dir;
        QVERIFY(InstallStandIn(dir));
        dir.writeBytes("BONDS.WKY", "05JAN01NN114220115010113300114240000000    0123456789\r\nTHE-END\r\n");
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();
        const QStringList paneBefore = ed->mmWKY->Lines();

        ed->sbtMerge->click();
        QCOMPARE(Boxes(), QStringList{});
        QVERIFY(!QApplication::overrideCursor());
        const QStringList tlw = dir.readLines("MESSAGES.TLW");
        const QStringList tlf = dir.readLines("MESSAGES.TLF");
        QVERIFY(tlw.first().contains("STAND-IN"));
        QVERIFY(tlw.contains("  Line 1  05JAN01  known"));
        QVERIFY(tlf.contains(" BONDS.WKY: 1 lines."));
        QCOMPARE(ed->mmMerge->Lines(), MergePaneLines(tlw, tlf));
        QVERIFY(ed->mmMerge->isVisible());
        QVERIFY(ed->Merge2->menuAction()->isEnabled());
        QCOMPARE(ed->mmWKY->Lines(), paneBefore);

        ed->Check1->trigger();
        QCOMPARE(ed->mmMerge->Lines(), tlw);
        ed->Verify1->trigger();
        QCOMPARE(ed->mmMerge->Lines(), tlf);
        QVERIFY(ed->mmMerge->isVisible());

        // A message file gone when Check loads it: the pane keeps its text.
        dir.remove("MESSAGES.TLW");
        ed->Check1->trigger();
        QCOMPARE(Boxes().size(), 1);
        QVERIFY(Boxes().first().startsWith("Error: Cannot open file \"MESSAGES.TLW\""));
        QCOMPARE(ed->mmMerge->Lines(), tlf);

        ed->Close1->trigger();
        QVERIFY(ed->mmMerge->isHidden());
        QVERIFY(!ed->Merge2->menuAction()->isEnabled());
        QVERIFY(!dir.exists("MESSAGES.TLW"));
        QVERIFY(!dir.exists("MESSAGES.TLF"));

        // File > Merge runs it too.
        ed->Merge1->trigger();
        QCOMPARE(ed->mmMerge->Lines(), MergePaneLines(tlw, tlf));
        QVERIFY(ed->mmMerge->isVisible());
#endif
    }

    void mergeMessagesAsTheyStand_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("systemLines");
        QTest::addColumn<QStringList>("historyLines");
        QTest::newRow("empty message files") << ": > MESSAGES.TLW; : > MESSAGES.TLF" << QStringList{} << QStringList{};
        QTest::newRow("blank last line and byte A0")
            << "printf 'a\\r\\n\\240b\\r\\n\\r\\n' > MESSAGES.TLW; printf 'c' > MESSAGES.TLF"
            << QStringList{"a", QString(QChar(0xA0)) + "b", ""} << QStringList{"c"};
    }
    void mergeMessagesAsTheyStand()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, systemLines);
        QFETCH(QStringList, historyLines);
        WorkDir dir;
        dir.writeScript("TLQ.DLL", script);
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();
        ed->sbtMerge->click();
        QCOMPARE(Boxes(), QStringList{});
        QCOMPARE(ed->mmMerge->Lines(), MergePaneLines(systemLines, historyLines));
        QVERIFY(ed->mmMerge->isVisible());
    }

    void mergeFailures()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();

        // No merge program: the launcher's error, nothing else changes.
        ed->sbtMerge->click();
        QCOMPARE(Boxes(), QStringList{"Error: Failed to excecute program TLQ.DLL. Error Code 2"});
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(ed->mmMerge->isHidden());
        QCOMPARE(ed->mmMerge->Lines(), QStringList{});
        QVERIFY(!ed->Merge2->menuAction()->isEnabled());

        // A program that writes no "MESSAGES.TLW": the lines so far stay,
        // the pane stays hidden.
        Dialogs::ClearRecord();
        dir.writeScript("TLQ.DLL", "printf 'x\\r\\n' > MESSAGES.TLF");
        ed->Merge1->trigger();
        QCOMPARE(Boxes(), QStringList{"Error: File not found \"MESSAGES.TLW\""});
        QCOMPARE(ed->mmMerge->Lines(), MergePaneLines({}, {}).mid(0, 3));
        QVERIFY(ed->mmMerge->isHidden());
        QVERIFY(!ed->Merge2->menuAction()->isEnabled());

        // After a merge that ran, a failed start leaves pane and menu as
        // they were.
        dir.writeScript("TLQ.DLL", OneLineMerge);
        ed->sbtMerge->click();
        const QStringList shown = MergePaneLines({"w"}, {"f"});
        QCOMPARE(ed->mmMerge->Lines(), shown);
        dir.remove("TLQ.DLL");
        Dialogs::ClearRecord();
        ed->sbtMerge->click();
        QCOMPARE(Boxes(), QStringList{"Error: Failed to excecute program TLQ.DLL. Error Code 2"});
        QCOMPARE(ed->mmMerge->Lines(), shown);
        QVERIFY(ed->mmMerge->isVisible());
        QVERIFY(ed->Merge2->menuAction()->isEnabled());
    }

    void helpAndRollover()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmEditorMain *ed = ShowEditor();
        ed->Help2->trigger();
        QCOMPARE(HelpViewer::LastOpened(), QString("EDITOR.HLP"));

        int shown = 0;
        const auto expectCalculator = [&shown](QDialog *window) {
            QCOMPARE(window, static_cast<QDialog *>(frmRollover));
            QVERIFY(window->isModal());
            ++shown;
        };
        Dialogs::QueueModalAction(expectCalculator);
        ed->btnRollover->click();
        Dialogs::QueueModalAction(expectCalculator);
        ed->Rollover1->trigger();
        QCOMPARE(shown, 2);
        QCOMPARE(Dialogs::ModalWindowsShown(), (QStringList{"frmRollover", "frmRollover"}));
        QCOMPARE(Boxes(), QStringList{});
    }

    // ---- the rollover calculator --------------------------------------------

    void calculatorDesign()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmRollover *r = frmRollover;
        QCOMPARE(r->windowTitle(), QString("Rollover Calculator"));
        QCOMPARE(r->size(), QSize(302, 191));
        QCOMPARE(r->pnlHeader->text(), QString("US T-Bonds Rollover Calculator"));
        QCOMPARE(r->grpClose->title(), QString("Close"));
        QCOMPARE(r->mskThisMonth->text(), QString("000-00"));
        QCOMPARE(r->mskLastMonth->text(), QString("000-00"));
        QCOMPARE(r->mskThisMonth->font(), FixedPitchFont(13, true));
        QCOMPARE(r->mskLastMonth->font(), FixedPitchFont(13, true));
        QCOMPARE(r->lblRollover->text(), QString());
        QCOMPARE(r->rdgRollover->title(), QString("New Month"));
        QStringList months;
        for (QAbstractButton *b : r->rdgRolloverItems->buttons())
            months << b->text();
        QCOMPARE(months, (QStringList{"March", "June", "September", "December"}));
        QCOMPARE(r->rdgRolloverItems->checkedId(), -1);
        QCOMPARE(r->btnHelp->text() + r->btnCalculate->text() + r->btnClear->text() + r->btnExit->text(),
                 QString("&Help&RolloverC&learE&xit"));
        QVERIFY(r->mmRollover->isHidden());
        QVERIFY(r->btnRolloverHelp->isHidden());
    }

    void calculate_data()
    {
        QTest::addColumn<QString>("thisClose");
        QTest::addColumn<QList<int>>("thisBlanks");
        QTest::addColumn<QString>("lastClose");
        QTest::addColumn<QList<int>>("lastBlanks");
        QTest::addColumn<int>("month");   // -1: none chosen (after Clear)
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("cleared");
        const QList<int> none;
        const QString noMonth = "Warning: You have not selected the month yet";
        const QString badTicks = "Warning: You have entered the ticks incorrectly";
        QTest::newRow("help example") << "114-22" << none << "115-22" << none << 0 << "-032M" << "" << false;
        QTest::newRow("equal prices") << "100-00" << none << "100-00" << none << 1 << "-000J" << "" << false;
        QTest::newRow("rise") << "100-00" << none << "099-16" << none << 2 << "+016S" << "" << false;
        QTest::newRow("+100") << "103-04" << none << "100-00" << none << 3 << "+100D" << "" << false;
        QTest::newRow("-100") << "100-00" << none << "103-04" << none << 0 << "-100M" << "" << false;
        QTest::newRow("four digits") << "150-00" << none << "100-00" << none << 0 << "+1600M" << "" << false;
        QTest::newRow("five digits") << "999-31" << none << "000-00" << none << 0 << "+31999M" << "" << false;
        QTest::newRow("this ticks 32") << "100-32" << none << "100-00" << none << 0 << "" << badTicks << true;
        QTest::newRow("last ticks 32") << "100-00" << none << "100-32" << none << 3 << "" << badTicks << true;
        QTest::newRow("no month, after Clear with an old letter")
            << "114-22" << none << "115-22" << none << -1 << "" << noMonth << false;
        QTest::newRow("' 14' reads 14") << "014-00" << QList<int>{0} << "013-00" << none << 0 << "+032M" << ""
                                        << false;
        QTest::newRow("'1 4'") << "114-00" << QList<int>{1} << "013-00" << none << 0 << "-032M"
                               << "Error: '1 4' is not a valid integer value" << false;
        QTest::newRow("all-blank ticks") << "114-22" << none << "115-22" << QList<int>{4, 5} << 0 << "-032M"
                                         << "Error: '  ' is not a valid integer value" << false;
    }
    void calculate()
    {
        QFETCH(QString, thisClose);
        QFETCH(QList<int>, thisBlanks);
        QFETCH(QString, lastClose);
        QFETCH(QList<int>, lastBlanks);
        QFETCH(int, month);
        QFETCH(QString, result);
        QFETCH(QString, box);
        QFETCH(bool, cleared);
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmRollover *r = frmRollover;
        r->show();
        // A calculation before, with March chosen: the result an error keeps.
        QTest::mouseClick(Month(0), Qt::LeftButton);
        EnterPrice(r->mskThisMonth, "114-22");
        EnterPrice(r->mskLastMonth, "115-22");
        r->btnCalculate->click();
        QCOMPARE(r->lblRollover->text(), QString("-032M"));
        if (month < 0)
            r->btnClear->click();
        EnterPrice(r->mskThisMonth, thisClose, thisBlanks);
        EnterPrice(r->mskLastMonth, lastClose, lastBlanks);
        const QString thisShown = r->mskThisMonth->displayText();
        const QString lastShown = r->mskLastMonth->displayText();
        if (month >= 0)
            QTest::mouseClick(Month(month), Qt::LeftButton);
        r->btnCalculate->click();

        QCOMPARE(Boxes(), box.isEmpty() ? QStringList{} : QStringList{box});
        QCOMPARE(r->lblRollover->text(), result);
        QCOMPARE(r->mskThisMonth->displayText(), cleared ? QString("000-00") : thisShown);
        QCOMPARE(r->mskLastMonth->displayText(), cleared ? QString("000-00") : lastShown);
        QCOMPARE(r->rdgRolloverItems->checkedId(), cleared || month < 0 ? -1 : month);
        // The letter outlives Clear.
        QCOMPARE(r->MonthLetter, QString("MJSD").mid(month < 0 ? 0 : month, 1));
    }

    void calculateTwiceAndClear()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmRollover *r = frmRollover;
        r->show();
        QTest::mouseClick(Month(1), Qt::LeftButton);
        EnterPrice(r->mskThisMonth, "114-22");
        EnterPrice(r->mskLastMonth, "115-22");
        r->btnCalculate->click();
        r->btnCalculate->click();
        QCOMPARE(r->lblRollover->text(), QString("-032J"));
        // Keys choose a month as a click does.
        r->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(r));
        Month(1)->setFocus();
        QTest::keyClick(Month(1), Qt::Key_Down);
        QCOMPARE(r->rdgRolloverItems->checkedId(), 2);
        QCOMPARE(r->MonthLetter, QString("S"));

        r->btnClear->click();
        QCOMPARE(r->mskThisMonth->text(), QString("000-00"));
        QCOMPARE(r->mskLastMonth->text(), QString("000-00"));
        QCOMPARE(r->lblRollover->text(), QString());
        QCOMPARE(r->rdgRolloverItems->checkedId(), -1);
        QCOMPARE(r->MonthLetter, QString("S"));
        QCOMPARE(Boxes(), QStringList{});
    }

    // The digits typed into a box at the first showing and after Clear go
    // over its "000-00" from the left.
    void typingAPrice()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmRollover *r = frmRollover;
        r->show();
        QTest::keyClicks(r->mskThisMonth, "11422");
        QTest::keyClicks(r->mskLastMonth, "11522");
        QCOMPARE(r->mskThisMonth->text(), QString("114-22"));
        QCOMPARE(r->mskLastMonth->text(), QString("115-22"));
        r->btnClear->click();
        QTest::keyClicks(r->mskThisMonth, "1");
        QCOMPARE(r->mskThisMonth->displayText(), QString("100-00"));
    }

    void helpPane()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmRollover *r = frmRollover;
        r->show();
        r->btnHelp->click();
        QVERIFY(r->mmRollover->isVisible());
        QVERIFY(r->btnRolloverHelp->isVisible());
        QCOMPARE(r->mmRollover->geometry(), r->rect());
        QCOMPARE(r->btnRolloverHelp->text(), QString("OK"));
        QCOMPARE(r->mmRollover->Lines(),
                 (QStringList{" Rollover calculation example.", "", " E.g. Switching from December to March.", "",
                              " The MAR contract closed at 114-22. Enter 114-22.",
                              " The DEC contract closed at 115-22. Enter 115-22.", "",
                              " Choose March as the new month, then click on 'Rollover'.",
                              " The difference is -1-00 one full point or 32 ticks.",
                              " The rollover will be displayed as -032M. Enter this in the file.",
                              " Use Friday's close when calculating the rollover."}));
        // The OK button lies below the text, hiding none of it; the text
        // opens at its first line.
        QCOMPARE(r->mmRollover->verticalScrollBar()->value(), 0);
        const QWidget *text = r->mmRollover->viewport();
        QVERIFY(!QRect(text->mapTo(r, QPoint()), text->size()).intersects(r->btnRolloverHelp->geometry()));
        r->btnRolloverHelp->click();
        QVERIFY(r->mmRollover->isHidden());
        QVERIFY(r->btnRolloverHelp->isHidden());
    }

    // The calculator is hidden between showings, never reset.
    void stateLastsBetweenShowings()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        Dialogs::QueueModalAction([](QDialog *) {
            TfrmRollover *r = frmRollover;
            QTest::mouseClick(Month(3), Qt::LeftButton);
            EnterPrice(r->mskThisMonth, "100-00");
            EnterPrice(r->mskLastMonth, "099-16");
            r->btnCalculate->click();
            r->btnHelp->click();
            r->btnExit->click();
            QVERIFY(!r->isVisible());
        });
        frmEditorMain->btnRolloverClick();
        Dialogs::QueueModalAction([](QDialog *) {
            TfrmRollover *r = frmRollover;
            QCOMPARE(r->mskThisMonth->text(), QString("100-00"));
            QCOMPARE(r->mskLastMonth->text(), QString("099-16"));
            QCOMPARE(r->lblRollover->text(), QString("+016D"));
            QCOMPARE(r->rdgRolloverItems->checkedId(), 3);
            QVERIFY(r->mmRollover->isVisible());
        });
        frmEditorMain->btnRolloverClick();
        QCOMPARE(Dialogs::ModalWindowsShown(), (QStringList{"frmRollover", "frmRollover"}));
        QCOMPARE(Boxes(), QStringList{});
    }
};

QEL_TEST_MAIN(TestEditor)
#include "tst_editor.moc"
