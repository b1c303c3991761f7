#include "support/LostPortBox.h"

#include "core/Messages.h"

const QString kLostPort = QStringLiteral("<108: the device's reason>");

QStringList boxesShown(const QStringList &prompts)
{
    QStringList shown;
    for (const QString &prompt : prompts) {
        const QStringList lines = prompt.split(QStringLiteral("\r\n"));
        const bool lost = lines.size() == 2 && lines.at(0) == LoadResText(108) && lines.at(1).startsWith(u'/')
                          && lines.at(1).contains(QStringLiteral(": "));
        shown << (lost ? kLostPort : prompt);
    }
    return shown;
}
