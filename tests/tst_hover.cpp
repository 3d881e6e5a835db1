// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The hover pictures of both windows. CTest runs this at device pixel ratio
// 1 and 2 (QT_SCALE_FACTOR): at 2 the buttons read the "@2x" bitmaps, and the
// 1x ones where those are missing or unreadable.
#include "frmfeatures.h"
#include "hoverbuttons.h"
#include "imagecontrol.h"
#include "windowfixture.h"

#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QScopeGuard>
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

// 2 where the windows are on a screen of ratio 2, else 1.
int runRatio()
{
    return qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2 ? 2 : 1;
}

// A bitmap as the program reads it: a "@2x" file is drawn for ratio 2.
QImage bitmap(const QString& stem, int which, int scale)
{
    QImage image(HoverButtons::picturePath(stem, which, scale));
    image.setDevicePixelRatio(scale);
    return image.convertToFormat(QImage::Format_RGB32);
}

bool samePicture(const QPixmap& shown, const QImage& file)
{
    return !file.isNull() && shown.devicePixelRatio() == file.devicePixelRatio() &&
           shown.toImage().convertToFormat(QImage::Format_RGB32) == file;
}

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

    // "1" or "2": which of its two bitmaps a button shows, read at the
    // given scale (by default the one the screen's ratio calls for); a
    // button that shows neither answers what it shows.
    QString shows(QWidget* window, const QString& name, const QString& stem, int scale = 0)
    {
        const QPixmap shown = f->child<ImageControl>(qPrintable(name), window)->picture();
        for (const int which : {1, 2}) {
            if (samePicture(shown, bitmap(stem, which, scale ? scale : runRatio())))
                return QString::number(which);
        }
        return QString("%1 x %2 pixels at ratio %3")
            .arg(shown.width())
            .arg(shown.height())
            .arg(shown.devicePixelRatio());
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
        QCOMPARE(QDir(m_folder.path()).entryList({"*.bmp"}).size(), 24);
        Platform::setApplicationFolder(m_folder.path());
    }

    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void ratioOfTheRun() { QCOMPARE(f->window.devicePixelRatio(), qreal(runRatio())); }

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
        const QString highlight = HoverButtons::picturePath("Apply_Settings", 2, runRatio());
        const QString saved = highlight + ".saved";
        QVERIFY(QFile::copy(highlight, saved));
        walk(&f->window, mainControls, "bg apply bg");

        QFile file(highlight);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
        const QString otherPath = HoverButtons::picturePath("Exit_Button", 2, runRatio());
        QFile other(otherPath);
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
        QVERIFY(samePicture(f->child<ImageControl>("imgApplySettings")->picture(),
                            bitmap("Exit_Button", 2, runRatio())));
        QVERIFY(QFile::remove(highlight));
        QVERIFY(QFile::rename(saved, highlight));
    }

    // A missing file leaves the button with its picture and the state
    // unwritten; the buttons before it in the reset already show theirs.
    // Both sizes of a bitmap are taken away here: a 2x one alone gives way
    // to its 1x file (below).
    void missingFile()
    {
        const auto takeAway = [](const QString& stem, int which) {
            QStringList paths{HoverButtons::picturePath(stem, which),
                              HoverButtons::picturePath(stem, which, 2)};
            for (const QString& path : paths)
                QFile::rename(path, path + ".away");
            return qScopeGuard([paths] {
                for (const QString& path : paths)
                    QFile::rename(path + ".away", path);
            });
        };
        {
            const auto away = takeAway("Exit_Button", 1);
            walk(&f->window, mainControls, "bg apply");
            QVERIFY(!f->window.blnButtonsReset);
            QCOMPARE(shows(&f->window, "imgApplySettings", "Apply_Settings"), QString("1"));
            QCOMPARE(f->child<ImageControl>("imgExit")->size(), QSize(128, 26));
        }
        walk(&f->window, mainControls, "bg apply");
        QCOMPARE(shows(&f->window, "imgApplySettings", "Apply_Settings"), QString("2"));

        const auto away = takeAway("Apply_Settings", 2);
        walk(&f->window, mainControls, "bg apply");
        QVERIFY(f->window.blnButtonsReset); // the highlight did not happen
    }

    // Above ratio 1 a 2x bitmap that is missing or unreadable gives way to
    // its 1x file, read at once; at ratio 1 the 2x bitmaps are never read.
    void doubleSizeFallsBack_data()
    {
        QTest::addColumn<QString>("spoilt");  // its 2x bitmap is taken away or spoilt
        QTest::addColumn<bool>("unreadable"); // else missing
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("which"); // the 1x bitmap it then shows
        QTest::addColumn<int>("reads"); // at ratio 1; one more above, for the spoilt file
        QTest::newRow("highlight, missing") << "Apply_Settings" << false << "bg apply"
                                            << "imgApplySettings" << 2 << 6;
        QTest::newRow("highlight, unreadable") << "Apply_Settings" << true << "bg apply"
                                               << "imgApplySettings" << 2 << 6;
        QTest::newRow("reset, missing") << "Exit_Button" << false << "bg"
                                        << "imgExit" << 1 << 5;
        QTest::newRow("reset, unreadable") << "Exit_Button" << true << "bg"
                                           << "imgExit" << 1 << 5;
    }

    void doubleSizeFallsBack()
    {
        QFETCH(QString, spoilt);
        QFETCH(bool, unreadable);
        QFETCH(QString, path);
        QFETCH(QString, control);
        QFETCH(int, which);
        QFETCH(int, reads);
        const QString file = HoverButtons::picturePath(spoilt, which, 2);
        QVERIFY(QFile::rename(file, file + ".saved"));
        const auto restore = qScopeGuard([file] {
            QFile::remove(file);
            QFile::rename(file + ".saved", file);
        });
        if (unreadable) {
            QFile junk(file);
            QVERIFY(junk.open(QIODevice::WriteOnly));
            QVERIFY(junk.write("BM and then no bitmap at all") > 0);
        }

        const int readsBefore = HoverButtons::pictureReads();
        walk(&f->window, mainControls, path);
        QCOMPARE(HoverButtons::pictureReads() - readsBefore, reads + (runRatio() > 1 ? 1 : 0));
        QCOMPARE(shows(&f->window, control, spoilt, 1), QString::number(which));
        // The 1x picture keeps the button's size in window pixels.
        QCOMPARE(f->child<ImageControl>(qPrintable(control))->size(), QSize(128, 26));
        // Every other button has the bitmap the screen calls for.
        QCOMPARE(shows(&f->window, "imgDefault", "Restore_Default"), QString("1"));
    }
};

PCU_GUI_TEST_MAIN(TestHover)
#include "tst_hover.moc"
