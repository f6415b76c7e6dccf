#pragma once
// The price editor: the weekly price entry file "BONDS.WWW" as free text,
// read once when the window is created.
#include "forms.h"

class TfrmEditorMain : public TForm {
    Q_OBJECT
public:
    explicit TfrmEditorMain(QWidget *parent = nullptr);
    TMemo *mmWKY;
    TMemo *mmMerge;
    void FormCreate();
};

extern TfrmEditorMain *frmEditorMain;
