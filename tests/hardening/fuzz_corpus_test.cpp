// Replays every file of the fuzzers' corpus, the seeds and any input that once went wrong, through
// the steps the fuzz targets take, so that each stays handled in every build, sanitized ones too.
// Seeds (named seed-*) are valid files and must be accepted.

#include "documents/picture_files.h"
#include "documents/settings_record.h"
#include "window/canvas.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace kururie;

namespace {

void addCorpusRows(const QString& target)
{
    QTest::addColumn<QString>("path");
    const QString folder = QFINDTESTDATA("../../fuzz/corpus/" + target);
    QVERIFY2(!folder.isEmpty(), qPrintable("no corpus folder for " + target));
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    QVERIFY2(!files.isEmpty(), qPrintable("no corpus for " + target));
    for (const QFileInfo& file : files)
        QTest::newRow(qPrintable(file.fileName())) << file.absoluteFilePath();
}

bool isSeed(const QString& path)
{
    return QFileInfo(path).fileName().startsWith(QLatin1String("seed-"))
        || QFileInfo(path).completeBaseName() == QLatin1String("seed");
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class FuzzCorpusTest : public QObject {
    Q_OBJECT

private slots:
    void settingsReaderCorpus_data()
    {
        addCorpusRows(QStringLiteral("settings_reader"));
    }

    void settingsReaderCorpus()
    {
        QFETCH(QString, path);
        const QByteArray bytes = fileBytes(path);
        const std::optional<SettingsRecord> record =
            parseSettings(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        if (isSeed(path))
            QVERIFY(record.has_value());
        if (record)
            QVERIFY(parseSettings(formatSettingsLine(*record)) == record);
    }

    void pictureLoaderCorpus_data()
    {
        addCorpusRows(QStringLiteral("picture_loader"));
    }

    void pictureLoaderCorpus()
    {
        QFETCH(QString, path);
        const QImage picture = readPicture(path, QSize(400, 400));
        if (isSeed(path))
            QVERIFY(!picture.isNull());
        if (picture.isNull())
            return;
        Canvas canvas(QStringLiteral("picDraw"), 1, nullptr);
        canvas.setInteriorSize(QSize(400, 400));
        canvas.setPicture(picture);
        QCOMPARE(canvas.image().size(), QSize(400, 400));
    }
};

QTEST_MAIN(FuzzCorpusTest)
#include "fuzz_corpus_test.moc"
