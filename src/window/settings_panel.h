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

    // Each refresh reads its scroll bar, rewrites its label and redraws its part of the preview, then
    // the parts placed from it: the rolling circle touches the fixed one, the pen lies off the rolling
    // one's centre. showAll shows all three parts of the preview, not only the one redrawn.
    void refreshFixedCircle(bool showAll);
    void refreshRollingCircle(bool showAll);
    void refreshPenPosition(bool showAll);

    // Whether the preview counts as shown, which the toggle's caption says and a press of it
    // undoes: a resumed run hides the elements but leaves it so.
    bool previewShown() const { return m_previewShown; }
    // Hides the circles and the pen marker; with asHidden the toggle then offers to show them.
    void hidePreview(bool asHidden);
    void togglePreview();
    void ckPenPositionClick();

private:
    void showAllElements();
    void setPreviewShown(bool shown);

    MainControls& m_controls;
    bool m_previewShown = false;
};

} // namespace kururie
