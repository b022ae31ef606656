#pragma once

#include <QString>

namespace kururie {

// The program's name as people meet it: in the window title, as the title of its own messages, as
// screen readers call it, in the About box and in the answer to --version.
inline const QString kProgramName = QStringLiteral("くるりえ");

} // namespace kururie
