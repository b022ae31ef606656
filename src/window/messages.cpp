#include "messages.h"

#include "modal_seam.h"

#include <QMessageBox>

namespace kururie {

void showExclamation(ModalSeam& seam, QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QString(), text, QMessageBox::Ok, parent);
    seam.exec(box);
}

bool askYesNo(ModalSeam& seam, QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return seam.exec(box) == QMessageBox::Yes;
}

} // namespace kururie
