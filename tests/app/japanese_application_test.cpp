// What Qt draws for the program (standard buttons, file and colour dialogs) speaks Japanese.

#include "app/japanese_application.h"
#include "support/scripted_seam.h"
#include "window/common_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
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

    // Whatever locale the user's environment has (the tests run in C), the listing is Japanese.
    void fileDialogListsSizesDatesAndFoldersInJapanese()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("pics")));
        QFile file(folder.filePath(QStringLiteral("star.bmp")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(2048, 'x')) == 2048);
        file.close();
        const QLocale japanese(QLocale::Japanese);
        const auto modified = [&](const QString& name) {
            return japanese.toString(QFileInfo(folder.filePath(name)).lastModified(), QLocale::ShortFormat);
        };

        ScriptedSeam seam;
        kururie::CommonDialog dialog(seam, nullptr);
        dialog.setFileName(folder.filePath(QStringLiteral("star.bmp")));
        QMap<QString, QStringList> rows;
        seam.expect([&rows](QDialog& shown) {
            auto* view = shown.findChild<QTreeView*>(QStringLiteral("treeView"));
            QAbstractItemModel* listing = view->model();
            // The file model reads the folder in a thread of its own.
            QTest::qWaitFor([&] { return listing->rowCount(view->rootIndex()) == 2; });
            for (int row = 0; row < listing->rowCount(view->rootIndex()); ++row) {
                QStringList cells;
                for (int column = 0; column < 4; ++column)
                    cells << listing->index(row, column, view->rootIndex()).data().toString();
                rows[cells.takeFirst()] = cells;
            }
            return int(QDialog::Rejected);
        });
        dialog.showOpen();
        QCOMPARE(rows.keys(), QStringList({QStringLiteral("pics"), QStringLiteral("star.bmp")}));
        QCOMPARE(rows[QStringLiteral("star.bmp")][0], QStringLiteral("2.00 KiB"));
        QCOMPARE(rows[QStringLiteral("star.bmp")][2], modified(QStringLiteral("star.bmp")));
        QCOMPARE(rows[QStringLiteral("pics")][1], QStringLiteral("フォルダー"));
        QCOMPARE(rows[QStringLiteral("pics")][2], modified(QStringLiteral("pics")));
    }
};

QTEST_MAIN(JapaneseApplicationTest)
#include "japanese_application_test.moc"
