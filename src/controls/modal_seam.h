#pragma once

class QDialog;

namespace kururie {

// Every modal dialog of the program (message boxes, file and colour dialogs, the About box) is
// built by its command and then run through this seam, so tests can answer it without a real
// modal loop. The result is what QDialog::exec() would return.
class ModalSeam {
public:
    virtual ~ModalSeam() = default;
    virtual int exec(QDialog& dialog) = 0;
};

// The seam used by the program itself: a real modal dialog.
class InteractiveModalSeam : public ModalSeam {
public:
    int exec(QDialog& dialog) override;
};

} // namespace kururie
