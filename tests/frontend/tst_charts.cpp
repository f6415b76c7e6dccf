// The chart viewer and its list editor: the list in file order, the GIF
// pictures, Clear, the help panel, and "CHARTS.LST" edited and saved byte
// for byte.
#include "fixture.h"
#include "testmain.h"

#include "chartsmain.h"
#include "chartsupdate.h"
#include "qelMain.h"
#include "GifWriter.hpp"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>

namespace {

// A picture of two colour bands and a diagonal, different for each seed.
layout::RgbImage Chart(int width, int height, std::uint32_t seed)
{
    layout::RgbImage image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t colour = y < height / 2 ? 0x102030 + seed : 0xE0D0C0 - seed;
            if (x == y)
                colour = 0xFF0000 ^ seed;
            image.pixels.push_back(colour);
        }
    }
    return image;
}

void WriteGif(const WorkDir &dir, const QString &name, const layout::RgbImage &image)
{
    dir.writeBytes(name, QByteArray::fromStdString(layout::EncodeGif(image)));
}

bool Shows(const layout::RgbImage &expected)
{
    const QImage shown = frmChartsMain->imgChart->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    if (shown.width() != expected.width || shown.height() != expected.height)
        return false;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            if ((shown.pixel(x, y) & 0xFFFFFF) != expected.pixels[y * expected.width + x])
                return false;
        }
    }
    return true;
}

QByteArray FileBytes(const WorkDir &dir, const QString &name)
{
    QFile file(dir.file(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void ShowViewer()
{
    frmQEL5100->ChartViewer1->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(frmChartsMain));
}

void Menu(const char *item)
{
    auto *action = frmChartsMain->findChild<QAction *>(QLatin1String(item));
    QVERIFY2(action, item);
    action->trigger();
}

void Choose(int row)
{
    QListWidgetItem *item = frmChartsMain->lstCharts->item(row);
    QVERIFY(item);
    QTest::mouseClick(frmChartsMain->lstCharts->viewport(), Qt::LeftButton, {},
                      frmChartsMain->lstCharts->visualItemRect(item).center());
}

// Runs File > Update with the editor driven by the action while it is up.
void Update(std::function<void(TfrmChartsUpdate *)> action)
{
    Dialogs::QueueModalAction([action](QDialog *) { action(frmChartsUpdate); });
    Menu("Uppdate1");
}

const layout::RgbImage First = Chart(30, 20, 0x000001);
const layout::RgbImage Second = Chart(17, 33, 0x000502);

} // namespace

class TestCharts : public QObject {
    Q_OBJECT
private:
    // A list with the cases the viewer must tell apart: two pictures, a name
    // with a trailing blank, an empty line and a name whose file is in
    // another case.
    void WriteCharts(const WorkDir &dir)
    {
        dir.writeLines("CHARTS.LST", {"1999D", "2000W", "1999D ", "", "lower"});
        WriteGif(dir, "1999D.GIF", First);
        WriteGif(dir, "2000W.GIF", Second);
        WriteGif(dir, "LOWER.gif", Second);
    }

private slots:
    void listInFileOrderAndChosenPictures()
    {
        WorkDir dir;
        WriteCharts(dir);
        FrontEnd frontEnd;
        QCOMPARE(BoxTexts(), QStringList{});
        QCOMPARE(frmChartsMain->lstCharts->Lines(), (QStringList{"1999D", "2000W", "1999D ", "", "lower"}));
        QCOMPARE(frmChartsMain->lstCharts->toolTip(), QString("Click on a chart to view."));
        ShowViewer();
        QCOMPARE(frmChartsMain->imgChart->PictureFile(), QString("globe.gif"));
        // On the black face the menu captions stay readable, and a name
        // such as "1999D" fits the narrow list.
        const QPalette menu = frmChartsMain->MainMenu1->palette();
        QVERIFY(menu.color(QPalette::Window) != menu.color(QPalette::WindowText));
        QVERIFY(menu.color(QPalette::Window) != menu.color(QPalette::ButtonText));
        const TListBox *list = frmChartsMain->lstCharts;
        const int textMargin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
        QVERIFY(list->fontMetrics().horizontalAdvance("1999D") + 2 * textMargin <= list->viewport()->width());

        Choose(1);
        QVERIFY(Shows(Second));
        Choose(0);
        QVERIFY(Shows(First));
        QCOMPARE(frmChartsMain->imgChart->PictureFile(), QString("1999D.GIF"));
        QCOMPARE(frmChartsMain->imgChart->alignment(), Qt::AlignCenter);

        // No trimming: "1999D " names "1999D .GIF"; the empty entry ".GIF".
        Choose(2);
        Choose(3);
        QCOMPARE(Dialogs::Shown().size(), 2);
        QCOMPARE(Dialogs::Shown().at(0).type, BoxType::Error);
        QVERIFY2(BoxTexts().at(0).contains("\"1999D .GIF\""), qPrintable(BoxTexts().at(0)));
        QVERIFY2(BoxTexts().at(1).contains("\".GIF\""), qPrintable(BoxTexts().at(1)));
        QVERIFY(Shows(First));   // the picture stays

        Choose(4);
        QVERIFY(Shows(Second));
        QCOMPARE(BoxTexts().size(), 2);
    }

    void clearShowsTheGlobe()
    {
        WorkDir dir;
        WriteCharts(dir);
        FrontEnd frontEnd;
        ShowViewer();
        Choose(0);
        Menu("Clear1");
        QCOMPARE(frmChartsMain->imgChart->PictureFile(), QString("globe.gif"));
        QCOMPARE(frmChartsMain->imgChart->pixmap().size(), QSize(1, 1));
        Choose(0);   // the same chart again
        QVERIFY(Shows(First));
        QCOMPARE(BoxTexts(), QStringList{});
    }

    void openingAndFocusLoadNoChart()
    {
        WorkDir dir;
        WriteCharts(dir);
        FrontEnd frontEnd;
        ShowViewer();
        frmChartsMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmChartsMain));
        frmChartsMain->lstCharts->setFocus(Qt::TabFocusReason);
        QVERIFY(frmChartsMain->lstCharts->hasFocus());
        QCOMPARE(frmChartsMain->imgChart->PictureFile(), QString("globe.gif"));
        // The keys choose as the mouse does.
        QTest::keyClick(frmChartsMain->lstCharts, Qt::Key_Down);
        QCOMPARE(frmChartsMain->lstCharts->Selection(), 0);
        QVERIFY(Shows(First));
        QTest::keyClick(frmChartsMain->lstCharts, Qt::Key_Down);
        QVERIFY(Shows(Second));
        Menu("Exit1");
        QVERIFY(!frmChartsMain->isVisible());
        ShowViewer();
        QVERIFY(Shows(Second));   // hiding keeps the picture
    }

    void missingGlobeLeavesTheListEmpty()
    {
        WorkDir dir;
        WriteCharts(dir);
        dir.remove("globe.gif");
        FrontEnd frontEnd;
        QCOMPARE(BoxTexts().size(), 1);
        QVERIFY(BoxTexts().first().contains("globe.gif"));
        QCOMPARE(frmChartsMain->lstCharts->count(), 0);
    }

    void helpPanelShowsAndHides()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        ShowViewer();
        QVERIFY(!frmChartsMain->pnlCharts->isVisible());
        Menu("Help2");
        QVERIFY(frmChartsMain->pnlCharts->isVisible());
        QCOMPARE(frmChartsMain->lblHelp->text().split('\n'), TfrmChartsMain::HelpLines);
        QCOMPARE(TfrmChartsMain::HelpLines.size(), 7);
        QCOMPARE(TfrmChartsMain::HelpLines.at(1), QString("Click on the menu button \"File\" then \"Update\". Once"));
        QCOMPARE(frmChartsMain->lblHelp->palette().color(QPalette::WindowText), QColor(0, 255, 255));
        frmChartsMain->Button1->click();
        QVERIFY(!frmChartsMain->pnlCharts->isVisible());
    }

    void saveAndExitWritesTheListAndReloadsIt()
    {
        WorkDir dir;
        WriteCharts(dir);
        FrontEnd frontEnd;
        ShowViewer();
        Choose(1);
        QStringList loaded;
        Update([&](TfrmChartsUpdate *editor) {
            loaded = editor->mmChtUpdate->toPlainText().split('\n');
            editor->mmChtUpdate->setPlainText("2000W\nNEW\n\n");
            editor->btnChtUpdate->click();
        });
        QCOMPARE(loaded, (QStringList{"1999D", "2000W", "1999D ", "", "lower", ""}));
        QCOMPARE(Dialogs::ModalWindowsShown(), QStringList{"frmChartsUpdate"});
        QCOMPARE(FileBytes(dir, "CHARTS.LST"), QByteArray("2000W\r\nNEW\r\n\r\n"));
        QCOMPARE(frmChartsMain->lstCharts->Lines(), (QStringList{"2000W", "NEW", ""}));
        QCOMPARE(frmChartsMain->lstCharts->Selection(), -1);
        QVERIFY(Shows(Second));   // the picture is not changed
        QCOMPARE(BoxTexts(), QStringList{});
        Choose(0);
        QVERIFY(Shows(Second));
        QCOMPARE(BoxTexts(), QStringList{});
    }

    void uneditedSaveRewritesTheFileByteForByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("names") << QByteArray("1999D\r\n2000W\r\n");
        QTest::newRow("empty last line") << QByteArray("A\r\n\r\n");
        QTest::newRow("empty lines only") << QByteArray("\r\n\r\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("code page") << QByteArray("caf\xE9\xA0\x80\x93\x94\x96\x81\x8D\x8F\x90\x9D\r\n");
        QTest::newRow("lone CRs") << QByteArray("X1\r\r\nA\rB\r\nTHE-END\r\n");
        QTest::newRow("LF only") << QByteArray("A\nB\n");
        QTest::newRow("no final line end") << QByteArray("A\r\nB");
        QTest::newRow("mixed line ends") << QByteArray("A\nB\r\n\nC");
    }
    void uneditedSaveRewritesTheFileByteForByte()
    {
        QFETCH(QByteArray, bytes);
        WorkDir dir;
        dir.writeBytes("CHARTS.LST", bytes);
        FrontEnd frontEnd;
        ShowViewer();
        Update([](TfrmChartsUpdate *editor) { editor->btnChtUpdate->click(); });
        QCOMPARE(FileBytes(dir, "CHARTS.LST"), bytes);
        QCOMPARE(BoxTexts(), QStringList{});
    }

    void typedNameThenEnterIsOneEntry()
    {
        WorkDir dir;
        dir.writeBytes("CHARTS.LST", "A\r\n");
        FrontEnd frontEnd;
        ShowViewer();
        Update([](TfrmChartsUpdate *editor) {
            editor->mmChtUpdate->moveCursor(QTextCursor::End);
            QTest::keyClicks(editor->mmChtUpdate, "B");
            QTest::keyClick(editor->mmChtUpdate, Qt::Key_Return);
            editor->btnChtUpdate->click();
        });
        QCOMPARE(FileBytes(dir, "CHARTS.LST"), QByteArray("A\r\nB\r\n"));
        QCOMPARE(frmChartsMain->lstCharts->Lines(), (QStringList{"A", "B"}));
    }

    // The code page's characters go in; a paste with one outside it is
    // refused whole with a warning that names it.
    void editorRefusesWhatTheFileCannotHold()
    {
        WorkDir dir;
        dir.writeBytes("CHARTS.LST", "");
        FrontEnd frontEnd;
        ShowViewer();
        Update([](TfrmChartsUpdate *editor) {
            TypeText(editor->mmChtUpdate, QString::fromUtf8("\xC3\xA9\xE2\x82\xAC" "1"));
            QApplication::clipboard()->setText(QString::fromUtf8("\nx\xE2\x80\xA8y\n"));
            editor->mmChtUpdate->paste();
            QApplication::clipboard()->setText("\nxy\n");
            editor->mmChtUpdate->paste();
            editor->btnChtUpdate->click();
        });
        QCOMPARE(FileBytes(dir, "CHARTS.LST"), QByteArray("\xE9\x80" "1\r\nxy\r\n"));
        QCOMPARE(BoxTexts(), QStringList{"The character U+2028 cannot be stored in the file and was not entered."});
    }

    void closeBoxDiscardsTheEdits()
    {
        WorkDir dir;
        WriteCharts(dir);
        FrontEnd frontEnd;
        ShowViewer();
        const QByteArray before = FileBytes(dir, "CHARTS.LST");
        Update([](TfrmChartsUpdate *editor) {
            editor->mmChtUpdate->setPlainText("EDITED\n");
            editor->close();
        });
        QCOMPARE(FileBytes(dir, "CHARTS.LST"), before);
        QCOMPARE(frmChartsMain->lstCharts->count(), 5);
        QStringList reloaded;
        Update([&](TfrmChartsUpdate *editor) { reloaded = editor->ListLines(); });
        QCOMPARE(reloaded, (QStringList{"1999D", "2000W", "1999D ", "", "lower"}));
    }

    void failedSaveKeepsTheEditorOpen()
    {
        WorkDir dir;
        WriteCharts(dir);
        FrontEnd frontEnd;
        ShowViewer();
        bool stillOpen = false;
        QString text;
        Update([&](TfrmChartsUpdate *editor) {
            editor->mmChtUpdate->setPlainText("EDITED\n");
            dir.remove("CHARTS.LST");
            QVERIFY(QDir(dir.path()).mkdir("CHARTS.LST"));
            editor->btnChtUpdate->click();
            stillOpen = editor->isVisible();
            text = editor->mmChtUpdate->toPlainText();
        });
        QVERIFY(stillOpen);
        QCOMPARE(text, QString("EDITED\n"));
        QCOMPARE(Dialogs::Shown().size(), 1);
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Error);
        QVERIFY(BoxTexts().first().contains("CHARTS.LST"));
        QVERIFY(QFileInfo(dir.file("CHARTS.LST")).isDir());
        QCOMPARE(frmChartsMain->lstCharts->count(), 5);
    }

    void missingListAtUpdateShowsNoEditor()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        ShowViewer();
        dir.remove("CHARTS.LST");
        Menu("Uppdate1");
        QCOMPARE(Dialogs::ModalWindowsShown(), QStringList{});
        QCOMPARE(BoxTexts().size(), 1);
        QVERIFY(BoxTexts().first().startsWith("Cannot open file \"CHARTS.LST\""));
        QVERIFY(!frmChartsUpdate->isVisible());
        QCOMPARE(frmChartsMain->lstCharts->count(), 2);
    }
};

QEL_TEST_MAIN(TestCharts)
#include "tst_charts.moc"
