#pragma once

#include <QString>
#include <optional>

// A parameter set that every field accepts, for the used axes (axis 1 in use).
void validParameters();

// Every parameter of one axis. The defaults are a set the parameter window takes as it is.
struct AxisParameters
{
    qint32 homeOffset = 100;
    int homePush = 20;
    int homeVel = 10;
    int homeOfsVel = 11;
    int homePushVel = 12;
    int homeOrder = 1;
    qint32 axisStroke = 5000;
    int axisLead = 6;
    qint32 axisPulse = 800;
    int jogHighVel = 5;
    int autoDrv = 1;
    int jhOrQz = 2;
    QString actSize = QStringLiteral(" 28");
    QString actSpeed = QStringLiteral("L");
    int actStroke = 50;
    std::optional<QString> actuator = QStringLiteral(" 28L050"); // nullopt: left as it is
    int pgFunc = 2;
    qint32 pgAlarm = 40;
    int pgCheckTimer = 7;
    int lsSerchTimer = 8;
    int softLimit = 1;
    int m0Disable = 0;
};

// The parameters that are not per axis.
struct SharedParameters
{
    int homeOut = 3;
    int almCode = 1;
    int grpEnable = 1;
    int smTimeoutSel = 0;
    int smTimerVal = 9;
    int axisMask = 5;
    int autoHome = 1;
    int stopPause = 1;
};

// Writes them into the parameter set.
void writeAxisParameters(int axis, const AxisParameters &p);
void writeSharedParameters(const SharedParameters &p);
