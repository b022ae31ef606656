#pragma once

#include "support/file_drops.h"
#include "support/scripted_seam.h"
#include "window/canvas.h"
#include "window/colour_swatch.h"
#include "window/main_window.h"
#include "window/option_group.h"
#include "window/preview_element.h"
#include "window/state_check_box.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace documents_test {

inline const QByteArray kExampleLine = "100,-40,25,0,1,#TRUE#,#FALSE#,255,16777215,#TRUE#,#FALSE#,#FALSE#,1,5\r\n";

// The fourteen values read straight from the controls, comma-separated in the file's field order
// with option buttons as 1 or 0, so a test never relies on the code it checks to read them.
inline QString controlState(const kururie::MainControls& c)
{
    const QList<qint64> values{c.hsbFixCircle->value(),   c.hsbMoveCircle->value(), c.hsbPenPosition->value(),
                               c.ckPenPosition->value(),  c.sldPenMove->value(),    c.opSpeed->value(1),
                               c.opSpeed->value(2),       c.txtPenColor->backColor(), c.txtBkColor->backColor(),
                               c.opPenWidth->value(1),    c.opPenWidth->value(2),   c.opPenWidth->value(3),
                               c.ckPenColor->value(),     c.sldPenColor->value()};
    QStringList texts;
    for (qint64 value : values)
        texts << QString::number(value);
    return texts.join(QLatin1Char(','));
}

// Everything a settings file can touch besides the fourteen values: labels, preview and caption.
inline QString panelState(const kururie::MainControls& c)
{
    return QStringList{c.lblFixCircle->text(), c.lblMoveCircle->text(), c.lblPenPosition->text(),
                       QString::number(c.ShpOutCircle->isVisible()), QString::number(c.ShpInCircle->isVisible()),
                       QString::number(c.imgPen->isVisible()), c.CmdCirClear->text(),
                       QString::number(c.picDraw->penWidth()), QString::number(c.sldPenMove->isEnabled())}
        .join(QLatin1Char('|'));
}

// Sets the controls as a user could, check boxes before their sliders.
inline void setControlState(kururie::MainControls& c, const QString& state)
{
    const QStringList texts = state.split(QLatin1Char(','));
    QCOMPARE(texts.size(), 14);
    QList<int> v;
    for (const QString& text : texts)
        v << text.toInt();
    c.hsbFixCircle->setValue(v[0]);
    c.hsbMoveCircle->setValue(v[1]);
    c.hsbPenPosition->setValue(v[2]);
    c.ckPenPosition->setValue(v[3]);
    c.sldPenMove->setValue(v[4]);
    c.opSpeed->setValue(1, v[5]);
    c.opSpeed->setValue(2, v[6]);
    c.txtPenColor->setBackColor(std::uint32_t(v[7]));
    c.txtBkColor->setBackColor(std::uint32_t(v[8]));
    for (int i = 1; i <= 3; ++i)
        c.opPenWidth->setValue(i, v[9 + i - 1]);
    c.ckPenColor->setValue(v[12]);
    c.sldPenColor->setValue(v[13]);
    QCOMPARE(controlState(c), state);
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A picture with a red top-left pixel and a blue bottom-right one on the given colour.
inline QImage markedPicture(QSize size, QColor fill)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(fill);
    picture.setPixelColor(0, 0, Qt::red);
    picture.setPixelColor(size.width() - 1, size.height() - 1, Qt::blue);
    return picture;
}

inline QString savedPicture(const QString& path, const QImage& picture, const char* format = "bmp")
{
    if (!picture.save(path, format))
        qFatal("could not prepare %s", qPrintable(path));
    return path;
}

// Opens a picture with File > Open, the dialog answered with the given path.
inline void openThroughMenu(kururie::MainWindow& window, ScriptedSeam& seam, const QString& path)
{
    seam.expect(ScriptedSeam::file(path));
    window.controls().mnuFileOpen->trigger();
}

inline QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

inline QMimeData* fileList(const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
}

inline QMimeData* textOnly(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    return data;
}

} // namespace documents_test
