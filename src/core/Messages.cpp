#include "core/Messages.h"

#include "core/AppSettings.h"
#include "core/MessageTable.h"
#include "platform/Dialogs.h"

#include <QDebug>
#include <QStringList>

QString LoadResText(int id)
{
    const MessageTable &table = MessageTable::instance();
    // The identifier arithmetic is 16-bit, as the stored offsets assume.
    const int wanted = qint16(id + gLangOffset);
    if (const auto t = table.text(wanted))
        return *t;
    const int other = gLangOffset == 0 ? id + 10000 : id;
    qWarning().noquote() << "message" << wanted << "has no text; using" << other;
    return table.text(other).value_or(QString());
}

QString LayoutText(int id)
{
    const MessageTable &table = MessageTable::instance();
    if (const auto t = table.text(id))
        return *t;
    return table.text(id + 10000).value_or(QString());
}

QString ResLines(std::initializer_list<int> ids, const QString &separator)
{
    QStringList lines;
    for (int id : ids)
        lines << LoadResText(id);
    return lines.join(separator);
}

int ResMsgBox(std::initializer_list<int> ids, int style)
{
    return platform::msgBox(ResLines(ids), style);
}
