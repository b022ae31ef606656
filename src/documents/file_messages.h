#pragma once

class QString;
class QWidget;

namespace kururie {

class ModalSeam;

// What the file commands tell when a file cannot be written or read, naming it.
void reportUnsaved(ModalSeam& seam, QWidget* parent, const QString& path);
void reportUnopened(ModalSeam& seam, QWidget* parent, const QString& path);

} // namespace kururie
