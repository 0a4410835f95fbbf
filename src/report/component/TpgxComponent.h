#pragma once

#include "meta/MetaComponent.h"
#include "report/component/TpgxFont.h"

#include <QtCore/QIODevice>
#include <QtCore/QList>
#include <QtCore/QPointer>
#include <QtCore/QRectF>
#include <optional>

class TpgxPage;
class TpgxReport;

// Every object of a report: the report itself, pages, bands, views, data
// sources, dialog controls. A component belongs to two structures:
//  - its tree parent's Objects list (drawing and saving order), which owns
//    it: destroying a component destroys its subtree;
//  - its registry owner (the QObject parent: the report it was created in,
//    or whatever non-component owner created it), which frees it when the
//    owner goes.
// Destroying a component removes it from both, and the report announces it
// (TpgxReport::ObjectDestroyed) so that nothing keeps a stale reference.
//
// TpgxComponent publishes only Name (never stored: the serializer writes it
// itself) and Tag; each subclass publishes the inherited accessors it shows
// (Left, Top, Font, ...) in its own order.
class TpgxComponent : public pgx::MetaComponent
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName STORED false)
    Q_PROPERTY(int Tag READ tag WRITE setTag)
    Q_CLASSINFO("pgx:default:Tag", "0")

public:
    // Design-time locks.
    enum TpgxRestriction {
        rfDontModify = 1 << 0,
        rfDontSize = 1 << 1,
        rfDontMove = 1 << 2,
        rfDontDelete = 1 << 3,
        rfDontEdit = 1 << 4
    };
    Q_DECLARE_FLAGS(TpgxRestrictions, TpgxRestriction)
    Q_FLAG(TpgxRestrictions)

    // Placement of a view within its parent (ArrangeChildren).
    enum TpgxAlign { baNone, baLeft, baRight, baCenter, baWidth, baBottom, baClient };
    Q_ENUM(TpgxAlign)

    // Trees deeper than this are refused (the constructor and SetParent
    // throw pgx::Error), so that every walk over a tree, including the
    // recursive font propagation, stays bounded whatever a template or a
    // script builds. Real reports are a handful of levels deep.
    static constexpr int kMaxTreeDepth = 1000;

    // Create(owner): a component owner becomes the tree parent and the report
    // above it the registry owner; any other owner is the registry owner and
    // there is no parent. The font gets its defaults, Visible and ParentFont
    // become true (so the parent's font is copied at once).
    Q_INVOKABLE explicit TpgxComponent(QObject *owner = nullptr);
    ~TpgxComponent() override;

    // Creates a registered class as the designer places it: IsDesigning is
    // set, then the class's designer defaults apply (InitInDesigner).
    static TpgxComponent *createInDesigner(const QString &className, QObject *owner, int flags = 0);

    // --- tree --------------------------------------------------------------
    TpgxComponent *parentComponent() const override { return m_parent; }
    // Moves this component to the end of p's Objects (when p differs from the
    // current parent) and re-applies ParentFont. Throws pgx::Error when p is
    // this component or one of its descendants, or when the tree would grow
    // deeper than MaxTreeDepth.
    virtual void setParentComponent(TpgxComponent *p);
    const QList<TpgxComponent *> &objects() const { return m_objects; }
    // Every descendant in depth-first pre-order (a child before its own
    // children), rebuilt on each call, not including this component.
    QList<TpgxComponent *> allObjects() const;

    // The nearest page from this component upwards (itself included).
    TpgxPage *page() const;
    // The nearest report from this component upwards (itself included).
    TpgxReport *report() const;
    // The first component of the report's AllObjects (outside a report, of
    // this component's) whose name equals `name` without regard to case.
    TpgxComponent *findObject(const QString &name) const;

    // --- names -------------------------------------------------------------
    QString name() const { return m_name; }
    // Nothing happens for the current name in any letter case. Inside a
    // report, a name another object has raises "Duplicate name" and a
    // component of the ancestor report cannot be renamed; a non-empty name
    // must be an identifier. On error the old name stays.
    void setName(const QString &value);
    // The stem of new unique names: the class name without its first "Tpgx"
    // and first "View", unless a class sets its own.
    QString nameStem() const;
    void setNameStem(const QString &stem) { m_nameStem = stem; }
    // Names this component NameStem + the smallest n >= 1 that no object of
    // the report (outside a report, of its parent's tree) carries.
    void makeUniqueName();

    int tag() const { return m_tag; }
    void setTag(int value) { m_tag = value; }

    // --- geometry (report units) --------------------------------------------
    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    // Moving is ignored while designing with rfDontMove, sizing with rfDontSize.
    virtual void setLeft(double value);
    virtual void setTop(double value);
    virtual void setWidth(double value);
    virtual void setHeight(double value);
    void setBounds(double aLeft, double aTop, double aWidth, double aHeight);
    // Left (Top) plus the parent's AbsLeft (AbsTop); the chain stops below a
    // dialog page, whose children are placed on its window.
    double absLeft() const;
    double absTop() const;

    // --- font --------------------------------------------------------------
    TpgxFont *font() const { return const_cast<TpgxFont *>(&m_font); }
    // Copies f; the component stops inheriting its parent's font.
    virtual void setFont(const TpgxFont *f);
    bool parentFont() const { return m_parentFont; }
    // True copies the parent's font (when there is a parent) before storing.
    virtual void setParentFont(bool value);
    // The stored rule of every published Font.
    Q_INVOKABLE bool fontIsStored() const { return !m_parentFont; }
    // Called whenever the font changes: this component stops inheriting, and
    // every child that inherits takes the new font (and passes it on).
    virtual void fontAltered();

    // --- state -------------------------------------------------------------
    bool visible() const { return m_visible; }
    virtual void setVisible(bool value) { m_visible = value; }
    int groupIndex() const { return m_groupIndex; }
    void setGroupIndex(int value) { m_groupIndex = value; }
    TpgxRestrictions restrictions() const { return m_restrictions; }
    void setRestrictions(TpgxRestrictions value) { m_restrictions = value; }

    bool isDesigning() const { return m_designing; }
    void setIsDesigning(bool on) { m_designing = on; }
    bool isPrinting() const { return m_printing; }
    void setIsPrinting(bool on) { m_printing = on; }

    // Where the engine keeps the source object of a prepared copy and the
    // band it was printed on; cleared when those components go.
    TpgxComponent *originalComponent() const { return m_originalComponent; }
    void setOriginalComponent(TpgxComponent *c) { m_originalComponent = c; }
    TpgxComponent *originalBand() const { return m_originalBand; }
    void setOriginalBand(TpgxComponent *band) { m_originalBand = band; }

    // --- operations --------------------------------------------------------
    // The class name; report classes return a resource text.
    virtual QString kindCaption() const;
    // Places the child views according to their Align (see ArrangeAlign).
    virtual void arrangeChildren();
    // Run for every object before a report run; nothing in the base.
    virtual void prepareForRun() { }
    // Frees the children, except those of the ancestor report, which stay
    // and are cleared themselves.
    virtual void clear();
    // The compact text of the properties in which this component differs from
    // `other` (same class), for prepared pages: l, t, w, h, Visible, the font
    // when not inherited, ParentFont, Tag. Subclasses append their own.
    virtual QString diffAttrs(const TpgxComponent *other) const;

    // --- streams (TpgxComponentStreams.cpp, over the serializer) -----------
    // Clears this component and reads a template document into it; faults
    // of the content go to the report's Errors, a stream that is not a
    // template throws pgx::Error ("Invalid file format").
    virtual void loadFromStream(QIODevice *stream);
    // Writes this component as the root of an indented document; with
    // writeDefaults every stored property, defaults included.
    virtual void saveToStream(QIODevice *stream, bool saveChildren = true,
                              bool writeDefaults = false);
    // Copies the source's own properties (this component's children are
    // removed; its name stays); AssignTree copies the source's subtree too.
    void assign(TpgxComponent *source);
    void assignTree(TpgxComponent *source);

    // The alignment a view takes part in ArrangeChildren with; components
    // that are not views answer nothing and are neither moved nor neighbours.
    virtual std::optional<TpgxAlign> arrangeAlign() const { return std::nullopt; }

    // --- MetaComponent -----------------------------------------------------
    QString componentName() const override { return m_name; }
    void setComponentName(const QString &name) override { setName(name); }
    qsizetype childCount() const override { return m_objects.size(); }
    pgx::MetaComponent *childAt(qsizetype index) const override { return m_objects.value(index); }
    pgx::MetaComponent *findComponent(const QString &name) const override
    {
        return findObject(name);
    }
    void clearComponent() override { clear(); }

protected:
    // Designer defaults of objects placed by the designer; nothing in the base.
    virtual void initInDesigner(int flags) { }
    // A text object whose width follows its text leaves "w" out of DiffAttrs.
    virtual bool hasAutoWidth() const { return false; }
    // Bands: prepared pages place them by their top, so DiffAttrs always
    // writes "t".
    virtual bool keepsTopInDiff() const { return false; }
    // Dialog pages: a window of their own, on which their children are placed
    // relative to it alone (AbsLeft/AbsTop stop below it).
    virtual bool placesChildrenOnOwnWindow() const { return false; }
    // Destroys every descendant, deepest first and without recursion (those
    // of the ancestor report too). Destructors of subclasses that must
    // outlive their children call it first.
    void destroyChildren();
    // Called by SetName after the name changed.
    virtual void renamed(const QString &oldName) { }

private:
    void onFontChanged();
    bool isDescendantOrSelf(const TpgxComponent *c) const;
    // Number of components above this one.
    int depth() const;
    // Levels of this component's subtree below it (0 without children).
    int subtreeHeight() const;
    // The report whose name index holds this component's name: the report
    // above it (not itself), unless that report is being destroyed.
    TpgxReport *indexingReport() const;
    // Adds (or removes) the names of this component and its descendants to
    // (from) the index of `report`.
    void indexSubtree(TpgxReport *report, bool add);

    TpgxComponent *m_parent = nullptr;
    QList<TpgxComponent *> m_objects;
    QString m_name;
    QString m_nameStem;
    int m_tag = 0;
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    TpgxFont m_font;
    bool m_parentFont = true;
    bool m_visible = true;
    bool m_designing = false;
    bool m_printing = false;
    int m_groupIndex = 0;
    TpgxRestrictions m_restrictions;
    QPointer<TpgxComponent> m_originalComponent;
    QPointer<TpgxComponent> m_originalBand;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TpgxComponent::TpgxRestrictions)

// Objects that belong on pages: bands, views, dialog controls and non-visual
// components. Adds the description, drawing and the print cycle.
class TpgxReportComponent : public TpgxComponent
{
    Q_OBJECT
    Q_PROPERTY(QString Description READ description WRITE setDescription)

public:
    Q_INVOKABLE explicit TpgxReportComponent(QObject *owner = nullptr);

    QString description() const { return m_description; }
    void setDescription(const QString &value) { m_description = value; }

    // Draws the component on `canvas` at the given scale and offset; the
    // base draws nothing.
    virtual void draw(class QPainter *canvas, double scaleX, double scaleY, double offsetX,
                      double offsetY)
    { }
    // Saves Left, Top, Width and Height; AfterPrint restores them through
    // SetBounds.
    virtual void beforePrint();
    virtual void fetchData() { }
    virtual void afterPrint();
    // The component's text for searching and export; empty in the base.
    virtual QString plainText() const { return QString(); }
    // (AbsLeft, AbsTop) to (AbsLeft + Width, AbsTop + Height).
    virtual QRectF printedBounds() const;

private:
    QString m_description;
    QRectF m_savedBounds;
};

// Non-visual components shown as icons on pages (data sources and the like).
class TpgxDialogComponent : public TpgxReportComponent
{
    Q_OBJECT

public:
    // 28 x 28: the size of the icon they show in the designer.
    Q_INVOKABLE explicit TpgxDialogComponent(QObject *owner = nullptr);
};
