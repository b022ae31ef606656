#pragma once

#include <QCheckBox>

namespace kururie {

// A check box whose value is 0 (unchecked), 1 (checked) or 2 (grey). A user's click toggles
// between unchecked and checked only; the grey state can be set by code.
class StateCheckBox : public QCheckBox {
    Q_OBJECT

public:
    StateCheckBox(const QString& name, const QString& caption, QWidget* parent);

    int value() const;
    // Rejects a state other than 0, 1 or 2.
    bool setValue(int state);

protected:
    void nextCheckState() override;
};

} // namespace kururie
