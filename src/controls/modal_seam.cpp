#include "controls/modal_seam.h"

#include <QDialog>

namespace kururie {

int InteractiveModalSeam::exec(QDialog& dialog)
{
    return dialog.exec();
}

} // namespace kururie
