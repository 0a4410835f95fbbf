#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <optional>

namespace pgx {

// An INI file held in memory: sections of `name=value` lines, kept in file
// order together with the comments and blank lines between them, so that a
// file a user edited by hand keeps its shape when one value changes.
//
// Rules of the text form (read and written):
// - `[name]` opens a section; lines before the first header form the unnamed
//   section "". Section and value names compare without regard to case.
// - Lines starting with ';' or '#' are comments; lines without '=' are kept
//   verbatim and otherwise ignored.
// - The value name `@` stands for the empty name, the key's default
//   (unnamed) value, as in registry export files.
// - A name or value that would not survive the plain form (surrounding
//   blanks, control characters, a leading quote; for names also '=' and a
//   leading '[', ';', '#' or a literal "@") is written in double quotes with
//   the escapes \\ \" \n \r \t. A quoted value read from a hand-written file
//   loses its quotes, as INI readers have always done.
class IniDocument
{
public:
    // Reads UTF-8 (a leading byte-order mark is skipped); text that is not
    // valid UTF-8 comes from an 8-bit editor and is read as Latin-1 so that
    // no byte is lost.
    static IniDocument parse(const QByteArray &text);
    QByteArray serialize() const;

    QStringList sectionNames() const;   // in file order; "" only when it holds values
    bool hasSection(const QString &section) const;
    QStringList valueNames(const QString &section) const;
    std::optional<QString> value(const QString &section, const QString &name) const;

    void addSection(const QString &section);
    void setValue(const QString &section, const QString &name, const QString &value);
    bool removeValue(const QString &section, const QString &name);
    bool removeSection(const QString &section);

    // Whether a section name can be written as a header at all.
    static bool isValidSectionName(const QString &section);

    static QString encodeName(const QString &name);
    static QString encodeValue(const QString &value);
    static QString decodeValue(const QString &text);

private:
    struct Line
    {
        bool isValue = false;
        QString name;    // decoded, for value lines
        QString value;   // decoded, for value lines
        QString raw;     // verbatim, for every other line
    };
    struct Section
    {
        QString name;
        QList<Line> lines;
    };

    const Section *findSection(const QString &name) const;
    Section *findSection(const QString &name);
    Section &ensureSection(const QString &name);

    QList<Section> m_sections{Section{}};   // [0] is the unnamed section
};

}   // namespace pgx
