// Times the lesson tool and the choice of a lesson among many:
//   - vokabo-lekce check of a sparse file of 4 GB, with the growth of the peak memory (the
//     saver reads 4 MiB of a lesson, and so does the check);
//   - vokabo-lekce check of a 10 MB lesson (201 entries padded with ignored lines, so that
//     every byte is read, and 10 MB of ordinary entries);
//   - vokabo-lekce import of a 100,000-row TSV list (498 lessons written);
//   - LoadLessonFile over the bundled lessons plus 1,000 lessons of the user's.
//
//   lessontoolbench <bundled lessons folder>
//
// Each figure is the median of several runs, in milliseconds of wall time and of the
// process's CPU time.

#include "lessontool/lessontool.h"
#include "lessons/lessonloader.h"
#include "lessons/randomgenerator.h"
#include "lessons/savervariables.h"
#include "syntheticlesson.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray lesson(qint64 targetBytes, int entries, int paddingLines)
{
    QByteArray bytes = windows1250(QStringLiteral("Měření/Benchmark\r\nLekce 1\r\n"));
    for (int i = 0; (entries > 0 && i < entries) || (targetBytes > 0 && bytes.size() < targetBytes);
         ++i)
        bytes += entry(i, paddingLines);
    return bytes;
}

struct Timing {
    double wall = 0; // ms
    double cpu = 0;  // ms of this process, user and system, which a busy machine does not inflate
};

Timing median(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> walls;
    std::vector<double> cpus;
    for (int run = 0; run < runs; ++run) {
        if (prepare)
            prepare();
        const std::clock_t cpuStart = std::clock();
        QElapsedTimer timer;
        timer.start();
        work();
        walls.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        cpus.push_back(static_cast<double>(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

long peakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int runTool(const QStringList& arguments)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    return RunLessonTool(arguments, outStream, errStream);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: lessontoolbench <bundled lessons folder>\n");
        return 2;
    }
    const QString bundled = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir scratch;
    if (!scratch.isValid())
        qFatal("no temporary folder");
    const QDir dir(scratch.path());
    constexpr qint64 TenMegabytes = 10 * 1000 * 1000;

    // First, while the peak memory is still the program's own.
    const QString sparse = dir.filePath(QStringLiteral("sparse.txt"));
    QFile sparseFile(sparse);
    if (sparseFile.open(QIODevice::WriteOnly) && sparseFile.resize(4LL * 1024 * 1024 * 1024)) {
        sparseFile.close();
        const long before = peakResidentKb();
        int status = -1;
        const Timing ms = median(3, {}, [&] {
            status = runTool({QStringLiteral("check"), sparse});
        });
        std::printf("vokabo-lekce check, sparse 4 GB file (exit %d): %.1f ms (CPU %.1f ms), peak "
                    "memory +%ld kB\n",
                    status, ms.wall, ms.cpu, peakResidentKb() - before);
        QFile::remove(sparse);
    }

    const QString padded = dir.filePath(QStringLiteral("padded.txt"));
    // Padding lines are a little over 50 bytes, so 201 entries make just over 10 MB.
    writeFile(padded, lesson(0, LessonSlots, int(TenMegabytes / LessonSlots / 50)));
    const QString ordinary = dir.filePath(QStringLiteral("ordinary.txt"));
    writeFile(ordinary, lesson(TenMegabytes, 0, 0));
    for (const QString& file : {padded, ordinary}) {
        int status = -1;
        const Timing ms = median(7, {}, [&] { status = runTool({QStringLiteral("check"), file}); });
        std::printf("vokabo-lekce check, %.1f MB lesson, %s (exit %d): %.1f ms (CPU %.1f ms)\n",
                    static_cast<double>(QFileInfo(file).size()) / 1e6,
                    file == padded ? "201 entries padded with ignored lines"
                                   : "ordinary entries, stops after the 202nd",
                    status, ms.wall, ms.cpu);
    }

    QByteArray rows("english\tczech\tpronunciation\tpart of speech\tnote\texample\ttranslation\n");
    for (int i = 0; i < 100000; ++i)
        rows += "word " + QByteArray::number(i) + "\tslovo " + QByteArray::number(i) +
                ", sl\xc3\xb3vko\twurd\tpodstatn\xc3\xa9 jm\xc3\xa9no\tmn. \xc4\x8d. words\tThe "
                "word.\tSlovo.\n";
    const QString list = dir.filePath(QStringLiteral("list.tsv"));
    writeFile(list, rows);
    int run = 0;
    QString out;
    const Timing importMs = median(
        5, [&] { out = dir.filePath(QStringLiteral("import%1").arg(run++)); },
        [&] {
            runTool({QStringLiteral("import"), list, QStringLiteral("-o"), out});
        });
    std::printf(
        "vokabo-lekce import, 100,000-row TSV (%.1f MB) into %lld lessons: %.1f ms (CPU %.1f ms)\n",
        static_cast<double>(rows.size()) / 1e6,
        static_cast<long long>(QDir(out).entryList(QDir::Files).size()), importMs.wall,
        importMs.cpu);

    const QString user = dir.filePath(QStringLiteral("user"));
    QDir().mkpath(user);
    const QByteArray ordinaryLesson = lesson(0, 60, 0);
    for (int i = 0; i < 1000; ++i)
        writeFile(QDir(user).filePath(QStringLiteral("lekce%1.txt").arg(i)), ordinaryLesson);
    ClockSeededGenerator random;
    auto entries = std::make_unique<LessonEntries>();
    const QStringList folders{bundled, user};
    LessonLoadResult result = LessonLoadResult::NoLessons;
    const Timing loadMs = median(101, {}, [&] {
        result = LoadLessonFile(*entries, folders, random, [] { return true; }).result;
    });
    std::printf("choose and load a lesson among %lld bundled and 1,000 user lessons (%s): %.3f ms "
                "(CPU %.3f ms)\n",
                static_cast<long long>(QDir(bundled).entryList(QDir::Files).size()),
                result == LessonLoadResult::Loaded ? "loaded" : "FAILED", loadMs.wall, loadMs.cpu);
    return 0;
}
