#include "engine/number_rules.h"

#include <QtTest>

using namespace kururie;

class NumberRulesTest : public QObject {
    Q_OBJECT

private slots:
    void formatsLikeTheLabels_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("fraction") << 12.5f << "12.5";
        QTest::newRow("below one") << displayValue(3) << "0.3";
        QTest::newRow("negative below one") << displayValue(-7) << "-0.7";
        QTest::newRow("whole") << displayValue(200) << "20";
        QTest::newRow("angle") << 123.5f << "123.5";
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("negative zero") << -0.0f << "0";
        QTest::newRow("largest angle") << 36000.0f << "36000";
        QTest::newRow("seven digits") << 1234567.0f << "1234567";
        QTest::newRow("rounded to seven digits") << 12345678.0f << "12345680";
        QTest::newRow("tiny without exponent") << 0.00001f << "0.00001";
        QTest::newRow("third") << 1.0f / 3.0f << "0.3333333";
    }

    void formatsLikeTheLabels()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(FormatSingle(value)), text);
    }

    void everyScrollPositionShowsTenthsWithFewestDigits()
    {
        for (int position = -200; position <= 200; ++position) {
            const QString expected = position % 10 == 0 ? QString::number(position / 10)
                                                        : QString::number(position / 10.0, 'f', 1);
            QCOMPARE(QString::fromStdString(FormatSingle(displayValue(position))), expected);
        }
    }

    void everyResumeAngleReadsBackExactly()
    {
        for (float t = 0.0f; t <= 36000.0f; t += 0.5f) {
            const auto back = parseSingle(FormatSingle(t));
            QVERIFY(back.has_value());
            QCOMPARE(*back, t);
        }
    }

    void parseRejectsWhatIsNotANumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "  ";
        QTest::newRow("word") << "abc";
        QTest::newRow("trailing text") << "12x";
        QTest::newRow("comma decimal") << "1,5";
    }

    void parseRejectsWhatIsNotANumber()
    {
        QFETCH(QString, text);
        QVERIFY(!parseSingle(text.toStdString()).has_value());
    }

    void roundsHalfToEven()
    {
        QCOMPARE(roundHalfEven32(37.5), 38);
        QCOMPARE(roundHalfEven32(36.5), 36);
        QCOMPARE(roundHalfEven32(-2.5), -2);
        QCOMPARE(roundHalfEven32(4.500000000000001), 5);
        QCOMPARE(int(roundHalfEven16(180.3)), 180);
    }
};

QTEST_APPLESS_MAIN(NumberRulesTest)
#include "number_rules_test.moc"
