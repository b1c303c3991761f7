#pragma once

#include <QByteArray>
#include <QMap>

#include <array>
#include <mutex>

namespace sim {

class ControllerSim;

// The whole controller behind the simulator: the state every command reads or writes, and
// the replies, with the exact lengths the program expects (CR LF not included here).
//
//   "0CM" "1"/"0"          -> "0CM" + argument                               (6)
//   "0CM" mask + mode      -> "0CM0" + mode                                  (7)
//   "0RA"                  -> "0RA" + "0" moving / "1" ready                 (6)
//   "0RH"                  -> "0RH" + "1" home done / "0"                    (6)
//   "0RV"                  -> "0RV" + version (3) + "K" + model digit + "R"  (11)
//   "0RV" axis             -> "0RV" + axis + version (3) + tag (3)           (12)
//   "0RD" b / "0WD" b+32   -> "0RD" + b + 32 digits / "0WD" + b              (38 / 6)
//   "0WE" k                -> "0WE" + k; counted per kind                   (6)
//   "0RG" gg / "0WG" gg+6  -> "0RG" + gg + start (3) + end (3) / "0WG" + gg  (13 / 7)
//   "0RS" mm / "0WS" mm+32 -> "0RS" + mm + 32 digits / "0WS" + mm            (39 / 7)
//   "0RP" nnn / "0WP" +40  -> "0RP" + nnn + 40 digits / "0WP" + nnn          (48 / 8)
//   "0MP"/"0MM" nnn + m    -> the command line echoed                        (9)
//   "0MG" gg               -> "0MG" + gg                                     (7)
//   "0JR", "0MV", "0SP"    -> the command alone                              (5)
//   "0RC" m                -> "0RC" + m + 5 digits per axis of the mask      (6 + 5n)
//   "0RI" / "0RO"          -> command + 6 digits                             (11)
//   "0WO" dddddd           -> "0WO" + the digits; the outputs take them      (11)
//   "0AR"                  -> "0AR", the alarm cleared; a lasting alarm answers its
//                             unsolicited line "0%%" + state + "0" + code instead
// Record numbers (block, group, macro, position, axis) are echoed at character 4. A line the
// table does not hold, or whose argument is malformed, gets no answer.
//
// Motion: "0MP", "0MM", "0MG" and "0MV" make "0RA" answer "moving" for the next
// motionPolls() queries; a JOG feed ("0JR") runs until "0SP", which stops at once. "0MM" to position 000 is the home return: the
// home flag is set and every present position becomes 0. "0MP"/"0MM" to a stored position
// move the present positions to its targets, "0MV" to the targets of the axes it flags.
//
// At start: all four axes present (block 0 byte 6 = 0F), each with the actuator " 28" "L"
// 100 (type 0, lead 2 mm, 400 pulses per revolution, no PG, limit 20000 pulses) and the
// program's factory parameters for it (its row " 28L-100" and the common list, no PG; see
// HomeAndSpecial), SM TIMER 10 and the other single values 0, reserved bytes 0; version
// "1.0", model 4, every axis tagged "K4R"; every position as a new table holds it (VEL 30,
// ACC 3, WAY 0, position 0: newPosition()); groups, macros, inputs and outputs 0.
class ControllerModel
{
public:
    ControllerModel();

    // Back to the state at start.
    void reset();

    // The model answers every command of `sim` from now on; it must outlive the serving.
    void install(ControllerSim &sim);
    // The reply to one line without its CR LF; empty: no answer.
    QByteArray answer(const QByteArray &line);

    struct Actuator
    {
        int kind = 0;
        int lead = 2;
        int pulsesPerRev = 400;
        int withPG = 0;
        qint32 strokeLimit = 20000;
        int sizeByte = 28;
        char speed = 'L';
        int stroke = 100;
    };

    // An axis' homing order (its block 1 to 4) and the items of its odd block.
    struct HomeAndSpecial
    {
        int homeOffset = 100;
        int homePush = 100;
        int homeVel = 20;
        int homeOffsetVel = 10;
        int homePushVel = 5;
        int homeOrder = 1;
        int jogVel = 10;
        int pgAlarm = 100;
        int pgTimer = 10;
        int lsTimer = 10;
        int softLimit = 1;
        int autoDrive = 0;
        int m0Disable = 0;
    };

    // Parameter blocks (16 bytes each).
    void setBlock(int block, const QByteArray &bytes16);
    QByteArray block(int block) const;
    void setBlockByte(int block, int byte, int value);
    int blockByte(int block, int byte) const;
    void setAxisMask(int mask); // block 0, byte 6
    void setActuator(int axis, const Actuator &actuator); // even block of the axis
    void setHomeAndSpecial(int axis, const HomeAndSpecial &values); // axis 0 to 3
    int writeEnds(char kind) const; // "0WE" received per kind

    void setGroup(int group, int start, int end);
    std::pair<int, int> group(int group) const;
    void setMacro(int macro, const QByteArray &digits32); // macro 1 to 20
    QByteArray macro(int macro) const;
    void setPosition(int number, const QByteArray &digits40); // 1 to 999
    QByteArray position(int number) const;
    static QByteArray newPosition(); // the 40 digits of a position out of the box

    void setVersion(const QByteArray &version3, char model);
    void setAxisTag(int axis, const QByteArray &tag3); // axis 1 to 4
    // The version one axis answers (axis 1 to 4); the controller's own until set.
    void setAxisVersion(int axis, const QByteArray &version3);

    void setMotionPolls(int polls); // "moving" answers after each move command (default 3)
    int motionPolls() const;
    bool moving() const;
    void setHomeDone(bool done);
    bool homeDone() const;
    void setPresentPosition(int axis, qint32 pulses); // axis 0 to 3
    qint32 presentPosition(int axis) const;

    void setInputs(const QByteArray &digits6);
    void setOutputs(const QByteArray &digits6);
    QByteArray outputs() const;

    // An alarm with its code; `resettable` false keeps it through "0AR".
    void setAlarm(char state, char code, bool resettable);
    bool alarmActive() const;

private:
    QByteArray answerLocked(const QByteArray &command, const QByteArray &argument);
    void startMotion();

    mutable std::mutex m_mutex;
    std::array<QByteArray, 13> m_blocks;
    QMap<char, int> m_writeEnds;
    std::array<std::pair<int, int>, 100> m_groups {};
    std::array<QByteArray, 21> m_macros;
    std::array<QByteArray, 1000> m_positions;
    QByteArray m_version = "1.0";
    char m_model = '4';
    std::array<QByteArray, 4> m_axisTags;
    std::array<QByteArray, 4> m_axisVersions;
    int m_motionPolls = 3;
    int m_movingLeft = 0;
    bool m_jogFeed = false; // "0JR" received, no "0SP" since
    bool m_homeDone = false;
    std::array<qint32, 4> m_present {};
    QByteArray m_inputs = "000000";
    QByteArray m_outputs = "000000";
    bool m_alarm = false;
    bool m_alarmResettable = true;
    char m_alarmState = '1';
    char m_alarmCode = '0';
};

} // namespace sim
