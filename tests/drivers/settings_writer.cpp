// A small program for the tests: a second copy of the program's settings store over the same
// file, as another copy of the program would write it. Writes each KEY=VALUE given, one
// write each, and ends with 0 when every write was stored.
//   settings_writer [--pause] <settings file> KEY=VALUE...
// With --pause each write, holding the file's lock after it has read the file, prints "read"
// and waits for a line on its input before it replaces the file: the test decides when.
#include "platform/SettingsStore.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int first = 1;
    if (argc > 1 && std::strcmp(argv[1], "--pause") == 0) {
        ++first;
        platform::SettingsStore::setLockHooks({}, [] {
            std::fputs("read\n", stdout);
            std::fflush(stdout);
            char line[16];
            if (!std::fgets(line, sizeof line, stdin))
                std::fputs("settings_writer: no go-ahead\n", stderr);
        });
    }
    if (argc < first + 2) {
        std::fprintf(stderr, "usage: settings_writer [--pause] <settings file> KEY=VALUE...\n");
        return 2;
    }
    platform::SettingsStore::useFile(QString::fromLocal8Bit(argv[first]));
    for (int i = first + 1; i < argc; ++i) {
        const QString pair = QString::fromLocal8Bit(argv[i]);
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0 || !platform::SettingsStore::setText(pair.left(eq), pair.mid(eq + 1))) {
            std::fprintf(stderr, "settings_writer: %s\n", qPrintable(platform::SettingsStore::lastWriteFailure()));
            return 1;
        }
    }
    return 0;
}
