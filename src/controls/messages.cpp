#include "controls/messages.h"

#include "controls/fixed_window.h"
#include "controls/modal_seam.h"
#include "controls/program_name.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>

namespace kururie {

namespace {

// Qt makes No the escape button of a Yes/No box, so Esc and the close button would answer No.
// This box ends with neither answer instead.
class AbandonableQuestion : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->matches(QKeySequence::Cancel))
            done(QDialog::Rejected);
        else
            QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        event->accept();
        done(QDialog::Rejected);
    }
};

void prepareQuestion(QMessageBox& box)
{
    box.setDefaultButton(QMessageBox::Yes);
    keepFixedSize(box);
}

} // namespace

void showExclamation(ModalSeam& seam, QWidget* parent, const QString& text)
{
    // A message of the program's own, without a title of its own, carries the program's name.
    QMessageBox box(QMessageBox::Warning, kProgramName, text, QMessageBox::Ok, parent);
    keepFixedSize(box);
    seam.exec(box);
}

bool askYesNo(ModalSeam& seam, QWidget* parent, const QString& text, const QString& title, Answer preferred)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    prepareQuestion(box);
    if (preferred == Answer::No)
        box.setDefaultButton(QMessageBox::No);
    return seam.exec(box) == QMessageBox::Yes;
}

Answer askYesNoOrAbandon(ModalSeam& seam, QWidget* parent, const QString& text, const QString& title)
{
    AbandonableQuestion box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    prepareQuestion(box);
    switch (seam.exec(box)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Abandoned;
    }
}

} // namespace kururie
