#pragma once
// The splash window shown during start-up; the only window freed early.
#include "forms.h"

class TfrmQelplash : public QWidget {
    Q_OBJECT
public:
    explicit TfrmQelplash(QWidget *parent = nullptr);
    TImage *imgSplash;
    void FormCreate();
    // Shows the splash and waits, at most limitMilliseconds, until the window
    // system has exposed it and its picture has been painted and sent to the
    // display. Only the events that this needs are handled: user input waits.
    void ShowPainted(int limitMilliseconds);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_paintedExposed = false;
};
