#pragma once

#include "controls/modal_seam.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

class QDialog;

// Answers the program's modal dialogs in tests, one scripted answer per dialog, in order; a dialog
// without one is cancelled. Every dialog shown is recorded (its class, title and text) so tests can
// assert what was asked.
class ScriptedSeam : public kururie::ModalSeam {
public:
    using Answer = std::function<int(QDialog&)>;

    struct Shown {
        QString className;
        QString title;
        QString text;
    };

    void expect(Answer answer) { m_answers.push_back(std::move(answer)); }
    int exec(QDialog& dialog) override;

    const std::vector<Shown>& shown() const { return m_shown; }
    bool allAnswered() const { return m_answers.empty(); }
    void clear();

    // Ready-made answers.
    static Answer yes();
    static Answer no();
    static Answer ok();
    static Answer cancel();
    static Answer colour(const QColor& colour);
    static Answer file(const QString& path);

private:
    std::deque<Answer> m_answers;
    std::vector<Shown> m_shown;
};
