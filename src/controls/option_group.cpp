#include "controls/option_group.h"

#include <QButtonGroup>
#include <QLabel>
#include <QMouseEvent>
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

void OptionGroup::setCaption(int index, QLabel* caption)
{
    caption->setBuddy(button(index));
    caption->installEventFilter(this);
}

bool OptionGroup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* caption = static_cast<QLabel*>(watched);
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton && caption->rect().contains(release->position().toPoint())) {
            QWidget* member = caption->buddy();
            member->setFocus(Qt::MouseFocusReason);
            static_cast<QRadioButton*>(member)->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
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
