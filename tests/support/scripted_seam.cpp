#include "scripted_seam.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

int ScriptedSeam::exec(QDialog& dialog)
{
    QString text;
    if (auto* box = qobject_cast<QMessageBox*>(&dialog))
        text = box->text();
    m_shown.push_back({QString::fromLatin1(dialog.metaObject()->className()), dialog.windowTitle(), text});
    if (m_answers.empty())
        return QDialog::Rejected;
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer(dialog);
}

void ScriptedSeam::clear()
{
    m_answers.clear();
    m_shown.clear();
}

namespace {

ScriptedSeam::Answer returning(int result)
{
    return [result](QDialog&) { return result; };
}

} // namespace

ScriptedSeam::Answer ScriptedSeam::yes() { return returning(QMessageBox::Yes); }
ScriptedSeam::Answer ScriptedSeam::no() { return returning(QMessageBox::No); }
ScriptedSeam::Answer ScriptedSeam::ok() { return returning(QMessageBox::Ok); }
ScriptedSeam::Answer ScriptedSeam::cancel() { return returning(QDialog::Rejected); }

ScriptedSeam::Answer ScriptedSeam::colour(const QColor& colour)
{
    return [colour](QDialog& dialog) {
        static_cast<QColorDialog&>(dialog).setCurrentColor(colour);
        return int(QDialog::Accepted);
    };
}

ScriptedSeam::Answer ScriptedSeam::file(const QString& path)
{
    return [path](QDialog& dialog) {
        static_cast<QFileDialog&>(dialog).selectFile(path);
        return int(QDialog::Accepted);
    };
}
