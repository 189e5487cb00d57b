#include "cmd.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonValue>
#include <QVector>
#include <climits>
#include <cmath>
#include <utility>

namespace {

bool readBool(const QJsonObject &json, const QString &key, bool fallback)
{
    const QJsonValue v = json.value(key);
    return v.isBool() ? v.toBool() : fallback;
}

// JSON numbers are doubles; out-of-range values saturate instead of
// overflowing the conversion, fractions are cut.
int readInt(const QJsonObject &json, const QString &key, int fallback)
{
    const QJsonValue v = json.value(key);
    if (!v.isDouble())
        return fallback;
    const double d = v.toDouble();
    if (std::isnan(d))
        return fallback;
    if (d >= double(INT_MAX))
        return INT_MAX;
    if (d <= double(INT_MIN))
        return INT_MIN;
    return int(d);
}

const QString kLoopOn = QStringLiteral("loop_on");
const QString kIsGroup = QStringLiteral("is_group");
const QString kLoopMs = QStringLiteral("loop_ms");
const QString kLoopCount = QStringLiteral("loop_count");
const QString kCmdHex = QStringLiteral("cmd_hex");
const QString kSubCmds = QStringLiteral("subCmds");

} // namespace

Cmd::Cmd(QObject *parent)
    : QObject(parent)
{
}

Cmd::Cmd(const QJsonObject &json, const QList<int> &position, QObject *parent)
    : QObject(parent)
{
    loadJson(json, position);
}

void Cmd::loadJson(const QJsonObject &json, const QList<int> &position)
{
    if (depthOf(json, kMaxDepth) > kMaxDepth) {
        qWarning() << "Cmd: command tree nested deeper than" << kMaxDepth << "levels refused";
        load(QJsonObject(), position);
        return;
    }
    load(json, position);
}

// Counts node levels without recursion; stops as soon as limit is passed.
int Cmd::depthOf(const QJsonObject &json, int limit)
{
    int deepest = 0;
    QVector<std::pair<QJsonObject, int>> stack;
    stack.append({json, 1});
    while (!stack.isEmpty()) {
        const auto [node, depth] = stack.takeLast();
        if (depth > deepest) {
            deepest = depth;
            if (deepest > limit)
                break;
        }
        if (!readBool(node, kIsGroup, false))
            continue;
        const QJsonArray subs = node.value(kSubCmds).toArray();
        for (const QJsonValue &sub : subs) {
            if (sub.isObject())
                stack.append({sub.toObject(), depth + 1});
            else if (depth + 1 > deepest)
                deepest = depth + 1;
        }
    }
    return deepest;
}

void Cmd::load(const QJsonObject &json, const QList<int> &position)
{
    position_ = position;
    loop_on_ = readBool(json, kLoopOn, true);
    is_group_ = readBool(json, kIsGroup, false);
    // A negative pause would stop the sender's tick timer for good.
    loop_ms_ = qMax(0, readInt(json, kLoopMs, 0));
    loop_count_ = readInt(json, kLoopCount, 0);
    const QJsonValue hex = json.value(kCmdHex);
    bytes_ = hex.isString() ? QByteArray::fromHex(hex.toString().toLatin1()) : QByteArray();
    emit loop_count_changed();

    if (!is_group_)
        return;
    const QJsonArray subs = json.value(kSubCmds).toArray();
    for (int k = 0; k < subs.size(); ++k) {
        auto *child = new Cmd(this);
        child->load(subs.at(k).toObject(), QList<int>(position) << k);
        sub_cmds_.append(child);
    }
}

void Cmd::clearCmd()
{
    const QList<Cmd *> children = std::exchange(sub_cmds_, {});
    qDeleteAll(children);
    bytes_.clear();
    loop_on_ = true;
    is_group_ = false;
    loop_ms_ = 1000;
    loop_count_ = 0;
    loop_current_count_ = 0;
    loop_current_index_ = 0;
    is_current_ = false;
    emit loop_current_count_changed();
    emit loop_current_index_changed();
    emit is_current_changed();
}

Cmd *Cmd::nextCmd()
{
    const int count = loop_count_;
    if (!loop_on_ || (count >= 0 && loop_current_count_ >= count)) {
        set_is_current(false);
        return nullptr;
    }
    // An endless node stops counting at the top instead of overflowing.
    const auto countStep = [this] {
        if (loop_current_count_ < INT_MAX)
            ++loop_current_count_;
        emit loop_current_count_changed();
    };

    if (!is_group_) {
        countStep();
        is_current_ = true;
        emit is_current_changed();
        return this;
    }

    while (loop_current_index_ < sub_cmds_.size()) {
        if (Cmd *step = sub_cmds_.at(loop_current_index_)->nextCmd()) {
            set_is_current(true);
            return step;
        }
        ++loop_current_index_;
        emit loop_current_index_changed();
    }
    // One pass done: this step is the group's own, carrying the pause
    // between passes.
    countStep();
    resetLoop(true);
    return this;
}

void Cmd::resetLoop(bool keep_count)
{
    set_is_current(false);
    loop_current_index_ = 0;
    emit loop_current_index_changed();
    if (!keep_count) {
        loop_current_count_ = 0;
        emit loop_current_count_changed();
    }
    if (is_group_) {
        for (Cmd *child : qAsConst(sub_cmds_))
            child->resetLoop(false);
    }
}

Cmd *Cmd::getCmdAtRelativePosition(QList<int> position)
{
    Cmd *node = this;
    for (int index : qAsConst(position)) {
        if (!node->is_group_ || index < 0 || index >= node->sub_cmds_.size())
            return nullptr;
        node = node->sub_cmds_.at(index);
    }
    return node;
}

Cmd *Cmd::getCmdAtPosition(QList<int> position)
{
    const int own = position_.size();
    if (position.size() < own)
        return nullptr;
    for (int i = 0; i < own; ++i) {
        if (position.at(i) != position_.at(i))
            return nullptr;
    }
    return getCmdAtRelativePosition(position.mid(own));
}

void Cmd::set_is_current(bool v)
{
    is_current_ = v;
    emit is_current_changed();
}

void Cmd::copyStepOf(const Cmd &other)
{
    bytes_ = other.bytes_;
    loop_ms_ = other.loop_ms_;
    loop_on_ = other.loop_on_;
    is_group_ = other.is_group_;
    loop_count_ = int(other.loop_count_);
    position_ = other.position_;
}
