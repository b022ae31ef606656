#pragma once

class QFile;
class QString;

namespace kururie {

// Opens a file for reading only when it is a regular file. A pipe, device, socket or folder is
// refused at once, without being opened, so that a name typed or dropped by mistake can never
// make the program wait for a writer or read from a device.
bool openRegularFile(QFile& file, const QString& path);

} // namespace kururie
