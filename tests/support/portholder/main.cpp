// qzw4-portholder: opens the serial device given as its argument as another program would
// and holds it until its standard input closes. Prints "held" once the device is open.
#include <QCoreApplication>
#include <QSerialPort>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DEVICE\n", argv[0]);
        return 2;
    }
    QSerialPort port;
    port.setPortName(QString::fromLocal8Bit(argv[1]));
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "qzw4-portholder: %s\n", qPrintable(port.errorString()));
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    while (std::fgetc(stdin) != EOF) {
    }
    return 0;
}
