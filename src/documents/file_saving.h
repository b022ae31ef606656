#pragma once

#include <QString>

#include <functional>

class QIODevice;

namespace kururie {

// Writes a file through a temporary beside it and renames it into place only when everything was
// written, so a failed save never leaves a half-written file or spoils the one it would replace.
// Where no temporary can be made beside it (a folder the user may not add to) an existing,
// writable regular file is written in place instead, and only once the disk has given it room for
// the whole new contents: a full disk leaves the old file as it was, and a write that fails part of
// the way puts the old bytes back.
bool saveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write);

} // namespace kururie
