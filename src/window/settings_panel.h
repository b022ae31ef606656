#pragma once

#include <QObject>

namespace kururie {

class MainWindow;
struct MainControls;

// The geometry scroll bars with their labels and the live preview of the circles and the pen. Each
// refresh takes its scroll bar's display value afresh; the panel keeps no values of its own.
class SettingsPanel : public QObject {
    Q_OBJECT

public:
    explicit SettingsPanel(MainWindow& window);

    // The value labels as the window shows them before any scroll bar has moved.
    void writeStartUpLabels();
    void RefreshFixCircle(bool showAll);
    void RefreshMoveCircle(bool showAll);
    void RefreshPenPosition(bool showAll);

    // Hides the circles and the pen marker; with setCaption the toggle then offers to show them.
    void hidePreview(bool setCaption);
    void cmdCirClearClick();
    void ckPenPositionClick();

private:
    void showAllElements();
    void markPreviewShown();

    MainControls& m_controls;
};

} // namespace kururie
