// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "download.h"
#include "fakespooler.h"
#include "messagebox.h"
#include "platform.h"

#include <QTest>

namespace
{
const FlagSettingsBlock defaultBlock{16, 2, 0, 0, 0, 16, 224, 1, 1, 0, 0};

struct RecordingWindow : DownloadWindow {
    int restored = 0;
    int messagesWhenRestored = -1;
    void restoreAfterBusyPrinter() override
    {
        ++restored;
        messagesWhenRestored = int(MessageBox::history().size());
    }
};
} // namespace

class TestDownload : public QObject
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

    void sendsCommandAndBlockAsOneWrite()
    {
        FakeSpooler spooler;
        RecordingWindow window;
        mdlFlagSettings::fncDownloadFlagSettings(2, defaultBlock, spooler, &window);
        QCOMPARE(spooler.calls,
                 QStringList({"defaultPrinter", "open TR7400", "activeJobCount", "startDocument",
                              "startPage", "write", "endPage", "endDocument", "close"}));
        QCOMPARE(spooler.documents, QStringList{"Permanent Settings Configuration"});
        QCOMPARE(spooler.writes,
                 QList<QByteArray>{QByteArray::fromHex("1b1901100200000010e00101 0000")});
        QVERIFY(MessageBox::history().isEmpty());
        QCOMPARE(m_pauses, QList<int>{2500});
        QCOMPARE(window.restored, 0);
    }

    void otherModeSendsAnEmptyPageAndStillPauses()
    {
        FakeSpooler spooler;
        mdlFlagSettings::fncDownloadFlagSettings(1, defaultBlock, spooler, nullptr);
        QVERIFY(spooler.writes.isEmpty());
        QCOMPARE(spooler.documents.size(), 1);
        QVERIFY(spooler.calls.contains("endDocument"));
        QCOMPARE(m_pauses, QList<int>{2500});
    }

    void busyPrinterIsRefused()
    {
        FakeSpooler spooler;
        spooler.activeJobs = 1;
        RecordingWindow window;
        mdlFlagSettings::fncDownloadFlagSettings(2, defaultBlock, spooler, &window);
        QCOMPARE(spooler.calls,
                 QStringList({"defaultPrinter", "open TR7400", "activeJobCount", "close"}));
        QCOMPARE(window.restored, 1);
        QCOMPARE(window.messagesWhenRestored, 0); // controls put back before the message
        QCOMPARE(MessageBox::history().size(), 1);
        const MessageBox::Shown& shown = MessageBox::history().first();
        QCOMPARE(shown.text, QString("Unable to download printer settings.\r\n\r\nPrinter is busy "
                                     "with processing print jobs, please try once printer is "
                                     "free."));
        QCOMPARE(shown.icon, MessageBox::Icon::Critical);
        QCOMPARE(shown.title, QString("Printer Configuration Utility"));
        QVERIFY(m_pauses.isEmpty());
    }

    void twoDownloadsMakeTwoDocuments()
    {
        FakeSpooler spooler;
        mdlFlagSettings::fncDownloadFlagSettings(2, defaultBlock, spooler, nullptr);
        mdlFlagSettings::fncDownloadFlagSettings(2, defaultBlock, spooler, nullptr);
        QCOMPARE(spooler.documents.size(), 2);
        QCOMPARE(m_pauses, QList<int>({2500, 2500}));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("TR7400PrinterConfigurationUtility"));
    TestDownload test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_download.moc"
