#include "lessontool/lessontool.h"

#include "lessons/lessoncheck.h"
#include "lessons/lessonfolder.h"
#include "lessontool/kvtmlreader.h"
#include "lessontool/lessonwriter.h"
#include "lessontool/tablereader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr int Success = 0;
constexpr int Problems = 1;
constexpr int Failure = 2;

QString usage()
{
    return QStringLiteral(
               "Použití:\n"
               "  vokabo-lekce check SOUBOR...\n"
               "  vokabo-lekce import VSTUP [--title \"Název/Title\"] [-o SLOŽKA] [--force]\n"
               "  vokabo-lekce --help\n"
               "\n"
               "check   Přečte každou lekci tak, jak ji čte spořič Vokabo, a každý problém\n"
               "        vypíše jako „soubor:řádek: zpráva“. Vrací 0, když spořič ukáže každý\n"
               "        záznam tak, jak je napsaný, 1 při problémech a 2, když soubor nejde\n"
               "        přečíst.\n"
               "\n"
               "import  Převede seznam slov na lekce a vypíše soubory, které zapsal.\n"
               "        VSTUP: .tsv nebo .txt (sloupce oddělené tabulátorem), .csv (RFC 4180)\n"
               "        nebo .kvtml (KVTML 2.0, jazyky podle locale „en“ a „cs“).\n"
               "        Sloupce: anglicky, česky, výslovnost, slovní druh, poznámka, příklad,\n"
               "        překlad příkladu; povinné jsou první dva. Řádek s názvy sloupců se\n"
               "        pozná a přeskočí. Lekce má nejvýš 201 záznamů, delší seznam se rozdělí\n"
               "        do číslovaných lekcí. Vadný řádek se vypíše s číslem a přeskočí.\n"
               "        Vrací 0, když se převedlo vše, 1, když se některý řádek přeskočil,\n"
               "        a 2, když se nic nezapsalo.\n"
               "  --title \"Název/Title\"  název lekce (jinak podle vstupu)\n"
               "  -o SLOŽKA              kam lekce zapsat (jinak %1)\n"
               "  --force                přepíše soubory, které už existují\n")
        .arg(QDir::toNativeSeparators(UserLessonsFolder()));
}

// A file the user names is read whole, but never a pipe or a device, which could hold the
// tool forever.
bool readFile(const QString& path, QByteArray& bytes, QString& error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        error = QStringLiteral("soubor neexistuje");
        return false;
    }
    if (!info.isFile()) {
        error = QStringLiteral("není to obyčejný soubor");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("soubor nejde otevřít");
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("soubor nejde přečíst");
        return false;
    }
    return true;
}

int check(const QStringList& files, QTextStream& out, QTextStream& err)
{
    if (files.isEmpty()) {
        err << QStringLiteral("vokabo-lekce check: chybí soubor ke kontrole\n\n") << usage();
        return Failure;
    }
    int status = Success;
    for (const QString& path : files) {
        QByteArray bytes;
        QString error;
        if (!readFile(path, bytes, error)) {
            out << path << QStringLiteral(": ") << error << QLatin1Char('\n');
            status = Failure;
            continue;
        }
        const QList<LessonProblem> problems = CheckLesson(bytes);
        for (const LessonProblem& problem : problems)
            out << path << QLatin1Char(':') << problem.line << QStringLiteral(": ")
                << problem.message << QLatin1Char('\n');
        if (!problems.isEmpty())
            status = qMax(status, Problems);
    }
    return status;
}

struct ImportOptions {
    QString input;
    QString title;
    QString folder;
    bool force = false;
};

bool parseImport(const QStringList& arguments, ImportOptions& options, QString& error)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--title") || argument == QLatin1String("-o")) {
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("volba %1 potřebuje hodnotu").arg(argument);
                return false;
            }
            (argument == QLatin1String("-o") ? options.folder : options.title) = arguments.at(++i);
        } else if (argument == QLatin1String("--force")) {
            options.force = true;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            error = QStringLiteral("neznámá volba %1").arg(argument);
            return false;
        } else if (options.input.isEmpty()) {
            options.input = argument;
        } else {
            error = QStringLiteral("import bere jen jeden vstupní soubor");
            return false;
        }
    }
    if (options.input.isEmpty()) {
        error = QStringLiteral("chybí vstupní soubor");
        return false;
    }
    return true;
}

WordList readWordList(const QString& path, const QByteArray& bytes)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("kvtml"))
        return ReadKvtml(bytes);
    const QString text = DecodeWordListText(bytes);
    if (suffix == QLatin1String("csv"))
        return WordListFromRows(ReadCsv(text));
    if (suffix == QLatin1String("tsv") || suffix == QLatin1String("txt"))
        return WordListFromRows(ReadTsv(text));
    WordList unknown;
    unknown.error = QStringLiteral("neznámý formát; vstup má být .tsv, .txt, .csv nebo .kvtml");
    return unknown;
}

bool writeLesson(const QString& path, const QByteArray& bytes, bool force)
{
    if (force) {
        QSaveFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
               file.commit();
    }
    // NewOnly: a file that appeared since the test above is not overwritten either.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    if (file.write(bytes) == bytes.size() && file.flush())
        return true;
    file.remove();
    return false;
}

int import(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    ImportOptions options;
    QString error;
    if (!parseImport(arguments, options, error)) {
        err << QStringLiteral("vokabo-lekce import: ") << error << QStringLiteral("\n\n")
            << usage();
        return Failure;
    }
    QByteArray bytes;
    if (!readFile(options.input, bytes, error)) {
        err << options.input << QStringLiteral(": ") << error << QLatin1Char('\n');
        return Failure;
    }
    const WordList list = readWordList(options.input, bytes);
    if (!list.error.isEmpty()) {
        err << options.input << QStringLiteral(": ") << list.error << QLatin1Char('\n');
        return Failure;
    }
    for (const SkippedRow& row : list.skipped)
        err << options.input << QLatin1Char(':') << row.line << QStringLiteral(": ") << row.message
            << QStringLiteral("; řádek přeskočen\n");
    if (list.entries.isEmpty()) {
        err << options.input << QStringLiteral(": žádné slovo k importu\n");
        return Failure;
    }

    const QString baseName = QFileInfo(options.input).completeBaseName();
    QString title = !options.title.isEmpty() ? options.title
                    : !list.title.isEmpty()  ? list.title
                                             : baseName;
    title = title.simplified();
    const QString folder = options.folder.isEmpty() ? UserLessonsFolder() : options.folder;
    const QList<LessonText> lessons = WriteLessons(list.entries, title, LessonBaseName(baseName));

    const QDir dir(folder);
    bool blocked = false;
    if (!options.force) {
        for (const LessonText& lesson : lessons) {
            if (QFileInfo::exists(dir.filePath(lesson.fileName))) {
                err << QDir::toNativeSeparators(dir.filePath(lesson.fileName))
                    << QStringLiteral(": soubor už existuje; přepíše ho jen volba --force\n");
                blocked = true;
            }
        }
    }
    if (blocked)
        return Failure;
    if (!QDir().mkpath(folder)) {
        err << QDir::toNativeSeparators(folder) << QStringLiteral(": složku nejde vytvořit\n");
        return Failure;
    }
    for (const LessonText& lesson : lessons) {
        const QString path = dir.filePath(lesson.fileName);
        if (!writeLesson(path, lesson.bytes, options.force)) {
            err << QDir::toNativeSeparators(path) << QStringLiteral(": soubor nejde zapsat\n");
            return Failure;
        }
        out << QDir::toNativeSeparators(path) << QLatin1Char('\n');
    }
    return list.skipped.isEmpty() ? Success : Problems;
}

} // namespace

int RunLessonTool(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QString command = arguments.value(0);
    int status = Failure;
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out << usage();
        status = Success;
    } else if (command == QLatin1String("check")) {
        status = check(arguments.mid(1), out, err);
    } else if (command == QLatin1String("import")) {
        status = import(arguments.mid(1), out, err);
    } else {
        if (command.isEmpty())
            err << QStringLiteral("vokabo-lekce: chybí příkaz\n\n");
        else
            err << QStringLiteral("vokabo-lekce: neznámý příkaz %1\n\n").arg(command);
        err << usage();
    }
    out.flush();
    err.flush();
    return status;
}
