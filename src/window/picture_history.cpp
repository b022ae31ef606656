#include "window/picture_history.h"

#include "controls/canvas_pair.h"
#include "controls/colour_swatch.h"
#include "window/main_window.h"
#include "window/run_control.h"

#include <QPushButton>

#include <algorithm>
#include <unordered_set>

namespace kururie {

PictureHistory::PictureHistory(MainWindow& window) : QObject(&window), m_window(window)
{
}

void PictureHistory::startAfresh(bool inItsFile)
{
    m_states.clear();
    m_states.push_back(capture(QString()));
    m_current = 0;
    m_states.front().inItsFile = m_states.front().wasInAFile = inItsFile;
    emit changed();
}

void PictureHistory::record(const QString& step)
{
    if (m_window.runControl().isTracing())
        return;
    m_states.erase(m_states.begin() + std::ptrdiff_t(m_current) + 1, m_states.end());
    m_states.push_back(capture(step));
    if (m_states.size() > kMostSteps + 1)
        m_states.erase(m_states.begin());
    m_current = m_states.size() - 1;
    emit changed();
}

void PictureHistory::markSaved()
{
    for (State& state : m_states)
        state.inItsFile = false;
    State& saved = m_states[m_current];
    saved.inItsFile = saved.wasInAFile = true;
    saved.changed = false;
}

void PictureHistory::undo()
{
    if (!canUndo())
        return;
    const QString step = m_states[m_current].step;
    show(--m_current);
    m_window.announce(QStringLiteral("元に戻しました: ") + step);
}

void PictureHistory::redo()
{
    if (!canRedo())
        return;
    show(++m_current);
    m_window.announce(QStringLiteral("やり直しました: ") + m_states[m_current].step);
}

std::size_t PictureHistory::imageBytes() const
{
    std::unordered_set<const PackedImage*> counted;
    std::size_t bytes = 0;
    for (const State& state : m_states) {
        for (const KeptImage* image : {&state.visible.picture, &state.visible.image, &state.backing.picture,
                                       &state.backing.image}) {
            if (counted.insert(image->packed.get()).second)
                bytes += image->packed->bytes();
        }
    }
    return bytes;
}

PictureHistory::State PictureHistory::capture(const QString& step) const
{
    const MainControls& c = m_window.controls();
    // The images of the state before, and those already kept of this one, by their buffers.
    std::vector<KeptImage> kept;
    if (!m_states.empty()) {
        const State& before = m_states[m_current];
        kept = {before.visible.picture, before.visible.image, before.backing.picture, before.backing.image};
    }
    State state;
    state.step = step;
    state.visible = keep(*c.canvas, kept);
    state.backing = keep(*c.backingCanvas, kept);
    state.background = c.canvases->background();
    state.backgroundCommand = c.cmdBkColor->isEnabled();
    state.description = c.canvas->accessibleDescription();
    state.changed = m_window.pictureChanged();
    return state;
}

PictureHistory::KeptCanvas PictureHistory::keep(const Canvas& canvas, std::vector<KeptImage>& kept) const
{
    const CanvasContents contents = canvas.contents();
    const auto packed = [&kept](const QImage& image) {
        const auto same = std::find_if(kept.begin(), kept.end(),
                                       [&image](const KeptImage& k) { return k.key == image.cacheKey(); });
        if (same != kept.end())
            return *same;
        kept.push_back({image.cacheKey(), std::make_shared<const PackedImage>(image)});
        return kept.back();
    };
    return {contents.backColor, packed(contents.picture), packed(contents.image), contents.strokes};
}

void PictureHistory::show(std::size_t index)
{
    State& state = m_states[index];
    MainControls& c = m_window.controls();
    // Images kept once are unpacked once, and known by their new buffers when next kept.
    std::vector<std::pair<const PackedImage*, QImage>> unpacked;
    const auto unpack = [&unpacked](KeptImage& kept) {
        auto known = std::find_if(unpacked.begin(), unpacked.end(),
                                  [&kept](const auto& u) { return u.first == kept.packed.get(); });
        if (known == unpacked.end())
            known = unpacked.insert(unpacked.end(), {kept.packed.get(), kept.packed->unpacked()});
        kept.key = known->second.cacheKey();
        return known->second;
    };
    const auto restore = [&unpack](Canvas& canvas, KeptCanvas& kept) {
        canvas.restore({kept.backColor, unpack(kept.picture), unpack(kept.image), kept.strokes});
    };
    restore(*c.canvas, state.visible);
    restore(*c.backingCanvas, state.backing);
    c.canvases->chooseBackground(state.background);
    c.cmdBkColor->setEnabled(state.backgroundCommand);
    c.canvas->setAccessibleDescription(state.description);
    // Back to what a file holds is no change; to what a file held before it was written over is.
    m_window.setPictureChanged(!state.inItsFile && (state.changed || state.wasInAFile));
    emit changed();
}

} // namespace kururie
