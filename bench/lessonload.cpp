// Times the parsing of lesson files with each way of letting events run between two lines:
// none at all, the program's own EventYield, and a full processEvents after every line.
//
//   lessonload <bundled lessons folder>
//
// Prints one line per lesson set and pause; the program's own lesson files are read as they
// are, the larger ones are written into a temporary folder first.

#include "syntheticlesson.h"
#include "lessons/lessonloader.h"
#include "screensaver/eventyield.h"
#include "lessons/savervariables.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

struct LessonSet {
    QString label;
    QStringList files;
};

struct Pause {
    const char* label;
    std::function<std::function<bool()>()> make; // a fresh callback for every load
};

QString writeLesson(const QString& path, qint64 targetBytes, int entries, int paddingLines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(windows1250(QStringLiteral("Měření/Benchmark\r\nLekce 1\r\n")));
    for (int i = 0; (entries > 0 && i < entries) || (targetBytes > 0 && file.size() < targetBytes);
         ++i)
        file.write(entry(i, paddingLines));
    return path;
}

QString sizeText(qint64 bytes)
{
    if (bytes >= 1000 * 1000)
        return QStringLiteral("%1 MB").arg(static_cast<double>(bytes) / 1e6, 0, 'f', 1);
    return QStringLiteral("%1 kB").arg(static_cast<double>(bytes) / 1e3, 0, 'f', 1);
}

qint64 totalBytes(const QStringList& files)
{
    qint64 total = 0;
    for (const QString& file : files)
        total += QFileInfo(file).size();
    return total;
}

// Median milliseconds of loading every file of the set once, over enough repetitions to
// fill about half a second (at least three).
double timeLoads(const LessonSet& set, const Pause& pause, LessonEntries& lesson, int& entries)
{
    std::vector<double> runs;
    QElapsedTimer total;
    total.start();
    while (runs.size() < 3 || (total.elapsed() < 500 && runs.size() < 200)) {
        QElapsedTimer one;
        one.start();
        entries = 0;
        for (const QString& file : set.files) {
            QString title;
            const std::function<bool()> betweenLines = pause.make();
            if (ParseLessonFile(lesson, file, title, betweenLines) != LessonLoadResult::Loaded)
                qFatal("could not load %s", qPrintable(file));
            entries += lesson.WordCount;
        }
        runs.push_back(static_cast<double>(one.nsecsElapsed()) / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: lessonload <bundled lessons folder>\n");
        return 2;
    }

    QTemporaryDir scratch;
    if (!scratch.isValid())
        qFatal("no temporary folder");
    const QString dir = scratch.path();
    constexpr qint64 TenMegabytes = 10 * 1000 * 1000;

    QStringList bundled;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
        bundled << folder.filePath(name);
    if (bundled.isEmpty())
        qFatal("no lessons in %s", argv[1]);

    const std::vector<LessonSet> sets{
        {QStringLiteral("bundled lessons, %1 files").arg(bundled.size()), bundled},
        {QStringLiteral("201-entry lesson"),
         {writeLesson(dir + QStringLiteral("/full.txt"), 0, LessonSlots, 0)}},
        // 201 entries padded with ignored lines, so that every byte is read.
        {QStringLiteral("10 MB lesson, 201 long entries"),
         {writeLesson(dir + QStringLiteral("/long.txt"), TenMegabytes, LessonSlots,
                      static_cast<int>(TenMegabytes / LessonSlots / 60))}},
        // Ordinary entries: reading stops once the 201 slots are full.
        {QStringLiteral("10 MB lesson, ordinary entries"),
         {writeLesson(dir + QStringLiteral("/many.txt"), TenMegabytes, 0, 0)}},
    };

    const std::vector<Pause> pauses{
        {"no pause", [] { return std::function<bool()>(); }},
        {"EventYield",
         [] {
             auto yield = std::make_shared<EventYield>();
             return std::function<bool()>([yield] {
                 (*yield)();
                 return true;
             });
         }},
        {"processEvents every line",
         [] {
             return std::function<bool()>([] {
                 QCoreApplication::processEvents();
                 return true;
             });
         }},
    };

    auto lesson = std::make_unique<LessonEntries>();
    for (const LessonSet& set : sets) {
        double withoutPause = 0;
        for (const Pause& pause : pauses) {
            int entries = 0;
            const double ms = timeLoads(set, pause, *lesson, entries);
            const bool first = withoutPause == 0;
            if (first)
                withoutPause = ms;
            std::printf("lesson load, %s (%s, %d entries stored), %s: %.3f ms", qPrintable(set.label),
                        qPrintable(sizeText(totalBytes(set.files))), entries, pause.label, ms);
            if (!first)
                std::printf(", ratio %.2f to no pause", ms / withoutPause);
            std::printf("\n");
            std::fflush(stdout);
        }
    }
    return 0;
}
