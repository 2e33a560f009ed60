#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <vector>

namespace orv::lifecycle {

// What orv is asked to do by its arguments.
struct CommandLine {
    std::vector<std::filesystem::path> watchedRoots;  // absolute; the home folder by default
};

// The outcome of reading the arguments: the options to run with, or an exit code and the text to
// print first (--help and --version on standard output with code 0, a mistake on standard error
// with code 2).
struct CommandLineOutcome {
    std::optional<CommandLine> run;
    int exitCode = 0;
    QString output;
    bool toStandardError = false;

    static CommandLineOutcome parse(const QStringList& arguments, const QString& homeFolder);
};

}  // namespace orv::lifecycle
