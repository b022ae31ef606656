// What Qt draws for the program (standard buttons, file and colour dialogs) speaks Japanese.

#include "app/japanese_application.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class JapaneseApplicationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { kururie::setUpJapaneseApplication(*QCoreApplication::instance()); }

    void dialogsQtDrawsAreJapanese()
    {
        QMessageBox question(QMessageBox::NoIcon, QStringLiteral("確認"), QStringLiteral("編集を保存しますか?"),
                             QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(question.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
        QCOMPARE(question.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));

        QFileDialog save;
        save.setOption(QFileDialog::DontUseNativeDialog);
        save.setAcceptMode(QFileDialog::AcceptSave);
        QCOMPARE(save.windowTitle(), QStringLiteral("名前を付けて保存"));
        QStringList texts;
        for (const QLabel* label : save.findChildren<QLabel*>())
            texts << label->text();
        for (const QPushButton* button : save.findChildren<QDialogButtonBox*>().first()->findChildren<QPushButton*>())
            texts << button->text();
        for (const char* text : {"ファイル名(&N):", "ファイルの種類:", "保存(&S)", "キャンセル"})
            QVERIFY2(texts.contains(QString::fromUtf8(text)), text);

        QColorDialog colour;
        colour.setOption(QColorDialog::DontUseNativeDialog);
        QCOMPARE(colour.windowTitle(), QStringLiteral("色を選択"));
        QCOMPARE(QLocale().language(), QLocale::Japanese);
    }
};

QTEST_MAIN(JapaneseApplicationTest)
#include "japanese_application_test.moc"
