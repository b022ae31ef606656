#include "about/about_box.h"

#include "window/fixed_window.h"
#include "window/modal_seam.h"

#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QRect>

namespace kururie {

namespace {

const char* const programIcon = ":/kururie.png";

void paintText(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

// A solid bar standing for one stroke of a line; two of them make the etched separator.
QWidget* addLine(QWidget* box, const char* name, const QColor& colour, const QRect& bounds)
{
    auto* line = new QWidget(box);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(bounds);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    line->setAutoFillBackground(true);
    return line;
}

QLabel* addLabel(QWidget* box, const char* name, const QString& text, const QRect& bounds)
{
    auto* label = new QLabel(text, box);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(bounds);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    paintText(*label, Qt::black);
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowIcon(QIcon(QString::fromLatin1(programIcon)));
    setFixedSize(367, 165);
    keepFixedSize(*this);
    setModal(true);

    // Created first so that it leads the focus chain.
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(248, 128, 92, 23);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(QPixmap(QString::fromLatin1(programIcon)));
    icon->setGeometry(16, 16, 32, 32);
    icon->setAccessibleName(QStringLiteral("くるりえのアイコン"));

    auto* title = addLabel(this, "lblTitle", QStringLiteral("くるりえ  Version 1.00"), QRect(104, 24, 187, 24));
    auto* description = addLabel(this, "lblDescription", QStringLiteral("Copyright (C) 2002\nくるりえの作者"),
                                 QRect(104, 64, 179, 30));

    // The grey stroke lies over the upper half of the wider white one, which leaves a white
    // highlight under a grey groove.
    addLine(this, "Line1_0", Qt::white, QRect(8, 120, 352, 2));
    addLine(this, "Line1_1", QColor(128, 128, 128), QRect(8, 120, 352, 1))->raise();

    setTabOrder(ok, icon);
    setTabOrder(icon, title);
    setTabOrder(title, description);
    ok->setFocus();
}

void showAboutBox(ModalSeam& seam, QWidget* parent)
{
    AboutBox box(parent);
    seam.exec(box);
}

} // namespace kururie
