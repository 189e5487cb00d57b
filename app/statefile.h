#ifndef STATEFILE_H
#define STATEFILE_H

#include <QObject>
#include <QVariant>

// Reads and writes the UI's state files: a JSON object {"type", "vnumber",
// "ctx"} around a component's state. Every file the UI keeps or the user
// saves (configuration, commands, tabs, windows) goes through here, so the
// envelope checks, their messages and the safe write exist once.
class StateFile : public QObject
{
    Q_OBJECT
public:
    // Files larger than this are refused unread: no state the UI writes
    // comes near it, and parsing a huge file would stall the start.
    static constexpr qint64 kMaxBytes = 32 * 1024 * 1024;

    explicit StateFile(QObject *parent = nullptr);

    // Reads `path` expecting an envelope of `type` (or of one of several
    // types separated by spaces). The answer is an object:
    //   status  "ok", "missing" (no file or an empty one) or "refused"
    //   type    the file's type (status "ok" only)
    //   ctx     the state object (status "ok" only)
    //   message the user-facing reason (status "refused" only)
    // With keep_refused a refused file is first copied beside itself as
    // "<name>.bad", so a later write cannot destroy what the user had.
    Q_INVOKABLE QVariantMap read(const QString &path, const QString &type, bool keep_refused = false);
    // Writes the envelope of `type` around `ctx` to a temporary file in the
    // same directory and renames it over `path`: the old file stays whole
    // when anything fails. An empty answer means success, otherwise the
    // reason.
    Q_INVOKABLE QString write(const QString &path, const QString &type, const QVariant &ctx);

    // The envelope as text (what write() stores).
    static QByteArray envelope(const QString &type, const QVariant &ctx);
    // Plain JSON values of a state object from the UI: colours become
    // "#rrggbb"/"#aarrggbb" texts, script values their variants.
    static QJsonValue to_json(const QVariant &value);
};

#endif
