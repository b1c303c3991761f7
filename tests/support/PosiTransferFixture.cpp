#include "support/PosiTransferFixture.h"

#include "tables/DevSetting.h"
#include "tables/AxisScale.h"
#include "core/Module2Calc.h"
#include "tables/PosiUnits.h"
#include "tables/PosiTable.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QRadioButton>

namespace posifixture {

void matchController(SimFixture &sim, int mask, qint32 limit)
{
    sim.useAxes(mask);
    sim::ControllerModel::Actuator actuator;
    actuator.strokeLimit = limit;
    for (int a = 0; a < kAxisCount; ++a) {
        sim.model().setActuator(a, actuator);
        gDevIsQz[a] = true;
        gDevFamily[a] = QStringLiteral("QZ");
        gDevSize[a] = QStringLiteral(" 28");
        gDevSpeed[a] = QStringLiteral("L");
        gDevStroke[a] = 100;
        gDevLead[a] = 2;
        gDevPPR[a] = 400;
        gDevMaxPulse[a] = limit;
        gDevWithPG[a] = false;
        gDevSetteiWithPG[a] = false;
    }
    CulcStrokeMm();
}

void showTable(FakeMainForm &form, int from, int to, const std::function<void()> &edit)
{
    InitPosiData();
    if (edit)
        edit();
    gPosiNoDefFrom = gPosiNoFrom = from;
    gPosiNoDefTo = gPosiNoTo = to;
    PulseToMm_Table();
    form.QzDataHyoji_3();
    gDataChanged = false;
}

positions::PosiRecord recordFor(int n, int vel, qint64 posi)
{
    positions::PosiRecord r;
    for (int a = 0; a < 4; ++a) {
        r.field[4 * a] = vel;
        r.field[4 * a + 1] = 2;
        r.field[4 * a + 2] = 1;
        r.field[4 * a + 3] = posi + a;
    }
    r.field[16] = 1;
    r.field[17] = 2;
    r.field[18] = n % 21;
    return r;
}

QByteArray digits(const positions::PosiRecord &record)
{
    return positions::encodePosiRecord(1, record).value_or(QString()).mid(3).toLatin1();
}

void putIntoTable(int n, const positions::PosiRecord &record)
{
    for (int c = 0; c < positions::kPosiRecordFields; ++c) {
        if (tables::isPosiColumn(c))
            gPosiTable[n][c / 4] = double(record.field[c]);
        gPosiFileTable[n][c] = int(tables::isPosiColumn(c) ? 0 : record.field[c]);
    }
}

ModalDriver::Action range(int from, int to)
{
    return [from, to](QWidget *w) {
        if (from == 0) {
            clickChild(w, QStringLiteral("cmdSelectPosiCancel"));
            return;
        }
        if (auto *numbers = w->findChild<QRadioButton *>(QStringLiteral("optSelectPosiNo1")))
            (from < 0 ? w->findChild<QRadioButton *>(QStringLiteral("optSelectPosiNo0")) : numbers)->click();
        if (from > 0) {
            w->findChild<QLineEdit *>(QStringLiteral("txtStartPosiNo"))->setText(QString::number(from));
            w->findChild<QLineEdit *>(QStringLiteral("txtEndPosiNo"))->setText(QString::number(to));
        }
        clickChild(w, QStringLiteral("cmdSelectPosiOk"));
    };
}

ModalDriver::Action choose(int option)
{
    return [option](QWidget *w) {
        if (option < 0) {
            clickChild(w, QStringLiteral("cmdSelectCancel"));
            return;
        }
        w->findChild<QAbstractButton *>(QStringLiteral("optSelectKomoku%1").arg(option))->click();
        clickChild(w, QStringLiteral("cmdSelectOk"));
    };
}

QStringList linesOf(const QStringList &received, const QString &command)
{
    QStringList out;
    for (const QString &line : received)
        if (line.startsWith(command))
            out << line;
    return out;
}

} // namespace posifixture
