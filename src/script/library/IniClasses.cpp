#include "script/library/IniClasses.h"

#include "platform/format/DateTime.h"
#include "platform/format/NumberText.h"
#include "script/library/ClassesModule.h"
#include "script/library/LibraryCommon.h"
#include "script/runtime/Script.h"

#include <QtCore/QFile>

namespace pgx::script {

namespace fmt = pgx::format;

TCustomIniFile::TCustomIniFile(const QString &fileName, bool writeThrough, QObject *parent)
    : TObject(parent), m_fileName(fileName), m_writeThrough(writeThrough)
{
    if (!fileName.isEmpty() && QFile::exists(fileName))
        m_doc = pgx::IniDocument::parse(loadBytesFromFile(fileName));
}

TCustomIniFile::~TCustomIniFile()
{
    if (!m_dirty || m_fileName.isEmpty())
        return;
    try {
        flush();
    } catch (const ScriptError &e) {
        qWarning("%s", e.what());
    }
}

void TCustomIniFile::changed()
{
    m_dirty = true;
    if (m_writeThrough)
        flush();
}

void TCustomIniFile::flush()
{
    if (m_fileName.isEmpty())
        return;
    saveBytesToFile(m_fileName, m_doc.serialize());
    m_dirty = false;
}

QString TCustomIniFile::readString(const QString &section, const QString &ident,
                                   const QString &def) const
{
    return m_doc.value(section, ident).value_or(def);
}

void TCustomIniFile::writeString(const QString &section, const QString &ident, const QString &value)
{
    if (!pgx::IniDocument::isValidSectionName(section))
        throw ScriptError(QStringLiteral("Invalid section name: ") + section,
                          QStringLiteral("EIniFileException"));
    m_doc.setValue(section, ident, value);
    changed();
}

namespace {

using H = TkxMethodHelper;
using C = TCustomIniFile;

TStrings *stringsArg(H &h, int i)
{
    TStrings *s = TkxObjectTable::as<TStrings>(h.params(i));
    if (!s)
        throw ScriptError(QStringLiteral("Invalid object reference"),
                          QStringLiteral("EAccessViolation"));
    return s;
}

TStream *streamArg(H &h, int i)
{
    TStream *s = TkxObjectTable::as<TStream>(h.params(i));
    if (!s)
        throw ScriptError(QStringLiteral("Invalid object reference"),
                          QStringLiteral("EAccessViolation"));
    return s;
}

QString sArg(H &h, int i)
{
    return h.params(i).toString();
}

// A typed read: the default when the key is missing or does not convert.
template<class Parse>
Variant readTyped(C *c, H &h, Parse parse)
{
    const std::optional<QString> v = c->document().value(sArg(h, 0), sArg(h, 1));
    if (v) {
        if (std::optional<Variant> r = parse(v->trimmed()))
            return *r;
    }
    return h.params(2);
}

void sectionValues(C *c, H &h, bool clear)
{
    TStrings *list = stringsArg(h, 1);
    QStringList lines = clear ? QStringList() : list->strings();
    const QString section = sArg(h, 0);
    for (const QString &name : c->document().valueNames(section))
        lines.append(name + QLatin1Char('=')
                     + c->document().value(section, name).value_or(QString()));
    list->setStrings(lines);
}

void registerCustom(TkxClassVariable *cls)
{
    declareConstructor(cls, "constructor Create(const FileName: String)");
    declareMember<C>(
        cls, "function ReadInteger(const Section, Ident: String; Default: LongInt): LongInt",
        [](C *c, H &h) {
            return readTyped(c, h, [](const QString &t) -> std::optional<Variant> {
                qint64 v = 0;
                if (fmt::tryStrToInt(t, &v))
                    return Variant::fromInt(v);
                return std::nullopt;
            });
        });
    declareMember<C>(cls, "procedure WriteInteger(const Section, Ident: String; Value: LongInt)",
                     [](C *c, H &h) {
                         c->writeString(sArg(h, 0), sArg(h, 1),
                                        QString::number(h.params(2).toInt64()));
                         return Variant();
                     });
    declareMember<C>(
        cls, "function ReadBool(const Section, Ident: String; Default: Boolean): Boolean",
        [](C *c, H &h) {
            const Variant def = Variant(h.params(2).toBool());
            const std::optional<QString> v = c->document().value(sArg(h, 0), sArg(h, 1));
            qint64 n = 0;
            if (v && fmt::tryStrToInt(v->trimmed(), &n))
                return Variant(n != 0);
            return def;
        });
    declareMember<C>(
        cls, "procedure WriteBool(const Section, Ident: String; Value: Boolean)", [](C *c, H &h) {
            c->writeString(sArg(h, 0), sArg(h, 1),
                           h.params(2).toBool() ? QStringLiteral("1") : QStringLiteral("0"));
            return Variant();
        });
    struct DateKind
    {
        const char *read;
        const char *write;
        bool (*parse)(const QString &, double *, const fmt::FormatSettings &);
        QString (*text)(double, const fmt::FormatSettings &);
    };
    static const DateKind kInds[] = {
        {"function ReadDate(const Section, Name: String; Default: TDateTime): TDateTime",
         "procedure WriteDate(const Section, Name: String; Value: TDateTime)", &fmt::tryStrToDate,
         &fmt::dateToStr},
        {"function ReadDateTime(const Section, Name: String; Default: TDateTime): TDateTime",
         "procedure WriteDateTime(const Section, Name: String; Value: TDateTime)",
         &fmt::tryStrToDateTime, &fmt::dateTimeToStr},
        {"function ReadTime(const Section, Name: String; Default: TDateTime): TDateTime",
         "procedure WriteTime(const Section, Name: String; Value: TDateTime);", &fmt::tryStrToTime,
         &fmt::timeToStr},
    };
    for (const DateKind &k : kInds) {
        declareMember<C>(cls, k.read, [parse = k.parse](C *c, H &h) {
            return readTyped(c, h, [parse](const QString &t) -> std::optional<Variant> {
                double v = 0;
                if (parse(t, &v, fmt::FormatSettings::current()))
                    return Variant::fromDate(v);
                return std::nullopt;
            });
        });
        declareMember<C>(cls, k.write, [text = k.text](C *c, H &h) {
            c->writeString(sArg(h, 0), sArg(h, 1),
                           text(h.params(2).toDouble(), fmt::FormatSettings::current()));
            return Variant();
        });
    }
    declareMember<C>(cls,
                     "function ReadFloat(const Section, Name: String; Default: Double): Double",
                     [](C *c, H &h) {
                         return readTyped(c, h, [](const QString &t) -> std::optional<Variant> {
                             double v = 0;
                             if (fmt::tryStrToFloat(t, &v))
                                 return Variant(v);
                             return std::nullopt;
                         });
                     });
    declareMember<C>(
        cls, "procedure WriteFloat(const Section, Name: String; Value: Double)", [](C *c, H &h) {
            c->writeString(sArg(h, 0), sArg(h, 1), fmt::floatToStr(h.params(2).toDouble()));
            return Variant();
        });
    declareMember<C>(
        cls, "function ReadBinaryStream(const Section, Name: String; Value: TStream): Integer",
        [](C *c, H &h) {
            const QByteArray hex
                = c->readString(sArg(h, 0), sArg(h, 1), QString()).trimmed().toLatin1();
            const QByteArray bytes = QByteArray::fromHex(hex);
            if (bytes.toHex().compare(hex, Qt::CaseInsensitive) != 0)
                throw ScriptError(QStringLiteral("Invalid binary value in %1").arg(sArg(h, 1)),
                                  QStringLiteral("EConvertError"));
            TStream *s = streamArg(h, 2);
            s->write(bytes);
            return Variant::fromInt(bytes.size());
        });
    declareMember<C>(
        cls, "procedure WriteBinaryStream(const Section, Name: String; Value: TStream)",
        [](C *c, H &h) {
            c->writeString(sArg(h, 0), sArg(h, 1),
                           QString::fromLatin1(streamArg(h, 2)->readAll().toHex().toUpper()));
            return Variant();
        });
    declareMember<C>(cls, "function SectionExists(const Section: String): Boolean",
                     [](C *c, H &h) { return Variant(c->document().hasSection(sArg(h, 0))); });
    declareMember<C>(cls, "function ValueExists(const Section, Ident: String): Boolean",
                     [](C *c, H &h) {
                         return Variant(c->document().value(sArg(h, 0), sArg(h, 1)).has_value());
                     });
}

// The members of TMemIniFile; TIniFile has them less the constructor,
// Clear, GetStrings and SetStrings.
void registerMemMembers(TkxClassVariable *cls, bool full)
{
    if (full)
        declareConstructor(cls, "constructor Create(const FileName: String)");
    declareMember<C>(cls, "procedure WriteString(const Section, Ident, Value: String)",
                     [](C *c, H &h) {
                         c->writeString(sArg(h, 0), sArg(h, 1), sArg(h, 2));
                         return Variant();
                     });
    declareMember<C>(
        cls, "function ReadString(const Section, Ident, Default: String): String;",
        [](C *c, H &h) { return str8(c->readString(sArg(h, 0), sArg(h, 1), sArg(h, 2))); });
    declareMember<C>(cls, "procedure ReadSectionValuesEx(const Section: String; Strings: TStrings)",
                     [](C *c, H &h) {
                         sectionValues(c, h, false);
                         return Variant();
                     });
    declareMember<C>(cls, "procedure DeleteKey(const Section, Ident: String)", [](C *c, H &h) {
        if (c->document().removeValue(sArg(h, 0), sArg(h, 1)))
            c->changed();
        return Variant();
    });
    declareMember<C>(cls, "procedure ReadSection(const Section: String; Strings: TStrings)",
                     [](C *c, H &h) {
                         stringsArg(h, 1)->setStrings(c->document().valueNames(sArg(h, 0)));
                         return Variant();
                     });
    declareMember<C>(cls, "procedure ReadSections(Strings: TStrings)", [](C *c, H &h) {
        stringsArg(h, 0)->setStrings(c->document().sectionNames());
        return Variant();
    });
    declareMember<C>(cls, "procedure ReadSectionValues(const Section: String; Strings: TStrings)",
                     [](C *c, H &h) {
                         sectionValues(c, h, true);
                         return Variant();
                     });
    declareMember<C>(cls, "procedure EraseSection(const Section: String)", [](C *c, H &h) {
        if (c->document().removeSection(sArg(h, 0)))
            c->changed();
        return Variant();
    });
    if (full) {
        declareMember<C>(cls, "procedure Clear", [](C *c, H &) {
            c->document() = pgx::IniDocument();
            c->changed();
            return Variant();
        });
        declareMember<C>(cls, "procedure GetStrings(List: TStrings)", [](C *c, H &h) {
            TStrings *list = stringsArg(h, 0);
            list->setText(decodeText(c->document().serialize()));
            return Variant();
        });
        declareMember<C>(cls, "procedure SetStrings(List: TStrings)", [](C *c, H &h) {
            c->document() = pgx::IniDocument::parse(stringsArg(h, 0)->text().toUtf8());
            c->changed();
            return Variant();
        });
    }
    declareMember<C>(cls, "procedure SaveIniFileToStream(oStream: TStream)", [](C *c, H &h) {
        streamArg(h, 0)->write(c->document().serialize());
        return Variant();
    });
    declareMember<C>(cls, "procedure LoadIniFileFromStream(oStream: TStream)", [](C *c, H &h) {
        c->document() = pgx::IniDocument::parse(streamArg(h, 0)->readAll());
        c->changed();
        return Variant();
    });
}

}   // namespace

TkxIniFunctions::TkxIniFunctions(TkxScript &s)
{
    TkxClassVariable *custom
        = declareClass(s, &TCustomIniFile::staticMetaObject, QStringLiteral("TObject"));
    if (!custom)
        return;
    custom->factory = [](H &h) -> QObject * { return new TMemIniFile(sArg(h, 0)); };
    registerCustom(custom);
    TkxClassVariable *mem
        = declareClass(s, &TMemIniFile::staticMetaObject, QStringLiteral("TCustomIniFile"));
    mem->factory = [](H &h) -> QObject * { return new TMemIniFile(sArg(h, 0)); };
    registerMemMembers(mem, true);
    TkxClassVariable *ini
        = declareClass(s, &TIniFile::staticMetaObject, QStringLiteral("TCustomIniFile"));
    ini->factory = [](H &h) -> QObject * { return new TIniFile(sArg(h, 0)); };
    registerMemMembers(ini, false);
}

}   // namespace pgx::script
