#include "messages.h"

#include "fixed_window.h"
#include "modal_seam.h"

#include <QMessageBox>

namespace kururie {

void showExclamation(ModalSeam& seam, QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QString(), text, QMessageBox::Ok, parent);
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
