#include "about/about_box.h"

#include "controls/fixed_window.h"
#include "controls/modal_seam.h"
#include "controls/program_icon.h"
#include "controls/program_name.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRect>

namespace kururie {

namespace {

// A solid bar standing for one stroke of a line, in a shade of the palette, so that the
// separator stays etched in a dark one too.
QWidget* addLine(QWidget* box, const char* name, QPalette::ColorRole shade, const QRect& bounds)
{
    auto* line = new QWidget(box);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(bounds);
    line->setBackgroundRole(shade);
    line->setAutoFillBackground(true);
    return line;
}

// The text is in the palette's own colour, readable on a dark window as on a light one, and the
// label grows to its text where a font needs more room than the box was drawn for.
QLabel* addLabel(QWidget* box, const char* name, const QString& text, const QRect& bounds)
{
    auto* label = new QLabel(text, box);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(QRect(bounds.topLeft(), bounds.size().expandedTo(label->sizeHint())));
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    // It speaks in the main window's font, not in the desktop's, which may be larger.
    setAttribute(Qt::WA_WindowPropagation);
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowIcon(programIcon());
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
    icon->setPixmap(programIcon().pixmap(QSize(32, 32), devicePixelRatioF()));
    icon->setGeometry(16, 16, 32, 32);
    icon->setAccessibleName(kProgramName + QStringLiteral("のアイコン"));

    auto* title = addLabel(this, "lblTitle", kProgramName + QStringLiteral("  Version 1.00"), QRect(104, 24, 187, 24));
    auto* description = addLabel(this, "lblDescription",
                                 QStringLiteral("Copyright (C) 2002\n") + kProgramName + QStringLiteral("の作者"),
                                 QRect(104, 64, 179, 30));

    // The dark stroke lies over the upper half of the wider light one, which leaves a highlight
    // under a groove: grey over white in a light palette.
    addLine(this, "Line1_0", QPalette::Light, QRect(8, 120, 352, 2));
    addLine(this, "Line1_1", QPalette::Dark, QRect(8, 120, 352, 1))->raise();

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
