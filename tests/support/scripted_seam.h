#pragma once

#include "controls/modal_seam.h"

#include <QTest>
#include <QtWidgets>

#include <deque>
#include <functional>

// Answers the program's modal dialogs in tests, one scripted answer per dialog, in order; a dialog without one
// is cancelled. Every dialog shown is recorded (its class, title and text) so that tests can check what was asked.
class ScriptedSeam : public kururie::ModalSeam {
public:
    using Answer = std::function<int(QDialog&)>;
    struct Shown {
        QString className;
        QString title;
        QString text; // a message box's
    };

    void expect(Answer answer) { m_answers.push_back(std::move(answer)); }
    void expect(const QList<Answer>& answers) { m_answers.insert(m_answers.end(), answers.begin(), answers.end()); }
    const std::vector<Shown>& shown() const { return m_shown; }
    bool allAnswered() const { return m_answers.empty(); }
    void clear() { m_answers.clear(), m_shown.clear(); }

    int exec(QDialog& dialog) override
    {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        m_shown.push_back({dialog.metaObject()->className(), dialog.windowTitle(), box ? box->text() : QString()});
        if (m_answers.empty())
            return QDialog::Rejected;
        const Answer answer = std::move(m_answers.front());
        m_answers.pop_front();
        return answer(dialog);
    }

    // Ready-made answers.
    static Answer returning(int result) { return [result](QDialog&) { return result; }; }
    static Answer yes() { return returning(QMessageBox::Yes); }
    static Answer no() { return returning(QMessageBox::No); }
    static Answer ok() { return returning(QMessageBox::Ok); }
    static Answer cancel() { return returning(QDialog::Rejected); }
    // A key pressed on the dialog as it shows, as a user answers it.
    static Answer pressing(Qt::Key key)
    {
        return [key](QDialog& d) { return d.show(), QTest::keyClick(&d, key), d.result(); };
    }
    static Answer colour(const QColor& c)
    {
        return [c](QDialog& d) { return static_cast<QColorDialog&>(d).setCurrentColor(c), int(QDialog::Accepted); };
    }
    static Answer file(const QString& path)
    {
        return [path](QDialog& d) { return static_cast<QFileDialog&>(d).selectFile(path), int(QDialog::Accepted); };
    }
    // The file typed, and then a file type (from 1) picked, as a user may, which keeps the name typed; 0 leaves the
    // type offered.
    static Answer fileUnder(int entry, const QString& path)
    {
        return [entry, path](QDialog& d) {
            static_cast<QFileDialog&>(d).selectFile(path);
            if (entry > 0)
                pickEntry(d, entry - 1);
            return int(QDialog::Accepted);
        };
    }

    // Picks a file dialog's file type (from 0) as a click in its list does, even the one already picked.
    static void pickEntry(QDialog& dialog, int index)
    {
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        types->setCurrentIndex(index);
        emit types->activated(index);
        emit types->textActivated(types->itemText(index));
    }

private:
    std::deque<Answer> m_answers;
    std::vector<Shown> m_shown;
};
