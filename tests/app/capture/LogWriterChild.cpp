// Writes numbered records into the logs folder given until it is killed, and acknowledges each
// stored record with its number on a line of standard output.
#include "DailyLogWriter.h"
#include "PosixLogFileSystem.h"
#include "SystemClock.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>

#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s LOGS-FOLDER RUN\n", argv[0]);
        return 64;
    }
    QCoreApplication application(argc, argv);
    const std::string run = argv[2];
    orv::capture::SystemClock clock;
    orv::capture::PosixLogFileSystem files;
    orv::capture::DailyLogWriter writer(argv[1], clock, files);
    QObject::connect(&writer, &orv::capture::DailyLogWriter::writingFailed, [](const QString& reason) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        std::_Exit(2);
    });
    for (unsigned long long number = 0;; ++number) {
        const std::string text = std::to_string(number);
        writer.write({"File", "Created", "/kill/run" + run + "/", "name\t" + text + "\\\xff.txt", ""});
        const std::string ack = text + "\n";
        if (::write(STDOUT_FILENO, ack.data(), ack.size()) != static_cast<ssize_t>(ack.size())) {
            std::perror("write");
            return 3;
        }
    }
}
