// Writes rounds of entries into one profile file through WriteIni, for tests that run it as a
// separate process: in round r every key PREFIX0 .. PREFIX<keys-1> of section [Keys] gets the value
// r. Before each write it puts one byte on standard output, so that a parent knows how far it got.
//
//   profile_writer FILE PREFIX KEYS FIRST_ROUND LAST_ROUND    (LAST_ROUND 0: never stop)
#include "IniCalls.h"

#include <cstdio>
#include <string>

#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: profile_writer FILE PREFIX KEYS FIRST_ROUND LAST_ROUND\n");
        return 2;
    }
    const std::string file = argv[1], prefix = argv[2];
    const int keys = std::stoi(argv[3]);
    const long first = std::stol(argv[4]), last = std::stol(argv[5]);
    const orv::test::IniCalls calls;
    for (long round = first; last == 0 || round <= last; ++round) {
        for (int key = 0; key < keys; ++key) {
            if (::write(STDOUT_FILENO, ".", 1) != 1) {
                std::perror("write");
                return 1;
            }
            if (FAILED(calls.write(file, "Keys", prefix + std::to_string(key), std::to_string(round)))) return 1;
        }
    }
    return 0;
}
