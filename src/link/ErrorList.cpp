#include "link/ErrorList.h"

#include "core/Messages.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"
#include "platform/ItemReader.h"
#include "tables/FileRetry.h"
#include "platform/ProgramFolder.h"

#include <QDebug>

ErrorListEntry gErrorList[kErrorListMax + 1];
int gErrorListCount = 0;
bool gErrorListMissing = false;
QString gErrorListPath;

namespace {

// How the list's load failed, as the operator was told: missing, or damaged at its line.
QString g_loadFailure;

} // namespace

namespace link {

bool readErrorListFile(const QString &path, ErrorListEntry (&entries)[kErrorListMax + 1], int &count,
                       QString *why)
{
    platform::ItemReader reader;
    // The program only reads the list: its last line may lack its line end, but the count and
    // every entry stand on lines of their own, and the list holds as many entries as it names.
    reader.allowUnendedLastLine();
    ErrorListEntry read[kErrorListMax + 1];
    int n = 0;
    if (reader.open(path)) {
        reader.beginLine();
        read[0].code = reader.raw();
        bool isNumber = false;
        n = read[0].code.toInt(&isNumber);
        if (reader.ok() && (!isNumber || n < 0))
            reader.fail(QStringLiteral("the first item is not a count of entries"));
        else if (reader.ok() && n > kErrorListMax)
            reader.fail(QStringLiteral("more than %1 entries").arg(kErrorListMax));
        for (int i = 1; reader.ok() && i <= n; ++i) {
            reader.beginLine();
            read[i].code = reader.raw();
            read[i].text = reader.text();
        }
        if (reader.ok() && !reader.atEnd()) {
            reader.beginLine(); // fails on more items in the last entry
            reader.raw();       // else names the first line beyond the count
            reader.fail(QStringLiteral("more entries than the count"));
        }
    }
    if (!reader.ok()) {
        if (why)
            *why = reader.errorString();
        return false;
    }
    for (int i = 0; i <= kErrorListMax; ++i)
        entries[i] = read[i];
    count = n;
    return true;
}

QString alarmMessage()
{
    const QString crlf = QStringLiteral("\r\n");
    QString text = LoadResText(104) + crlf;
    if (gAlarmKnown)
        text += QStringLiteral("Error No.") + gAlarmCode + crlf;
    text += QLatin1Char('[') + gAlarmText + QLatin1Char(']');
    // Why the alarm has no text of its own, in the same box: the list's failure as it was told.
    if (gErrorListMissing)
        text += crlf + crlf + (g_loadFailure.isEmpty() ? ResLines({30, 31}) : g_loadFailure);
    return text;
}

void clearAlarmPanel()
{
    setAlarmPanel(AlarmPanel());
}

void resetErrorList()
{
    for (ErrorListEntry &e : gErrorList)
        e = ErrorListEntry();
    gErrorListCount = 0;
    gErrorListMissing = false;
    gErrorListPath.clear();
    g_loadFailure.clear();
}

} // namespace link

void LoadErrorList()
{
    gErrorListPath = platform::programFile(LoadResText(120));
    QString why;
    if (link::readErrorListFile(gErrorListPath, gErrorList, gErrorListCount, &why)) {
        gErrorListMissing = false;
        return;
    }
    qWarning().noquote() << "error list" << gErrorListPath << "not read:" << why;
    gErrorListMissing = true;
    g_loadFailure = tables::listFailureText(gErrorListPath, {30, 31});
    platform::msgBox(g_loadFailure);
}

void AlarmHyoji()
{
    // No box here: this runs inside exchanges, while an axis may move. A missing list is told
    // when it is loaded, and again in the box of an alarm that comes in place of a reply
    // (alarmMessage), which goes through the link's hold of its failures.
    // Only the line itself counts: a short or garbled line must not be read past its end.
    QString line = gEventMsg;
    if (line.endsWith(QLatin1String("\r\n")))
        line.chop(2);
    if (line.size() < 6)
        qWarning().noquote() << "unsolicited line too short to carry an alarm code:" << line;
    // A line too short to carry its state cannot be taken as "no alarm".
    const QChar state = line.size() >= 4 ? line.at(3) : QChar();
    const QString code = line.size() >= 6 ? QString(line.at(5)) : QString();
    const QChar kind = state == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('2');
    gAlarmNow = state != QLatin1Char('0');
    gAlarmCode = code;

    gAlarmKnown = false;
    gAlarmText = LoadResText(32);
    if (!gErrorListMissing && !code.isEmpty()) {
        for (int i = 1; i <= gErrorListCount && i <= kErrorListMax; ++i) {
            const QString &item = gErrorList[i].code;
            if (item.size() >= 1 && item.front() == kind && item.back() == code.front()) {
                gAlarmKnown = true;
                gAlarmText = gErrorList[i].text;
                break;
            }
        }
    }

    link::AlarmPanel panel;
    panel.lampShown = true;
    panel.alarmNo = code;
    panel.comment = gAlarmText;
    link::setAlarmPanel(panel);
}
