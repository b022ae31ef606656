#include "documents/settings_record.h"

#include <QByteArray>
#include <QList>
#include <QtTest>

#include <random>

using kururie::SettingsRecord;

Q_DECLARE_METATYPE(SettingsRecord)

namespace kururie {

// Shown by QCOMPARE when two records differ; built field by field so that a faulty writer cannot hide.
char* toString(const SettingsRecord& r)
{
    const QByteArray text = QByteArray("{") + QByteArray::number(r.fixCircle) + ' ' + QByteArray::number(r.moveCircle)
        + ' ' + QByteArray::number(r.penPosition) + ' ' + QByteArray::number(r.penSwing) + ' '
        + QByteArray::number(r.penMove) + ' ' + QByteArray::number(r.speedNormal) + ' '
        + QByteArray::number(r.speedSlow) + ' ' + QByteArray::number(r.penColour) + ' '
        + QByteArray::number(r.backColour) + ' ' + QByteArray::number(r.width1) + ' ' + QByteArray::number(r.width2)
        + ' ' + QByteArray::number(r.width3) + ' ' + QByteArray::number(r.gradation) + ' '
        + QByteArray::number(r.gradationRate) + '}';
    return qstrdup(text.constData());
}

} // namespace kururie

namespace {

const QByteArray kExampleLine = "100,-40,25,0,1,#TRUE#,#FALSE#,255,16777215,#TRUE#,#FALSE#,#FALSE#,1,5\r\n";

SettingsRecord exampleRecord()
{
    return SettingsRecord{100, -40, 25, 0, 1, true, false, 255, 16777215, true, false, false, 1, 5};
}

QList<QByteArray> exampleFields()
{
    return kExampleLine.chopped(2).split(',');
}

QByteArray joinedLine(const QList<QByteArray>& fields)
{
    return fields.join(',') + "\r\n";
}

// The example line with one field (numbered from 1, as in the file) replaced.
QByteArray exampleWithField(int number, const QByteArray& value)
{
    QList<QByteArray> fields = exampleFields();
    fields[number - 1] = value;
    return joinedLine(fields);
}

std::optional<SettingsRecord> parse(const QByteArray& bytes)
{
    return kururie::parseSettings(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

bool withinControlRanges(const SettingsRecord& r)
{
    return r.fixCircle >= 0 && r.fixCircle <= 200 && r.moveCircle >= -200 && r.moveCircle <= 200
        && r.penPosition >= -100 && r.penPosition <= 100 && r.penSwing <= 2 && r.penMove >= 0 && r.penMove <= 15
        && r.penColour <= 16777215 && r.backColour <= 16777215 && r.gradation <= 2 && r.gradationRate >= 0
        && r.gradationRate <= 20;
}

// Whatever the reader accepts must be a state the controls can hold, and must survive a save.
void verifyAcceptedIsSound(const QByteArray& input)
{
    const auto record = parse(input);
    if (!record)
        return;
    QVERIFY2(withinControlRanges(*record), input.toPercentEncoding().constData());
    const std::string rewritten = kururie::formatSettingsLine(*record);
    const auto reread = kururie::parseSettings(rewritten);
    QVERIFY2(reread.has_value(), input.toPercentEncoding().constData());
    QCOMPARE(*reread, *record);
}

} // namespace

class SettingsRecordTest : public QObject {
    Q_OBJECT

private slots:
    void writesOneLineByteForByte_data();
    void writesOneLineByteForByte();
    void readsTheWrittenExample();
    void roundTripsExtremeValues_data();
    void roundTripsExtremeValues();
    void readsOtherLayoutsAsTheSameRecord_data();
    void readsOtherLayoutsAsTheSameRecord();
    void roundsColoursHalfToEven_data();
    void roundsColoursHalfToEven();
    void rejectsTheWholeFile_data();
    void rejectsTheWholeFile();
    void acceptsOnlySoundRecordsFromMutatedLines();
    void acceptsOnlySoundRecordsFromRandomBytes();
    void rejectsHugeInputs_data();
    void rejectsHugeInputs();
    void namesTheCompanion_data();
    void namesTheCompanion();
};

void SettingsRecordTest::writesOneLineByteForByte_data()
{
    QTest::addColumn<SettingsRecord>("record");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("example") << exampleRecord() << kExampleLine;
    QTest::newRow("lowest positions, last options")
        << SettingsRecord{0, -200, -100, 2, 15, false, true, 0, 0, false, false, true, 2, 20}
        << QByteArray("0,-200,-100,2,15,#FALSE#,#TRUE#,0,0,#FALSE#,#FALSE#,#TRUE#,2,20\r\n");
    QTest::newRow("highest positions, white pen")
        << SettingsRecord{200, 200, 100, 1, 0, true, true, 16777215, 65280, false, true, false, 0, 0}
        << QByteArray("200,200,100,1,0,#TRUE#,#TRUE#,16777215,65280,#FALSE#,#TRUE#,#FALSE#,0,0\r\n");
}

void SettingsRecordTest::writesOneLineByteForByte()
{
    QFETCH(SettingsRecord, record);
    QFETCH(QByteArray, line);

    const std::string written = kururie::formatSettingsLine(record);
    QCOMPARE(QByteArray(written.data(), qsizetype(written.size())), line);
}

void SettingsRecordTest::readsTheWrittenExample()
{
    const auto record = parse(kExampleLine);
    QVERIFY(record.has_value());
    QCOMPARE(*record, exampleRecord());
}

void SettingsRecordTest::roundTripsExtremeValues_data()
{
    QTest::addColumn<SettingsRecord>("record");

    const SettingsRecord corners[] = {
        {0, -200, -100, 0, 0, false, false, 0, 0, false, false, false, 0, 0},
        {200, 200, 100, 2, 15, false, false, 16777215, 16777215, false, false, false, 2, 20},
        {1, -1, -1, 1, 7, false, false, 16777213, 1, false, false, false, 1, 19},
        {0, 0, 0, 0, 0, false, false, 8421504, 16711680, false, false, false, 0, 0},
    };
    const char* cornerNames[] = {"lowest", "highest", "odd", "zero positions"};
    for (int corner = 0; corner < 4; ++corner) {
        // Every combination of the five option buttons, including none and all of a group selected.
        for (int pattern = 0; pattern < 32; ++pattern) {
            SettingsRecord record = corners[corner];
            record.speedNormal = pattern & 1;
            record.speedSlow = pattern & 2;
            record.width1 = pattern & 4;
            record.width2 = pattern & 8;
            record.width3 = pattern & 16;
            QTest::addRow("%s, options %02d", cornerNames[corner], pattern) << record;
        }
    }
}

void SettingsRecordTest::roundTripsExtremeValues()
{
    QFETCH(SettingsRecord, record);

    const auto reread = kururie::parseSettings(kururie::formatSettingsLine(record));
    QVERIFY(reread.has_value());
    QCOMPARE(*reread, record);
}

void SettingsRecordTest::readsOtherLayoutsAsTheSameRecord_data()
{
    QTest::addColumn<QByteArray>("input");

    const QByteArray bare = kExampleLine.chopped(2);
    QByteArray oneFieldPerLine = bare;
    oneFieldPerLine.replace(',', "\r\n");
    QByteArray blanksBefore = bare;
    blanksBefore.replace(',', ", \t ");
    QByteArray blanksAfter = bare;
    blanksAfter.replace(',', " \t,");

    QTest::newRow("LF line end") << bare + "\n";
    QTest::newRow("no line end") << bare;
    QTest::newRow("one field per CR LF line") << oneFieldPerLine + "\r\n";
    QTest::newRow("one field per LF line") << QByteArray(oneFieldPerLine).replace("\r\n", "\n");
    QTest::newRow("one field per CR line") << QByteArray(oneFieldPerLine).replace("\r\n", "\r");
    QTest::newRow("three lines")
        << QByteArray("100,-40,25\r\n0,1,#TRUE#,#FALSE#\r\n255,16777215,#TRUE#,#FALSE#,#FALSE#,1,5\r\n");
    QTest::newRow("comma before each line end")
        << QByteArray("100,-40,25,\r\n0,1,#TRUE#,#FALSE#,\n255,16777215,#TRUE#,#FALSE#,#FALSE#,1,5\r\n");
    QTest::newRow("blank lines between fields")
        << QByteArray("\r\n100,-40,25\r\n\r\n\n0,1,#TRUE#,#FALSE#,255,16777215,#TRUE#,#FALSE#,#FALSE#,1,5");
    QTest::newRow("blanks before fields") << "  " + blanksBefore + "\r\n";
    QTest::newRow("blanks after fields") << blanksAfter + " \t\r\n";
    QTest::newRow("a note on the next line") << kExampleLine + "drawn for the school fair\r\n";
    QTest::newRow("more fields after the fourteenth") << bare + ",7,#TRUE#,x\r\n";
    QTest::newRow("a second record after") << kExampleLine + "0,0,0,0,0,#FALSE#,#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#,0,0\r\n";
    QTest::newRow("non-ASCII after the line") << kExampleLine + "\xe3\x83\xa1\xe3\x83\xa2\xff\r\n";
    QTest::newRow("colours written as decimals") << exampleWithField(8, "255.0").replace("16777215", "1.6777215e7");
    QTest::newRow("leading zeros") << exampleWithField(1, "0100");
}

void SettingsRecordTest::readsOtherLayoutsAsTheSameRecord()
{
    QFETCH(QByteArray, input);

    const auto record = parse(input);
    QVERIFY(record.has_value());
    QCOMPARE(*record, exampleRecord());
}

void SettingsRecordTest::roundsColoursHalfToEven_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<quint32>("colour");

    QTest::newRow("half rounds down to even 0") << 8 << QByteArray("0.5") << quint32(0);
    QTest::newRow("half rounds up to even 2") << 8 << QByteArray("1.5") << quint32(2);
    QTest::newRow("254.5 to 254") << 8 << QByteArray("254.5") << quint32(254);
    QTest::newRow("255.5 to 256") << 8 << QByteArray("255.5") << quint32(256);
    QTest::newRow("below half") << 8 << QByteArray("254.49") << quint32(254);
    QTest::newRow("above half") << 9 << QByteArray("254.51") << quint32(255);
    QTest::newRow("exponent form") << 9 << QByteArray("2.55e2") << quint32(255);
    QTest::newRow("small negative rounds to black") << 9 << QByteArray("-0.4") << quint32(0);
    QTest::newRow("white as decimal") << 9 << QByteArray("16777215.0") << quint32(16777215);
    // 16777215.4 is not a single-precision number; it reads as 16777215 and stays in range.
    QTest::newRow("just above white") << 9 << QByteArray("16777215.4") << quint32(16777215);
}

void SettingsRecordTest::roundsColoursHalfToEven()
{
    QFETCH(int, field);
    QFETCH(QByteArray, text);
    QFETCH(quint32, colour);

    const auto record = parse(exampleWithField(field, text));
    QVERIFY(record.has_value());
    QCOMPARE(quint32(field == 8 ? record->penColour : record->backColour), colour);
    SettingsRecord expected = exampleRecord();
    (field == 8 ? expected.penColour : expected.backColour) = colour;
    QCOMPARE(*record, expected);
}

void SettingsRecordTest::rejectsTheWholeFile_data()
{
    QTest::addColumn<QByteArray>("input");

    const QList<QByteArray> fields = exampleFields();

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("only a line end") << QByteArray("\r\n");
    QTest::newRow("only blanks and line ends") << QByteArray("  \r\n\t\n \r");
    QTest::newRow("thirteen fields") << joinedLine(fields.mid(0, 13));
    QTest::newRow("thirteen fields and a comma") << fields.mid(0, 13).join(',') + ",\r\n";
    QTest::newRow("fourteen empty fields") << QByteArray(",,,,,,,,,,,,,\r\n");
    QTest::newRow("semicolons") << QByteArray(kExampleLine).replace(',', ';');
    QTest::newRow("byte-order mark") << "\xef\xbb\xbf" + kExampleLine;
    QTest::newRow("empty field in the middle") << exampleWithField(2, "");
    QTest::newRow("blank inside a number") << exampleWithField(1, "10 0");

    struct BadField {
        int number;
        const char* value;
    };
    const BadField badFields[] = {
        {1, "-1"}, {1, "201"}, {1, "abc"}, {1, "+100"}, {1, "100.0"}, {1, "1e2"}, {1, "0x64"}, {1, "100abc"},
        {1, "-"}, {1, "32768"}, {1, "-32769"}, {1, "99999999999999999999999"},
        {2, "-201"}, {2, "201"}, {2, "--40"},
        {3, "-101"}, {3, "101"}, {3, "+25"},
        {4, "3"}, {4, "-1"}, {4, "256"}, {4, "300"},
        {5, "-1"}, {5, "16"},
        {6, "#true#"}, {6, "TRUE"}, {6, "-1"}, {6, "1"}, {6, "#TRUE"}, {6, "True"}, {6, "\"#TRUE#\""},
        {7, "#FALSE"}, {7, "0"}, {7, "#FALSE##"},
        {8, "16777216"}, {8, "-1"}, {8, "-0.6"}, {8, "nan"}, {8, "inf"}, {8, "-inf"}, {8, "1e40"},
        {8, "abc"}, {8, "+255"}, {8, "255abc"}, {8, "0x10"}, {8, "2 55"},
        {9, "16777216"}, {9, "16777215.5"}, {9, "4294967295"}, {9, "-16777215"}, {9, "NaN"},
        {10, "#YES#"}, {10, "1"},
        {11, "#TRUE# #TRUE#"},
        {12, "#FALSE#x"},
        {13, "3"}, {13, "-1"},
        {14, "21"}, {14, "-1"}, {14, "5.0"}, {14, "5x"},
    };
    for (const BadField& bad : badFields)
        QTest::addRow("field %d is \"%s\"", bad.number, bad.value) << exampleWithField(bad.number, bad.value);

    QTest::newRow("NUL inside a field") << exampleWithField(1, QByteArray("1\0" "00", 4));
    QTest::newRow("NUL after the line") << kExampleLine + QByteArray(1, '\0');
    QTest::newRow("full-width digits") << exampleWithField(1, "\xef\xbc\x91\xef\xbc\x90\xef\xbc\x90");
    QTest::newRow("high byte after a number") << exampleWithField(1, "100\xff");
    QTest::newRow("bitmap header") << QByteArray("BM6\x00\x03\x00\x00\x00\x00\x00\x36\x00\x00\x00", 14) + kExampleLine;
    QTest::newRow("binary without NUL") << QByteArray("\xde\xad\xbe\xef,\x01\x02\x7f,\x80\x81\r\n\xfe\xff");
}

void SettingsRecordTest::rejectsTheWholeFile()
{
    QFETCH(QByteArray, input);

    QVERIFY(!parse(input).has_value());
}

void SettingsRecordTest::acceptsOnlySoundRecordsFromMutatedLines()
{
    // Every single-byte change of a valid line: replacement, deletion and insertion.
    const QByteArray replacements("\0,\r\n \t-+09.e#x\xff", 16);
    int accepted = 0;
    for (int at = 0; at < kExampleLine.size(); ++at) {
        for (const char c : replacements) {
            QByteArray replaced = kExampleLine;
            replaced[at] = c;
            QByteArray inserted = kExampleLine;
            inserted.insert(at, c);
            verifyAcceptedIsSound(replaced);
            verifyAcceptedIsSound(inserted);
            accepted += parse(replaced).has_value() ? 1 : 0;
        }
        verifyAcceptedIsSound(QByteArray(kExampleLine).remove(at, 1));
    }
    // Changing a digit within range keeps the file readable; the check above is not vacuous.
    QVERIFY(accepted > 0);
}

void SettingsRecordTest::acceptsOnlySoundRecordsFromRandomBytes()
{
    std::mt19937 generator(20240601);
    const QByteArray likelyBytes("0123456789,-.#TRUEFALSe \r\n");
    std::uniform_int_distribution<int> length(0, 160);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> likely(0, int(likelyBytes.size()) - 1);
    std::bernoulli_distribution pickLikely(0.9);
    for (int round = 0; round < 5000; ++round) {
        QByteArray input;
        const int size = length(generator);
        for (int i = 0; i < size; ++i)
            input += pickLikely(generator) ? likelyBytes[likely(generator)] : char(anyByte(generator));
        verifyAcceptedIsSound(input);
    }
}

void SettingsRecordTest::rejectsHugeInputs_data()
{
    QTest::addColumn<QByteArray>("input");

    QTest::newRow("a million digits in an integer field") << exampleWithField(1, QByteArray(1000000, '9'));
    QTest::newRow("a million digits in a colour field") << exampleWithField(8, QByteArray(1000000, '9'));
    QTest::newRow("a million line ends") << QByteArray(1000000, '\n');
    QTest::newRow("a million commas") << QByteArray(1000000, ',');
    QTest::newRow("a million blanks then a line") << QByteArray(1000000, ' ') + "x" + kExampleLine;
}

void SettingsRecordTest::rejectsHugeInputs()
{
    QFETCH(QByteArray, input);

    QVERIFY(!parse(input).has_value());
}

void SettingsRecordTest::namesTheCompanion_data()
{
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<bool>("hasCompanion");
    QTest::addColumn<QByteArray>("companion");

    QTest::newRow("bitmap") << QByteArray("/home/ai/pics/star.bmp") << true << QByteArray("/home/ai/pics/star.txt");
    QTest::newRow("jpeg") << QByteArray("/home/ai/pics/star.jpg") << true << QByteArray("/home/ai/pics/star.txt");
    QTest::newRow("upper-case extension") << QByteArray("/pics/STAR.BMP") << true << QByteArray("/pics/STAR.txt");
    QTest::newRow("relative name") << QByteArray("star.gif") << true << QByteArray("star.txt");
    QTest::newRow("only the last dot") << QByteArray("/pics/star.v2.bmp") << true << QByteArray("/pics/star.v2.txt");
    QTest::newRow("dotted folder and extension") << QByteArray("/a/my.pics/star.bmp") << true
                                                 << QByteArray("/a/my.pics/star.txt");
    QTest::newRow("hidden name with extension") << QByteArray("/pics/.star.bmp") << true << QByteArray("/pics/.star.txt");
    QTest::newRow("trailing dot") << QByteArray("/pics/star.") << true << QByteArray("/pics/star.txt");
    QTest::newRow("Japanese name") << QByteArray("/絵/星.bmp") << true << QByteArray("/絵/星.txt");
    QTest::newRow("txt then another extension") << QByteArray("/pics/star.txt.bmp") << true
                                                << QByteArray("/pics/star.txt.txt");

    QTest::newRow("bare name") << QByteArray("/pics/star") << false << QByteArray();
    QTest::newRow("bare name in a dotted folder") << QByteArray("/a/my.pics/star") << false << QByteArray();
    QTest::newRow("relative bare name in a dotted folder") << QByteArray("my.pics/star") << false << QByteArray();
    QTest::newRow("picture named .txt") << QByteArray("/pics/star.txt") << false << QByteArray();
    QTest::newRow("picture named .TXT") << QByteArray("/pics/star.TXT") << false << QByteArray();
    QTest::newRow("picture named .Txt") << QByteArray("/pics/star.Txt") << false << QByteArray();
    QTest::newRow("hidden name") << QByteArray("/pics/.bmp") << false << QByteArray();
    QTest::newRow("hidden name with two dots") << QByteArray("/pics/..bmp") << false << QByteArray();
    QTest::newRow("parent folder") << QByteArray("/pics/..") << false << QByteArray();
    QTest::newRow("folder path") << QByteArray("/pics.old/") << false << QByteArray();
    QTest::newRow("empty") << QByteArray() << false << QByteArray();
}

void SettingsRecordTest::namesTheCompanion()
{
    QFETCH(QByteArray, picture);
    QFETCH(bool, hasCompanion);
    QFETCH(QByteArray, companion);

    const auto name = kururie::companionSettingsName(picture.toStdString());
    QCOMPARE(name.has_value(), hasCompanion);
    if (name)
        QCOMPARE(QByteArray::fromStdString(*name), companion);
}

QTEST_APPLESS_MAIN(SettingsRecordTest)

#include "settings_record_test.moc"
