#pragma once

#include <QObject>

#include <map>

class QRadioButton;
class QWidget;
class QButtonGroup;

namespace kururie {

// A group of radio buttons addressed by index. Setting a member to true selects it, clears the
// others and raises clicked, as a user's click does; setting it to false only clears it, so a
// group may have no member selected.
class OptionGroup : public QObject {
    Q_OBJECT

public:
    OptionGroup(const QString& name, QObject* parent);

    QRadioButton* add(int index, QWidget* container, const QRect& geometry);
    QRadioButton* button(int index) const { return m_buttons.at(index); }

    bool value(int index) const;
    void setValue(int index, bool selected);

signals:
    void clicked(int index);

private:
    QButtonGroup* m_group;
    std::map<int, QRadioButton*> m_buttons;
};

} // namespace kururie
