#pragma once
// What every secondary window of the front end shares: a top-level window
// created once at start-up, hidden until something shows it, never freed
// before the program ends.
#include "platform/widgets.h"

#include <QDialog>

class QMenuBar;

class TForm : public QDialog {
    Q_OBJECT
public:
    explicit TForm(const QString &name, QWidget *parent = nullptr);

    // Sets the client size; fixed windows also stop the user resizing them.
    void SetClientSize(int width, int height, bool fixed = true);
    void SetFaceColor(TColor color);
    void SetStayOnTop();
    // Shows the window, centred the first time it appears.
    void ShowCentred();
    // A menu bar above the client widget, which fills the rest of the window.
    QMenuBar *AddMenuBar(QWidget *client);
    // The window places itself: no centring when it is first shown.
    void KeepOwnPlace() { m_placed = true; }

protected:
    void showEvent(QShowEvent *event) override;
    // Escape leaves a window only where a window's own button says so; the
    // dialog's default of hiding on Escape would pass by its close handling.
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_placed = false;
};
