#pragma once

#include <QObject>

class QWidget;

namespace kururie {

// Makes widgets take drops of local files: over them a list of local files shows the copy cursor
// and any other dragged data is refused, and a drop reports the first file of the list and the
// widget it landed on.
class FileDrops : public QObject {
    Q_OBJECT

public:
    explicit FileDrops(QObject* parent);

    void watch(QWidget* target);

signals:
    void fileDropped(QWidget* target, const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kururie
