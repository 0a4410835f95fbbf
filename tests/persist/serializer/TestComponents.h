#pragma once

// Small reflected component classes that exercise every property kind the
// serializer handles, so that it is tested without the report classes.
// Declared at global scope: the element name is the class name.

#include "TestPrinters.h"
#include "meta/MetaComponent.h"
#include "persist/serializer/SerializerHooks.h"

#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

// A tree node with the ownership rules of report components: created with a
// node as owner it becomes that node's child and belongs to the tree's root.
class TSerNode : public pgx::MetaComponent
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ componentName WRITE setComponentName STORED false)

public:
    Q_INVOKABLE explicit TSerNode(QObject *owner = nullptr);
    ~TSerNode() override;

    QString componentName() const override { return m_name; }
    // "Duplicate name" for a name another node of the tree has.
    void setComponentName(const QString &name) override;
    pgx::MetaComponent *parentComponent() const override { return m_parent; }
    qsizetype childCount() const override { return m_children.size(); }
    pgx::MetaComponent *childAt(qsizetype index) const override { return m_children.value(index); }
    pgx::MetaComponent *findComponent(const QString &name) const override;
    void clearComponent() override;
    void loaded() override { ++loadedCount; }

    TSerNode *root() const;
    QList<TSerNode *> allObjects() const;
    const QList<TSerNode *> &children() const { return m_children; }

    int loadedCount = 0;

private:
    TSerNode *m_parent = nullptr;
    QList<TSerNode *> m_children;
    QString m_name;
};

class TSerFont : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TSerFont::Styles Style READ Style WRITE SetStyle)
    Q_CLASSINFO("pgx:default:Name", "Arial")
    Q_CLASSINFO("pgx:default:Size", "10")
    Q_CLASSINFO("pgx:default:Color", "0")
    Q_CLASSINFO("pgx:default:Style", "")

public:
    enum Style { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(Styles, Style)
    Q_FLAG(Styles)

    using QObject::QObject;
    QString Name() const { return m_name; }
    void SetName(const QString &v) { m_name = v; }
    int Size() const { return m_size; }
    void SetSize(int v);   // throws for sizes below 1
    int Color() const { return m_color; }
    void SetColor(int v) { m_color = v; }
    Styles Style() const { return m_style; }
    void SetStyle(Styles v) { m_style = v; }

private:
    QString m_name = QStringLiteral("Arial");
    int m_size = 10;
    int m_color = 0;
    Styles m_style;
};

class TSerOptions : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList Description READ Description WRITE SetDescription)
    Q_PROPERTY(QString Author READ Author WRITE SetAuthor)

public:
    using QObject::QObject;
    QStringList Description() const { return m_description; }
    void SetDescription(const QStringList &v) { m_description = v; }
    QString Author() const { return m_author; }
    void SetAuthor(const QString &v) { m_author = v; }

private:
    QStringList m_description;
    QString m_author;
};

// A view with one property of every kind.
class TSerBox : public TSerNode
{
    Q_OBJECT
    Q_PROPERTY(double Left READ Left WRITE SetLeft)
    Q_PROPERTY(double Top READ Top WRITE SetTop)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    Q_PROPERTY(double Height READ Height WRITE SetHeight)
    Q_PROPERTY(TSerBox::Align Align READ GetAlign WRITE SetAlign)
    Q_PROPERTY(TSerBox::Sides Frame READ Frame WRITE SetFrame)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Shadow READ Shadow WRITE SetShadow)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(qint64 Big READ Big WRITE SetBig)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString OnBeforePrint READ OnBeforePrint WRITE SetOnBeforePrint)
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(QVariant Value READ Value WRITE SetValue)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(TSerFont *Font READ Font)
    Q_PROPERTY(TSerNode *Link READ Link WRITE SetLink)
    Q_CLASSINFO("pgx:default:Align", "baNone")
    Q_CLASSINFO("pgx:default:Frame", "")
    Q_CLASSINFO("pgx:default:Visible", "True")
    Q_CLASSINFO("pgx:default:Tag", "0")
    Q_CLASSINFO("pgx:default:Color", "536870911")
    Q_CLASSINFO("pgx:default:ParentFont", "True")
    Q_CLASSINFO("pgx:stored:Font", "FontIsStored")

public:
    enum Align { baNone, baLeft, baRight, baCenter };
    Q_ENUM(Align)
    enum Side { ftLeft = 1, ftRight = 2, ftTop = 4, ftBottom = 8 };
    Q_DECLARE_FLAGS(Sides, Side)
    Q_FLAG(Sides)

    Q_INVOKABLE explicit TSerBox(QObject *owner = nullptr);

    double Left() const { return m_left; }
    void SetLeft(double v) { m_left = v; }
    double Top() const { return m_top; }
    void SetTop(double v) { m_top = v; }
    double Width() const { return m_width; }
    void SetWidth(double v) { m_width = v; }
    double Height() const { return m_height; }
    void SetHeight(double v) { m_height = v; }
    Align GetAlign() const { return m_align; }
    void SetAlign(Align v) { m_align = v; }
    Sides Frame() const { return m_frame; }
    void SetFrame(Sides v) { m_frame = v; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool v) { m_visible = v; }
    bool Shadow() const { return m_shadow; }
    void SetShadow(bool v) { m_shadow = v; }
    int Tag() const { return m_tag; }
    void SetTag(int v) { m_tag = v; }
    uint Color() const { return m_color; }
    void SetColor(uint v) { m_color = v; }
    qint64 Big() const { return m_big; }
    void SetBig(qint64 v) { m_big = v; }
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &v) { m_caption = v; }
    QString OnBeforePrint() const { return m_onBeforePrint; }
    void SetOnBeforePrint(const QString &v) { m_onBeforePrint = v; }
    QStringList Lines() const { return m_lines; }
    void SetLines(const QStringList &v) { m_lines = v; }
    QVariant Value() const { return m_value; }
    void SetValue(const QVariant &v) { m_value = v; }
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool v) { m_parentFont = v; }
    TSerFont *Font() const { return m_font; }
    Q_INVOKABLE bool FontIsStored() const { return !m_parentFont; }
    TSerNode *Link() const { return m_link; }
    void SetLink(TSerNode *v) { m_link = v; }

private:
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    Align m_align = baNone;
    Sides m_frame;
    bool m_visible = true;
    bool m_shadow = false;
    int m_tag = 0;
    uint m_color = 536870911;
    qint64 m_big = 0;
    QString m_caption;
    QString m_onBeforePrint;
    QStringList m_lines;
    QVariant m_value;
    bool m_parentFont = true;
    TSerFont *m_font;
    QPointer<TSerNode> m_link;
};

// A text object: its text is the memo content.
class TSerMemo : public TSerBox, public pgx::TpgxMemoContent
{
    Q_OBJECT

public:
    Q_INVOKABLE explicit TSerMemo(QObject *owner = nullptr) : TSerBox(owner) { }
    QString MemoText() const override { return m_text; }
    void SetMemoText(const QString &text) override { m_text = text; }

private:
    QString m_text;
};

class TSerPage : public TSerNode
{
    Q_OBJECT
    Q_PROPERTY(double PaperWidth READ PaperWidth WRITE SetPaperWidth)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)

public:
    Q_INVOKABLE explicit TSerPage(QObject *owner = nullptr) : TSerNode(owner) { }
    double PaperWidth() const { return m_paperWidth; }
    void SetPaperWidth(double v) { m_paperWidth = v; }
    // Starts non-empty, like a report's printer name.
    QString Title() const { return m_title; }
    void SetTitle(const QString &v) { m_title = v; }

private:
    double m_paperWidth = 210;
    QString m_title = QStringLiteral("Untitled");
};

// A collection item of the report's variables.
class TSerVariable : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QVariant Value READ Value WRITE SetValue)
    Q_PROPERTY(TSerNode *Source READ Source WRITE SetSource)
    Q_PROPERTY(TSerBox *Box READ Box WRITE SetBox)
    Q_PROPERTY(TSerBox::Sides Sides READ Sides WRITE SetSides)

public:
    using QObject::QObject;
    QString Name() const { return m_name; }
    void SetName(const QString &v) { m_name = v; }
    QVariant Value() const { return m_value; }
    void SetValue(const QVariant &v) { m_value = v; }
    TSerNode *Source() const { return m_source; }
    void SetSource(TSerNode *v) { m_source = v; }
    TSerBox *Box() const { return m_box; }
    void SetBox(TSerBox *v) { m_box = v; }
    TSerBox::Sides Sides() const { return m_sides; }
    void SetSides(TSerBox::Sides v) { m_sides = v; }

private:
    QString m_name;
    QVariant m_value;
    QPointer<TSerNode> m_source;
    QPointer<TSerBox> m_box;
    TSerBox::Sides m_sides;
};

// A report root: keeps its own name, carries options and, in PropData, its
// host position and variables.
class TSerReport : public TSerNode, public pgx::TpgxDefinedProperties
{
    Q_OBJECT
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(TSerOptions *ReportOptions READ ReportOptions)
    Q_PROPERTY(QStringList ScriptText READ ScriptText WRITE SetScriptText)

public:
    Q_INVOKABLE explicit TSerReport(QObject *owner = nullptr);
    bool isReportRoot() const override { return true; }

    QString Version() const { return QStringLiteral("4.2.16"); }
    void SetVersion(const QString &) { }   // a report keeps its own version
    TSerOptions *ReportOptions() const { return m_options; }
    QStringList ScriptText() const { return m_script; }
    void SetScriptText(const QStringList &v) { m_script = v; }

    void WriteDefinedProperties(pgx::persist::PropDataWriter &writer,
                                pgx::TpgxXMLSerializer &serializer) const override;
    void ReadDefinedProperty(const pgx::persist::PropEntry &entry,
                             pgx::TpgxXMLSerializer &serializer) override;

    int hostLeft = 0;
    int hostTop = 0;
    QList<TSerVariable *> variables;   // owned

private:
    TSerOptions *m_options;
    QStringList m_script;
};

// Registers the classes above once.
void registerSerializerTestClasses();

Q_DECLARE_OPERATORS_FOR_FLAGS(TSerFont::Styles)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSerBox::Sides)
