#include "frmfeatures.h"
#include "hoverbuttons.h"
#include "imagecontrol.h"
#include "windowfixture.h"

#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

namespace
{
// The main window's buttons by the short names the paths below use.
const QMap<QString, QString> mainControls{{"apply", "imgApplySettings"},
                                          {"default", "imgDefault"},
                                          {"exit", "imgExit"},
                                          {"print", "imgPFeatures"},
                                          {"show", "imgSFeatures"},
                                          {"bg", "imgBackground"},
                                          {"list", "cmbHSG"},
                                          {"label", "Attribute1"}};
const QMap<QString, QString> mainStems{{"imgApplySettings", "Apply_Settings"},
                                       {"imgDefault", "Restore_Default"},
                                       {"imgExit", "Exit_Button"},
                                       {"imgPFeatures", "Print_Features"},
                                       {"imgSFeatures", "Show_Features"}};
const QMap<QString, QString> featuresControls{{"print", "imgPrintFeatures"},
                                              {"close", "imgClose"},
                                              {"bg", "imgBackground"},
                                              {"text", "txtFeatures"},
                                              {"title", "Image2"}};
const QMap<QString, QString> featuresStems{{"imgPrintFeatures", "Print_Features"},
                                           {"imgClose", "Close_Button"}};

// The pointer moving over a control, with the buttons and modifiers given.
void moveOver(QWidget* control, Qt::MouseButtons buttons = Qt::NoButton,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF local(3, 3);
    QMouseEvent move(QEvent::MouseMove, local, control->mapToGlobal(local), Qt::NoButton, buttons,
                     modifiers);
    QApplication::sendEvent(control, &move);
}
} // namespace

class TestHover : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    std::unique_ptr<WindowFixture> f;

    // "1" or "2": which of its two bitmaps a button shows.
    QString shows(QWidget* window, const QString& name, const QString& stem)
    {
        const QImage shown = f->child<ImageControl>(qPrintable(name), window)->picture().toImage();
        const QImage highlight(HoverButtons::picturePath(stem, 2));
        return shown.convertToFormat(QImage::Format_RGB32) ==
                       highlight.convertToFormat(QImage::Format_RGB32)
                   ? "2"
                   : "1";
    }

    // Walks the path; "hide" hides and shows the window again.
    void walk(QWidget* window, const QMap<QString, QString>& controls, const QString& path,
              Qt::MouseButtons buttons = Qt::NoButton, Qt::KeyboardModifiers modifiers = {})
    {
        for (const QString& step : path.split(' ', Qt::SkipEmptyParts)) {
            if (step == "hide") {
                window->hide();
                window->show();
            } else {
                moveOver(f->child(qPrintable(controls.value(step)), window), buttons, modifiers);
            }
        }
    }

  private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        // The program's own bitmaps, copied so that tests can take some away.
        const QDir program(QCoreApplication::applicationDirPath());
        for (const QString& name : program.entryList({"*.bmp"}))
            QVERIFY(QFile::copy(program.filePath(name), m_folder.filePath(name)));
        QCOMPARE(QDir(m_folder.path()).entryList({"*.bmp"}).size(), 12);
        Platform::setApplicationFolder(m_folder.path());
    }

    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void mainWindowPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("highlighted"); // the one button showing its "2" picture
        QTest::addColumn<int>("reads");
        QTest::addColumn<bool>("reset");
        QTest::newRow("button first keeps the stored picture") << "apply apply"
                                                               << "" << 0 << false;
        QTest::newRow("background first reads every at-rest file") << "bg"
                                                                   << "" << 5 << true;
        QTest::newRow("background, button") << "bg apply"
                                            << "imgApplySettings" << 6 << false;
        QTest::newRow("moving inside reads nothing more") << "bg bg bg exit exit exit"
                                                          << "imgExit" << 6 << false;
        QTest::newRow("button, background") << "bg apply bg"
                                            << "" << 11 << true;
        QTest::newRow("straight onto another button") << "bg apply default"
                                                      << "imgApplySettings" << 6 << false;
        QTest::newRow("leaving to a list") << "bg print list"
                                           << "imgPFeatures" << 6 << false;
        QTest::newRow("leaving to a label") << "bg print label"
                                            << "imgPFeatures" << 6 << false;
        QTest::newRow("hidden and shown again") << "bg show hide"
                                                << "imgSFeatures" << 6 << false;
        QTest::newRow("round the buttons") << "bg apply bg default bg exit bg print bg show"
                                           << "imgSFeatures" << 30 << false;
    }

    void mainWindowPaths()
    {
        QFETCH(QString, path);
        QFETCH(QString, highlighted);
        QFETCH(int, reads);
        QFETCH(bool, reset);
        const ChoiceIndexes before = f->window.choiceIndexes();
        const int readsBefore = HoverButtons::pictureReads();
        walk(&f->window, mainControls, path);
        QCOMPARE(HoverButtons::pictureReads() - readsBefore, reads);
        QCOMPARE(f->window.blnButtonsReset, reset);
        for (auto button = mainStems.begin(); button != mainStems.end(); ++button)
            QCOMPARE(shows(&f->window, button.key(), button.value()),
                     QString(button.key() == highlighted ? "2" : "1"));
        QCOMPARE(f->window.choiceIndexes(), before);
    }

    // Held buttons and modifiers make no difference to the pictures.
    void buttonsAndModifiersAreIgnored()
    {
        const int readsBefore = HoverButtons::pictureReads();
        walk(&f->window, mainControls, "bg exit", Qt::RightButton, Qt::ShiftModifier);
        QCOMPARE(HoverButtons::pictureReads() - readsBefore, 6);
        QCOMPARE(shows(&f->window, "imgExit", "Exit_Button"), QString("2"));
    }

    void featuresWindowPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("highlighted");
        QTest::addColumn<int>("reads");
        QTest::newRow("button first") << "close"
                                      << "" << 0;
        QTest::newRow("background first") << "bg"
                                          << "" << 2;
        QTest::newRow("background, button") << "bg close"
                                            << "imgClose" << 3;
        QTest::newRow("straight onto the other button") << "bg close print"
                                                        << "imgClose" << 3;
        QTest::newRow("leaving to the text") << "bg print text title"
                                             << "imgPrintFeatures" << 3;
        QTest::newRow("button, background") << "bg print bg"
                                            << "" << 5;
        QTest::newRow("hidden and shown again") << "bg close hide"
                                                << "imgClose" << 3;
    }

    void featuresWindowPaths()
    {
        QFETCH(QString, path);
        QFETCH(QString, highlighted);
        QFETCH(int, reads);
        QTest::mouseClick(f->child("imgSFeatures"), Qt::LeftButton);
        frmFeatures* features = f->window.featuresWindow();
        const int readsBefore = HoverButtons::pictureReads();
        walk(features, featuresControls, path);
        QCOMPARE(HoverButtons::pictureReads() - readsBefore, reads);
        for (auto button = featuresStems.begin(); button != featuresStems.end(); ++button)
            QCOMPARE(shows(features, button.key(), button.value()),
                     QString(button.key() == highlighted ? "2" : "1"));
    }

    // Close keeps the highlighted Close button; the window comes back so.
    void closeKeepsItsHighlight()
    {
        QTest::mouseClick(f->child("imgSFeatures"), Qt::LeftButton);
        frmFeatures* features = f->window.featuresWindow();
        walk(features, featuresControls, "bg close");
        QTest::mouseClick(f->child("imgClose", features), Qt::LeftButton);
        QTest::mouseClick(f->child("imgSFeatures"), Qt::LeftButton);
        QCOMPARE(shows(features, "imgClose", "Close_Button"), QString("2"));
        QVERIFY(!features->blnButtonsReset);
    }

    // Both windows read the same Print Features file, each with its own state.
    void printFeaturesFilesAreShared()
    {
        walk(&f->window, mainControls, "bg print");
        QTest::mouseClick(f->child("imgSFeatures"), Qt::LeftButton);
        frmFeatures* features = f->window.featuresWindow();
        walk(features, featuresControls, "bg print");
        QCOMPARE(shows(features, "imgPrintFeatures", "Print_Features"), QString("2"));
        QCOMPARE(shows(&f->window, "imgPFeatures", "Print_Features"), QString("2"));
        QVERIFY(!f->window.blnButtonsReset);
        QVERIFY(!features->blnButtonsReset);
    }

    // Every highlight reads its file again, also one replaced by a picture
    // of the same size within the same second.
    void aReplacedBitmapIsReadAgain()
    {
        const QString highlight = m_folder.filePath("Apply_Settings2.bmp");
        const QString saved = highlight + ".saved";
        QVERIFY(QFile::copy(highlight, saved));
        walk(&f->window, mainControls, "bg apply bg");

        QFile file(highlight);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
        QFile other(m_folder.filePath("Exit_Button2.bmp"));
        QVERIFY(other.open(QIODevice::ReadOnly));
        const QByteArray otherBytes = other.readAll();
        QCOMPARE(otherBytes.size(), file.size());
        QVERIFY(file.seek(0));
        QCOMPARE(file.write(otherBytes), otherBytes.size());
        file.close();
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
        file.close();

        walk(&f->window, mainControls, "apply");
        const QImage shown = f->child<ImageControl>("imgApplySettings")
                                 ->picture()
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(
            shown,
            QImage(m_folder.filePath("Exit_Button2.bmp")).convertToFormat(QImage::Format_RGB32));
        QVERIFY(QFile::remove(highlight));
        QVERIFY(QFile::rename(saved, highlight));
    }

    // A missing file leaves the button with its picture and the state
    // unwritten; the buttons before it in the reset already show theirs.
    void missingFile()
    {
        const QString exitRest = m_folder.filePath("Exit_Button1.bmp");
        const QString hidden = exitRest + ".away";
        QVERIFY(QFile::rename(exitRest, hidden));
        walk(&f->window, mainControls, "bg apply");
        QVERIFY(!f->window.blnButtonsReset);
        QCOMPARE(shows(&f->window, "imgApplySettings", "Apply_Settings"), QString("1"));
        QCOMPARE(f->child<ImageControl>("imgExit")->size(), QSize(128, 26));
        QVERIFY(QFile::rename(hidden, exitRest));
        walk(&f->window, mainControls, "bg apply");
        QCOMPARE(shows(&f->window, "imgApplySettings", "Apply_Settings"), QString("2"));

        const QString applyHighlight = m_folder.filePath("Apply_Settings2.bmp");
        QVERIFY(QFile::rename(applyHighlight, hidden));
        walk(&f->window, mainControls, "bg apply");
        QVERIFY(f->window.blnButtonsReset); // the highlight did not happen
        QVERIFY(QFile::rename(hidden, applyHighlight));
    }
};

PCU_GUI_TEST_MAIN(TestHover)
#include "tst_hover.moc"
