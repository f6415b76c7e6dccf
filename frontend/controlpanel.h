#pragma once
// The control panel: the three run buttons, the run messages and the
// week's signal. A small stay-on-top window, on screen from start-up.
#include "forms.h"

#include <QChar>
#include <functional>

class QPushButton;

class TfrmControlPanel : public TForm {
    Q_OBJECT
public:
    explicit TfrmControlPanel(QWidget *parent = nullptr);

    TMemo *mmControlPanel;
    QPushButton *btnMVR;
    QPushButton *btnKQ4;
    QPushButton *btnQEL;
    TPanel *pnlTradingSignal;
    TImage *imgControlPanel;

    // "A" once the MVR button has been clicked; never reset.
    QChar IndicatorsStarted = QChar(0);

    static const QStringList DesignText;
    static const QStringList ComponentFiles;

    void FormCreate();
    void FormHide();
    void btnMVRClick();
    void btnKQ4Click();
    void btnQELClick();
    void btnMVRMouseDown();
    void btnKQ4MouseDown();
    void btnQELMouseDown();
    void imgControlPanelClick();

    // The three runs the buttons start: the main window's run handlers.
    struct RunHandlers {
        std::function<void()> mvr, kq4, system;
    };
    void SetRunHandlers(RunHandlers handlers) { m_runs = std::move(handlers); }

    void ShowRunPicture(const QString &picture);
    void SetMessages(const QStringList &lines);
    void AppendMessages(const QStringList &lines);
    void ShowSignal(const QString &caption);
    // Shows the panel, restored if it was minimised, and raises it above the
    // other stay-on-top windows.
    void ShowAbove();
    // Shown and not minimised.
    bool OnScreen() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // Runs a mouse-down handler; a box for its error waits until the press
    // is over, so that the button is not left drawn pressed.
    void RunMouseDown(const std::function<void()> &handler);
    RunHandlers m_runs;
};

extern TfrmControlPanel *frmControlPanel;
