#include "sim/ControllerModel.h"

#include "sim/ControllerSim.h"

namespace sim {

namespace {

QByteArray hex(qint64 value, int width)
{
    return QByteArray::number(value, 16).toUpper().rightJustified(width, '0');
}

// The value of `digits` if all of them are hexadecimal, else -1.
qint64 hexOf(const QByteArray &digits)
{
    if (digits.isEmpty())
        return -1;
    qint64 value = 0;
    for (const char c : digits) {
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else
            return -1;
        value = value * 16 + v;
    }
    return value;
}

bool allHex(const QByteArray &digits)
{
    for (const char c : digits)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

} // namespace

QByteArray ControllerModel::newPosition()
{
    // VEL 30 (1E), ACC 3, WAY 0, position 0 on each axis; ITPL, OUT and S/M 0.
    return QByteArray("1E3000000").repeated(4) + QByteArray("0000");
}

ControllerModel::ControllerModel()
{
    reset();
}

void ControllerModel::reset()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (QByteArray &b : m_blocks)
            b = QByteArray(16, '\0');
        m_blocks[0][6] = 0x0F;
        m_writeEnds.clear();
        m_groups.fill({0, 0});
        for (QByteArray &m : m_macros)
            m = QByteArray(32, '0');
        for (QByteArray &p : m_positions)
            p = newPosition();
        m_version = "1.0";
        m_model = '4';
        for (QByteArray &t : m_axisTags)
            t = "K4R";
        for (QByteArray &v : m_axisVersions)
            v.clear();
        m_motionPolls = 3;
        m_movingLeft = 0;
        m_jogFeed = false;
        m_homeDone = false;
        m_present.fill(0);
        m_inputs = "000000";
        m_outputs = "000000";
        m_alarm = false;
        m_alarmResettable = true;
    }
    for (int axis = 0; axis < 4; ++axis) {
        setActuator(axis, Actuator());
        setHomeAndSpecial(axis, HomeAndSpecial());
    }
    // The single values of the program's common factory list: SM TIMER 10, the others 0.
    setBlockByte(0, 5, 10);
}

void ControllerModel::install(ControllerSim &sim)
{
    static const char *const commands[] = {"0CM", "0RA", "0RH", "0RV", "0RD", "0WD", "0WE",
                                           "0RG", "0WG", "0RS", "0WS", "0RP", "0WP", "0MP",
                                           "0MM", "0MG", "0JR", "0MV", "0SP", "0RC", "0RI",
                                           "0RO", "0WO", "0AR"};
    for (const char *command : commands) {
        const QByteArray name(command);
        sim.setHandler(name, [this, name](const QByteArray &argument) {
            std::lock_guard<std::mutex> lock(m_mutex);
            return answerLocked(name, argument);
        });
    }
}

QByteArray ControllerModel::answer(const QByteArray &line)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return answerLocked(line.left(3), line.mid(3));
}

void ControllerModel::startMotion()
{
    m_movingLeft = m_motionPolls;
}

QByteArray ControllerModel::answerLocked(const QByteArray &command, const QByteArray &arg)
{
    const QByteArray line = command + arg;
    if (!allHex(arg))
        return {};

    if (command == "0CM") {
        if (arg.size() == 1)
            return line;
        return arg.size() >= 2 ? "0CM0" + arg.right(1) : QByteArray();
    }
    if (command == "0RA" && arg.isEmpty()) {
        if (m_jogFeed)
            return "0RA0";
        if (m_movingLeft > 0) {
            --m_movingLeft;
            return "0RA0";
        }
        return "0RA1";
    }
    if (command == "0RH" && arg.isEmpty())
        return m_homeDone ? "0RH1" : "0RH0";
    if (command == "0RV") {
        if (arg.isEmpty())
            return "0RV" + m_version + 'K' + m_model + 'R';
        if (arg.size() == 1 && arg[0] >= '1' && arg[0] <= '4') {
            const QByteArray &own = m_axisVersions[arg[0] - '1'];
            return "0RV" + arg + (own.isEmpty() ? m_version : own) + m_axisTags[arg[0] - '1'];
        }
        return {};
    }
    if (command == "0RD" && arg.size() == 1) {
        const qint64 b = hexOf(arg);
        if (b > 12)
            return {};
        return "0RD" + arg + m_blocks[b].toHex().toUpper();
    }
    if (command == "0WD" && arg.size() == 33) {
        const qint64 b = hexOf(arg.left(1));
        if (b > 12)
            return {};
        m_blocks[b] = QByteArray::fromHex(arg.mid(1));
        return "0WD" + arg.left(1);
    }
    if (command == "0WE" && arg.size() == 1) {
        ++m_writeEnds[arg[0]];
        return line;
    }
    if (command == "0RG" && arg.size() == 2) {
        const qint64 g = hexOf(arg);
        if (g < 1 || g > 99)
            return {};
        return line + hex(m_groups[g].first, 3) + hex(m_groups[g].second, 3);
    }
    if (command == "0WG" && arg.size() == 8) {
        const qint64 g = hexOf(arg.left(2));
        if (g < 1 || g > 99)
            return {};
        m_groups[g] = {int(hexOf(arg.mid(2, 3))), int(hexOf(arg.mid(5, 3)))};
        return "0WG" + arg.left(2);
    }
    if (command == "0RS" && arg.size() == 2) {
        const qint64 m = hexOf(arg);
        if (m < 1 || m > 20)
            return {};
        return line + m_macros[m];
    }
    if (command == "0WS" && arg.size() == 34) {
        const qint64 m = hexOf(arg.left(2));
        if (m < 1 || m > 20)
            return {};
        m_macros[m] = arg.mid(2).toUpper();
        return "0WS" + arg.left(2);
    }
    if (command == "0RP" && arg.size() == 3) {
        const qint64 n = hexOf(arg);
        if (n < 1 || n > 999)
            return {};
        return line + m_positions[n];
    }
    if (command == "0WP" && arg.size() == 43) {
        const qint64 n = hexOf(arg.left(3));
        if (n < 1 || n > 999)
            return {};
        m_positions[n] = arg.mid(3).toUpper();
        return "0WP" + arg.left(3);
    }
    if ((command == "0MP" || command == "0MM") && arg.size() == 4) {
        const qint64 n = hexOf(arg.left(3));
        if (n > 999)
            return {};
        if (command == "0MM" && n == 0) {
            m_homeDone = true;
            m_present.fill(0);
        } else if (n > 0) {
            for (int a = 0; a < 4; ++a)
                m_present[a] = qint32(hexOf(m_positions[n].mid(9 * a + 4, 5)));
        }
        startMotion();
        return line;
    }
    if (command == "0MG" && arg.size() == 2) {
        if (hexOf(arg) > 99)
            return {};
        startMotion();
        return line;
    }
    if (command == "0JR" && arg.size() == 5) {
        startMotion();
        m_jogFeed = true;
        return command;
    }
    if (command == "0MV" && arg.size() == 37) {
        for (int a = 0; a < 4; ++a)
            if (arg[9 * a + 3] == '1')
                m_present[a] = qint32(hexOf(arg.mid(9 * a + 4, 5)));
        startMotion();
        return command;
    }
    if (command == "0SP" && arg.isEmpty()) {
        m_movingLeft = 0;
        m_jogFeed = false;
        return command;
    }
    if (command == "0RC" && arg.size() == 1) {
        const qint64 mask = hexOf(arg);
        QByteArray reply = line;
        for (int a = 0; a < 4; ++a)
            if (mask & (1 << a))
                reply += hex(m_present[a], 5);
        return reply;
    }
    if (command == "0RI" && arg.isEmpty())
        return command + m_inputs;
    if (command == "0RO" && arg.isEmpty())
        return command + m_outputs;
    if (command == "0WO" && arg.size() == 6) {
        m_outputs = arg.toUpper();
        return line;
    }
    if (command == "0AR" && arg.isEmpty()) {
        if (m_alarm && !m_alarmResettable)
            return QByteArray("0%%") + m_alarmState + '0' + m_alarmCode;
        m_alarm = false;
        return command;
    }
    return {};
}

void ControllerModel::setBlock(int block, const QByteArray &bytes16)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_blocks[block] = bytes16.left(16).leftJustified(16, '\0');
}

QByteArray ControllerModel::block(int block) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_blocks[block];
}

void ControllerModel::setBlockByte(int block, int byte, int value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_blocks[block][byte] = char(value);
}

int ControllerModel::blockByte(int block, int byte) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<unsigned char>(m_blocks[block][byte]);
}

void ControllerModel::setAxisMask(int mask)
{
    setBlockByte(0, 6, mask);
}

void ControllerModel::setActuator(int axis, const Actuator &a)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QByteArray &b = m_blocks[6 + 2 * axis];
    b[0] = char(a.kind);
    b[1] = char(a.lead);
    b[2] = char(a.pulsesPerRev >> 8);
    b[3] = char(a.pulsesPerRev);
    b[4] = char(a.withPG);
    b[5] = char(a.strokeLimit >> 16);
    b[6] = char(a.strokeLimit >> 8);
    b[7] = char(a.strokeLimit);
    b[8] = char(a.sizeByte);
    b[9] = a.speed;
    b[10] = char(a.stroke >> 8);
    b[11] = char(a.stroke);
}

void ControllerModel::setHomeAndSpecial(int axis, const HomeAndSpecial &h)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_blocks[1 + axis][0] = char(h.homeOrder);
    QByteArray &b = m_blocks[5 + 2 * axis];
    b[0] = char(h.homeOffset >> 8);
    b[1] = char(h.homeOffset);
    b[2] = char(h.homePush);
    b[3] = char(h.homeVel);
    b[4] = char(h.homeOffsetVel);
    b[5] = char(h.homePushVel);
    b[6] = char(h.jogVel);
    b[7] = char(h.pgAlarm >> 8);
    b[8] = char(h.pgAlarm);
    b[9] = char(h.pgTimer);
    b[10] = char(h.lsTimer);
    b[11] = char(h.softLimit);
    b[12] = char(h.autoDrive);
    b[13] = char(h.m0Disable);
}

int ControllerModel::writeEnds(char kind) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_writeEnds.value(kind);
}

void ControllerModel::setGroup(int group, int start, int end)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_groups[group] = {start, end};
}

std::pair<int, int> ControllerModel::group(int group) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_groups[group];
}

void ControllerModel::setMacro(int macro, const QByteArray &digits32)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_macros[macro] = digits32;
}

QByteArray ControllerModel::macro(int macro) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_macros[macro];
}

void ControllerModel::setPosition(int number, const QByteArray &digits40)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_positions[number] = digits40;
}

QByteArray ControllerModel::position(int number) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_positions[number];
}

void ControllerModel::setVersion(const QByteArray &version3, char model)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_version = version3;
    m_model = model;
}

void ControllerModel::setAxisTag(int axis, const QByteArray &tag3)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_axisTags[axis - 1] = tag3;
}

void ControllerModel::setAxisVersion(int axis, const QByteArray &version3)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_axisVersions[axis - 1] = version3;
}

void ControllerModel::setMotionPolls(int polls)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_motionPolls = polls;
}

int ControllerModel::motionPolls() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_motionPolls;
}

bool ControllerModel::moving() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_movingLeft > 0 || m_jogFeed;
}

void ControllerModel::setHomeDone(bool done)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_homeDone = done;
}

bool ControllerModel::homeDone() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_homeDone;
}

void ControllerModel::setPresentPosition(int axis, qint32 pulses)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_present[axis] = pulses;
}

qint32 ControllerModel::presentPosition(int axis) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_present[axis];
}

void ControllerModel::setInputs(const QByteArray &digits6)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_inputs = digits6;
}

void ControllerModel::setOutputs(const QByteArray &digits6)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_outputs = digits6;
}

QByteArray ControllerModel::outputs() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_outputs;
}

void ControllerModel::setAlarm(char state, char code, bool resettable)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_alarm = true;
    m_alarmState = state;
    m_alarmCode = code;
    m_alarmResettable = resettable;
}

bool ControllerModel::alarmActive() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_alarm;
}

} // namespace sim
