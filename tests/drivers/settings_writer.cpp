// A small program for the tests: a second copy of the program's settings store over the same
// file, as another copy of the program would write it. Writes each KEY=VALUE given, one
// write each, and ends with 0 when every write was stored.
//   settings_writer <settings file> KEY=VALUE...
#include "platform/SettingsStore.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: settings_writer <settings file> KEY=VALUE...\n");
        return 2;
    }
    platform::SettingsStore::useFile(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const QString pair = QString::fromLocal8Bit(argv[i]);
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0 || !platform::SettingsStore::setText(pair.left(eq), pair.mid(eq + 1))) {
            std::fprintf(stderr, "settings_writer: %s\n", qPrintable(platform::SettingsStore::lastWriteFailure()));
            return 1;
        }
    }
    return 0;
}
