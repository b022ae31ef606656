#pragma once

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class QSlider;
class QWidget;

namespace kururie {

class Canvas;
class CanvasPair;
class ColourSwatch;
class CommonDialog;
class OptionGroup;
class PreviewElement;
class StateCheckBox;

// The controls of the main window, by the names the program's handlers use for them.
struct MainControls {
    Canvas* canvas = nullptr;
    Canvas* backingCanvas = nullptr;
    // The two canvases, which take the same pictures, background colours and pen widths.
    CanvasPair* canvases = nullptr;
    PreviewElement* penMarker = nullptr;
    PreviewElement* penLine = nullptr;
    PreviewElement* rollingCirclePreview = nullptr;
    PreviewElement* fixedCirclePreview = nullptr;

    QGroupBox* circleFrame = nullptr;
    QLabel* lblFixCircle = nullptr;
    QScrollBar* hsbFixCircle = nullptr;
    QLabel* lblMoveCircle = nullptr;
    QScrollBar* hsbMoveCircle = nullptr;
    QLabel* lblPenPosition = nullptr;
    QScrollBar* hsbPenPosition = nullptr;
    StateCheckBox* ckPenPosition = nullptr;
    QSlider* sldPenMove = nullptr;

    QGroupBox* speedFrame = nullptr;
    QLabel* speedLabel = nullptr;
    OptionGroup* speedOptions = nullptr;
    QLabel* normalSpeedLabel = nullptr;
    QLabel* slowSpeedLabel = nullptr;

    QGroupBox* colourFrame = nullptr;
    QPushButton* cmdPenColor = nullptr;
    ColourSwatch* penColourSwatch = nullptr;
    QPushButton* cmdBkColor = nullptr;
    OptionGroup* penWidthOptions = nullptr;
    QWidget* penWidthLegend = nullptr;
    StateCheckBox* ckPenColor = nullptr;
    QSlider* sldPenColor = nullptr;
    QLabel* sparseLabel = nullptr;
    QLabel* denseLabel = nullptr;

    QPushButton* cmdStart = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdPause = nullptr;
    QPushButton* previewButton = nullptr;

    QPushButton* saveSettingsButton = nullptr;
    QPushButton* loadSettingsButton = nullptr;
    CommonDialog* commonDialog = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuFileExport = nullptr;
    QAction* mnuFileBar1 = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPaste = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;
};

} // namespace kururie
