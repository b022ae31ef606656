#include "documents/export_command.h"

#include "controls/canvas.h"
#include "controls/common_dialog.h"
#include "controls/messages.h"
#include "documents/drawing_export.h"
#include "documents/file_messages.h"
#include "documents/file_saving.h"
#include "window/main_window.h"

#include <QIODevice>

#include <array>

namespace kururie {

namespace {

const QString kExportFilter = QStringLiteral("SVG形式(*.svg)|*.svg|PNG形式 400×400(*.png)|*.png|"
                                             "PNG形式 800×800(*.png)|*.png|PNG形式 1600×1600(*.png)|*.png|"
                                             "PNG形式 4000×4000(*.png)|*.png");
// The side of the PNG each entry after the SVG's writes, in its order.
constexpr std::array<int, 4> kPngSides{400, 800, 1600, 4000};

} // namespace

ExportCommand::ExportCommand(MainWindow& window) : QObject(&window), m_window(window)
{
}

bool ExportCommand::exportDrawing()
{
    const MainControls& c = m_window.controls();
    CommonDialog& dialog = *c.commonDialog;
    dialog.setTitle(QStringLiteral("書き出し"));
    dialog.setFlags(CommonDialog::kOverwritePrompt | CommonDialog::kHideReadOnly);
    dialog.setFilter(kExportFilter);
    dialog.setFilterIndex(1);
    const std::optional<QString> chosen = dialog.showSave();
    if (!chosen)
        return false;
    // The backing canvas holds everything drawn, and the strokes it was drawn with.
    const DrawingLayers layers = drawingOf(*c.backingCanvas);
    QByteArray bytes;
    if (dialog.filterIndex() == 1) {
        const std::optional<QByteArray> svg = drawingSvg(layers);
        if (!svg) {
            showExclamation(m_window.seam(), &m_window,
                            QStringLiteral("この絵は線が多すぎるため、SVG形式では書き出せません。\n"
                                           "PNG形式なら書き出せます。"));
            return false;
        }
        bytes = *svg;
    } else {
        bytes = drawingPng(layers, c.backingCanvas->image(), kPngSides.at(std::size_t(dialog.filterIndex() - 2)));
    }
    const bool written =
        saveAtomically(*chosen, [&bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); });
    if (!written)
        reportUnsaved(m_window.seam(), &m_window, *chosen);
    return written;
}

} // namespace kururie
