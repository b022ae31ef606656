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
class ColourSwatch;
class CommonDialog;
class OptionGroup;
class PreviewElement;
class StateCheckBox;

// The controls of the main window, by the names the program's handlers use for them.
struct MainControls {
    Canvas* picDraw = nullptr;
    Canvas* picDrawBk = nullptr;
    PreviewElement* imgPen = nullptr;
    PreviewElement* LinPenPosition = nullptr;
    PreviewElement* ShpInCircle = nullptr;
    PreviewElement* ShpOutCircle = nullptr;

    QGroupBox* framCircle = nullptr;
    QLabel* lblFixCircle = nullptr;
    QScrollBar* hsbFixCircle = nullptr;
    QLabel* lblMoveCircle = nullptr;
    QScrollBar* hsbMoveCircle = nullptr;
    QLabel* lblPenPosition = nullptr;
    QScrollBar* hsbPenPosition = nullptr;
    StateCheckBox* ckPenPosition = nullptr;
    QSlider* sldPenMove = nullptr;

    QGroupBox* framSpeed = nullptr;
    QLabel* Label1 = nullptr;
    OptionGroup* opSpeed = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;

    QGroupBox* framColor = nullptr;
    QPushButton* cmdPenColor = nullptr;
    ColourSwatch* txtPenColor = nullptr;
    QPushButton* cmdBkColor = nullptr;
    ColourSwatch* txtBkColor = nullptr;
    OptionGroup* opPenWidth = nullptr;
    QWidget* picPenWidth = nullptr;
    StateCheckBox* ckPenColor = nullptr;
    QSlider* sldPenColor = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;

    QPushButton* cmdStart = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdPause = nullptr;
    QPushButton* CmdCirClear = nullptr;

    QLineEdit* txtCount = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    CommonDialog* cdlFile = nullptr;

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
