#ifndef QMLCLIPBOARDADAPTER_H
#define QMLCLIPBOARDADAPTER_H

#include <QObject>
#include <QString>

class QClipboard;

// Puts text on the system clipboard for the UI.
class QmlClipboardAdapter : public QObject
{
    Q_OBJECT
public:
    explicit QmlClipboardAdapter(QObject *parent = nullptr);

    Q_INVOKABLE void setText(const QString &text);

private:
    QClipboard *clipboard_;
};

#endif
