// Times the choice of a lesson among 100,000 files, as the space bar makes it:
//   - the first load, which lists the folders (the start of the saver);
//   - further loads while no folder has changed (each press of the space bar);
//   - the load right after a lesson is added, and whether that lesson can be chosen.
//
//   lessonfolderbench [files]
//
// Prints one line per figure: the median of the runs, in milliseconds of wall time.

#include "lessons/lessonloader.h"
#include "lessons/randomgenerator.h"
#include "lessons/savervariables.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Draws evenly, or the last file by name when asked to.
class BenchRandom : public RandomGenerator {
public:
    void Reseed() override {}
    float Next() override { return last ? 0.99999994f : m_engine.Next(); }
    bool last = false;

private:
    ClockSeededGenerator m_engine;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray lesson(const QByteArray& title)
{
    return title + "/Benchmark\r\nLekce\r\ndog\r\n[dɒɡ]\r\nnoun\r\npes\r\n\r\nA|B\r\n--\r\n";
}

double load(LessonEntries& entries, const QStringList& folders, BenchRandom& random,
            QString* title = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    const LessonLoad result = LoadLessonFile(entries, folders, random, [] { return true; });
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (result.result != LessonLoadResult::Loaded)
        qFatal("no lesson loaded");
    if (title)
        *title = result.title;
    return ms;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? QByteArray(argv[1]).toInt() : 100'000;
    const QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("lessons"));
    if (!QDir().mkpath(folder))
        qFatal("cannot make %s", qPrintable(folder));
    for (int i = 0; i < files; ++i)
        writeFile(QStringLiteral("%1/lekce-%2.txt").arg(folder).arg(i, 6, 10, QLatin1Char('0')),
                  lesson("Lekce " + QByteArray::number(i)));
    // A listing of a folder changed a moment ago is not kept: let it age as a real one has.
    QThread::sleep(3);

    const QStringList folders{folder};
    auto entries = std::make_unique<LessonEntries>();
    BenchRandom random;
    const double first = load(*entries, folders, random);
    std::vector<double> spaces;
    for (int i = 0; i < 21; ++i)
        spaces.push_back(load(*entries, folders, random));

    writeFile(folder + QStringLiteral("/zzz-new.txt"), lesson("New"));
    random.last = true;
    QString title;
    const double added = load(*entries, folders, random, &title);
    random.last = false;

    std::printf("lessons folder of %d files: first load (lists the folder) %.1f ms\n", files,
                first);
    std::printf("lessons folder of %d files: space, no folder changed (median of %zu) %.2f ms\n",
                files, spaces.size(), median(spaces));
    std::printf("lessons folder of %d files: space right after a lesson was added %.1f ms, "
                "the new lesson %s\n",
                files, added, title == QLatin1String("New") ? "found" : "NOT FOUND");
    return title == QLatin1String("New") ? 0 : 1;
}
