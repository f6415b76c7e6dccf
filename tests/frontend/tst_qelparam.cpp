// The parameters panel driven by its control names: the start state, the
// check-box cascades and presets, the value checks with Create Parm File and
// Save As, Load, the file failures, and two showings from Tools > Params.
#include "fixture.h"
#include "testmain.h"

#include "qelMain.h"
#include "qelparam.h"
#include "platform/helpviewer.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString DefaultLine =
    "Y1002000025015000300001000V12.4..78....456789X1......8.1....6.89L1.34...8.12...6.89Y";

using Items = QList<int>;
const Items XLive{1, 8, 10, 15, 17, 18};
const Items LLive{1, 3, 4, 8, 10, 11, 15, 17, 18};
const Items VLive{1, 2, 4, 7, 8, 13, 14, 15, 16, 17, 18};
const Items VCleared{17, 18};

// What the three groups show: masters and checked items.
struct Selection {
    bool vMaster = true;
    Items v = VLive;
    bool xMaster = true;
    Items x = XLive;
    bool lMaster = true;
    Items l = LLive;
};

QString Describe(const Selection &s)
{
    auto group = [](const char *letter, bool master, Items items) {
        std::sort(items.begin(), items.end());
        QStringList parts{QString(letter) + (master ? "+" : "-")};
        for (int k : items)
            parts << QString::number(k);
        return parts.join(' ');
    };
    return group("V", s.vMaster, s.v) + " | " + group("X", s.xMaster, s.x) + " | " + group("L", s.lMaster, s.l);
}

// The line of a selection, worked out here column by column.
QString LineOf(const Selection &s, QChar flag = 'N', const QString &values = "1002000025015000300001000",
               bool trailing = true)
{
    auto part = [](QChar letter, bool master, const Items &items, bool v) {
        QString text(master ? letter : QChar('.'));
        for (int k = 1; k <= 18; ++k) {
            const bool nothing = v && (k == 3 || k == 9 || k == 10 || k == 12);
            text += items.contains(k) && !nothing ? QChar('0' + (k - 1) % 9 + 1) : QChar('.');
        }
        return text;
    };
    return flag + values + part('V', s.vMaster, s.v, true) + part('X', s.xMaster, s.x, false)
        + part('L', s.lMaster, s.l, false) + (trailing ? "Y" : "N");
}

QString BoxCode(BoxType type)
{
    switch (type) {
    case BoxType::Warning: return "W: ";
    case BoxType::Information: return "I: ";
    case BoxType::Error: return "E: ";
    case BoxType::Confirmation: return "Q: ";
    case BoxType::Plain: return "P: ";
    }
    return "";
}

// The boxes shown since the record was last cleared, with their types.
QStringList Boxes()
{
    QStringList boxes;
    for (const BoxRecord &box : Dialogs::Shown())
        boxes << BoxCode(box.type) + box.text;
    return boxes;
}

QByteArray FileBytes(const WorkDir &dir, const QString &name)
{
    QFile file(dir.file(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const char *const ComboNames[] = {"cmbFLT", "cmbSTP", "cmbDRD", "cmbMRG", "cmbCAP", "cmbCON"};

// A working directory and the panel in its start state, shown.
class Panel {
public:
    WorkDir dir;
    TfrmQelparam form;

    Panel()
    {
        Dialogs::ClearQueues();
        Dialogs::ClearRecord();
        form.FormCreate();
        form.show();
    }
    ~Panel() { Dialogs::ClearQueues(); }

    QCheckBox *box(const QString &name) const
    {
        auto *found = form.findChild<QCheckBox *>(name.startsWith("cbx_") ? name : "cbx_" + name);
        if (!found)
            qFatal("no check box %s", qPrintable(name));
        return found;
    }
    QComboBox *combo(const QString &name) const { return form.findChild<QComboBox *>(name); }
    QGroupBox *group(const QString &name) const { return form.findChild<QGroupBox *>(name); }
    QPushButton *button(const QString &name) const { return form.findChild<QPushButton *>(name); }
    QAction *action(const QString &name) const { return form.findChild<QAction *>(name); }
    QString strip() const { return form.pnlParams->text(); }

    // A click as the user gives it: on a check box's square, on a button's middle.
    void click(const QString &name)
    {
        if (name.startsWith("btn")) {
            QTest::mouseClick(button(name), Qt::LeftButton);
            return;
        }
        QCheckBox *target = box(name);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(6, target->height() / 2));
    }
    void clicks(const QString &names)
    {
        for (const QString &name : names.split(' ', Qt::SkipEmptyParts))
            click(name);
    }
    void type(const QString &comboName, const QString &text)
    {
        QLineEdit *edit = combo(comboName)->lineEdit();
        edit->selectAll();
        edit->del();
        QTest::keyClicks(edit, text);
    }
    QString values() const
    {
        QString text;
        for (const char *name : ComboNames)
            text += combo(name)->currentText();
        return text;
    }

    Selection selection() const
    {
        Selection s;
        auto items = [this](const char *prefix) {
            Items checked;
            for (int k = 1; k <= 18; ++k) {
                if (box(QString(prefix) + QString::number(k))->isChecked())
                    checked << k;
            }
            return checked;
        };
        s.vMaster = box("VV")->isChecked();
        s.v = items("V");
        s.xMaster = box("XX")->isChecked();
        s.x = items("X");
        s.lMaster = box("LL")->isChecked();
        s.l = items("L");
        return s;
    }
    QString built()
    {
        form.BuildParameterLine();
        return form.CurrentParameterLine;
    }
    bool groupsLocked() const
    {
        const bool x = form.gbxXort->isEnabled(), l = form.gbxLong->isEnabled(), v = form.gbxFilter->isEnabled();
        if (x != l || l != v)
            qFatal("groups locked apart");
        return !x;
    }
    bool combosLocked() const
    {
        int locked = 0;
        for (const char *name : ComboNames)
            locked += combo(name)->isEnabled() ? 0 : 1;
        if (locked != 0 && locked != 6)
            qFatal("combos locked apart");
        return locked == 6;
    }
    // The presets, in the panel's order, that are enabled or checked.
    QStringList presetsWhere(const std::function<bool(QCheckBox *)> &test) const
    {
        QStringList names;
        for (const char *name : {"PTR1", "PTR8", "PTR2", "PTR3", "PTR4", "PTR5", "PTR6"}) {
            if (test(box(name)))
                names << name;
        }
        return names;
    }
    QStringList enabledPresets() const { return presetsWhere([](QCheckBox *b) { return b->isEnabled(); }); }
    QStringList checkedPresets() const { return presetsWhere([](QCheckBox *b) { return b->isChecked(); }); }
    // Every dead item disabled; every live one enabled as far as its own flag.
    void verifyItemFlags() const
    {
        for (auto [prefix, live] : {std::pair{"X", XLive}, std::pair{"L", LLive}, std::pair{"V", VLive}}) {
            for (int k = 1; k <= 18; ++k) {
                QCheckBox *item = box(QString(prefix) + QString::number(k));
                QVERIFY2(item->isEnabledTo(item->parentWidget()) == live.contains(k), qPrintable(item->objectName()));
            }
        }
    }
    void writeLine(const QString &name, const QString &line) const { dir.writeLines(name, {line}); }
    void load(const QString &name)
    {
        Dialogs::QueueOpenFiles({dir.file(name)});
        action("Load1")->trigger();
    }
};

} // namespace

Q_DECLARE_METATYPE(Selection)

namespace {
const QStringList AllPresets{"PTR1", "PTR8", "PTR2", "PTR3", "PTR4", "PTR5", "PTR6"};
} // namespace

class TestQelparam : public QObject {
    Q_OBJECT
private slots:
    void startState()
    {
        Panel p;
        TfrmQelparam &f = p.form;
        QCOMPARE(f.windowTitle(), QString("Change Running Parameters"));
        QCOMPARE(f.size(), QSize(609, 515));
        QCOMPARE(Boxes(), QStringList{});
        QCOMPARE(p.strip(), DefaultLine);   // the fixture's "BONDS.SYS"

        // Groups, masters, items, Clear buttons.
        const struct {
            const char *group, *caption, *master, *masterCaption, *prefix, *clear, *clearCaption;
            QStringList captions;
        } groups[] = {
            {"gbxXort", "X-Algorithms", "cbx_XX", "X-Algorithms", "X", "btnXX", "&X-Clear",
             {"QEL5100-HIGH", "", "", "", "", "", "", "MARKET-RALLY", "", "KQ4*100-PLUS", "", "", "", "",
              "HHHHH*2-PLUS", "", "SDW-MKT-SELL", "SPCL-SDW-MKT"}},
            {"gbxLong", "L-Agorithms", "cbx_LL", "L-Algorithms", "L", "btnLL", "&L-Clear",
             {"QEL5100-LOW", "", "MMT140-PLUS", "MAXX58-PLUS", "", "", "", "MK-PULLBACK", "", "KQ4100-PLUS",
              "MRKT-PLUNGE", "", "", "", "LLLLL*2PLUS", "", "SDW-MKT-BUY", "SPL-SDW-MKT"}},
            {"gbxFilter", "V-Filters", "cbx_VV", "V-Filters", "V", "btnVV", "&V-Clear",
             {"WPB-TOOHIGH", "WPB-TOO-LOW", "", "WK-MVT < 32", "", "", "KQ4-TOO-LOW", "BAR-OVERLAP", "", "", "", "",
              "HIGHER-CLSE", "HIGHER-HIGH", "LOWER-CLOSE", "LOWER-(LOW)", "KAOS-FILTER", "MAIN-FILTER"}},
        };
        const int tops[18] = {45, 64, 83, 103, 122, 141, 160, 179, 198, 218, 237, 256, 275, 294, 313, 333, 352, 371};
        for (const auto &g : groups) {
            QGroupBox *group = p.group(g.group);
            QCOMPARE(group->title(), QString(g.caption));
            QVERIFY(group->font().bold());
            QVERIFY(!group->isEnabled());
            QCheckBox *master = p.box(g.master);
            QCOMPARE(master->parentWidget(), group);
            QCOMPARE(master->text(), QString(g.masterCaption));
            QVERIFY(master->font().bold());
            QVERIFY2(master->width() >= master->sizeHint().width(), "master caption cut");
            QVERIFY(master->isChecked());
            QVERIFY(master->isEnabledTo(group));
            QPushButton *clear = p.button(g.clear);
            QCOMPARE(clear->text(), QString(g.clearCaption));
            QCOMPARE(clear->geometry(), QRect(13, 394, 104, 25));
            QVERIFY(!clear->isEnabled());
            QVERIFY(!clear->autoDefault());
            for (int k = 1; k <= 18; ++k) {
                QCheckBox *item = p.box(QString(g.prefix) + QString::number(k));
                QCOMPARE(item->parentWidget(), group);
                QCOMPARE(item->text(), g.captions.at(k - 1));
                QCOMPARE(item->y(), tops[k - 1]);
                QVERIFY(!item->font().bold());
                QCOMPARE(item->font().pixelSize(), 11);
            }
        }
        p.verifyItemFlags();
        QCOMPARE(Describe(p.selection()), Describe(Selection{}));

        // Presets in their order from the top, Default Settings alone enabled.
        QStringList captions;
        int lastTop = 0;
        for (const QString &name : AllPresets) {
            QCheckBox *preset = p.box(name);
            captions << preset->text();
            QVERIFY(preset->y() > lastTop);
            lastTop = preset->y();
        }
        QCOMPARE(captions, (QStringList{"Default Settings.", "No Algorithms.", "X-Algorithms only.", "L-Algorithms only.",
                                        "V-Filter Only.", "X+L Algorithms only.", "No. #1 Algorithm only."}));
        QVERIFY(!f.findChild<QCheckBox *>("cbx_PTR7"));
        QCOMPARE(p.checkedPresets(), QStringList{"PTR1"});
        QCOMPARE(p.enabledPresets(), QStringList{"PTR1"});
        QVERIFY(p.box("PTR1")->font().bold());
        QVERIFY(p.box("TrailingStop")->isChecked());
        QVERIFY(!p.box("TrailingStop")->isEnabled());
        QCOMPARE(p.box("TrailingStop")->text(), QString("Trailing Stop ON."));
        QCOMPARE(f.DefaultSettingsFlag, QChar('Y'));

        // Combos: texts, lists, locked.
        const QStringList lists[] = {
            {"000", "050", "075", "100", "101", "102", "103", "104", "105", "106", "107", "108", "109", "110",
             "115", "120", "125", "130", "135", "140", "145", "150", ""},
            {"0500", "1000", "1500", "2000", "2500", "3000", "3500", "4000", "4500", "5000", "5500", "6000", "6500"},
            {"0000", "0250", "0500", "0750", "1000", "1250", "1500", "1750", "2000"},
            {"05000", "10000", "15000", "20000", "25000", "30000", "35000", "40000", "45000", "50000", ""},
            {"15000", "20000", "25000", "30000", "40000", "50000", "60000", "70000", "80000", "90000", "99999"},
            {"0001", "0003", "0010", "0050", "0100", "0250", "0500", "1000", "2000", "3000", "4000", "5000", "6000",
             "7000", "8000", "9000", "9999"},
        };
        const QStringList texts{"100", "2000", "0250", "15000", "30000", "1000"};
        for (int i = 0; i < 6; ++i) {
            QComboBox *combo = p.combo(ComboNames[i]);
            QStringList items;
            for (int j = 0; j < combo->count(); ++j)
                items << combo->itemText(j);
            QCOMPARE(items, lists[i]);
            QCOMPARE(combo->currentText(), texts.at(i));
            QVERIFY(combo->isEditable());
            QCOMPARE(combo->width(), 66);
        }
        QVERIFY(p.combosLocked());
        QCOMPARE(p.button("btnSetParmFile")->text(), QString("&Create Parm File"));
        QVERIFY(p.button("btnSetParmFile")->isEnabled());

        // The strip and the menu.
        QCOMPARE(f.pnlParams->objectName(), QString("pnlParams"));
        QCOMPARE(f.pnlParams->geometry(), QRect(8, 448, 584, 15));
        QCOMPARE(f.pnlParams->Color(), clWhite);
        QCOMPARE(f.pnlParams->frameStyle(), int(QFrame::NoFrame));
        QCOMPARE(f.pnlParams->textFormat(), Qt::PlainText);
        QVERIFY(f.pnlParams->alignment() & Qt::AlignLeft);
        QCOMPARE(f.pnlParams->font().pixelSize(), 11);
        QVERIFY(!f.findChild<QLabel *>("pnlParmStrip"));
        QStringList menu;
        for (const char *name : {"Load1", "Save1", "Saveas1", "Exit1", "Help2"})
            menu << p.action(name)->text();
        QCOMPARE(menu, (QStringList{"Load...", "Save", "Save As...", "Exit", "Contents"}));
        QCOMPARE(f.findChild<QMenu *>("File1")->title(), QString("&File"));
        QCOMPARE(f.findChild<QMenu *>("Help1")->title(), QString("&Help"));

        // A click on a locked group changes nothing.
        p.clicks("X1 XX V17 btnXX");
        QCOMPARE(Describe(p.selection()), Describe(Selection{}));

        // The start state's line, written.
        p.dir.remove("BONDS.SYS");
        p.click("btnSetParmFile");
        QCOMPARE(Boxes(), QStringList{"I: The file has been successfully created."});
        QCOMPARE(FileBytes(p.dir, "BONDS.SYS"), (DefaultLine + "\r\n").toLatin1());
        QCOMPARE(FileBytes(p.dir, "BONDS.SYS").size(), 86);
        QCOMPARE(p.strip(), DefaultLine);
        QVERIFY(f.ParameterLineValid);

        // File > Save does the same.
        p.dir.remove("BONDS.SYS");
        Dialogs::ClearRecord();
        p.action("Save1")->trigger();
        QCOMPARE(Boxes(), QStringList{"I: The file has been successfully created."});
        QCOMPARE(FileBytes(p.dir, "BONDS.SYS"), (DefaultLine + "\r\n").toLatin1());
    }

    void leavingDefaultSettingsKeepsEverything()
    {
        Panel p;
        p.click("PTR1");
        QCOMPARE(p.form.DefaultSettingsFlag, QChar('N'));
        QVERIFY(!p.groupsLocked());
        QVERIFY(!p.combosLocked());
        QCOMPARE(p.enabledPresets(), AllPresets);
        QCOMPARE(p.checkedPresets(), QStringList{});
        QVERIFY(p.box("TrailingStop")->isEnabled());
        QVERIFY(p.box("TrailingStop")->isChecked());
        QVERIFY(p.button("btnXX")->isEnabled());
        p.verifyItemFlags();
        QCOMPARE(p.built(), LineOf(Selection{}));

        // The trailing stop's caption follows its state; "N" in the line.
        p.click("TrailingStop");
        QCOMPARE(p.box("TrailingStop")->text(), QString("Trailing Stop OFF."));
        QCOMPARE(p.built(), LineOf(Selection{}, 'N', "1002000025015000300001000", false));
        p.click("TrailingStop");
        QCOMPARE(p.box("TrailingStop")->text(), QString("Trailing Stop ON."));
    }

    void cascades_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<Selection>("expected");
        Selection s;
        s.vMaster = true, s.v = VCleared;
        QTest::newRow("V master off with V17 off springs back") << "V17 VV" << s;
        QTest::newRow("V master off with V18 off springs back") << "V18 VV" << s;
        QTest::newRow("V master on again finds V17 and V18") << "VV VV" << s;
        QTest::newRow("V-Clear") << "btnVV" << s;
        QTest::newRow("V-Clear with the master off") << "VV btnVV" << s;
        s.vMaster = false;
        QTest::newRow("V master off with V17 and V18 on stays off") << "VV" << s;
        s = Selection{};
        s.xMaster = true, s.x = {};
        QTest::newRow("X master off and on") << "XX XX" << s;
        QTest::newRow("X-Clear") << "btnXX" << s;
        s.x = {8};
        QTest::newRow("an item turns its master on") << "XX X8" << s;
        s.xMaster = false, s.x = {};
        QTest::newRow("X master off") << "XX" << s;
        s = Selection{};
        s.lMaster = true, s.l = {};
        QTest::newRow("L master off and on") << "LL LL" << s;
        QTest::newRow("L-Clear") << "btnLL" << s;
        s.l = {3, 17};
        QTest::newRow("L items after the clear") << "btnLL L3 L17" << s;
        s = Selection{};
        s.x.removeAll(1), s.l.removeAll(18), s.v.removeAll(13);
        QTest::newRow("items off leave the masters") << "X1 L18 V13" << s;
    }
    void cascades()
    {
        QFETCH(QString, clicks);
        QFETCH(Selection, expected);
        Panel p;
        p.click("PTR1");
        p.clicks(clicks);
        QCOMPARE(Describe(p.selection()), Describe(expected));
        QCOMPARE(p.built(), LineOf(expected));
        p.verifyItemFlags();
        QCOMPARE(Boxes(), QStringList{});
    }

    void presets_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<Selection>("expected");
        Selection s;
        s.l = {}, s.v = VCleared;
        QTest::newRow("X-Algorithms only") << "PTR2" << s;
        s = Selection{};
        s.x = {}, s.v = VCleared;
        QTest::newRow("L-Algorithms only") << "PTR3" << s;
        s = Selection{};
        s.x = {}, s.l = {};
        QTest::newRow("V-Filter only") << "PTR4" << s;
        s = Selection{};
        s.v = VCleared;
        QTest::newRow("X+L Algorithms only") << "PTR5" << s;
        s = Selection{};
        s.x = {1}, s.l = {1};
        QTest::newRow("No. #1 Algorithm only") << "PTR6" << s;
        s = Selection{};
        s.x = {}, s.l = {}, s.v = VCleared;
        QTest::newRow("No Algorithms") << "PTR8" << s;
        QTest::newRow("Default Settings") << "PTR1" << Selection{};
    }
    void presets()
    {
        QFETCH(QString, preset);
        QFETCH(Selection, expected);
        Panel p;
        // From Free mode with a selection, values and trailing stop of the user's.
        p.clicks("PTR1 X1 X8 L3 V1 V2 V17 TrailingStop");
        p.type("cmbFLT", "105");
        const bool defaults = preset == "PTR1";

        p.click(preset);
        QCOMPARE(Describe(p.selection()), Describe(expected));
        QCOMPARE(p.checkedPresets(), QStringList{preset});
        QCOMPARE(p.enabledPresets(), QStringList{preset});
        QVERIFY(p.groupsLocked());
        QCOMPARE(p.combosLocked(), defaults);
        QCOMPARE(p.box("TrailingStop")->isEnabled(), !defaults);
        QCOMPARE(p.box("TrailingStop")->isChecked(), defaults);
        QCOMPARE(p.form.DefaultSettingsFlag, defaults ? QChar('Y') : QChar('N'));
        const QString values = defaults ? "1002000025015000300001000" : "1052000025015000300001000";
        QCOMPARE(p.values(), values);
        QCOMPARE(p.built(), LineOf(expected, defaults ? 'Y' : 'N', values, defaults));
        p.verifyItemFlags();

        // Unchecked: Free mode with every group at its defaults; the other
        // controls as they were.
        p.click(preset);
        QCOMPARE(Describe(p.selection()), Describe(defaults ? expected : Selection{}));
        QCOMPARE(p.checkedPresets(), QStringList{});
        QCOMPARE(p.enabledPresets(), AllPresets);
        QVERIFY(!p.groupsLocked());
        QVERIFY(!p.combosLocked());
        QVERIFY(p.box("TrailingStop")->isEnabled());
        QCOMPARE(p.box("TrailingStop")->isChecked(), defaults);
        QCOMPARE(p.form.DefaultSettingsFlag, QChar('N'));
        QCOMPARE(p.values(), values);
        p.verifyItemFlags();
        QCOMPARE(Boxes(), QStringList{});
    }

    void presetDisablesTheOthersAgainstClicks()
    {
        Panel p;
        p.clicks("PTR1 PTR2");
        p.clicks("PTR1 PTR8 btnXX X1");
        QCOMPARE(p.checkedPresets(), QStringList{"PTR2"});
        Selection s;
        s.l = {}, s.v = VCleared;
        QCOMPARE(Describe(p.selection()), Describe(s));
    }

    void fieldInputs_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("boxes");           // Create Parm File
        QTest::addColumn<bool>("written");                // "BONDS.SYS"
        QTest::addColumn<QString>("stopLoss");            // the combo afterwards
        QTest::addColumn<QString>("values");              // columns 2-26 as built; empty: nothing built

        const QString invalidFilter = "W: Filter parameter has invalid characters.";
        QTest::newRow("stop loss 300") << "cmbSTP" << "300" << QStringList{"I: Stoploss cannot be less than $500."} << true
                                       << "0500" << "1000500025015000300001000";
        QTest::newRow("stop loss 99999") << "cmbSTP" << "99999"
                                         << QStringList{"I: Stoploss cannot be more than $6500."} << true << "6500"
                                         << "1006500025015000300001000";
        QTest::newRow("empty filter") << "cmbFLT" << ""
                                      << QStringList{invalidFilter, "W: Filter must have 3 characters eg. 010."} << false
                                      << "2000" << "2000025015000300001000";
        QTest::newRow("filter with a blank first") << "cmbFLT" << " 10" << QStringList{} << true << "2000"
                                                   << " 102000025015000300001000";
        QTest::newRow("hexadecimal filter") << "cmbFLT" << "$12" << QStringList{} << true << "2000"
                                            << "$122000025015000300001000";
        QTest::newRow("six-digit margin") << "cmbMRG" << "150000"
                                          << QStringList{"W: Margin must have 5 characters eg. 01000."} << false
                                          << "2000" << "1002000025015000300001000";
        QTest::newRow("letter after four digits") << "cmbSTP" << "2000x"
                                                  << QStringList{"E: '2000x' is not a valid integer value"} << false
                                                  << "2000x" << "";
        QTest::newRow("letter in the first four") << "cmbSTP" << "20x0"
                                                  << QStringList{"W: Stoploss parameter has invalid characters."}
                                                  << false << "20x0" << "10020x0025015000300001000";
        QTest::newRow("stop loss beyond 32 bits") << "cmbSTP" << "2147483648"
                                                  << QStringList{"E: '2147483648' is not a valid integer value"} << false
                                                  << "2147483648" << "";
    }
    void fieldInputs()
    {
        QFETCH(QString, combo);
        QFETCH(QString, text);
        QFETCH(QStringList, boxes);
        QFETCH(bool, written);
        QFETCH(QString, stopLoss);
        QFETCH(QString, values);
        Panel p;
        p.dir.remove("BONDS.SYS");
        p.click("PTR1");
        const QString before = p.built();
        p.type(combo, text);
        QCOMPARE(p.combo(combo)->currentText(), text);

        p.click("btnSetParmFile");
        QCOMPARE(Boxes(), written ? boxes + QStringList{"I: The file has been successfully created."} : boxes);
        QCOMPARE(p.dir.exists("BONDS.SYS"), written);
        QCOMPARE(p.combo("cmbSTP")->currentText(), stopLoss);
        const QString line = values.isEmpty() ? QString() : LineOf(Selection{}, 'N', values);
        QCOMPARE(p.form.CurrentParameterLine, values.isEmpty() ? before : line);
        if (!values.isEmpty())
            QCOMPARE(p.form.ParameterLineValid, written);
        QCOMPARE(p.strip(), written ? line : DefaultLine);
        if (written)
            QCOMPARE(FileBytes(p.dir, "BONDS.SYS"), (line + "\r\n").toLatin1());

        // Save As keeps whatever was built, with no box of its own; the
        // stop loss is corrected by now, so only the warnings come again.
        Dialogs::ClearRecord();
        Dialogs::QueueSaveFile(p.dir.file("set"));
        Dialogs::QueueAnswer(btnYes);
        p.action("Saveas1")->trigger();
        QStringList again{"Q: set.par does not exist. Do you want to create it?"};
        for (const QString &box : boxes) {
            if (!box.startsWith("I: "))
                again << box;
        }
        QCOMPARE(Boxes(), again);
        QCOMPARE(p.dir.exists("set.par"), !values.isEmpty());
        if (!values.isEmpty())
            QCOMPARE(FileBytes(p.dir, "set.par"), (line + "\r\n").toLatin1());
        QCOMPARE(p.strip(), written ? line : DefaultLine);
    }

    void emptyFilterSavesAnEightyOneCharacterLine()
    {
        Panel p;
        p.click("PTR1");
        p.combo("cmbFLT")->setCurrentIndex(22);   // the list's empty item
        QCOMPARE(p.combo("cmbFLT")->currentText(), QString());
        Dialogs::QueueSaveFile(p.dir.file("short.par"));
        Dialogs::QueueAnswer(btnYes);
        p.action("Saveas1")->trigger();
        const QStringList lines = p.dir.readLines("short.par");
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines.first().size(), 81);
        QCOMPARE(lines.first(), "N" + DefaultLine.mid(4));
    }

    void typingInACombo()
    {
        // No completion from the list, no item added, no button pressed by Return.
        Panel p;
        p.click("PTR1");
        p.type("cmbSTP", "2");
        QTest::keyClick(p.combo("cmbSTP")->lineEdit(), Qt::Key_Return);
        QCOMPARE(p.combo("cmbSTP")->currentText(), QString("2"));
        QCOMPARE(p.combo("cmbSTP")->count(), 13);
        QCOMPARE(Describe(p.selection()), Describe(Selection{}));
        QCOMPARE(Boxes(), QStringList{});
        QVERIFY(p.form.isVisible());
    }

    void saveDialog()
    {
        Panel p;
        // Cancelled: nothing built, nothing shown.
        p.click("PTR1");
        p.type("cmbFLT", "1x");
        const QString before = p.form.CurrentParameterLine;
        Dialogs::QueueSaveFile(QString());
        p.action("Saveas1")->trigger();
        QCOMPARE(Boxes(), QStringList{});
        QCOMPARE(p.form.CurrentParameterLine, before);

        // No to the create question is a cancel too.
        Dialogs::QueueSaveFile(p.dir.file("new.par"));
        Dialogs::QueueAnswer(btnNo);
        p.action("Saveas1")->trigger();
        QCOMPARE(Boxes(), QStringList{"Q: new.par does not exist. Do you want to create it?"});
        QVERIFY(!p.dir.exists("new.par"));

        // An existing file: the overwrite question, No keeps it, Yes replaces
        // it. The same name in other letters is the same file, asked about as such.
        p.type("cmbFLT", "110");
        p.writeLine("old.par", "OLD");
        for (const char *name : {"old.par", "OLD.PAR"}) {
            Dialogs::ClearRecord();
            Dialogs::QueueSaveFile(p.dir.file(name));
            Dialogs::QueueAnswer(btnNo);
            p.action("Saveas1")->trigger();
            QCOMPARE(Boxes(), QStringList{"Q: old.par already exists. Do you want to replace it?"});
            QCOMPARE(p.dir.readLines("old.par"), QStringList{"OLD"});
        }
        QVERIFY(!QFileInfo::exists(p.dir.file("OLD.PAR")));
        Dialogs::QueueSaveFile(p.dir.file("old"));   // the suffix is added
        Dialogs::QueueAnswer(btnYes);
        p.action("Saveas1")->trigger();
        QCOMPARE(p.dir.readLines("old.par"), QStringList{LineOf(Selection{}, 'N', "1102000025015000300001000")});
        QVERIFY(!p.dir.exists("old"));
        QCOMPARE(QDir::currentPath(), p.dir.path());
    }

    void loadRoundTrip()
    {
        Panel p;
        Dialogs::QueueSaveFile(p.dir.file("start.par"));
        Dialogs::QueueAnswer(btnYes);
        p.action("Saveas1")->trigger();
        QCOMPARE(p.dir.readLines("start.par"), QStringList{DefaultLine});

        // Free mode, changed selections and values, then Load.
        p.clicks("PTR1 btnXX V13 L10 TrailingStop");
        p.type("cmbCAP", "99999");
        Dialogs::ClearRecord();
        p.load("start.par");
        QCOMPARE(Boxes(), QStringList{});
        QCOMPARE(p.strip(), DefaultLine);
        QCOMPARE(Describe(p.selection()), Describe(Selection{}));
        QCOMPARE(p.values(), QString("1002000025015000300001000"));
        QVERIFY(p.box("TrailingStop")->isChecked());
        QCOMPARE(p.built(), "N" + DefaultLine.mid(1));
        QCOMPARE(p.checkedPresets(), QStringList{});
        QCOMPARE(p.enabledPresets(), AllPresets);
        QVERIFY(!p.groupsLocked());
        QVERIFY(!p.combosLocked());
        p.verifyItemFlags();
        QCOMPARE(p.dir.readLines("BONDS.SYS"), QStringList{DefaultLine});   // untouched

        // From the Default Settings state the same: Free mode.
        Panel q;
        q.writeLine("start.par", DefaultLine);
        q.load("start.par");
        QCOMPARE(q.checkedPresets(), QStringList{});
        QCOMPARE(q.enabledPresets(), AllPresets);
        QVERIFY(!q.groupsLocked() && !q.combosLocked());
        QVERIFY(q.box("TrailingStop")->isEnabled());
        QCOMPARE(q.built(), "N" + DefaultLine.mid(1));

        // A loaded "N" turns the trailing stop off, caption and all.
        q.writeLine("off.par", DefaultLine.left(83) + "N");
        q.load("off.par");
        QVERIFY(!q.box("TrailingStop")->isChecked());
        QCOMPARE(q.box("TrailingStop")->text(), QString("Trailing Stop OFF."));
    }

    void linesAreLatin1BytesAndShownAsTheyStand()
    {
        Panel p;
        const QByteArray line = "Y<b>\xE9" + DefaultLine.mid(5).toLatin1();
        p.dir.writeBytes("odd.par", line + "\r\n");
        p.load("odd.par");
        QCOMPARE(p.strip(), QString::fromLatin1(line));
        QCOMPARE(p.form.pnlParams->textFormat(), Qt::PlainText);
        QCOMPARE(p.combo("cmbFLT")->currentText(), QString::fromLatin1("<b>"));
        QCOMPARE(p.combo("cmbSTP")->currentText(), QString::fromLatin1("\xE9") + "000");
        Dialogs::QueueSaveFile(p.dir.file("odd.par"));
        Dialogs::QueueAnswer(btnYes);
        p.action("Saveas1")->trigger();
        QCOMPARE(Boxes(), (QStringList{"Q: odd.par already exists. Do you want to replace it?",
                                       "W: Filter parameter has invalid characters.",
                                       "W: Stoploss parameter has invalid characters."}));
        QCOMPARE(FileBytes(p.dir, "odd.par"), "N" + line.mid(1) + "\r\n");
    }

    void loadEmptyFileAndBlankLine()
    {
        Panel p;
        p.clicks("PTR1 TrailingStop");
        p.dir.writeBytes("empty.par", QByteArray());
        p.load("empty.par");
        QCOMPARE(p.strip(), QString());
        QCOMPARE(p.values(), QString());
        Selection cleared;
        cleared.x = {}, cleared.l = {}, cleared.v = VCleared;
        QCOMPARE(Describe(p.selection()), Describe(cleared));
        QVERIFY(!p.box("TrailingStop")->isChecked());
        QCOMPARE(Boxes(), QStringList{});

        // A line that begins with a blank is shown and not applied; LF alone ends it.
        p.dir.writeBytes("blank.par", " 1002000025015000300001000V12.4\nsecond\n");
        p.load("blank.par");
        QCOMPARE(p.strip(), QString(" 1002000025015000300001000V12.4"));
        QCOMPARE(Describe(p.selection()), Describe(cleared));
        QCOMPARE(p.values(), QString());

        // Cancelled: one blank in the strip, the controls unchanged.
        p.writeLine("set.par", DefaultLine);
        p.load("set.par");
        Dialogs::QueueOpenFiles({});
        p.action("Load1")->trigger();
        QCOMPARE(p.strip(), QString(" "));
        QCOMPARE(p.form.LoadedParameterLine, QString(" "));
        QCOMPARE(Describe(p.selection()), Describe(Selection{}));
        QCOMPARE(p.values(), QString("1002000025015000300001000"));
        QCOMPARE(Boxes(), QStringList{});
    }

    void loadVMasterOffWithV17AndV18()
    {
        Panel p;
        QString line = DefaultLine.left(26) + ".................89" + DefaultLine.mid(45);
        QCOMPARE(line.size(), 84);
        p.writeLine("v.par", line);
        p.load("v.par");
        Selection s;
        s.vMaster = false, s.v = VCleared;
        QCOMPARE(Describe(p.selection()), Describe(s));
        QCOMPARE(p.built(), "N" + line.mid(1));

        // Dots in columns 44 and 45 turn V17 and V18 off. V3's digit checks
        // it without turning the master on: V3 has no handler.
        line[43] = '.';
        line[44] = '.';
        line[29] = '3';
        p.writeLine("v.par", line);
        Dialogs::ClearRecord();
        p.load("v.par");
        s.v = {3};
        QCOMPARE(Describe(p.selection()), Describe(s));
        QCOMPARE(Boxes(), QStringList{});
    }

    void deadItemsAcrossLoads()
    {
        // A dead item's digit checks it (and its master); it is not enabled.
        Panel p;
        QString line = DefaultLine;
        line[47] = '2';    // X2
        line[29] = '3';    // V3: checked, still written "."
        p.writeLine("dead.par", line);
        p.load("dead.par");
        QVERIFY(p.box("X2")->isChecked());
        QVERIFY(p.box("V3")->isChecked());
        p.verifyItemFlags();
        QCOMPARE(p.built(), "N" + DefaultLine.mid(1, 46) + "2" + DefaultLine.mid(48));

        // Kept through a load that does not name it ...
        p.writeLine("plain.par", DefaultLine);
        p.load("plain.par");
        QVERIFY(p.box("X2")->isChecked());
        QVERIFY(p.box("V3")->isChecked());
        // ... until its master's column is "." (the V master leaves V3).
        QString off = DefaultLine;
        off[45] = '.';
        off[26] = '.';
        p.writeLine("off.par", off);
        p.load("off.par");
        QVERIFY(!p.box("X2")->isChecked());
        QVERIFY(p.box("V3")->isChecked());
    }

    void loadInAPresetModeEndsInFreeMode_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::newRow("X-Algorithms only") << "PTR2";
        QTest::newRow("No Algorithms") << "PTR8";
        QTest::newRow("No. #1 Algorithm only") << "PTR6";
    }
    void loadInAPresetModeEndsInFreeMode()
    {
        QFETCH(QString, preset);
        Panel p;
        p.clicks("PTR1 " + preset);
        Selection s;
        s.vMaster = true, s.v = {2, 17, 18};
        s.xMaster = true, s.x = {15};
        s.lMaster = false, s.l = {};
        const QString line = LineOf(s, 'Y', "1103000050020000400000500");
        p.writeLine("few.par", line);
        p.load("few.par");
        QCOMPARE(Describe(p.selection()), Describe(s));
        QCOMPARE(p.checkedPresets(), QStringList{});
        QCOMPARE(p.enabledPresets(), AllPresets);
        QVERIFY(!p.groupsLocked() && !p.combosLocked());
        QCOMPARE(p.built(), "N" + line.mid(1));
    }

    void fileFailures()
    {
        // No "BONDS.SYS" at showing: the error box, the strip as it was.
        {
            Panel p;
            p.form.hide();
            p.form.pnlParams->setText("kept");
            p.dir.remove("BONDS.SYS");
            p.form.show();
            QCOMPARE(Boxes().size(), 1);
            QVERIFY2(Boxes().first().startsWith("E: Cannot open file \"BONDS.SYS\""), qPrintable(Boxes().first()));
            QCOMPARE(p.strip(), QString("kept"));
            // An empty one gives an empty strip; a bare name in any case.
            p.form.hide();
            p.dir.writeBytes("bonds.sys", QByteArray());
            p.form.show();
            QCOMPARE(p.strip(), QString());
            // Written under the name it has on disk.
            p.click("btnSetParmFile");
            QCOMPARE(FileBytes(p.dir, "bonds.sys"), (DefaultLine + "\r\n").toLatin1());
            QVERIFY(!p.dir.exists("BONDS.SYS"));
        }
        // A directory named "BONDS.SYS": nothing read, nothing written.
        {
            Panel p;
            p.form.hide();
            p.dir.remove("BONDS.SYS");
            QVERIFY(QDir(p.dir.path()).mkdir("BONDS.SYS"));
            p.form.show();
            QCOMPARE(Boxes().size(), 1);
            QVERIFY(Boxes().first().startsWith("E: "));
            Dialogs::ClearRecord();
            p.form.pnlParams->setText("kept");
            p.click("btnSetParmFile");
            QCOMPARE(Boxes().size(), 1);
            QVERIFY2(Boxes().first().startsWith("E: Cannot create file \"BONDS.SYS\""), qPrintable(Boxes().first()));
            QVERIFY(QFileInfo(p.dir.file("BONDS.SYS")).isDir());
            QCOMPARE(p.strip(), QString("kept"));
        }
        // A write cut by the size limit: the old file byte for byte, the
        // error box, no strip and no success box.
        {
            Panel p;
            p.dir.writeBytes("BONDS.SYS", "OLD LINE\r\n");
            p.form.hide();
            p.form.show();
            QCOMPARE(p.strip(), QString("OLD LINE"));
            Dialogs::ClearRecord();
            rlimit saved{};
            getrlimit(RLIMIT_FSIZE, &saved);
            signal(SIGXFSZ, SIG_IGN);
            rlimit low = saved;
            low.rlim_cur = 40;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &low), 0);
            p.click("btnSetParmFile");
            setrlimit(RLIMIT_FSIZE, &saved);
            QCOMPARE(Boxes().size(), 1);
            QVERIFY2(Boxes().first().startsWith("E: Write error on file \"BONDS.SYS\""), qPrintable(Boxes().first()));
            QCOMPARE(FileBytes(p.dir, "BONDS.SYS"), QByteArray("OLD LINE\r\n"));
            QCOMPARE(p.strip(), QString("OLD LINE"));
            QCOMPARE(QDir(p.dir.path()).entryList({"BONDS.SYS*"}, QDir::Files), QStringList{"BONDS.SYS"});
        }
    }

    void unreadableParFile()
    {
        Panel p;
        p.click("PTR1");
        p.click("X1");
        QVERIFY(QDir(p.dir.path()).mkdir("bad.par"));
        p.form.pnlParams->setText("before");
        p.load("bad.par");
        QCOMPARE(Boxes().size(), 1);
        QVERIFY2(Boxes().first().startsWith("E: Cannot open file"), qPrintable(Boxes().first()));
        QCOMPARE(p.strip(), QString("before"));
        Selection s;
        s.x.removeAll(1);
        QCOMPARE(Describe(p.selection()), Describe(s));
    }

    void helpAndExit()
    {
        Panel p;
        p.action("Help2")->trigger();
        QCOMPARE(HelpViewer::LastOpened(), QString("PARAMS.HLP"));
        HelpViewer::Close();
        p.click("PTR1");
        p.click("X1");
        p.dir.remove("BONDS.SYS");
        p.action("Exit1")->trigger();
        QVERIFY(!p.form.isVisible());
        QVERIFY(!p.dir.exists("BONDS.SYS"));   // nothing saved
        QCOMPARE(Boxes(), QStringList{});
    }

    void twoShowingsFromToolsParams()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        QAction *params = frmQEL5100->findChild<QAction *>("ChangeParams1");
        QString firstStrip;
        Dialogs::QueueModalAction([&](QDialog *) {
            firstStrip = frmQelparam->pnlParams->text();
            auto *ptr1 = frmQelparam->cbx_PTR1;
            QTest::mouseClick(ptr1, Qt::LeftButton, {}, QPoint(6, ptr1->height() / 2));
            frmQelparam->cbx_X[0]->setChecked(false);
            frmQelparam->cmbFLT->setEditText("105");
        });
        params->trigger();
        QCOMPARE(firstStrip, DefaultLine);
        QVERIFY(!frmQelparam->isVisible());

        dir.writeLines("BONDS.SYS", {"SECOND SHOWING"});
        QString secondStrip, secondLine;
        Dialogs::QueueModalAction([&](QDialog *) {
            secondStrip = frmQelparam->pnlParams->text();
            frmQelparam->BuildParameterLine();
            secondLine = frmQelparam->CurrentParameterLine;
        });
        params->trigger();
        QCOMPARE(secondStrip, QString("SECOND SHOWING"));
        Selection s;
        s.x.removeAll(1);
        QCOMPARE(secondLine, LineOf(s, 'N', "1052000025015000300001000"));
        QVERIFY(!frmQelparam->cbx_PTR1->isChecked());
        QCOMPARE(BoxTexts(), QStringList{});
        QCOMPARE(Dialogs::ModalWindowsShown(), (QStringList{"frmQelparam", "frmQelparam"}));
    }

    // A value typed with a character the parameter file cannot hold is
    // refused with a warning that names it; the box keeps its text.
    void valueBoxesRefuseWhatTheFileCannotHold()
    {
        Panel p;
        p.clicks("PTR1");
        p.type("cmbFLT", "105");
        TypeText(p.combo("cmbFLT")->lineEdit(), QString::fromUtf8("\xE2\x86\x92"));
        QCoreApplication::processEvents();
        QCOMPARE(p.combo("cmbFLT")->currentText(), QString("105"));
        QCOMPARE(Boxes(), QStringList{QString::fromUtf8(
                              "W: The character \"\xE2\x86\x92\" (U+2192) cannot be stored in the file and was not entered.")});
    }
};

QEL_TEST_MAIN(TestQelparam)
#include "tst_qelparam.moc"
