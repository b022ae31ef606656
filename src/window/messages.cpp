#include "messages.h"

#include "fixed_window.h"
#include "modal_seam.h"

#include <QMessageBox>

namespace kururie {

void showExclamation(ModalSeam& seam, QWidget* parent, const QString& text)
{
    // A message of the program's own, without a title of its own, carries the program's name.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("くるりえ"), text, QMessageBox::Ok, parent);
    keepFixedSize(box);
    seam.exec(box);
}

bool askYesNo(ModalSeam& seam, QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    keepFixedSize(box);
    return seam.exec(box) == QMessageBox::Yes;
}

} // namespace kururie
