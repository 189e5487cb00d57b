#ifndef CMD_H
#define CMD_H

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <atomic>

// One node of a repeating send sequence: a leaf carries bytes, a group an
// ordered list of child commands. Each node repeats loop_count times (negative
// = without end) and asks for a pause of loop_ms after its step.
class Cmd : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int loop_current_count READ loop_current_count NOTIFY loop_current_count_changed)
    Q_PROPERTY(int loop_count READ loop_count NOTIFY loop_count_changed)
    Q_PROPERTY(int loop_current_index READ loop_current_index NOTIFY loop_current_index_changed)
    Q_PROPERTY(bool is_current READ is_current WRITE set_is_current NOTIFY is_current_changed)

public:
    // Deeper "subCmds" nesting than this is refused: the tree is stepped,
    // reset and destroyed recursively.
    static constexpr int kMaxDepth = 64;

    explicit Cmd(QObject *parent = nullptr);
    Cmd(const QJsonObject &json, const QList<int> &position, QObject *parent = nullptr);

    // Fills the node and appends the children from json. A tree nested deeper
    // than kMaxDepth is refused: the node takes the defaults, no children.
    void loadJson(const QJsonObject &json, const QList<int> &position);
    void clearCmd();
    Cmd *nextCmd();
    void resetLoop(bool keep_count);
    Q_INVOKABLE Cmd *getCmdAtRelativePosition(QList<int> position);
    Q_INVOKABLE Cmd *getCmdAtPosition(QList<int> position);

    int loop_current_count() const { return loop_current_count_; }
    int loop_count() const { return loop_count_; }
    int loop_current_index() const { return loop_current_index_; }
    bool is_current() const { return is_current_; }
    void set_is_current(bool v);

    const QByteArray &bytes() const { return bytes_; }
    int loop_ms() const { return loop_ms_; }
    bool loop_on() const { return loop_on_; }
    bool is_group() const { return is_group_; }
    const QList<int> &position() const { return position_; }
    const QList<Cmd *> &subCmds() const { return sub_cmds_; }

    // Copies what a sender needs of one step (bytes, pause, position), so the
    // copy stays valid when the tree it came from is replaced.
    void copyStepOf(const Cmd &other);

signals:
    void loop_current_count_changed();
    void loop_current_index_changed();
    void is_current_changed();
    void loop_count_changed();

private:
    void load(const QJsonObject &json, const QList<int> &position);
    static int depthOf(const QJsonObject &json, int limit);

    QList<Cmd *> sub_cmds_;
    QByteArray bytes_;
    bool loop_on_ = true;
    bool is_group_ = false;
    int loop_ms_ = 0;
    // Counters are read by the UI while the sender's thread steps the tree.
    std::atomic<int> loop_count_{0};
    std::atomic<int> loop_current_count_{0};
    std::atomic<int> loop_current_index_{0};
    std::atomic<bool> is_current_{false};
    QList<int> position_;
};

#endif
