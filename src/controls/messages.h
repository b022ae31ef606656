#pragma once

class QString;
class QWidget;

namespace kururie {

class ModalSeam;

// A message with an exclamation icon, the program's name as its title and an OK button.
void showExclamation(ModalSeam& seam, QWidget* parent, const QString& text);

enum class Answer { Yes, No, Abandoned };

// A question with Yes and No only, Yes the default unless another is preferred, no icon; true when
// the answer is Yes. Esc and the close button answer No.
bool askYesNo(ModalSeam& seam, QWidget* parent, const QString& text, const QString& title,
              Answer preferred = Answer::Yes);

// The same question for a command that would otherwise go on and discard something: Esc and the
// close button abandon the command instead of answering No.
Answer askYesNoOrAbandon(ModalSeam& seam, QWidget* parent, const QString& text, const QString& title);

} // namespace kururie
