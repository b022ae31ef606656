#pragma once

#include <QDialog>

class QWidget;

namespace kururie {

class ModalSeam;

// The version dialog of the Help menu: the program icon, title and version, a copyright notice,
// an etched separator and an OK button that closes it by click, Enter or Esc.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
};

// Builds a fresh About box and shows it modally; the box is gone again when this returns.
// The main window is passed as parent so the box is centred over it.
void showAboutBox(ModalSeam& seam, QWidget* parent);

} // namespace kururie
