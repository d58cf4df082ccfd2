#include "dialog/czechfiledialog.h"
#include "dialog/picturechooser.h"
#include "dialog/qtczech.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

// Qt's choosers come up in English unless the program hands Qt its Czech catalogue, and
// the file chooser writes types, sizes and dates in the system's language on its own.
class TestQtCzech : public QObject {
    Q_OBJECT
private slots:
    void choosersSpeakCzech();
    void fileChooserIsCzechOnAnEnglishSystem();
};

void TestQtCzech::choosersSpeakCzech()
{
    QVERIFY(InstallQtCzech());
    QColorDialog colours;
    QVERIFY(!colours.windowTitle().isEmpty());
    QVERIFY2(colours.windowTitle() != QStringLiteral("Select Color"),
             qPrintable(colours.windowTitle()));
    QCOMPARE(QFileDialog::tr("Look in:") == QStringLiteral("Look in:"), false);
}

void TestQtCzech::fileChooserIsCzechOnAnEnglishSystem()
{
    QTemporaryDir folder;
    for (const QString& name :
         {u"a.jpg"_s, u"b.jpeg"_s, u"C.JPG"_s, u"D.JPEG"_s, u"e.png"_s, u"notes.txt"_s}) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
    }
    const QDateTime modified = QFileInfo(folder.filePath(u"a.jpg"_s)).lastModified();
    const QLocale czech(QLocale::Czech, QLocale::Czechia);
    const QString czechDate = czech.toString(modified, QLocale::ShortFormat);
    QVERIFY2(QLocale::system().toString(modified, QLocale::ShortFormat) != czechDate,
             "the system is meant to be English here");
    const QLocale before;

    {
        CzechFileDialog dialog(nullptr, PictureFilters(), folder.path());
        dialog.show();
        auto* view = dialog.findChild<QTreeView*>(u"treeView"_s);
        QVERIFY(view);
        const QAbstractItemModel* model = view->model();
        const auto shown = [&] {
            QStringList names;
            for (int row = 0; row < model->rowCount(view->rootIndex()); ++row)
                names << model->index(row, 0, view->rootIndex()).data().toString();
            names.sort(Qt::CaseInsensitive);
            return names;
        };
        // The first filter shows JPEG files by either extension, in either case.
        QTRY_COMPARE(shown(), (QStringList{u"a.jpg"_s, u"b.jpeg"_s, u"C.JPG"_s, u"D.JPEG"_s}));
        const QModelIndex jpeg =
            model->match(model->index(0, 0, view->rootIndex()), Qt::DisplayRole, u"a.jpg"_s)
                .value(0);
        QVERIFY(jpeg.isValid());
        QTRY_COMPARE(jpeg.siblingAtColumn(2).data().toString(), u"obrázek JPEG"_s);
        QCOMPARE(jpeg.siblingAtColumn(3).data().toString(), czechDate);
        QCOMPARE(jpeg.siblingAtColumn(1).data().toString(), czech.formattedDataSize(1));
    }
    // The rest of the program keeps the locale it had.
    QCOMPARE(QLocale(), before);
}

int main(int argc, char* argv[])
{
    // A user whose system speaks English.
    qputenv("LC_ALL", "en_US.UTF-8");
    qputenv("LANGUAGE", "en_US");
    QApplication app(argc, argv);
    TestQtCzech test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qtczech.moc"
