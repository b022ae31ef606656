#pragma once

#include "controls/canvas.h"
#include "window/packed_image.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <memory>
#include <vector>

namespace kururie {

class MainWindow;

// The changes made to the picture, one step each, to go back and forth through: a run (from 開始
// or 再開 to its end, stop or pause), 絵を消す, a background colour and a paste. A state keeps
// both canvases with the strokes drawn on them, the background colour held for the settings
// file, whether 背景色 may be used and the canvas's description; its images are packed, and those
// one state shares with another, or one canvas with the other, are kept once.
class PictureHistory : public QObject {
    Q_OBJECT

public:
    // At least this many steps can be undone, back from the newest.
    static constexpr std::size_t kMostSteps = 50;

    explicit PictureHistory(MainWindow& window);

    // The picture as it is now is the only state, as for a new document; `inItsFile` when it is
    // what a file holds, opened or just saved.
    void startAfresh(bool inItsFile);
    // The picture as it is now is the end of a step, named as a screen reader hears it; the steps
    // undone before it are gone. A change made while a run draws is part of the run's step.
    void record(const QString& step);
    // The picture as it is now is what its file holds.
    void markSaved();

    bool canUndo() const { return m_current > 0; }
    bool canRedo() const { return m_current + 1 < m_states.size(); }
    void undo();
    void redo();

    // What the packed images of every state hold, each counted once; the strokes are the canvas's.
    std::size_t imageBytes() const;

signals:
    void changed();

private:
    struct KeptImage {
        qint64 key = 0;
        std::shared_ptr<const PackedImage> packed;
    };
    struct KeptCanvas {
        std::uint32_t backColor = 0;
        KeptImage picture;
        KeptImage image;
        StrokeRecord strokes;
    };
    struct State {
        QString step;
        KeptCanvas visible;
        KeptCanvas backing;
        std::uint32_t background = 0;
        bool backgroundCommand = true;
        QString description;
        // The picture-changed mark as the step left it.
        bool changed = false;
        // Whether a file holds this picture now, and whether one ever did: then, with the file
        // written over since, it counts as changed again.
        bool inItsFile = false;
        bool wasInAFile = false;
    };

    State capture(const QString& step) const;
    KeptCanvas keep(const Canvas& canvas, std::vector<KeptImage>& kept) const;
    void show(std::size_t index);

    MainWindow& m_window;
    std::vector<State> m_states;
    std::size_t m_current = 0;
};

} // namespace kururie
