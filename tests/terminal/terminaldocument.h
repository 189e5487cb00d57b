#ifndef TERMINALDOCUMENT_H
#define TERMINALDOCUMENT_H

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickTextDocument>
#include <QTextDocument>
#include <memory>

// A real terminal text area: a TextEdit of the UI engine, without a window,
// whose document the text buffer feeds.
class TerminalDocument
{
public:
    TerminalDocument()
    {
        QQmlComponent component(&engine_);
        component.setData("import QtQuick 2.15\nTextEdit { width: 800; height: 600 }",
                          QUrl());
        edit_.reset(component.create());
        if (edit_)
            doc_ = edit_->property("textDocument").value<QQuickTextDocument *>();
    }

    QQuickTextDocument *doc() const { return doc_; }
    QTextDocument *text_document() const { return doc_ ? doc_->textDocument() : nullptr; }
    QObject *edit() const { return edit_.get(); }

private:
    QQmlEngine engine_;
    std::unique_ptr<QObject> edit_;
    QQuickTextDocument *doc_ = nullptr;
};

#endif
