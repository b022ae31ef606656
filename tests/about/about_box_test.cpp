#include "about/about_box.h"
#include "support/scripted_seam.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using kururie::AboutBox;

namespace {

QWidget* child(QWidget& box, const char* name)
{
    return box.findChild<QWidget*>(QString::fromLatin1(name));
}

QLabel* label(QWidget& box, const char* name)
{
    return box.findChild<QLabel*>(QString::fromLatin1(name));
}

QPushButton* okButton(QWidget& box)
{
    return box.findChild<QPushButton*>(QStringLiteral("cmdOK"));
}

QImage programIcon()
{
    return QPixmap(QStringLiteral(":/kururie.png")).toImage();
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    // The window itself.
    void isNamedAndTitled();
    void hasFixedInteriorWithoutMinimiseOrMaximise();
    void carriesTheProgramIcon();
    void isApplicationModal();

    // Its controls.
    void controlSitsAtItsPlace_data();
    void controlSitsAtItsPlace();
    void showsTitleVersionAndCopyright();
    void showsTheProgramIconAtItsOwnSize();
    void drawsAnEtchedSeparator();
    void startsWithFocusOnOk();
    void ordersFocusFromOkThroughTheLabels();

    // Closing.
    void keyClosesTheBox_data();
    void keyClosesTheBox();
    void clickOnOkClosesTheBox();
    void titleBarCloseClosesTheBox();

    // Showing from the Help menu.
    void showsThroughTheModalSeam();
    void blocksTheOwnerWhileShown();
    void createsAFreshBoxForEachShowing();
};

void AboutBoxTest::isNamedAndTitled()
{
    AboutBox box;
    QCOMPARE(box.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(box.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
}

void AboutBoxTest::hasFixedInteriorWithoutMinimiseOrMaximise()
{
    AboutBox box;
    QCOMPARE(box.size(), QSize(367, 165));
    QCOMPARE(box.minimumSize(), QSize(367, 165));
    QCOMPARE(box.maximumSize(), QSize(367, 165));
    QCOMPARE(box.windowType(), Qt::Dialog);
    QVERIFY(!box.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!box.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(box.windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

void AboutBoxTest::carriesTheProgramIcon()
{
    AboutBox box;
    QVERIFY(!programIcon().isNull());
    QVERIFY(!box.windowIcon().isNull());
    QCOMPARE(box.windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
             programIcon().convertToFormat(QImage::Format_ARGB32));
}

void AboutBoxTest::isApplicationModal()
{
    AboutBox box;
    QVERIFY(box.isModal());
    QCOMPARE(box.windowModality(), Qt::ApplicationModal);
}

void AboutBoxTest::controlSitsAtItsPlace_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("icon") << QStringLiteral("picIcon") << QRect(16, 16, 32, 32);
    QTest::newRow("title") << QStringLiteral("lblTitle") << QRect(104, 24, 187, 24);
    QTest::newRow("description") << QStringLiteral("lblDescription") << QRect(104, 64, 179, 30);
    QTest::newRow("ok") << QStringLiteral("cmdOK") << QRect(248, 128, 92, 23);
}

void AboutBoxTest::controlSitsAtItsPlace()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    AboutBox box;
    auto* control = box.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
}

void AboutBoxTest::showsTitleVersionAndCopyright()
{
    AboutBox box;
    QLabel* title = label(box, "lblTitle");
    QLabel* description = label(box, "lblDescription");
    QVERIFY(title && description);
    QCOMPARE(title->text(), QStringLiteral("くるりえ  Version 1.00"));
    QVERIFY(description->text().contains(QStringLiteral("Copyright")));
    QVERIFY(description->text().contains(QStringLiteral("2002")));
    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(description->palette().color(QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(okButton(box)->text(), QStringLiteral("OK"));
}

void AboutBoxTest::showsTheProgramIconAtItsOwnSize()
{
    AboutBox box;
    QLabel* icon = label(box, "picIcon");
    QVERIFY(icon);
    const QPixmap picture = icon->pixmap();
    QCOMPARE(picture.size(), QSize(32, 32));
    QCOMPARE(picture.toImage(), programIcon());
    QCOMPARE(icon->frameShape(), QFrame::NoFrame);
}

void AboutBoxTest::drawsAnEtchedSeparator()
{
    AboutBox box;
    QWidget* groove = child(box, "Line1_1");
    QWidget* highlight = child(box, "Line1_0");
    QVERIFY(groove && highlight);
    QCOMPARE(groove->geometry(), QRect(8, 120, 352, 1));
    QCOMPARE(highlight->geometry(), QRect(8, 120, 352, 2));
    QVERIFY(groove->autoFillBackground() && highlight->autoFillBackground());
    QCOMPARE(groove->palette().color(QPalette::Window), QColor(128, 128, 128));
    QCOMPARE(highlight->palette().color(QPalette::Window), QColor(Qt::white));
    // Later siblings paint over earlier ones.
    QVERIFY(box.children().indexOf(groove) > box.children().indexOf(highlight));
}

void AboutBoxTest::startsWithFocusOnOk()
{
    AboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.focusWidget(), okButton(box));
    QVERIFY(okButton(box)->isDefault());
}

void AboutBoxTest::ordersFocusFromOkThroughTheLabels()
{
    AboutBox box;
    QPushButton* ok = okButton(box);
    QCOMPARE(ok->nextInFocusChain(), child(box, "picIcon"));
    QCOMPARE(child(box, "picIcon")->nextInFocusChain(), child(box, "lblTitle"));
    QCOMPARE(child(box, "lblTitle")->nextInFocusChain(), child(box, "lblDescription"));
}

void AboutBoxTest::keyClosesTheBox_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void AboutBoxTest::keyClosesTheBox()
{
    QFETCH(int, key);
    AboutBox box;
    QSignalSpy finished(&box, &QDialog::finished);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::keyClick(box.focusWidget(), Qt::Key(key));
    QVERIFY(!box.isVisible());
    QCOMPARE(finished.count(), 1);
}

void AboutBoxTest::clickOnOkClosesTheBox()
{
    AboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(okButton(box), Qt::LeftButton);
    QVERIFY(!box.isVisible());
}

void AboutBoxTest::titleBarCloseClosesTheBox()
{
    AboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(box.close());
    QVERIFY(!box.isVisible());
}

void AboutBoxTest::showsThroughTheModalSeam()
{
    QWidget owner;
    ScriptedSeam seam;
    bool inspected = false;
    seam.expect([&](QDialog& dialog) {
        inspected = true;
        [&] {
            QVERIFY(qobject_cast<AboutBox*>(&dialog));
            QCOMPARE(dialog.objectName(), QStringLiteral("frmAbout"));
            QCOMPARE(dialog.parentWidget(), &owner);
            QCOMPARE(label(dialog, "lblTitle")->text(), QStringLiteral("くるりえ  Version 1.00"));
        }();
        return int(QDialog::Accepted);
    });

    kururie::showAboutBox(seam, &owner);

    QVERIFY(inspected);
    QVERIFY(seam.allAnswered());
    QCOMPARE(seam.unexpectedCount(), 0);
    QCOMPARE(seam.shown().size(), std::size_t(1));
    QCOMPARE(seam.shown().front().className, QStringLiteral("kururie::AboutBox"));
    QCOMPARE(seam.shown().front().title, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QVERIFY(owner.findChildren<AboutBox*>().isEmpty());
}

void AboutBoxTest::blocksTheOwnerWhileShown()
{
    QWidget owner;
    auto* ownerButton = new QPushButton(QStringLiteral("owner"), &owner);
    ownerButton->setGeometry(10, 10, 80, 30);
    owner.resize(200, 100);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QSignalSpy ownerClicks(ownerButton, &QPushButton::clicked);
    // Clicks go through the window system, where modal blocking happens.
    const auto clickOwnerButton = [&] {
        QTest::mouseClick(owner.windowHandle(), Qt::LeftButton, {}, ownerButton->geometry().center());
    };

    ScriptedSeam seam;
    seam.expect([&](QDialog& dialog) {
        dialog.show();
        [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            clickOwnerButton();
        }();
        dialog.accept();
        return dialog.result();
    });
    kururie::showAboutBox(seam, &owner);

    QCOMPARE(ownerClicks.count(), 0);
    clickOwnerButton();
    QCOMPARE(ownerClicks.count(), 1);
}

void AboutBoxTest::createsAFreshBoxForEachShowing()
{
    QWidget owner;
    ScriptedSeam seam;
    QPointer<QDialog> first;
    QString secondTitle;
    seam.expect([&](QDialog& dialog) {
        first = &dialog;
        label(dialog, "lblTitle")->setText(QStringLiteral("changed while shown"));
        return int(QDialog::Accepted);
    });
    seam.expect([&](QDialog& dialog) {
        secondTitle = label(dialog, "lblTitle")->text();
        return int(QDialog::Accepted);
    });

    kururie::showAboutBox(seam, &owner);
    QVERIFY(first.isNull());
    kururie::showAboutBox(seam, &owner);

    QCOMPARE(seam.shown().size(), std::size_t(2));
    QCOMPARE(secondTitle, QStringLiteral("くるりえ  Version 1.00"));
}

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
