#include "edItormain.h"

#include <QLabel>

TfrmEditorMain *frmEditorMain = nullptr;

TfrmEditorMain::TfrmEditorMain(QWidget *parent)
    : TForm(QStringLiteral("frmEditorMain"), parent)
{
    setWindowTitle(QStringLiteral("QEL-5100 Price Editor"));
    SetClientSize(394, 377);
    auto *header = new QLabel(QStringLiteral("30 Year T-Bonds Weekly Price File"), this);
    header->setObjectName(QStringLiteral("pnlHeader"));
    header->setAlignment(Qt::AlignCenter);
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    header->setAutoFillBackground(true);
    QPalette palette = header->palette();
    palette.setColor(QPalette::Window, QColor(0xD9, 0xEC, 0xDC));
    header->setPalette(palette);
    Place(header, 0, 0, 394, 25);

    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPixelSize(13);
    mmWKY = new TMemo(this);
    mmWKY->setObjectName(QStringLiteral("mmWKY"));
    mmWKY->setFont(fixed);
    mmWKY->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmWKY->SetScrollBars(ScrollBars::Vertical);
    Place(mmWKY, 0, 25, 394, 312);
    mmMerge = new TMemo(this);
    mmMerge->setObjectName(QStringLiteral("mmMerge"));
    mmMerge->setFont(fixed);
    mmMerge->SetColor(0xDFFBFF);
    mmMerge->hide();
    Place(mmMerge, 0, 25, 394, 312);
}

void TfrmEditorMain::FormCreate()
{
    mmWKY->LoadFromFile(QStringLiteral("BONDS.WWW"));
    mmWKY->document()->setModified(false);
}
