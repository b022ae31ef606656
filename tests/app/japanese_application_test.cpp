// The file dialog the program borrows from Qt and its listing speak Japanese, whatever the user's
// locale (the tests run in C).

#include "app/japanese_application.h"
#include "controls/common_dialog.h"
#include "support/program_fixture.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

class JapaneseApplicationTest : public QObject {
    Q_OBJECT

private slots:
    void dialogsAndTheFileListingAreJapanese()
    {
        kururie::setUpJapaneseApplication(*QCoreApplication::instance());
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir("pics") && writeFile(folder.filePath("star.bmp"), QByteArray(2048, 'x')));
        ScriptedSeam seam;
        QStringList texts, rows;
        const auto read = [&texts](QDialog& shown) {
            texts << shown.windowTitle();
            for (const QLabel* label : shown.findChildren<QLabel*>())
                texts << label->text();
            for (const QPushButton* button : shown.findChildren<QPushButton*>())
                texts << button->text();
            return int(QDialog::Rejected);
        };
        seam.expect([&](QDialog& shown) {
            auto* view = shown.findChild<QTreeView*>("treeView");
            // The file model reads the folder in a thread of its own.
            if (QTest::qWaitFor([view] { return view->model()->rowCount(view->rootIndex()) == 2; }))
                for (int row = 0; row < 2; ++row)
                    for (int column = 0; column < 4; ++column)
                        rows << view->model()->index(row, column, view->rootIndex()).data().toString();
            return read(shown);
        });
        kururie::CommonDialog dialog(seam, nullptr);
        dialog.setFileName(folder.filePath("star.bmp"));
        dialog.showOpen();
        for (const char* text : {"開く", "ファイル名(&N):", "ファイルの種類:", "開く(&O)", "キャンセル"})
            QVERIFY2(texts.contains(text), text);
        if (rows.value(0) != "pics") // in the folder's own order
            std::rotate(rows.begin(), rows.begin() + 4, rows.end());
        rows.removeAt(6); // the file's type, as the desktop's MIME database names it
        const auto modified = [&folder](const char* name) {
            return QLocale(QLocale::Japanese).toString(QFileInfo(folder.filePath(name)).lastModified(), QLocale::ShortFormat);
        };
        QCOMPARE(rows, QStringList({"pics", "", "フォルダー", modified("pics"), "star.bmp", "2.00 KiB", modified("star.bmp")}));
    }
};

QTEST_MAIN(JapaneseApplicationTest)
#include "japanese_application_test.moc"
