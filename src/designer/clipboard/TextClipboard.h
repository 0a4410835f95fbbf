#pragma once

#include <QtCore/QString>

// The platform clipboard as the designer uses it: plain text only. The
// program's is the system clipboard; tests give their own.
class TextClipboard
{
public:
    virtual ~TextClipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
};

// The system clipboard (QGuiApplication::clipboard()).
class SystemClipboard final : public TextClipboard
{
public:
    QString text() const override;
    void setText(const QString &text) override;
};
