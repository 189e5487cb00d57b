#include "qmlclipboardadapter.h"

#include <QClipboard>
#include <QGuiApplication>

QmlClipboardAdapter::QmlClipboardAdapter(QObject *parent)
    : QObject(parent), clipboard_(QGuiApplication::clipboard())
{
}

void QmlClipboardAdapter::setText(const QString &text)
{
    if (!clipboard_)
        return;
    clipboard_->setText(text, QClipboard::Clipboard);
    if (clipboard_->supportsSelection())
        clipboard_->setText(text, QClipboard::Selection);
}
