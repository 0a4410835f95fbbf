#pragma once

#include <QtCore/QList>
#include <QtCore/QPair>
#include <QtCore/QString>
#include <vector>

namespace pgx::script {

// The small XML subset the script front end reads: grammar documents and
// stored program trees. It stays private to the front end so that the
// engine's XML container can take its place without touching the analyser.
//
// Accepted: a leading "<?xml ...?>" declaration (required), elements with
// double-quoted attributes, empty tags, comments and character data (both
// skipped). Entities: &quot; &amp; &lt; &gt; &apos; and &#N; / &#xN;.
struct XmlElement {
    QString name;
    QList<QPair<QString, QString>> attributes;
    std::vector<XmlElement> children;

    // Attribute and child names compare without regard to case, as in the
    // engine's container; a missing attribute reads as the empty string.
    QString attribute(QStringView attributeName) const;
    bool hasAttribute(QStringView attributeName) const;
    const XmlElement *child(QStringView childName) const;
};

// Parses a whole document into its root element. On failure returns false
// and sets error to "Invalid file format" (the only message this reader has).
// Nesting deeper than kMaxXmlDepth is a format error, not a stack overflow.
bool ReadXmlText(QStringView text, XmlElement &root, QString *error = nullptr);

inline constexpr int kMaxXmlDepth = 512;

// Encodes an attribute value for writing: LF, CR, double quote, ampersand,
// "<" and ">" become "&#" + decimal code + ";".
QString EncodeXmlValue(QStringView value);

} // namespace pgx::script
