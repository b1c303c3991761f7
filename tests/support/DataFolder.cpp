#include "support/DataFolder.h"

#include "platform/ProgramFolder.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>

DataFolder::DataFolder()
{
    platform::setProgramFolder(m_dir.path());
    platform::SettingsStore::useFile(m_dir.filePath(QStringLiteral("settings.ini")));
}

DataFolder::~DataFolder()
{
    platform::setProgramFolder(QString());
}

QString DataFolder::path(const QString &name) const
{
    return m_dir.filePath(name);
}

bool DataFolder::install(const QString &source, const QString &name) const
{
    QFile::remove(path(name));
    return QFile::copy(source, path(name));
}

bool DataFolder::installCatalogue() const
{
    return install(fixturePath(QStringLiteral("actuators/good.lst")), QStringLiteral("nqzdevice.lst"));
}

bool DataFolder::installShipped(std::initializer_list<const char *> names) const
{
    for (const char *name : names) {
        if (!install(QStringLiteral(QZ_DATA_DIR "/") + QLatin1String(name), QLatin1String(name)))
            return false;
    }
    return true;
}

bool DataFolder::installFactoryLists() const
{
    for (const char *name : {"w4nqzstpr.lst", "w4qzstpr.lst", "w4cmstpr.lst"}) {
        if (!install(fixturePath(QStringLiteral("editors/std/") + QLatin1String(name)), QLatin1String(name)))
            return false;
    }
    return true;
}

bool DataFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(path(name));
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

void DataFolder::remove(const QString &name) const
{
    QFile::remove(path(name));
}

QByteArray DataFolder::read(const QString &name) const
{
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString fixturePath(const QString &relative)
{
    return QStringLiteral(QZ_FIXTURES_DIR "/") + relative;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
