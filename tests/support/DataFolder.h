#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <initializer_list>

// A temporary program folder and settings file for one test: the catalogue and the factory
// lists are read from the folder, the stored settings from the file.
class DataFolder
{
public:
    DataFolder();
    ~DataFolder();
    DataFolder(const DataFolder &) = delete;
    DataFolder &operator=(const DataFolder &) = delete;

    QString path(const QString &name) const;
    // Copies a file into the folder under the given name (replacing one that is there).
    bool install(const QString &source, const QString &name) const;
    // The example catalogue (fixtures actuators/good.lst) as "nqzdevice.lst".
    bool installCatalogue() const;
    // The three factory parameter lists of fixtures editors/std under their own names.
    bool installFactoryLists() const;
    // Data files as the program ships them (resources/data), under their own names.
    bool installShipped(std::initializer_list<const char *> names) const;
    bool write(const QString &name, const QByteArray &bytes) const;
    void remove(const QString &name) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
};

// The folder of the test fixtures, tests/fixtures/<sub>.
QString fixturePath(const QString &relative);
// The bytes of a file, empty when it cannot be read.
QByteArray fileBytes(const QString &path);
