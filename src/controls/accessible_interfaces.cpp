#include "controls/accessible_interfaces.h"

#include "controls/announcer.h"
#include "controls/canvas.h"
#include "controls/focus_ring.h"
#include "controls/horizontal_scroll_bar.h"
#include "controls/program_name.h"
#include "engine/display_scale.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>

namespace kururie {

namespace {

// A position in tenths, as the value labels show it: 92 is 9.2.
class TenthsScrollBar : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit TenthsScrollBar(QWidget* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return tenths(bar()->value()); }
    void setCurrentValue(const QVariant& value) override
    {
        bar()->setValue(qRound(value.toDouble() * kPositionsPerDisplayUnit));
    }
    QVariant maximumValue() const override { return tenths(bar()->maximum()); }
    QVariant minimumValue() const override { return tenths(bar()->minimum()); }
    QVariant minimumStepSize() const override { return kDisplayStep; }

    // Qt finds only the labels beside a control; the fixed circle's bar lies over its frame, apart
    // from the label inside it.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        QList<QPair<QAccessibleInterface*, QAccessible::Relation>> related = QAccessibleWidget::relations(match);
        if (match & QAccessible::Label) {
            for (QLabel* label : widget()->window()->findChildren<QLabel*>()) {
                if (label->buddy() == widget() && label->parentWidget() != widget()->parentWidget())
                    related.append({QAccessible::queryAccessibleInterface(label), QAccessible::Label});
            }
        }
        return related;
    }

private:
    QScrollBar* bar() const { return static_cast<QScrollBar*>(widget()); }
    // Divided rather than multiplied by the step, so that a screen reader hears 0.3, not 0.30000000000000004.
    static double tenths(int position) { return position / double(kPositionsPerDisplayUnit); }
};

class AccessibleCanvas : public QAccessibleWidget {
public:
    explicit AccessibleCanvas(QWidget* canvas) : QAccessibleWidget(canvas, QAccessible::Canvas) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.busy = static_cast<Canvas*>(widget())->isBusy();
        return state;
    }
};

class AccessibleAnnouncer : public QAccessibleWidget {
public:
    explicit AccessibleAnnouncer(QWidget* announcer) : QAccessibleWidget(announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? static_cast<Announcer*>(widget())->message() : QString();
    }
};

// A container whose hidden children, the controls that only hold state, and the focus ring, which
// only shows where the focus is, are not there for a screen reader.
class ShownChildren : public QAccessibleWidget {
public:
    ShownChildren(QWidget* container, QAccessible::Role role) : QAccessibleWidget(container, role) {}

    int childCount() const override { return int(shown().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = shown();
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index]) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(shown().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }

private:
    QList<QWidget*> shown() const
    {
        QList<QWidget*> children;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child && !child->isWindow() && !child->isHidden() && !qobject_cast<FocusRing*>(child))
                children << child;
        }
        return children;
    }
};

// The program as screen readers name it: the application name is the window class's Latin-1 "Kururie".
class Program : public QAccessibleApplication {
public:
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? kProgramName : QAccessibleApplication::text(kind);
    }
};

QAccessibleInterface* describe(const QString& className, QObject* object)
{
    if (object == qApp)
        return new Program;
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("kururie::HorizontalScrollBar"))
        return new TenthsScrollBar(widget);
    if (className == QLatin1String("kururie::Canvas"))
        return new AccessibleCanvas(widget);
    if (className == QLatin1String("kururie::Announcer"))
        return new AccessibleAnnouncer(widget);
    if (className == QLatin1String("QGroupBox"))
        return new ShownChildren(widget, QAccessible::Grouping);
    // A plain widget right in a main window is its central area.
    if (className == QLatin1String("QWidget") && qobject_cast<QMainWindow*>(widget->parentWidget()))
        return new ShownChildren(widget, QAccessible::Client);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = (QAccessible::installFactory(describe), true);
    Q_UNUSED(installed);
}

} // namespace kururie
