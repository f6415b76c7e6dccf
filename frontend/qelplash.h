#pragma once
// The splash window shown during start-up; the only window freed early.
#include "forms.h"

class TfrmQelplash : public QWidget {
    Q_OBJECT
public:
    explicit TfrmQelplash(QWidget *parent = nullptr);
    TImage *imgSplash;
    void FormCreate();
};
