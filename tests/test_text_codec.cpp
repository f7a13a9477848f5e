#include "platform/text_codec.h"

#include <QTest>

using namespace chenglan;

class TestTextCodec : public QObject {
    Q_OBJECT

  private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("unicode");
        QTest::addColumn<QByteArray>("bytes");
        // GBK's own characters keep GBK's bytes.
        QTest::newRow("ideographic space") << QStringLiteral("\u3000") << QByteArray("\xA1\xA1");
        QTest::newRow("GBK ideographs") << QStringLiteral("澄览") << QByteArray("\xB3\xCE\xC0\xC0");
        QTest::newRow("ASCII") << QStringLiteral("a b&c#%") << QByteArray("a b&c#%");
        // Outside GBK: four-byte GB18030 sequences instead of "?".
        QTest::newRow("emoji") << QStringLiteral("\U0001F600") << QByteArray("\x94\x39\xFC\x36");
        QTest::newRow("rare ideograph") << QStringLiteral("\U00020000") << QByteArray("\x95\x32\x82\x36");
        QTest::newRow("euro sign") << QStringLiteral("€") << QByteArray("\xA2\xE3");
        QTest::newRow("empty") << QString() << QByteArray();
    }

    void roundTrip()
    {
        QFETCH(QString, unicode);
        QFETCH(QByteArray, bytes);
        const Text text = toText(unicode);
        QCOMPARE(QByteArray::fromStdString(text), bytes);
        QCOMPARE(fromText(text), unicode);
    }

    void tablesInUtf8BecomeTheSameProgramTexts()
    {
        QCOMPARE(textFromUtf8("外国小说\u3000"), toText(QStringLiteral("外国小说\u3000")));
        QVERIFY(textFromUtf8("外国小说\u3000").ends_with("\xA1\xA1"));
    }
};

QTEST_GUILESS_MAIN(TestTextCodec)
#include "test_text_codec.moc"
