#pragma once

#include "report/component/Units.h"

#include <QtCore/QObject>
#include <QtCore/QString>

// The font value of report components and styles: name, size, colour, style
// set and character set. The size is kept as the platform keeps it, a
// character height in pixels at a fixed 96 pixels per inch (negative: the
// height of the characters without internal leading); Size in points is
// derived from it. Every change emits Changed, which the owning component
// turns into FontAltered.
class TpgxFont : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Charset READ charset WRITE setCharset)
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Size READ size WRITE setSize STORED false)
    Q_PROPERTY(TpgxFont::TpgxFontStyles Style READ style WRITE setStyle)
    Q_CLASSINFO("pgx:type:Charset", "TFontCharset")
    Q_CLASSINFO("pgx:type:Color", "TColor")

public:
    // Style bits as templates store them: 1 bold, 2 italic, 4 underline,
    // 8 strike-out.
    enum TpgxFontStyle {
        fsBold = 1 << 0,
        fsItalic = 1 << 1,
        fsUnderline = 1 << 2,
        fsStrikeOut = 1 << 3
    };
    Q_DECLARE_FLAGS(TpgxFontStyles, TpgxFontStyle)
    Q_FLAG(TpgxFontStyles)

    static constexpr int kPixelsPerInch = 96;

    // Arial, 10 points, black, the default character set.
    explicit TpgxFont(QObject *parent = nullptr);

    int charset() const { return m_charset; }
    void setCharset(int value);
    TColor color() const { return m_color; }
    void setColor(TColor value);
    int height() const { return m_height; }
    void setHeight(int value);
    QString name() const { return m_name; }
    void setName(const QString &value);
    int size() const;
    void setSize(int points);
    TpgxFontStyles style() const { return m_style; }
    void setStyle(TpgxFontStyles value);

    // Copies every field and emits Changed once, even when nothing differs,
    // so that inheriting children are refreshed.
    void assign(const TpgxFont &source);
    bool operator==(const TpgxFont &other) const;
    bool operator!=(const TpgxFont &other) const { return !(*this == other); }

    // The character set new fonts get; 1 (the platform's default set) until
    // changed.
    static int defaultCharset();
    static void setDefaultCharset(int charset);

    // Points <-> pixel height at 96 pixels per inch, rounded half away from
    // zero as the platform's integer scaling does.
    static int pointsToHeight(int points);
    static int heightToPoints(int height);

signals:
    void changed();

private:
    int m_charset;
    TColor m_color = kClBlack;
    int m_height;
    QString m_name;
    TpgxFontStyles m_style;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TpgxFont::TpgxFontStyles)
