#pragma once

#include <QtCore/QHash>
#include <QtCore/QIODevice>
#include <QtCore/QMutex>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QImage>

#include <functional>
#include <optional>

// Keyed user-visible texts, the program's image strips and the help topics.
//
// Every text is looked up by a name (or a decimal number as the name); an
// unknown key returns itself, and a text beginning with "!" is returned
// without it. Names compare without regard to case. One process-wide
// instance (pgxResources()), created with the report layer's built-in
// texts; each layer adds its table at start-up. A language file (.pgc) holds
// "name=text" lines and replaces all texts.
class TpgxResources
{
public:
    TpgxResources();

    QString Get(const QString &name) const;
    // Replaces the text of an existing name or adds the pair.
    void Add(const QString &name, const QString &text);
    // Adds every "name=text" line whose name and text are both non-empty;
    // the name is everything before the first "=".
    void AddLines(const QString &text);
    void Clear();

    // Nothing happens when the file does not exist. A file that exists but
    // cannot be read throws pgx::Error.
    void LoadFromFile(const QString &fileName);
    // Clears all texts, adds each "name=text" line (UTF-8; bytes that are
    // not UTF-8 are read as Windows-1250), then hands the script engine's
    // messages (keys beginning with "S") to the script message sink.
    void LoadFromStream(QIODevice *stream);

    // Receives the script engine's messages after a language file is read;
    // the layer that links the script engine installs it.
    using ScriptMessageSink = std::function<void(const QHash<QString, QString> &messages)>;
    static void SetScriptMessageSink(ScriptMessageSink sink);

    // The languages of the "*.pgc" files in `folder` (the program's folder
    // when empty): file names without extension, first letter upper-case,
    // the rest lower-case, sorted.
    static QStringList AvailableLanguages(const QString &folder = {});

    // The program's image strips, inflated with zlib on first use:
    // "DesgnButtons", "ObjectButtons", "PreviewButtons" (16 x 16 icons) and
    // "WizardButtons" (32 x 32). An unknown name gives a null image.
    QImage ImageStrip(const QString &name) const;
    // One icon of a strip; null when the index is outside it.
    QImage StripIcon(const QString &name, int index) const;
    // Unpacks a strip resource: "PGXS", the 32-bit little-endian size of
    // the image, then its zlib stream. Null (with `error` set) for data that
    // is damaged, of another size or larger than 16 MiB.
    static std::optional<QByteArray> InflateStrip(QByteArrayView packed, QString *error = nullptr);

    // Help: the topic page of a class that has one (17 classes; the class
    // name compared without regard to case), else empty.
    static QString HelpTopic(const QString &className);
    // The help page to open for an object of that class: the topic under
    // the help folder beside the program, or the help's first page.
    static QString HelpLocation(const QString &className, const QString &programFolder = {});

private:
    QHash<QString, QString> m_texts; // case-folded name -> text
    mutable QMutex m_stripLock;
    mutable QHash<QString, QImage> m_strips;
};

// The process-wide resources, created with the report layer's own texts on
// first use.
TpgxResources &pgxResources();

// The folder of the running program with a trailing "/" (the current folder
// when no application object exists).
QString pgxProgramFolder();
