#pragma once

#include <QObject>

namespace kururie {

class MainWindow;
struct MainControls;
struct TraceState;

// The geometry scroll bars with their labels and the live preview of the circles and the pen.
class SettingsPanel : public QObject {
    Q_OBJECT

public:
    explicit SettingsPanel(MainWindow& window);

    // The shared values and the labels as the window shows them before any scroll bar has moved.
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
    TraceState& m_state;
};

} // namespace kururie
