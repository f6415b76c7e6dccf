#pragma once
// The control panel: the three run buttons, the run messages and the
// week's signal. A small stay-on-top window, on screen from start-up.
#include "forms.h"

#include <QChar>

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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
};

extern TfrmControlPanel *frmControlPanel;
