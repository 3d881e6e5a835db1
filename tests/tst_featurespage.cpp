// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "fakespooler.h"
#include "messagebox.h"
#include "platform.h"
#include "printfeatures.h"

#include <QTest>

// The features page as the windows print it: the job's calls, no pause, and
// no message when it was sent. Its bytes are tested with the printer core.

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

    void printsTwoWritesWithoutBusyCheckOrPause()
    {
        FakeSpooler spooler;
        spooler.activeJobs = 3; // other jobs waiting do not hold the page back
        printFeaturesPage(spooler, FeaturesCommandSet::EscP);
        QCOMPARE(spooler.calls,
                 QStringList({"defaultPrinter", "open TR7400", "startDocument", "startPage",
                              "write", "write", "endPage", "endDocument", "close"}));
        QCOMPARE(spooler.documents, QStringList{"TR7400 FEATURS"});
        const std::vector<std::string> blocks = featuresPageBlocks(FeaturesCommandSet::EscP);
        QCOMPARE(spooler.writes, QList<QByteArray>({QByteArray::fromStdString(blocks[0]),
                                                    QByteArray::fromStdString(blocks[1])}));
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
