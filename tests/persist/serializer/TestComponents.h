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
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Size READ size WRITE setSize)
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(TSerFont::Styles Style READ style WRITE setStyle)
    Q_CLASSINFO("pgx:default:Name", "Arial")
    Q_CLASSINFO("pgx:default:Size", "10")
    Q_CLASSINFO("pgx:default:Color", "0")
    Q_CLASSINFO("pgx:default:Style", "")

public:
    enum Style { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(Styles, Style)
    Q_FLAG(Styles)

    using QObject::QObject;
    QString name() const { return m_name; }
    void setName(const QString &v) { m_name = v; }
    int size() const { return m_size; }
    void setSize(int v);   // throws for sizes below 1
    int color() const { return m_color; }
    void setColor(int v) { m_color = v; }
    Styles style() const { return m_style; }
    void setStyle(Styles v) { m_style = v; }

private:
    QString m_name = QStringLiteral("Arial");
    int m_size = 10;
    int m_color = 0;
    Styles m_style;
};

class TSerOptions : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList Description READ description WRITE setDescription)
    Q_PROPERTY(QString Author READ author WRITE setAuthor)

public:
    using QObject::QObject;
    QStringList description() const { return m_description; }
    void setDescription(const QStringList &v) { m_description = v; }
    QString author() const { return m_author; }
    void setAuthor(const QString &v) { m_author = v; }

private:
    QStringList m_description;
    QString m_author;
};

// A view with one property of every kind.
class TSerBox : public TSerNode
{
    Q_OBJECT
    Q_PROPERTY(double Left READ left WRITE setLeft)
    Q_PROPERTY(double Top READ top WRITE setTop)
    Q_PROPERTY(double Width READ width WRITE setWidth)
    Q_PROPERTY(double Height READ height WRITE setHeight)
    Q_PROPERTY(TSerBox::Align Align READ getAlign WRITE setAlign)
    Q_PROPERTY(TSerBox::Sides Frame READ frame WRITE setFrame)
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_PROPERTY(bool Shadow READ shadow WRITE setShadow)
    Q_PROPERTY(int Tag READ tag WRITE setTag)
    Q_PROPERTY(uint Color READ color WRITE setColor)
    Q_PROPERTY(qint64 Big READ big WRITE setBig)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString OnBeforePrint READ onBeforePrint WRITE setOnBeforePrint)
    Q_PROPERTY(QStringList Lines READ lines WRITE setLines)
    Q_PROPERTY(QVariant Value READ value WRITE setValue)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(TSerFont *Font READ font)
    Q_PROPERTY(TSerNode *Link READ link WRITE setLink)
    Q_CLASSINFO("pgx:default:Align", "baNone")
    Q_CLASSINFO("pgx:default:Frame", "")
    Q_CLASSINFO("pgx:default:Visible", "True")
    Q_CLASSINFO("pgx:default:Tag", "0")
    Q_CLASSINFO("pgx:default:Color", "536870911")
    Q_CLASSINFO("pgx:default:ParentFont", "True")
    Q_CLASSINFO("pgx:stored:Font", "fontIsStored")

public:
    enum Align { baNone, baLeft, baRight, baCenter };
    Q_ENUM(Align)
    enum Side { ftLeft = 1, ftRight = 2, ftTop = 4, ftBottom = 8 };
    Q_DECLARE_FLAGS(Sides, Side)
    Q_FLAG(Sides)

    Q_INVOKABLE explicit TSerBox(QObject *owner = nullptr);

    double left() const { return m_left; }
    void setLeft(double v) { m_left = v; }
    double top() const { return m_top; }
    void setTop(double v) { m_top = v; }
    double width() const { return m_width; }
    void setWidth(double v) { m_width = v; }
    double height() const { return m_height; }
    void setHeight(double v) { m_height = v; }
    Align getAlign() const { return m_align; }
    void setAlign(Align v) { m_align = v; }
    Sides frame() const { return m_frame; }
    void setFrame(Sides v) { m_frame = v; }
    bool visible() const { return m_visible; }
    void setVisible(bool v) { m_visible = v; }
    bool shadow() const { return m_shadow; }
    void setShadow(bool v) { m_shadow = v; }
    int tag() const { return m_tag; }
    void setTag(int v) { m_tag = v; }
    uint color() const { return m_color; }
    void setColor(uint v) { m_color = v; }
    qint64 big() const { return m_big; }
    void setBig(qint64 v) { m_big = v; }
    QString caption() const { return m_caption; }
    void setCaption(const QString &v) { m_caption = v; }
    QString onBeforePrint() const { return m_onBeforePrint; }
    void setOnBeforePrint(const QString &v) { m_onBeforePrint = v; }
    QStringList lines() const { return m_lines; }
    void setLines(const QStringList &v) { m_lines = v; }
    QVariant value() const { return m_value; }
    void setValue(const QVariant &v) { m_value = v; }
    bool parentFont() const { return m_parentFont; }
    void setParentFont(bool v) { m_parentFont = v; }
    TSerFont *font() const { return m_font; }
    Q_INVOKABLE bool fontIsStored() const { return !m_parentFont; }
    TSerNode *link() const { return m_link; }
    void setLink(TSerNode *v) { m_link = v; }

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
    QString memoText() const override { return m_text; }
    void setMemoText(const QString &text) override { m_text = text; }

private:
    QString m_text;
};

class TSerPage : public TSerNode
{
    Q_OBJECT
    Q_PROPERTY(double PaperWidth READ paperWidth WRITE setPaperWidth)
    Q_PROPERTY(QString Title READ title WRITE setTitle)

public:
    Q_INVOKABLE explicit TSerPage(QObject *owner = nullptr) : TSerNode(owner) { }
    double paperWidth() const { return m_paperWidth; }
    void setPaperWidth(double v) { m_paperWidth = v; }
    // Starts non-empty, like a report's printer name.
    QString title() const { return m_title; }
    void setTitle(const QString &v) { m_title = v; }

private:
    double m_paperWidth = 210;
    QString m_title = QStringLiteral("Untitled");
};

// A collection item of the report's variables.
class TSerVariable : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QVariant Value READ value WRITE setValue)
    Q_PROPERTY(TSerNode *Source READ source WRITE setSource)
    Q_PROPERTY(TSerBox *Box READ box WRITE setBox)
    Q_PROPERTY(TSerBox::Sides Sides READ sides WRITE setSides)

public:
    using QObject::QObject;
    QString name() const { return m_name; }
    void setName(const QString &v) { m_name = v; }
    QVariant value() const { return m_value; }
    void setValue(const QVariant &v) { m_value = v; }
    TSerNode *source() const { return m_source; }
    void setSource(TSerNode *v) { m_source = v; }
    TSerBox *box() const { return m_box; }
    void setBox(TSerBox *v) { m_box = v; }
    TSerBox::Sides sides() const { return m_sides; }
    void setSides(TSerBox::Sides v) { m_sides = v; }

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
    Q_PROPERTY(QString Version READ version WRITE setVersion)
    Q_PROPERTY(TSerOptions *ReportOptions READ reportOptions)
    Q_PROPERTY(QStringList ScriptText READ scriptText WRITE setScriptText)

public:
    Q_INVOKABLE explicit TSerReport(QObject *owner = nullptr);
    bool isReportRoot() const override { return true; }

    QString version() const { return QStringLiteral("4.2.16"); }
    void setVersion(const QString &) { }   // a report keeps its own version
    TSerOptions *reportOptions() const { return m_options; }
    QStringList scriptText() const { return m_script; }
    void setScriptText(const QStringList &v) { m_script = v; }

    void writeDefinedProperties(pgx::persist::PropDataWriter &writer,
                                pgx::TpgxXMLSerializer &serializer) const override;
    void readDefinedProperty(const pgx::persist::PropEntry &entry,
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
