// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// What the user is told when a job does not reach the printer, for both jobs
// that the program sends: the settings download and the features page.

#include "download.h"
#include "fakespooler.h"
#include "messagebox.h"
#include "platform.h"
#include "printfeatures.h"

#include <QTest>

namespace
{
const FlagSettingsBlock defaultBlock{16, 2, 0, 0, 0, 16, 224, 1, 1, 0, 0};
const QString title = QStringLiteral("Printer Configuration Utility");
const QString openFailure = QStringLiteral("OpenPrinter Failed!!!\r\nUnable to access printer");
} // namespace

class TestSpoolFailures : public QObject
{
    Q_OBJECT

    QList<int> m_pauses;

  private slots:
    void initTestCase()
    {
        MessageBox::setTesting(true);
        Platform::setPauseHandler([this](int ms) { m_pauses << ms; });
    }

    void init()
    {
        MessageBox::clearHistory();
        m_pauses.clear();
    }

    void failures_data()
    {
        QTest::addColumn<bool>("features"); // the features page, else the settings
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("openFails");
        QTest::addColumn<QString>("failingCall");
        QTest::addColumn<int>("failingCallNumber");
        QTest::addColumn<bool>("throws");
        QTest::addColumn<QString>("text"); // "%1" stands for the job's own first line
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("lastCalls");

        const int found = int(DefaultPrinter::Status::Found);
        const QString reason = QStringLiteral("%1\r\n\r\nThe spooler said no.");
        for (bool features : {false, true}) {
            const char* caller = features ? "Print Features" : "Apply Settings";
            QTest::addRow("%s, no printer", caller)
                << features << int(DefaultPrinter::Status::NoPrinter) << false << QString() << 1
                << false << "No printer drivers are installed.\r\nDownload Failed!!"
                << "TR7400PrinterConfigurationUtility" << QStringList{"defaultPrinter"};
            QTest::addRow("%s, spooler unreachable", caller)
                << features << int(DefaultPrinter::Status::SpoolerUnreachable) << false << QString()
                << 1 << false << openFailure << title << QStringList{"defaultPrinter"};
            QTest::addRow("%s, open fails", caller)
                << features << found << true << QString() << 1 << false << openFailure << title
                << QStringList{"open TR7400"};
            QTest::addRow("%s, document refused", caller)
                << features << found << false << "startDocument" << 1 << false << reason << title
                << QStringList{"startDocument", "close"};
            QTest::addRow("%s, first write fails", caller)
                << features << found << false << "write" << 1 << false << reason << title
                << QStringList{"write", "cancelDocument", "close"};
            QTest::addRow("%s, finish fails", caller)
                << features << found << false << "endDocument" << 1 << false << reason << title
                << QStringList{"endDocument", "cancelDocument", "close"};
            QTest::addRow("%s, unexpected error", caller)
                << features << found << false << QString() << 1 << true
                << "%1\r\n\r\nout of handles" << title << QStringList{"open TR7400"};
        }
        // The page alone is written in two.
        QTest::newRow("Print Features, second write fails")
            << true << found << false << "write" << 2 << false << reason << title
            << QStringList{"write", "write", "cancelDocument", "close"};
    }

    void failures()
    {
        QFETCH(bool, features);
        QFETCH(int, status);
        QFETCH(bool, openFails);
        QFETCH(QString, failingCall);
        QFETCH(int, failingCallNumber);
        QFETCH(bool, throws);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QStringList, lastCalls);
        FakeSpooler spooler;
        spooler.status = DefaultPrinter::Status(status);
        spooler.openFails = openFails;
        spooler.failingCall = failingCall;
        spooler.failingCallNumber = failingCallNumber;
        spooler.throwOnOpen = throws;
        if (features)
            printFeaturesPage(spooler, FeaturesCommandSet::EscP);
        else
            mdlFlagSettings::fncDownloadFlagSettings(2, defaultBlock, spooler, nullptr);

        const QString firstLine = features ? "Unable to print the features page."
                                           : "Unable to download printer settings.";
        QCOMPARE(MessageBox::history().size(), 1);
        const MessageBox::Shown& shown = MessageBox::history().first();
        QCOMPARE(shown.text, text.contains("%1") ? text.arg(firstLine) : text);
        QCOMPARE(shown.title, title);
        QCOMPARE(shown.icon, MessageBox::Icon::Critical);
        QCOMPARE(shown.buttons, MessageBox::Buttons::Ok);
        QCOMPARE(spooler.calls.mid(spooler.calls.size() - lastCalls.size()), lastCalls);
        QVERIFY(m_pauses.isEmpty());
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("TR7400PrinterConfigurationUtility"));
    TestSpoolFailures test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_spoolfailures.moc"
