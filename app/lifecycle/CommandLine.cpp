#include "CommandLine.h"

#include "ProgramVersion.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orv::lifecycle {

namespace {

CommandLineOutcome mistake(const QString& text)
{
    return {std::nullopt, 2, QStringLiteral("orv: ") + text + QLatin1Char('\n'), true};
}

}  // namespace

CommandLineOutcome CommandLineOutcome::parse(const QStringList& arguments, const QString& homeFolder)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Keeps a journal of what happens to your files."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version and exit."));
    const QCommandLineOption watch(QStringLiteral("watch"),
                                   QStringLiteral("Watch DIR and everything below it (repeatable; default: your home folder)."),
                                   QStringLiteral("DIR"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(watch);
    if (!parser.parse(arguments)) return mistake(parser.errorText() + QStringLiteral(" (try --help)"));
    if (!parser.positionalArguments().isEmpty())
        return mistake(QStringLiteral("unexpected argument '%1' (try --help)").arg(parser.positionalArguments().first()));
    if (parser.isSet(help)) return {std::nullopt, 0, parser.helpText(), false};
    if (parser.isSet(version))
        return {std::nullopt, 0, QStringLiteral("orv %1 (build %2)\n").arg(kProgramVersion, kProgramBuild), false};

    CommandLine options;
    QStringList folders = parser.values(watch);
    if (folders.isEmpty()) folders << homeFolder;
    for (const QString& folder : folders) {
        const QFileInfo info(folder);
        if (!info.exists()) return mistake(QStringLiteral("cannot watch '%1': no such folder").arg(folder));
        if (!info.isDir()) return mistake(QStringLiteral("cannot watch '%1': not a folder").arg(folder));
        if (!info.isReadable() || !info.isExecutable())
            return mistake(QStringLiteral("cannot watch '%1': permission denied").arg(folder));
        options.watchedRoots.emplace_back(QFile::encodeName(QDir::cleanPath(info.absoluteFilePath())).toStdString());
    }
    return {options, 0, {}, false};
}

}  // namespace orv::lifecycle
