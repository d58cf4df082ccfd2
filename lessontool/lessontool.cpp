#include "lessontool/lessontool.h"

#include "lessons/lessoncheck.h"
#include "lessons/lessonfolder.h"
#include "lessons/lessonlinereader.h"
#include "lessons/lessonloader.h"
#include "lessontool/commandlinefiles.h"
#include "lessontool/kvtmlreader.h"
#include "lessontool/lessonwriter.h"
#include "lessontool/tablereader.h"
#include "platform/stagedwrites.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int Success = 0;
constexpr int Problems = 1;
constexpr int Failure = 2;
constexpr int PartlyWritten = 3;

// Far above any real word list (100,000 words take 5 MB), and small enough that reading one
// never exhausts the memory.
constexpr qint64 MaxWordListBytes = 16 * 1024 * 1024;

QString version()
{
    return QStringLiteral("%1.%2.%3")
        .arg(VOKABO_VERSION_MAJOR)
        .arg(VOKABO_VERSION_MINOR)
        .arg(VOKABO_VERSION_PATCH);
}

QString usage()
{
    return QStringLiteral(
               "Použití:\n"
               "  vokabo-lekce check SOUBOR...\n"
               "  vokabo-lekce import VSTUP [--title \"Název/Title\"] [-o SLOŽKA] [--force]\n"
               "  vokabo-lekce --help\n"
               "  vokabo-lekce --version\n"
               "\n"
               "check   Přečte každou lekci tak, jak ji čte spořič Vokabo, a každý problém\n"
               "        vypíše jako „soubor:řádek: zpráva“. Vrací 0, když spořič ukáže každý\n"
               "        záznam tak, jak je míněný, 1 při problémech a 2, když soubor nejde\n"
               "        přečíst.\n"
               "\n"
               "import  Převede seznam slov na lekce a vypíše soubory, které zapsal.\n"
               "        VSTUP: .tsv nebo .txt (sloupce oddělené tabulátorem), .csv (RFC 4180,\n"
               "        oddělovač čárka, středník nebo tabulátor) nebo .kvtml (KVTML 2.0,\n"
               "        jazyky podle locale „en“ a „cs“). Kódování: UTF-8, Windows-1250\n"
               "        nebo UTF-16 se značkou BOM.\n"
               "        Sloupce: anglicky, česky, výslovnost, slovní druh, poznámka, příklad,\n"
               "        překlad příkladu; povinné jsou první dva. Řádek s názvy sloupců se\n"
               "        pozná a přeskočí. Lekce má nejvýš 201 záznamů a 4 MiB, delší seznam\n"
               "        se rozdělí do číslovaných lekcí. Vadný řádek se vypíše s číslem\n"
               "        a přeskočí. Lekce se zapíšou celé, nebo žádná.\n"
               "        Vrací 0, když se převedlo vše, 1, když se některý řádek přeskočil\n"
               "        nebo změnil nebo má lekce varování, 2, když se nic nezapsalo, a 3,\n"
               "        když --force nahradil jen vypsané lekce a ostatní zůstaly, jak byly.\n"
               "  --title \"Název/Title\"  název lekce (jinak podle vstupu)\n"
               "  -o SLOŽKA              kam lekce zapsat (jinak %1)\n"
               "  --force                nahradí soubory, které už existují\n"
               "\n"
               "--version  vypíše verzi programu.\n")
        .arg(QDir::toNativeSeparators(UserLessonsFolder()));
}

LessonFile fileOf(const ToolArgument& argument)
{
    return {argument.text, argument.native};
}

int check(const QList<ToolArgument>& files, QTextStream& out, QTextStream& err)
{
    if (files.isEmpty()) {
        err << QStringLiteral("vokabo-lekce check: chybí soubor ke kontrole\n\n") << usage();
        return Failure;
    }
    int status = Success;
    for (const ToolArgument& file : files) {
        QByteArray bytes;
        QString error;
        // One byte past what the saver reads tells that there is more.
        if (!ReadNamedFile(fileOf(file), MaxLessonBytes + 1, bytes, error)) {
            out << file.text << QStringLiteral(": ") << error << QLatin1Char('\n');
            status = Failure;
            continue;
        }
        const QList<LessonProblem> problems = CheckLesson(bytes);
        for (const LessonProblem& problem : problems)
            out << file.text << QLatin1Char(':') << problem.line << QStringLiteral(": ")
                << problem.message << QLatin1Char('\n');
        if (!problems.isEmpty())
            status = qMax(status, Problems);
    }
    return status;
}

struct ImportOptions {
    ToolArgument input;
    QString title;
    ToolArgument folder;
    bool force = false;
};

bool parseImport(const QList<ToolArgument>& arguments, ImportOptions& options, QString& error)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i).text;
        if (argument == QLatin1String("--title") || argument == QLatin1String("-o")) {
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("volba %1 potřebuje hodnotu").arg(argument);
                return false;
            }
            ++i;
            if (argument == QLatin1String("-o"))
                options.folder = arguments.at(i);
            else
                options.title = arguments.at(i).text;
        } else if (argument == QLatin1String("--force")) {
            options.force = true;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            error = QStringLiteral("neznámá volba %1").arg(argument);
            return false;
        } else if (options.input.text.isEmpty()) {
            options.input = arguments.at(i);
        } else {
            error = QStringLiteral("import bere jen jeden vstupní soubor");
            return false;
        }
    }
    if (options.input.text.isEmpty()) {
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
        return WordListFromRows(ReadCsv(text, DetectCsvSeparator(text)));
    if (suffix == QLatin1String("tsv") || suffix == QLatin1String("txt"))
        return WordListFromRows(ReadTsv(text));
    WordList unknown;
    unknown.error = QStringLiteral("neznámý formát; vstup má být .tsv, .txt, .csv nebo .kvtml");
    return unknown;
}

qsizetype titleLineBytes(const QByteArray& lesson)
{
    const qsizetype start = lesson.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    return lesson.indexOf('\r', start) - start;
}

int import(const QList<ToolArgument>& arguments, QTextStream& out, QTextStream& err)
{
    ImportOptions options;
    QString error;
    if (!parseImport(arguments, options, error)) {
        err << QStringLiteral("vokabo-lekce import: ") << error << QStringLiteral("\n\n")
            << usage();
        return Failure;
    }
    const QString input = options.input.text;
    QByteArray bytes;
    if (!ReadNamedFile(fileOf(options.input), MaxWordListBytes + 1, bytes, error)) {
        err << input << QStringLiteral(": ") << error << QLatin1Char('\n');
        return Failure;
    }
    if (bytes.size() > MaxWordListBytes) {
        err << input
            << QStringLiteral(": soubor je větší než %1 MiB, tak dlouhý seznam slov nečtu\n")
                   .arg(MaxWordListBytes / (1024 * 1024));
        return Failure;
    }
    const WordList list = readWordList(input, bytes);
    bytes.clear();
    if (!list.error.isEmpty()) {
        err << input << QStringLiteral(": ") << list.error << QLatin1Char('\n');
        return Failure;
    }
    for (const RowMessage& row : list.skipped)
        err << input << QLatin1Char(':') << row.line << QStringLiteral(": ") << row.message
            << QStringLiteral("; řádek přeskočen\n");
    for (const RowMessage& row : list.warnings)
        err << input << QLatin1Char(':') << row.line << QStringLiteral(": ") << row.message
            << QLatin1Char('\n');
    if (list.entries.isEmpty()) {
        err << input << QStringLiteral(": žádné slovo k importu\n");
        return Failure;
    }

    const QString baseName = NamedFileBaseName(fileOf(options.input));
    QString title = !options.title.isEmpty() ? options.title
                    : !list.title.isEmpty()  ? list.title
                                             : baseName;
    title = title.simplified();
    const QList<LessonText> lessons = WriteLessons(list.entries, title, LessonBaseName(baseName));

    for (const LessonText& lesson : lessons) {
        if (titleLineBytes(lesson.bytes) > LessonLineReader::MaxLineBytes) {
            err << input
                << QStringLiteral(": název lekce je delší než %1 bajtů a spořič by ho uřízl; "
                                  "kratší zadejte volbou --title\n")
                       .arg(LessonLineReader::MaxLineBytes);
            return Failure;
        }
    }
    // What the check would say of the new lessons. Words it warns of are written and the
    // warnings passed on; a lesson that the saver would read other than it is written is a
    // fault of the import, and nothing is written.
    QList<QList<LessonProblem>> problems;
    bool misread = false;
    for (const LessonText& lesson : lessons) {
        problems.append(CheckLesson(lesson.bytes));
        for (const LessonProblem& problem : problems.last())
            misread = misread || problem.kind == LessonProblem::Kind::Reading;
    }

    const ToolArgument folderArgument =
        options.folder.text.isEmpty() ? ToolArgument{UserLessonsFolder(), {}} : options.folder;
    const OutputFolder folder(fileOf(folderArgument));
    const auto shown = [&folder](const QString& fileName) {
        return QDir::toNativeSeparators(QDir(folder.Shown()).filePath(fileName));
    };
    if (misread) {
        for (qsizetype i = 0; i < lessons.size(); ++i)
            for (const LessonProblem& problem : problems.at(i))
                err << shown(lessons.at(i).fileName) << QLatin1Char(':') << problem.line
                    << QStringLiteral(": ") << problem.message << QLatin1Char('\n');
        err << input << QStringLiteral(": lekce by se nečetla, jak je napsaná; nic se nezapsalo\n");
        return Failure;
    }
    if (folder.Path().isEmpty()) {
        err << QDir::toNativeSeparators(folder.Shown())
            << QStringLiteral(": složku nejde vytvořit\n");
        return Failure;
    }
    const QDir dir(folder.Path());
    if (!options.force) {
        bool blocked = false;
        for (const LessonText& lesson : lessons) {
            const QFileInfo existing(dir.filePath(lesson.fileName));
            if (existing.exists() || existing.isSymLink()) {
                err << shown(lesson.fileName)
                    << QStringLiteral(": soubor už existuje; nahradí ho jen volba --force\n");
                blocked = true;
            }
        }
        if (blocked)
            return Failure;
    }

    StagedWrites writes(options.force ? StagedWrites::Existing::Replace
                                      : StagedWrites::Existing::Keep);
    for (const LessonText& lesson : lessons) {
        const WholeFileWrite staged = writes.Stage(dir.filePath(lesson.fileName), lesson.bytes);
        if (!staged) {
            err << shown(lesson.fileName) << QStringLiteral(": soubor nejde zapsat (")
                << staged.reason << QStringLiteral("); nic se nezapsalo\n");
            return Failure;
        }
    }
    const StagedWrites::Committed committed = writes.Commit();
    if (!committed.write) {
        err << shown(QFileInfo(committed.failedPath).fileName())
            << QStringLiteral(": soubor nejde zapsat (") << committed.write.reason
            << QStringLiteral(")");
        if (committed.replaced.isEmpty()) {
            err << QStringLiteral("; nic se nezapsalo\n");
            return Failure;
        }
        err << QStringLiteral("; zapsaly se jen lekce vypsané výše, ostatní zůstaly, jak byly\n");
        for (const QString& path : committed.replaced)
            out << shown(QFileInfo(path).fileName()) << QLatin1Char('\n');
        return PartlyWritten;
    }
    bool warned = false;
    for (qsizetype i = 0; i < lessons.size(); ++i) {
        out << shown(lessons.at(i).fileName) << QLatin1Char('\n');
        for (const LessonProblem& problem : problems.at(i)) {
            err << shown(lessons.at(i).fileName) << QLatin1Char(':') << problem.line
                << QStringLiteral(": ") << problem.message << QLatin1Char('\n');
            warned = true;
        }
    }
    return list.skipped.isEmpty() && list.warnings.isEmpty() && !warned ? Success : Problems;
}

} // namespace

int RunLessonTool(const QList<ToolArgument>& arguments, QTextStream& out, QTextStream& err)
{
    const QString command = arguments.value(0).text;
    int status = Failure;
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out << usage();
        status = Success;
    } else if (command == QLatin1String("--version")) {
        out << QStringLiteral("vokabo-lekce ") << version() << QLatin1Char('\n');
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

int RunLessonTool(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QList<ToolArgument> tool;
    for (const QString& argument : arguments)
        tool.append({argument, {}});
    return RunLessonTool(tool, out, err);
}
