#include "fakespooler.h"
#include "featurespage.h"
#include "messagebox.h"
#include "platform.h"

#include <QTest>

namespace
{
QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// The contact lines at the foot of the page.
const QByteArray contact = "For further details contact....\r\n"
                           "Altrune Peripherals Ltd.\r\n"
                           "Unit 4, Example Business Park, 12 Sample Road\r\n"
                           "Springfield 40001\r\n"
                           "Phone:\t+1 202 555 0143\r\n"
                           "Fax:\t+1 202 555 0178\r\n"
                           "E-Mail:\tsupport@altrune.example.com\r\n"
                           "Web:\twww.altrune.example.com\r\n";

QByteArray expectedEscBody()
{
    QByteArray body = hex("1b40 1b7801 1b6b00 1b50");
    body += "1.24 pin 136 column Dot Matrix Printer with speed 400 cps at Draft 10 CPI.\r\n\r\n"
            "2.Comes with USB 2.0 & Centronics parallel interface with Autoshare.\r\n\r\n"
            "3.Built in 9 LQ fonts:\r\n\r\n";
    body += hex("1b6b00") + "\tRoman\t\t" + hex("1b6b01") + "Sans Serif        " + hex("1b6b02") +
            "Courier" + hex("1b6b00") + "\r\n\r\n";
    body += hex("1b6b04") + "\tScript\t\t" + hex("1b6b03") + "Prestige          " + hex("1b6b06") +
            "OCR-A" + hex("1b6b00") + "\r\n\r\n";
    body += hex("1b6b05") + "\tOCR-B\t\t" + hex("1b6b07") + "Orator            " + hex("1b6b08") +
            "Orator-S" + hex("1b6b00") + "\r\n\r\n";
    body += "4.Supports two paper paths.\r\n\r\n"
            "5.Printer driver support for Windows 95, 98, Me, NT 4.0, 2000, XP, 2003, Xp x64,\r\n"
            " Vista, 7, 7 x64, 8, 8 x64 and selected Linux distributions.\r\n"
            " (Available in www.altrune.example.com).\r\n\r\n"
            "6.Windows printer configuration utility to configure the printer permanent "
            "settings.\r\n\r\n";
    body += hex("1b45") + contact + hex("1b40");
    return body;
}

QByteArray expectedIbmBody()
{
    QByteArray body = hex("1b4903 12 1b5700");
    body += "1.24 pin 136 column Dot Matrix Printer with speed 400 cps at HSD 10 CPI.\r\n\r\n"
            "2.Comes with USB 2.0 & Centronics parallel interface with Autoshare.\r\n\r\n"
            "3.Built in 9 LQ fonts:\r\n\r\n";
    const QByteArray face = hex("1b4903");
    body += face + "\tRoman\t\t" + face + "Sans Serif        " + face + "Courier" + hex("1b4900") +
            "\r\n\r\n";
    body += face + "\tScript\t\t" + face + "Prestige          " + face + "OCR-A" + hex("1b4900") +
            "\r\n\r\n";
    body +=
        face + "\tOCR-B\t\t" + face + "Orator            " + face + "Orator-S" + face + "\r\n\r\n";
    body += "4.Supports two paper paths\r\n\r\n"
            "5.Printer driver support for Windows 95, 98, Me, NT 4.0, 2000, XP, 2003, Xp x64,\r\n"
            " Vista, 7, 7 x64, 8, 8 x64 and selected Linux distributions.\r\n"
            " (Available in www.altrune.example.com).\r\n\r\n"
            "6.Windows printer configuration utility to configure the printer permanent "
            "settings.\r\n\r\n";
    body += hex("1b47") + contact;
    return body;
}
} // namespace

class TestFeaturesPage : public QObject
{
    Q_OBJECT

    int m_pauses = 0;

  private slots:
    void initTestCase()
    {
        MessageBox::setTesting(true);
        Platform::setPauseHandler([this](int) { ++m_pauses; });
    }

    void init() { MessageBox::clearHistory(); }

    void blocks_data()
    {
        QTest::addColumn<int>("commandSet");
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("documentName");
        QTest::newRow("ESC/P") << int(FeaturesCommandSet::EscP)
                               << hex("1b40 1b7801 1b45 1b6b00 1b50 1b7701 1b5701 1b6101") +
                                      "Altrune TR 7400 FEATURES\r\n\r\n"
                               << expectedEscBody() << "TR7400 FEATURS";
        QTest::newRow("IBM") << int(FeaturesCommandSet::Ibm)
                             << "\r\n\t\t\t" + hex("1b47 1b4903 12 1b5701") +
                                    "Altrune TR 7400 FEATURES\r\n\r\n"
                             << expectedIbmBody() << "TR7400 FEATURES";
    }

    void blocks()
    {
        QFETCH(int, commandSet);
        QFETCH(QByteArray, title);
        QFETCH(QByteArray, body);
        QFETCH(QString, documentName);
        const QList<QByteArray> blocks = featuresPageBlocks(FeaturesCommandSet(commandSet));
        QCOMPARE(blocks.size(), 2);
        QCOMPARE(blocks[0], title);
        QCOMPARE(blocks[1], body);
        QCOMPARE(featuresDocumentName(FeaturesCommandSet(commandSet)), documentName);
    }

    void escBlocksKeepTheirNulBytes()
    {
        const QList<QByteArray> blocks = featuresPageBlocks(FeaturesCommandSet::EscP);
        QCOMPARE(blocks[0].count('\0'), 1);
        QCOMPARE(blocks[1].count('\0'), 5);
        QCOMPARE(blocks[0].indexOf("Altrune TR 7400 FEATURES"), 21);
        QVERIFY(blocks[1].endsWith(hex("0d0a1b40")));
    }

    void printsTwoWritesWithoutBusyCheckOrPause()
    {
        FakeSpooler spooler;
        spooler.activeJobs = 3; // other jobs waiting do not hold the page back
        printFeaturesPage(spooler, FeaturesCommandSet::EscP);
        QCOMPARE(spooler.calls,
                 QStringList({"defaultPrinter", "open TR7400", "startDocument", "startPage",
                              "write", "write", "endPage", "endDocument", "close"}));
        QCOMPARE(spooler.documents, QStringList{"TR7400 FEATURS"});
        QCOMPARE(spooler.writes, featuresPageBlocks(FeaturesCommandSet::EscP));
        QVERIFY(MessageBox::history().isEmpty());
        QCOMPARE(m_pauses, 0);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("TR7400PrinterConfigurationUtility"));
    TestFeaturesPage test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_featurespage.moc"
