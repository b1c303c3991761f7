// qzw4-portholder: opens the serial device given as its argument as another program would
// and holds it until its standard input closes. Prints "held" once the device is held.
// With --flock it holds the device as programs do that take it with flock(2) alone: opened
// plainly and locked, without Qt's lock file or exclusive mode.
#include <QCoreApplication>
#include <QSerialPort>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool flockOnly = argc == 3 && std::strcmp(argv[1], "--flock") == 0;
    if (argc != 2 && !flockOnly) {
        std::fprintf(stderr, "usage: %s [--flock] DEVICE\n", argv[0]);
        return 2;
    }
    const char *device = argv[argc - 1];
    QSerialPort port;
    int fd = -1;
    if (flockOnly) {
        fd = ::open(device, O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            std::fprintf(stderr, "qzw4-portholder: %s\n", std::strerror(errno));
            return 1;
        }
    } else {
        port.setPortName(QString::fromLocal8Bit(device));
        if (!port.open(QIODevice::ReadWrite)) {
            std::fprintf(stderr, "qzw4-portholder: %s\n", qPrintable(port.errorString()));
            return 1;
        }
    }
    std::printf("held\n");
    std::fflush(stdout);
    while (std::fgetc(stdin) != EOF) {
    }
    if (fd >= 0)
        ::close(fd);
    return 0;
}
