#include "controls/state_check_box.h"

namespace kururie {

StateCheckBox::StateCheckBox(const QString& name, const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent)
{
    setObjectName(name);
    setTristate(true);
}

int StateCheckBox::value() const
{
    switch (checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        break;
    }
    return 2;
}

bool StateCheckBox::setValue(int state)
{
    static constexpr Qt::CheckState kStates[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    if (state < 0 || state > 2)
        return false;
    setCheckState(kStates[state]);
    return true;
}

void StateCheckBox::nextCheckState()
{
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

} // namespace kururie
