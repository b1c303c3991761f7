#include "core/MessageTable.h"

#include <QDebug>
#include <QFile>

namespace {

QString unescape(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c == QLatin1Char('\\') && i + 1 < field.size()) {
            const QChar n = field.at(++i);
            out += n == QLatin1Char('n') ? QStringLiteral("\r\n") : QString(n);
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

const MessageTable &MessageTable::instance()
{
    static const MessageTable table = [] {
        MessageTable t;
        QFile f(QStringLiteral(":/messages.tsv"));
        QString error;
        if (!f.open(QIODevice::ReadOnly) || !t.parse(QString::fromUtf8(f.readAll()), &error))
            qCritical().noquote() << "message table unreadable:" << error;
        return t;
    }();
    return table;
}

bool MessageTable::parse(const QString &tsv, QString *error)
{
    m_texts.clear();
    const QStringList lines = tsv.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        bool ok = false;
        const int id = f.value(0).toInt(&ok);
        if (!ok || f.size() != 3 || id <= 0 || id >= 10000) {
            if (error)
                *error = QStringLiteral("line %1 is malformed").arg(i + 1);
            return false;
        }
        if (!f.at(1).isEmpty())
            m_texts.insert(id, unescape(f.at(1)));
        if (!f.at(2).isEmpty())
            m_texts.insert(id + 10000, unescape(f.at(2)));
    }
    return true;
}

std::optional<QString> MessageTable::text(int fullId) const
{
    const auto it = m_texts.constFind(fullId);
    if (it == m_texts.constEnd())
        return std::nullopt;
    return *it;
}
