#include "operation/IoSignals.h"

namespace operation {

const QList<IoSignal> &inputSignals()
{
    static const QList<IoSignal> s = {
        {0, 0, QStringLiteral("imgInputStb"), QStringLiteral("STB")},
        {0, 1, QStringLiteral("imgInputStop"), QStringLiteral("STOP")},
        {0, 2, QStringLiteral("imgInputGrp"), QStringLiteral("GRP")},
        {0, 3, QStringLiteral("imgInputRes"), QStringLiteral("RES")},
        {1, 0, QStringLiteral("imgInputExp4"), QStringLiteral("EXP-IN4")},
        {1, 1, QStringLiteral("imgInputExp3"), QStringLiteral("EXP-IN3")},
        {1, 2, QStringLiteral("imgInputExp2"), QStringLiteral("EXP-IN2")},
        {1, 3, QStringLiteral("imgInputExp1"), QStringLiteral("EXP-IN1")},
        {2, 0, QStringLiteral("imgInputP800"), QStringLiteral("IP800")},
        {2, 1, QStringLiteral("imgInputP400"), QStringLiteral("IP400")},
        {2, 2, QStringLiteral("imgInputP200"), QStringLiteral("IP200")},
        {2, 3, QStringLiteral("imgInputP100"), QStringLiteral("IP100")},
        {3, 0, QStringLiteral("imgInputP80"), QStringLiteral("IP80")},
        {3, 1, QStringLiteral("imgInputP40"), QStringLiteral("IP40")},
        {3, 2, QStringLiteral("imgInputP20"), QStringLiteral("IP20")},
        {3, 3, QStringLiteral("imgInputP10"), QStringLiteral("IP10")},
        {4, 0, QStringLiteral("imgInputP8"), QStringLiteral("IP8")},
        {4, 1, QStringLiteral("imgInputP4"), QStringLiteral("IP4")},
        {4, 2, QStringLiteral("imgInputP2"), QStringLiteral("IP2")},
        {4, 3, QStringLiteral("imgInputP1"), QStringLiteral("IP1")},
        {5, 0, QStringLiteral("imgInputHomeLs4"), QStringLiteral("LS4")},
        {5, 1, QStringLiteral("imgInputHomeLs3"), QStringLiteral("LS3")},
        {5, 2, QStringLiteral("imgInputHomeLs2"), QStringLiteral("LS2")},
        {5, 3, QStringLiteral("imgInputHomeLs1"), QStringLiteral("LS1")}};
    return s;
}

const QList<IoSignal> &outputSignals()
{
    static const QList<IoSignal> s = {
        {0, 1, QStringLiteral("imgOutputAlm"), QStringLiteral("ALM")},
        {0, 2, QStringLiteral("imgOutputRdy"), QStringLiteral("RDY")},
        {0, 3, QStringLiteral("imgOutputInp"), QStringLiteral("IN-P")},
        {1, 0, QStringLiteral("imgOutputExp4"), QStringLiteral("EXP-OUT4")},
        {1, 1, QStringLiteral("imgOutputExp3"), QStringLiteral("EXP-OUT3")},
        {1, 2, QStringLiteral("imgOutputExp2"), QStringLiteral("EXP-OUT2")},
        {1, 3, QStringLiteral("imgOutputExp1"), QStringLiteral("EXP-OUT1")},
        {5, 2, QStringLiteral("imgOutputOut2"), QStringLiteral("OUT2")},
        {5, 3, QStringLiteral("imgOutputOut1"), QStringLiteral("OUT1")},
        {2, 0, QStringLiteral("imgOutputP800"), QStringLiteral("OP800")},
        {2, 1, QStringLiteral("imgOutputP400"), QStringLiteral("OP400")},
        {2, 2, QStringLiteral("imgOutputP200"), QStringLiteral("OP200")},
        {2, 3, QStringLiteral("imgOutputP100"), QStringLiteral("OP100")},
        {3, 0, QStringLiteral("imgOutputP80"), QStringLiteral("OP80")},
        {3, 1, QStringLiteral("imgOutputP40"), QStringLiteral("OP40")},
        {3, 2, QStringLiteral("imgOutputP20"), QStringLiteral("OP20")},
        {3, 3, QStringLiteral("imgOutputP10"), QStringLiteral("OP10")},
        {4, 0, QStringLiteral("imgOutputP8"), QStringLiteral("OP8")},
        {4, 1, QStringLiteral("imgOutputP4"), QStringLiteral("OP4")},
        {4, 2, QStringLiteral("imgOutputP2"), QStringLiteral("OP2")},
        {4, 3, QStringLiteral("imgOutputP1"), QStringLiteral("OP1")}};
    return s;
}

} // namespace operation
