#include "option_group.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace kururie {

OptionGroup::OptionGroup(const QString& name, QObject* parent) : QObject(parent), m_group(new QButtonGroup(this))
{
    setObjectName(name);
    connect(m_group, &QButtonGroup::idClicked, this, &OptionGroup::clicked);
}

QRadioButton* OptionGroup::add(int index, QWidget* container, const QRect& geometry)
{
    auto* button = new QRadioButton(container);
    button->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(index));
    button->setGeometry(geometry);
    m_group->addButton(button, index);
    m_buttons[index] = button;
    return button;
}

bool OptionGroup::value(int index) const
{
    return m_buttons.at(index)->isChecked();
}

void OptionGroup::setValue(int index, bool selected)
{
    if (!selected) {
        if (value(index)) {
            // An exclusive group refuses to clear its checked button; lift that for the moment.
            m_group->setExclusive(false);
            m_buttons.at(index)->setChecked(false);
            m_group->setExclusive(true);
        }
        return;
    }
    m_buttons.at(index)->setChecked(true);
    emit clicked(index);
}

} // namespace kururie
