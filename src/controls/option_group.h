#pragma once

#include <QObject>

#include <map>

class QButtonGroup;
class QLabel;
class QRadioButton;
class QWidget;

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
    // A label beside a member that names it: a click on it selects the member and gives it the
    // focus, as a click on a radio button's own caption does.
    void setCaption(int index, QLabel* caption);

    bool value(int index) const;
    void setValue(int index, bool selected);

signals:
    void clicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QButtonGroup* m_group;
    std::map<int, QRadioButton*> m_buttons;
};

} // namespace kururie
