#pragma once

#include <QObject>

class QWidget;

namespace kururie {

// Makes widgets take drops of local files, with the copy cursor for file lists only, and reports
// the first file of each drop. Any other dragged data is refused.
class SettingsDropTargets : public QObject {
    Q_OBJECT

public:
    explicit SettingsDropTargets(QObject* parent);

    void watch(QWidget* target);

signals:
    void fileDropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kururie
