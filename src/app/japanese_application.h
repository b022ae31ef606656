#pragma once

class QCoreApplication;

namespace kururie {

// Names the program for the desktop and makes everything Qt draws for it (file and colour
// dialogs, standard buttons, the file dialog's dates and sizes) Japanese, whatever the user's
// locale. Without Qt's Japanese translation installed, Qt's own texts stay English.
void setUpJapaneseApplication(QCoreApplication& application);

} // namespace kururie
