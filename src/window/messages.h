#pragma once

class QString;
class QWidget;

namespace kururie {

class ModalSeam;

// A message with an exclamation icon, an empty title and an OK button.
void showExclamation(ModalSeam& seam, QWidget* parent, const QString& text);

// A question with Yes and No only, Yes the default, no icon; true when the answer is Yes.
bool askYesNo(ModalSeam& seam, QWidget* parent, const QString& text, const QString& title);

} // namespace kururie
