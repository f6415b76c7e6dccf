#pragma once
// The chart viewer's list editor.
#include "forms.h"

class QPushButton;

class TfrmChartsUpdate : public TForm {
    Q_OBJECT
public:
    explicit TfrmChartsUpdate(QWidget *parent = nullptr);
    TMemo *mmChtUpdate;
    QPushButton *btnChtUpdate;
    // Loads the list file into the pane and shows the editor modally; a
    // list file that cannot be read raises the file error and shows nothing.
    void EditList(const QString &fileName);
    // Saves the pane to the list file, has the viewer read it again and
    // closes; a failed save keeps the editor open with its text.
    void btnChtUpdateClick();
    // The list as the pane holds it now.
    QStringList ListLines() const;

private:
    QString m_fileName;
};

extern TfrmChartsUpdate *frmChartsUpdate;
